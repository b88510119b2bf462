#include "suite/import/statement_file.h"

#include <QRegularExpression>

namespace corvane::suite {

using platform::ImportLine;
using platform::Money;

// SWIFT MT940: :25: the account, :60F: the opening balance (its currency),
// :61: one line each:
//   value date YYMMDD, optional entry date MMDD, mark C, D, RC or RD,
//   optional funds code letter, amount with a decimal comma, type (N/F + 3),
//   the customer's reference up to "//", then the bank's reference.
// C is money in (the bank's credit), D money out; a reversal (RC, RD) turns it.
ParsedStatement ReadMt940(const QByteArray& bytes) {
  ParsedStatement out;
  out.format = StatementFormat::Mt940;
  const QString text = DecodeStatementText(bytes);
  static const QRegularExpression line61(
      QStringLiteral("^(\\d{6})(\\d{4})?(RC|RD|C|D)([A-Z])?(\\d{1,15}(?:,\\d{0,2})?)([NF][A-Z0-9]{3})?([^/]*)(?://(.*))?$"));
  static const QRegularExpression balance60(QStringLiteral("^[CD]\\d{6}([A-Z]{3})"));
  int n = 0;
  for (const QString& raw : text.split(QRegularExpression(QStringLiteral("\r?\n")))) {
    const QString s = raw.trimmed();
    if (s.startsWith(QLatin1String(":25:"))) {
      if (out.accountNo.isEmpty()) out.accountNo = s.mid(4).trimmed();
    } else if (s.startsWith(QLatin1String(":60F:")) || s.startsWith(QLatin1String(":60M:"))) {
      const auto m = balance60.match(s.mid(5));
      if (m.hasMatch() && out.currency.isEmpty()) out.currency = m.captured(1);
    } else if (s.startsWith(QLatin1String(":61:"))) {
      ImportLine l;
      l.lineNo = ++n;
      const auto m = line61.match(s.mid(4));
      if (m.hasMatch()) {
        const QString d = m.captured(1);
        // Two-digit years: the statements concern this century.
        l.date = QDate(2000 + d.left(2).toInt(), d.mid(2, 2).toInt(), d.mid(4, 2).toInt());
        const QString mark = m.captured(3);
        l.bd_c = (mark == QLatin1String("D") || mark == QLatin1String("RC")) ? 1 : 0;
        QString amount = m.captured(5);
        amount.replace(QLatin1Char(','), QLatin1Char('.'));
        if (auto a = Money::Parse(amount)) l.amount = *a;
        const QString ref = m.captured(7).trimmed();
        l.number = ref == QLatin1String("NONREF") ? QString() : ref;
      }
      out.lines.push_back(l);
    }
  }
  if (n == 0 && !text.contains(QLatin1String(":20:"))) out.error = QStringLiteral("MT940");
  return out;
}

}  // namespace corvane::suite
