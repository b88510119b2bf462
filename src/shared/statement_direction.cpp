#include "shared/statement_direction.h"

namespace corvane::shared {

bool IsDebitLine(const platform::DbValue& bdc) { return !bdc.IsNull() && bdc.ToInt() == 1; }

QString DebitLineSql(const QString& column) {
  return QStringLiteral("(case when %1=1 then 1 else 0 end)").arg(column);
}

}  // namespace corvane::shared
