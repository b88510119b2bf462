#include "shared/grid_filter.h"

#include "platform/controls/grid_base.h"

namespace corvane::shared {

using platform::Money;

namespace {

constexpr int kShownTwips = 300;

bool Given(const QString& text) { return !text.trimmed().isEmpty(); }

}  // namespace

int DateKey(const QString& text) {
  // Hand-read, fast enough to run for every row of a 100,000-row grid.
  int parts[3] = {0, 0, 0};
  int digits[3] = {0, 0, 0};
  int part = 0;
  for (QChar c : text) {
    if (c.isDigit()) {
      if (++digits[part] > (part == 0 ? 4 : 2)) return 0;
      parts[part] = parts[part] * 10 + c.digitValue();
    } else if (c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('/')) {
      if (digits[part] == 0 || ++part > 2) return 0;
    } else if (c != QLatin1Char(' ')) {
      return 0;
    }
  }
  if (part != 2 || digits[0] != 4 || digits[2] == 0) return 0;
  if (!QDate::isValid(parts[0], parts[1], parts[2])) return 0;
  return parts[0] * 10000 + parts[1] * 100 + parts[2];
}

Money LeadingAmount(const QString& text) {
  QString number;
  number.reserve(text.size());
  int i = 0;
  while (i < text.size() && text[i] == QLatin1Char(' ')) ++i;
  if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) number += text[i++];
  bool point = false;
  for (; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isDigit()) number += c;
    else if (c == QLatin1Char(',')) continue;
    else if (c == QLatin1Char('.') && !point) {
      point = true;
      number += c;
    } else {
      break;
    }
  }
  return Money::Parse(number).value_or(Money());
}

GridRowTest::GridRowTest(const FilterConditions& c, const FilterColumns& columns, AmountMatch match,
                         const QString& debitText, const QString& creditText)
    : columns_(columns), match_(match), debitText_(debitText), creditText_(creditText) {
  all_ = !c.ExecFilter;
  // The dates, like a style or a number, are taken as typed.
  if (Given(c.StartDate)) start_ = c.StartDate;
  if (Given(c.EndDate)) end_ = c.EndDate;
  // A style or number is compared as typed: a trailing blank is part of it.
  if (Given(c.CurCn_m)) style_ = c.CurCn_m;
  if (Given(c.CurCn_id)) number_ = c.CurCn_id;
  direction_ = c.CurBd_c <= 2 ? c.CurBd_c : 0;
  if (Given(c.CurMmoney)) amount_ = LeadingAmount(c.CurMmoney);
}

bool GridRowTest::AmountHolds(const QString& cell) const {
  const Money value = LeadingAmount(cell);
  return match_ == AmountMatch::AtLeast ? value >= *amount_ : value == *amount_;
}

bool GridRowTest::Passes(const platform::GridBase& grid, int row) const {
  if (all_) return true;
  if (!start_.isEmpty() || !end_.isEmpty()) {
    // Compared as text on the character codes, not as dates: a "yyyy.mm.dd"
    // condition selects "yyyy.mm.dd" cells by date.
    const QString date = grid.TextMatrix(row, columns_.date);
    if (!start_.isEmpty() && QString::compare(date, start_, Qt::CaseSensitive) < 0) return false;
    if (!end_.isEmpty() && QString::compare(date, end_, Qt::CaseSensitive) > 0) return false;
  }
  // What the user typed is matched character by character, not as a key.
  if (!style_.isEmpty() && grid.TextMatrix(row, columns_.style) != style_) return false;
  if (!number_.isEmpty() && grid.TextMatrix(row, columns_.number) != number_) return false;
  if (columns_.direction >= 0) {
    // One direction column and one amount column.
    if (direction_ == 1 && grid.TextMatrix(row, columns_.direction) != debitText_) return false;
    if (direction_ == 2 && grid.TextMatrix(row, columns_.direction) != creditText_) return false;
    return !amount_ || AmountHolds(grid.TextMatrix(row, columns_.amount));
  }
  if (direction_ == 1 || direction_ == 2) {
    const QString cell = grid.TextMatrix(row, direction_ == 1 ? columns_.debit : columns_.credit);
    return amount_ ? AmountHolds(cell) : Given(cell);
  }
  if (!amount_) return true;
  return AmountHolds(grid.TextMatrix(row, columns_.credit)) || AmountHolds(grid.TextMatrix(row, columns_.debit));
}

int ApplyGridFilter(platform::GridBase& grid, const GridRowTest& test) {
  const FilterColumns& c = test.Columns();
  const bool totalled = c.total > 0 && c.total < grid.Rows();
  Money debit, credit;
  int first = 0;
  for (int r = 1; r < grid.Rows(); ++r) {
    if (r == c.total) continue;
    const bool shown = test.Passes(grid, r);
    grid.SetRowHeight(r, shown ? kShownTwips : 0);
    if (!shown) continue;
    if (first == 0) first = r;
    if (!totalled) continue;
    // The amounts as the lines show them, so that the total adds up the column.
    debit += LeadingAmount(grid.TextMatrix(r, c.debit));
    credit += LeadingAmount(grid.TextMatrix(r, c.credit));
  }
  if (totalled) {
    grid.SetTextMatrix(c.total, c.debit, debit.ToDisplayText());
    grid.SetTextMatrix(c.total, c.credit, credit.ToDisplayText());
    grid.SetRowHeight(c.total, first != 0 ? kShownTwips : 0);
  }
  if (first != 0) {
    grid.SetRow(first);
    grid.SetTopRow(first);
  }
  return first;
}

int FindGridRow(platform::GridBase& grid, const GridRowTest& test) {
  for (int r = 1; r < grid.Rows(); ++r) {
    if (r == test.Columns().total || !test.Passes(grid, r)) continue;
    grid.SetRow(r);
    grid.SetTopRow(r);
    grid.SetCol(0);
    grid.SetRowSel(r);
    grid.SetColSel(grid.Cols() - 1);
    return r;
  }
  return 0;
}

}  // namespace corvane::shared
