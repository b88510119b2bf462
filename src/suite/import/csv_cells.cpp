// Reading the cells of a statement sheet exactly: amounts in a chosen notation,
// dates in a chosen format, direction marks.
#include "suite/import/csv_columns.h"
#include "suite/import/csv_statement.h"

#include "platform/controls/amount_reader.h"

#include <QDate>

namespace corvane::suite {

using platform::Money;

namespace {

bool IsSpace(QChar c) { return c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F); }

}  // namespace

std::optional<Money> ReadCsvAmount(const QString& text, const AmountNotation& n, QString* reasonKey) {
  // The boxes' reader in the notation of the file; a decimal point with nothing
  // after it may be an amount cut off.
  const platform::AmountReading r = platform::ReadAmount(text, {n.decimal, n.thousands, 2, false});
  if (r.value) return r.value;
  if (reasonKey) {
    switch (r.refusal) {
      case platform::AmountRefusal::Empty: *reasonKey = QStringLiteral("corvane.import.noamount"); break;
      case platform::AmountRefusal::Decimals: *reasonKey = QStringLiteral("corvane.import.amount.decimals"); break;
      case platform::AmountRefusal::Range: *reasonKey = QStringLiteral("corvane.import.amount.range"); break;
      default: *reasonKey = QStringLiteral("corvane.import.amount.format"); break;
    }
  }
  return std::nullopt;
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
