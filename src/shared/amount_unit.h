#pragma once

#include <QString>
#include <QStringList>

namespace corvane::shared {

// What a report head says its amounts are in. The home currency (an empty name,
// as GetCurrencyName gives it) keeps the account set's own "amounts in yuan"; a
// foreign currency is named as the account or book stores it.
QString AmountUnitText(const QString& currencyName);

// The same for a report of many rows, one currency name per row: rows that all
// share one currency say it as above; rows in different currencies say that each
// row is in its own account's currency. No rows: the home currency.
QString RowsAmountUnitText(const QStringList& rowCurrencyNames);

}  // namespace corvane::shared
