#include "suite/import/csv_statement.h"

#include "suite/import/column_captions.h"
#include "suite/import/csv_columns.h"
#include "suite/import/import_texts.h"

#include <QDate>
#include <QHash>
#include <algorithm>

namespace corvane::suite {

using platform::ImportLine;
using platform::Money;

namespace {

int FindColumn(const QStringList& header, std::initializer_list<const char*> names, const std::vector<int>& taken) {
  auto free = [&taken](int c) { return std::find(taken.begin(), taken.end(), c) == taken.end(); };
  for (bool exact : {true, false})
    for (const char* name : names) {
      const QString n = QString::fromUtf8(name);
      for (int c = 0; c < header.size(); ++c)
        if (free(c) && (exact ? header[c].compare(n, Qt::CaseInsensitive) == 0 : header[c].contains(n, Qt::CaseInsensitive)))
          return c;
    }
  return -1;
}

// The non-empty cells of a column, the first `most` of them (all: -1).
std::vector<QString> Cells(const CsvTable& t, int column, int most = -1) {
  std::vector<QString> out;
  if (column < 0) return out;
  for (const QStringList& row : t.rows) {
    if (most >= 0 && static_cast<int>(out.size()) >= most) break;
    const QString& v = row.value(column);
    if (!v.isEmpty()) out.push_back(v);
  }
  return out;
}

bool AllDirections(const std::vector<QString>& cells) {
  return !cells.empty() && std::all_of(cells.begin(), cells.end(), [](const QString& s) { return ReadCsvDirection(s).has_value(); });
}

QString Plain(const std::optional<Money>& m) { return m ? m->ToDisplayText() : QString(); }

// The columns not named for anything else whose cells are all amounts, some with decimals.
std::vector<int> AmountColumns(const CsvTable& t, const CsvColumns& c) {
  std::vector<int> out;
  for (int col = 0; col < t.header.size(); ++col) {
    if (col == c.date || col == c.direction || col == c.number || col == c.balance || col == c.debit || col == c.credit) continue;
    const std::vector<QString> cells = Cells(t, col, 200);
    const AmountNotation n = GuessAmountNotation(cells);
    const bool decimals = std::any_of(cells.begin(), cells.end(), [&n](const QString& s) {
      const qsizetype p = s.lastIndexOf(n.decimal);
      return p >= 0 && s.size() - p <= 3;
    });
    if (decimals && std::all_of(cells.begin(), cells.end(), [&n](const QString& s) { return ReadCsvAmount(s, n).has_value(); }))
      out.push_back(col);
  }
  return out;
}

// A cell holding an amount other than zero (a bank may write 0.00 on the side a line leaves empty).
bool Filled(const QString& cell) {
  return std::any_of(cell.begin(), cell.end(), [](QChar ch) { return ch >= QLatin1Char('1') && ch <= QLatin1Char('9'); });
}

// The first two of the amount columns of which every line that is not blank fills exactly one.
std::optional<std::pair<int, int>> OneSidedPair(const CsvTable& t, const std::vector<int>& amounts) {
  for (size_t i = 0; i < amounts.size(); ++i)
    for (size_t j = i + 1; j < amounts.size(); ++j) {
      bool oneSided = true;
      for (const QStringList& row : t.rows) {
        if (std::all_of(row.begin(), row.end(), [](const QString& f) { return f.isEmpty(); })) continue;
        if (Filled(row.value(amounts[i])) == Filled(row.value(amounts[j]))) {
          oneSided = false;
          break;
        }
      }
      if (oneSided) return std::pair{amounts[i], amounts[j]};
    }
  return std::nullopt;
}

}  // namespace

CsvColumns CsvColumnsByName(const QStringList& h) {
  CsvColumns c;
  int* fields[kCsvFields] = {&c.date, &c.style, &c.number, &c.debit, &c.credit, &c.amount, &c.direction, &c.balance};
  std::vector<int> taken;
  // A header written with the import dialog's own captions says what each column is.
  for (int col = 0; col < h.size(); ++col)
    if (const std::optional<int> f = CsvFieldOfCaption(h[col]); f && *fields[*f] < 0) {
      *fields[*f] = col;
      taken.push_back(col);
    }
  auto find = [&](int& field, std::initializer_list<const char*> names) {
    if (field >= 0) return;
    field = FindColumn(h, names, taken);
    if (field >= 0) taken.push_back(field);
  };
  // A column naming both sides holds the direction, not an amount.
  find(c.direction, {"方向", "借贷", "收支", "direction", "dr/cr", "d/c", "cr/dr", "c/d", "debit/credit", "credit/debit",
                     "+/-", "借/贷"});
  find(c.balance, {"余额", "balance"});
  find(c.date, {"日期", "交易日期", "记账日期", "date", "booking date", "posted"});
  find(c.debit, {"借方金额", "借方", "支出", "debit", "withdrawal"});
  find(c.credit, {"贷方金额", "贷方", "收入", "credit", "deposit"});
  find(c.amount, {"金额", "amount"});
  find(c.number, {"票号", "凭证号", "number", "reference", "ref", "cheque"});
  find(c.style, {"结算方式", "style", "type"});
  return c;
}

CsvMapping GuessCsvMapping(const CsvTable& t) {
  CsvMapping m;
  CsvColumns c = CsvColumnsByName(t.options.hasHeader ? t.header : QStringList());
  // A column of direction marks is one whatever its name (a "Type" column of D and C).
  if (c.direction < 0)
    for (int col = 0; col < t.header.size(); ++col)
      if (col != c.date && col != c.number && AllDirections(Cells(t, col, 200))) {
        c.direction = col;
        if (c.style == col) c.style = -1;
        break;
      }
  if (c.date < 0)
    for (int col = 0; col < t.header.size() && c.date < 0; ++col) {
      const std::vector<QString> cells = Cells(t, col, 50);
      if (!cells.empty() && ReadCsvDate(cells.front(), DetectDateFormat(cells)).isValid()) c.date = col;
    }
  // Without a named amount: two columns of amounts of which each line fills
  // exactly one are its debit and credit, in that order; else the first column of
  // amounts with decimals is a signed amount.
  if (c.amount < 0 && (c.debit < 0 || c.credit < 0)) {
    const std::vector<int> amounts = AmountColumns(t, c);
    const std::optional<std::pair<int, int>> sides =
        c.debit < 0 && c.credit < 0 ? OneSidedPair(t, amounts) : std::nullopt;
    if (sides) {
      c.debit = sides->first;
      c.credit = sides->second;
    } else if (!amounts.empty()) {
      c.amount = amounts.front();
    }
  }
  m.date = c.date;
  m.style = c.style;
  m.number = c.number;
  m.balance = c.balance;
  if (c.debit >= 0 && c.credit >= 0) {
    m.debit = c.debit;
    m.credit = c.credit;
  } else {
    m.amount = c.amount >= 0 ? c.amount : std::max(c.debit, c.credit);
    m.direction = c.direction;
  }
  m.dateFormat = DetectDateFormat(Cells(t, m.date, 200));
  std::vector<QString> amounts;
  for (int col : {m.debit, m.credit, m.amount, m.balance}) {
    std::vector<QString> cells = Cells(t, col);
    amounts.insert(amounts.end(), std::make_move_iterator(cells.begin()), std::make_move_iterator(cells.end()));
  }
  m.notation = GuessAmountNotation(amounts);
  return m;
}

namespace {

// What a refused amount's reason names: the text and the separators it was read with, in words.
QStringList AmountWhy(const QString& text, const AmountNotation& n) {
  return {text, SeparatorName(n.decimal), SeparatorName(n.thousands)};
}

// One row as a line; a cell that is there but does not fit refuses the row.
bool ReadRow(const QStringList& row, const CsvMapping& m, QHash<QString, QDate>& dates, ImportLine& l, LineRefusal& why) {
  auto amount = [&](int col, std::optional<Money>& out) {
    const QString text = row.value(col);
    if (col < 0 || text.isEmpty()) return true;
    QString key;
    out = ReadCsvAmount(text, m.notation, &key);
    if (!out) why = {l.lineNo, key, AmountWhy(text, m.notation)};
    return out.has_value();
  };
  const QString dateText = row.value(m.date);
  if (m.date < 0 || dateText.isEmpty()) return why = {l.lineNo, QStringLiteral("corvane.import.nodate"), {}}, false;
  auto it = dates.find(dateText);
  if (it == dates.end()) it = dates.insert(dateText, ReadCsvDate(dateText, m.dateFormat));
  if (!it->isValid()) return why = {l.lineNo, QStringLiteral("corvane.import.baddate"), {dateText, m.dateFormat}}, false;
  l.date = *it;
  if (m.style >= 0) l.settle = row.value(m.style);
  if (m.number >= 0) l.number = row.value(m.number);
  std::optional<Money> a, debit, credit;
  if (m.debit >= 0 || m.credit >= 0) {
    if (!amount(m.debit, debit) || !amount(m.credit, credit)) return false;
    // A minus in a debit or credit column could be a reversal either way.
    for (const int col : {m.debit, m.credit})
      if (row.value(col).contains(QLatin1Char('-')) || row.value(col).contains(QChar(0x2212)) || row.value(col).startsWith(QLatin1Char('(')))
        return why = {l.lineNo, QStringLiteral("corvane.import.amount.sign"), {row.value(col)}}, false;
    const bool hasDebit = debit && !debit->IsZero(), hasCredit = credit && !credit->IsZero();
    if (hasDebit && hasCredit)
      return why = {l.lineNo, QStringLiteral("corvane.import.bothsides"), {Plain(debit), Plain(credit)}}, false;
    a = hasDebit ? debit : credit;
    l.bd_c = hasDebit ? 1 : 0;
  } else {
    if (!amount(m.amount, a)) return false;
    if (m.direction >= 0) {
      const QString mark = row.value(m.direction);
      l.bd_c = ReadCsvDirection(mark);
      if (!l.bd_c) return why = {l.lineNo, QStringLiteral("corvane.import.nodirection"), {mark}}, false;
      // A sign that says the other side than the mark is no amount to guess from.
      if (a && *a < Money() && *l.bd_c == 0)
        return why = {l.lineNo, QStringLiteral("corvane.import.amount.sign"), {row.value(m.amount), mark}}, false;
    } else if (a) {
      l.bd_c = *a < Money() ? 1 : 0;
    }
  }
  if (a && *a < Money()) a = -*a;
  if (!a || a->IsZero()) return why = {l.lineNo, QStringLiteral("corvane.import.noamount"), {}}, false;
  l.amount = a;
  return true;
}

Money Signed(const ImportLine& l) { return *l.bd_c == 0 ? *l.amount : -*l.amount; }

struct Row {
  ImportLine line;
  LineRefusal why;
  bool ok = false;
  std::optional<Money> balance;
};

// Each row's balance must follow from the row before: forwards b = b' + s, or for
// a sheet listing the newest line first b = b' - s'. The sheet's own check runs
// from the first balance to the last over the lines read right.
BalanceCheck CheckBalances(std::vector<Row>& rows) {
  std::optional<bool> backwards;
  const Row* before = nullptr;
  for (Row& r : rows) {
    if (!r.balance) continue;
    if (before && r.ok) {
      const Money forward = *before->balance + Signed(r.line);
      if (!backwards && before->ok)
        backwards = forward != *r.balance && *before->balance - Signed(before->line) == *r.balance;
      const std::optional<Money> expected = !backwards || !*backwards ? std::optional<Money>(forward)
                                            : before->ok ? std::optional<Money>(*before->balance - Signed(before->line))
                                                         : std::nullopt;
      if (expected && *expected != *r.balance) {
        r.ok = false;
        r.why = {r.line.lineNo, QStringLiteral("corvane.import.balance.line"),
                 {r.balance->ToDisplayText(), expected->ToDisplayText()}};
      }
    }
    before = &r;
  }
  BalanceCheck check;
  const Row* first = nullptr;
  const Row* last = nullptr;
  for (const Row& r : rows) {
    if (r.ok) check.lines += Signed(r.line);
    if (r.balance && !first) first = &r;
    if (r.balance) last = &r;
  }
  const bool newestFirst = backwards.value_or(false);
  const Row* opening = newestFirst ? last : first;
  if (opening) {
    check.lineNo = first->line.lineNo;
    if (opening->ok) check.opening = *opening->balance - Signed(opening->line);
    check.closing = *(newestFirst ? first : last)->balance;
  }
  check.Conclude();
  return check;
}

}  // namespace

namespace {

// One record as a row: read with the mapping, its balance read, and a last record
// without its line end refused when a cell that is read stands last (it may have
// lost its end).
Row ReadRecord(const CsvTable& t, const QStringList& cells, int lineNo, bool last, const CsvMapping& m,
               QHash<QString, QDate>& dates) {
  Row row;
  row.line.lineNo = lineNo;
  row.ok = ReadRow(cells, m, dates, row.line, row.why);
  if (row.ok && last && t.lastLineOpen) {
    const int end = static_cast<int>(cells.size()) - 1;
    if (cells.size() < t.header.size() || end == m.date || end == m.number || end == m.debit || end == m.credit ||
        end == m.amount || end == m.direction || end == m.balance || end == m.style) {
      row.ok = false;
      row.why = {lineNo, QStringLiteral("corvane.import.csv.cutshort"), {cells.value(end)}};
    }
  }
  const QString balance = cells.value(m.balance);
  if (m.balance >= 0 && !balance.isEmpty()) {
    QString key;
    row.balance = ReadCsvAmount(balance, m.notation, &key);
    if (!row.balance && row.ok) {
      row.ok = false;
      row.why = {lineNo, key, AmountWhy(balance, m.notation)};
    }
  }
  return row;
}

bool Blank(const QStringList& cells) {
  return std::all_of(cells.begin(), cells.end(), [](const QString& f) { return f.isEmpty(); });
}

}  // namespace

ParsedStatement ApplyCsvMapping(const CsvTable& t, const CsvMapping& m) {
  ParsedStatement out;
  out.format = StatementFormat::Csv;
  out.refused = t.refused;
  std::vector<Row> rows;
  rows.reserve(t.rows.size());
  // Statements repeat their dates: each text is read once.
  QHash<QString, QDate> dates;
  // Records above the data count for the balances only, and only as lines read right.
  for (size_t r = 0; m.balance >= 0 && r < t.above.size(); ++r) {
    if (Blank(t.above[r])) continue;
    Row row = ReadRecord(t, t.above[r], t.aboveLines[r], t.rows.empty() && r + 1 == t.above.size(), m, dates);
    if (row.ok && row.balance) rows.push_back(std::move(row));
  }
  const size_t aboveRows = rows.size();
  for (size_t r = 0; r < t.rows.size(); ++r) {
    if (Blank(t.rows[r])) continue;
    rows.push_back(ReadRecord(t, t.rows[r], t.rowLines[r], r + 1 == t.rows.size(), m, dates));
  }
  if (m.balance >= 0) out.balances.push_back(CheckBalances(rows));
  out.lines.reserve(rows.size() - aboveRows);
  for (size_t i = aboveRows; i < rows.size(); ++i) {
    Row& r = rows[i];
    if (r.ok) out.lines.push_back(std::move(r.line));
    else out.refused.push_back(std::move(r.why));
  }
  std::stable_sort(out.refused.begin(), out.refused.end(),
                   [](const LineRefusal& a, const LineRefusal& b) { return a.lineNo < b.lineNo; });
  return out;
}

}  // namespace corvane::suite
