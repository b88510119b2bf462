#include "suite/services/suite_rights_service.h"

#include "platform/db/db_connection.h"
#include "platform/services/service_error.h"

#include <QStringList>

namespace corvane::suite {

QString SuiteRightsService::GetAllowedList(const QString& userId) {
  const platform::ResultSet r = connection_.Query(
      QStringLiteral("select ccode from corvane_account_right where user_id = ? order by ccode"), {userId.trimmed()});
  QStringList codes;
  for (const auto& row : r.rows) {
    // A comma inside a code would split it in two for the reader of the list.
    const QString code = row[0].ToString().trimmed();
    if (!code.isEmpty() && !code.contains(QLatin1Char(','))) codes << code;
  }
  // Rows that all had to be left out must not turn into "no restriction".
  if (codes.isEmpty() && !r.rows.empty())
    throw platform::ServiceError(QStringLiteral("用户[%1]的科目权限设置无效。").arg(userId.trimmed()));
  return codes.join(QLatin1Char(','));
}

}  // namespace corvane::suite
