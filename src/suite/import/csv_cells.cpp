// Reading the cells of a statement sheet exactly: amounts in a chosen notation,
// dates in a chosen format, direction marks.
#include "suite/import/csv_columns.h"
#include "suite/import/csv_statement.h"

#include <QDate>

namespace corvane::suite {

using platform::Money;

namespace {

bool IsSpace(QChar c) { return c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F); }

bool IsThousands(QChar c, QChar thousands) {
  return !thousands.isNull() && (c == thousands || (thousands == QLatin1Char(' ') && IsSpace(c)));
}

bool AllDigits(QStringView s) {
  for (QChar c : s)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return true;
}

bool TakeSign(QStringView& s, bool& negative) {
  if (s.isEmpty()) return false;
  const QChar c = s.front();
  if (c != QLatin1Char('+') && c != QLatin1Char('-') && c != QChar(0x2212)) return false;
  negative = c != QLatin1Char('+');
  s = s.mid(1);
  return true;
}

bool TakeCurrencySign(QStringView& s) {
  static const QString signs = QStringLiteral("¥￥$€£");
  if (s.isEmpty() || !signs.contains(s.front())) return false;
  s = s.mid(1).trimmed();
  return true;
}

// The integer part: plain digits, or groups of three after a first group of one
// to three, parted by the thousands separator.
bool ReadWhole(QStringView s, QChar thousands, QString& digits) {
  qsizetype group = 0;
  bool grouped = false;
  for (qsizetype i = 0; i < s.size(); ++i) {
    const QChar c = s[i];
    if (IsThousands(c, thousands)) {
      if (group == 0 || (grouped && group != 3) || (!grouped && group > 3)) return false;
      grouped = true;
      group = 0;
    } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      digits += c;
      ++group;
    } else {
      return false;
    }
  }
  return !grouped || group == 3;
}

}  // namespace

std::optional<Money> ReadCsvAmount(const QString& text, const AmountNotation& n, QString* reasonKey) {
  auto refuse = [reasonKey](const char* key) -> std::optional<Money> {
    if (reasonKey) *reasonKey = QString::fromLatin1(key);
    return std::nullopt;
  };
  QStringView s = QStringView(text).trimmed();
  if (s.isEmpty()) return refuse("corvane.import.noamount");
  bool negative = false;
  if (s.front() == QLatin1Char('(') && s.back() == QLatin1Char(')')) {
    negative = true;
    s = s.mid(1, s.size() - 2).trimmed();
  }
  bool signed_ = negative;
  if (!signed_ && TakeSign(s, negative)) signed_ = true;
  if (TakeCurrencySign(s) && !signed_) TakeSign(s, negative);
  if (n.decimal == n.thousands) return refuse("corvane.import.amount.format");
  const qsizetype point = s.indexOf(n.decimal);
  const QStringView whole = point < 0 ? s : s.left(point);
  const QStringView fraction = point < 0 ? QStringView() : s.mid(point + 1);
  QString digits;
  digits.reserve(s.size() + 1);
  if (!ReadWhole(whole, n.thousands, digits) || (point >= 0 && (fraction.isEmpty() || !AllDigits(fraction))) ||
      (digits.isEmpty() && fraction.isEmpty()))
    return refuse("corvane.import.amount.format");
  if (fraction.size() > 2) return refuse("corvane.import.amount.decimals");
  if (digits.isEmpty()) digits = QStringLiteral("0");
  if (!fraction.isEmpty()) digits += QLatin1Char('.') + fraction.toString();
  const std::optional<Money> m = Money::Parse(digits);
  if (!m) return refuse("corvane.import.amount.range");
  return negative ? -*m : *m;
}

AmountNotation GuessAmountNotation(const std::vector<QString>& samples) {
  int commaDecimals = 0, pointDecimals = 0;
  bool points = false, commas = false, spaces = false, apostrophes = false;
  for (const QString& raw : samples) {
    const QString s = raw.trimmed();
    qsizetype last = -1;
    for (qsizetype i = 0; i < s.size(); ++i) {
      const QChar c = s[i];
      if (c == QLatin1Char('.')) points = true, last = i;
      else if (c == QLatin1Char(',')) commas = true, last = i;
      else if (IsSpace(c)) spaces = true;
      else if (c == QLatin1Char('\'')) apostrophes = true;
    }
    if (last < 0) continue;
    qsizetype after = 0;
    while (last + 1 + after < s.size() && s[last + 1 + after].isDigit()) ++after;
    if (after == 1 || after == 2) ++(s[last] == QLatin1Char(',') ? commaDecimals : pointDecimals);
  }
  AmountNotation n;
  n.decimal = commaDecimals > 0 && pointDecimals == 0 ? QLatin1Char(',') : QLatin1Char('.');
  const QChar other = n.decimal == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
  if (other == QLatin1Char('.') ? points : commas) n.thousands = other;
  else if (spaces) n.thousands = QLatin1Char(' ');
  else if (apostrophes) n.thousands = QLatin1Char('\'');
  return n;
}

std::optional<int> ReadCsvDirection(const QString& s) {
  QString t = s.trimmed().toLower();
  if (t.endsWith(QLatin1Char('.'))) t.chop(1);
  if (t.isEmpty()) return std::nullopt;
  static const QStringList debits{QStringLiteral("借"),  QStringLiteral("借方"), QStringLiteral("支出"),
                                  QStringLiteral("debit"), QStringLiteral("dr"), QStringLiteral("d"),
                                  QStringLiteral("dbit"), QStringLiteral("out"), QStringLiteral("-"),
                                  QString(QChar(0x2212))};
  static const QStringList credits{QStringLiteral("贷"),  QStringLiteral("贷方"), QStringLiteral("收入"),
                                   QStringLiteral("credit"), QStringLiteral("cr"), QStringLiteral("c"),
                                   QStringLiteral("crdt"), QStringLiteral("in"), QStringLiteral("+")};
  if (debits.contains(t)) return 1;
  if (credits.contains(t)) return 0;
  return std::nullopt;
}

const QStringList& CsvDateFormats() {
  static const QStringList formats{
      QStringLiteral("yyyy-MM-dd"), QStringLiteral("yyyy/MM/dd"), QStringLiteral("yyyy.MM.dd"), QStringLiteral("yyyyMMdd"),
      QStringLiteral("yyyy-M-d"),   QStringLiteral("yyyy/M/d"),   QStringLiteral("dd/MM/yyyy"), QStringLiteral("MM/dd/yyyy"),
      QStringLiteral("dd.MM.yyyy"), QStringLiteral("dd-MM-yyyy"), QStringLiteral("dd/MM/yy"),   QStringLiteral("MM/dd/yy"),
      QStringLiteral("dd.MM.yy"),   QStringLiteral("yyMMdd")};
  return formats;
}

QDate ReadCsvDate(const QString& text, const QString& format) {
  const QString t = text.trimmed();
  if (format.contains(QLatin1String("yyyy")) || !format.contains(QLatin1String("yy")))
    return QDate::fromString(t, format);
  // Two-digit years are of this century (read as four digits, so 29 February 2000 is a day).
  QString four = format;
  four.replace(QLatin1String("yy"), QLatin1String("yyyy"));
  if (format.startsWith(QLatin1String("yy"))) return QDate::fromString(QStringLiteral("20") + t, four);
  if (format.endsWith(QLatin1String("yy")) && t.size() >= 2)
    return QDate::fromString(t.left(t.size() - 2) + QStringLiteral("20") + t.right(2), four);
  return QDate();
}

QString DetectDateFormat(const std::vector<QString>& samples) {
  // The format that reads most of the samples (a wrong date among them is refused on its own).
  const QString* best = &CsvDateFormats().first();
  size_t bestRead = 0;
  for (const QString& f : CsvDateFormats()) {
    size_t read = 0;
    for (const QString& s : samples)
      if (ReadCsvDate(s, f).isValid()) ++read;
    if (read > bestRead) best = &f, bestRead = read;
    if (read == samples.size()) break;
  }
  return *best;
}

}  // namespace corvane::suite
