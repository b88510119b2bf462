#include "shared/amount_unit.h"

#include "shared/messages.h"

namespace corvane::shared {

QString AmountUnitText(const QString& currencyName) {
  const QString name = currencyName.trimmed();
  if (name.isEmpty()) return GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00052"));
  return GetResString(QStringLiteral("corvane.print.amountunit"), name);
}

QString RowsAmountUnitText(const QStringList& rowCurrencyNames) {
  const QString first = rowCurrencyNames.isEmpty() ? QString() : rowCurrencyNames.first().trimmed();
  for (const QString& name : rowCurrencyNames)
    if (name.trimmed() != first) return GetResString(QStringLiteral("corvane.print.amountunitmixed"));
  return AmountUnitText(first);
}

}  // namespace corvane::shared
