#include "statement/statement_cells.h"

#include "platform/controls/amount_reader.h"
#include "platform/controls/date_text.h"
#include "platform/services/statement_date_limits.h"
#include "shared/typed_value_texts.h"

#include <QRegularExpression>

namespace corvane::statement {

using platform::Money;

QString CheckDateCell(QString& text, const QDate& startDate, const QDate& endLimit) {
  if (text.trimmed().isEmpty()) return QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00652");
  const std::optional<QDate> date = platform::DateText::Parse(text);
  if (!date) return QString::fromLatin1(kUnreadDateKey);
  // The limits every statement line meets, imported ones too.
  switch (platform::StatementDateLimits{startDate, endLimit}.Check(*date)) {
    case platform::StatementDateLimits::Verdict::BeforeStart: return QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00656");
    case platform::StatementDateLimits::Verdict::AfterLastDay: return QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00658");
    case platform::StatementDateLimits::Verdict::Ok: break;
  }
  text = platform::DateText::Format(*date);
  return QString();
}

QString CheckAmountCell(QString& text, Money& amount, QString* refusal) {
  amount = Money();
  if (text.trimmed().isEmpty()) {
    text.clear();
    return QString();
  }
  const platform::AmountReading r = platform::ReadAmount(text);
  if (!r.value) {
    if (refusal) *refusal = shared::AmountRefusalText(text, r.refusal);
    return QString::fromLatin1(r.refusal == platform::AmountRefusal::Range ? kAmountTooLargeKey : kUnreadAmountKey);
  }
  if (*r.value < Money()) return QStringLiteral("corvane.statement.badamount");
  if (*r.value > Money::LineMax()) return QString::fromLatin1(kAmountTooLargeKey);
  amount = *r.value;
  text = amount.IsZero() ? QString() : amount.ToDisplayText();
  return QString();
}

QString CheckAmounts(const QString& debitText, const QString& creditText, int& col) {
  const Money debit = CellAmount(debitText);
  const Money credit = CellAmount(creditText);
  if (debit.IsZero() && credit.IsZero()) {
    col = 4;
    return QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00090");
  }
  if (!debit.IsZero() && !credit.IsZero()) {
    col = 5;
    return QStringLiteral("corvane.statement.bothamounts");
  }
  return QString();
}

QDate CellDate(const QString& text) {
  // Read by hand: the commands read the dates of thousands of rows at a time.
  const QString t = text.trimmed();
  if (t.size() != 10 || t[4] != QLatin1Char('.') || t[7] != QLatin1Char('.')) return QDate();
  auto number = [&t](int from, int length) {
    int n = 0;
    for (int i = from; i < from + length; ++i) {
      if (!t[i].isDigit()) return -1;
      n = n * 10 + t[i].digitValue();
    }
    return n;
  };
  return QDate(number(0, 4), number(5, 2), number(8, 2));
}

Money CellAmount(const QString& text) { return platform::ReadAmount(text).value.value_or(Money()); }

QString FourDigitNumber(const QString& number) {
  static const QRegularExpression kNumber(QStringLiteral("^\\s*([+-]?)([0-9]{1,18})(?:\\.([0-9]*))?\\s*$"));
  const QRegularExpressionMatch m = kNumber.match(number);
  if (!m.hasMatch()) return number;
  qlonglong whole = m.captured(2).toLongLong();
  // Decimals round half away from zero.
  if (m.captured(3).size() > 0 && m.captured(3)[0] >= QLatin1Char('5')) ++whole;
  const bool negative = m.captured(1) == QLatin1String("-") && whole != 0;
  return (negative ? QStringLiteral("-") : QString()) + QString::number(whole).rightJustified(4, QLatin1Char('0'));
}

}  // namespace corvane::statement
