#include "suite/print/report_cell_kind.h"

#include <algorithm>

namespace corvane::suite {

namespace {

// A report judges every cell of every page, so this is a plain scan rather than
// a pattern match.
bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool InFigure(QChar c) {
  return IsDigit(c) || c == QLatin1Char('.') || c == QLatin1Char(',') || c == QLatin1Char('/') || c == QLatin1Char('-');
}

int DigitsAt(QStringView t, int i) {
  int n = 0;
  while (i + n < t.size() && IsDigit(t[i + n])) ++n;
  return n;
}

// A figure that begins with yyyy.m.d (or '-', '/' as the separator).
bool StartsWithDate(QStringView t) {
  if (DigitsAt(t, 0) != 4 || t.size() < 8) return false;
  const QChar sep = t[4];
  if (sep != QLatin1Char('.') && sep != QLatin1Char('-') && sep != QLatin1Char('/')) return false;
  const int month = DigitsAt(t, 5);
  if (month < 1 || month > 2 || 5 + month >= t.size() || t[5 + month] != sep) return false;
  const int day = DigitsAt(t, 6 + month);
  return day >= 1 && day <= 2 && (7 + month + day > t.size() || !IsDigit(t[6 + month + day]));
}

// "-1,234.56", "1234.56": whole digits (in groups of three with commas, or
// none), a point and two decimals.
bool IsAmount(QStringView t) {
  if (t.startsWith(QLatin1Char('-'))) t = t.mid(1);
  const qsizetype point = t.lastIndexOf(QLatin1Char('.'));
  if (point <= 0 || t.size() - point != 3 || DigitsAt(t, point + 1) != 2) return false;
  const QStringView whole = t.left(point);
  if (DigitsAt(whole, 0) == whole.size()) return true;
  int i = DigitsAt(whole, 0);
  if (i < 1 || i > 3) return false;
  while (i < whole.size()) {
    if (whole[i] != QLatin1Char(',') || DigitsAt(whole, i + 1) != 3) return false;
    i += 4;
  }
  return true;
}

}  // namespace

CellKind KindOfCellText(const QString& cell) {
  const QString text = cell.trimmed();
  bool digit = false, space = false, amount = false;
  for (int i = 0; i < text.size();) {
    if (!InFigure(text[i])) {
      space = space || text[i].isSpace();
      ++i;
      continue;
    }
    int end = i;
    while (end < text.size() && InFigure(text[end])) ++end;
    const QStringView figure = QStringView(text).mid(i, end - i);
    digit = digit || std::any_of(figure.begin(), figure.end(), IsDigit);
    // A label ends with its figure; a sentence that names a date or an amount on
    // its way (a reason shown in a row) is a text, cut as texts are.
    const bool last = end == text.size();
    if (last && StartsWithDate(figure)) return CellKind::Date;
    amount = amount || (last && IsAmount(figure));
    i = end;
  }
  if (amount) return CellKind::Amount;
  return digit && !space ? CellKind::Number : CellKind::Text;
}

const char* CellKindName(CellKind kind) {
  switch (kind) {
    case CellKind::Date: return "date";
    case CellKind::Amount: return "amount";
    case CellKind::Number: return "number";
    case CellKind::Text: return "text";
  }
  return "text";
}

}  // namespace corvane::suite
