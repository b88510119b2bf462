#include "suite/services/suite_rights_service.h"

#include "platform/db/db_connection.h"
#include "platform/services/login_context.h"
#include "platform/services/service_error.h"
#include "suite/services/text_source.h"

#include <QStringList>

namespace corvane::suite {

// An empty quoted code: a list that still restricts, to no account at all.
const QString SuiteRightsService::kNothingAllowed = QStringLiteral("''");

void SuiteRightsService::Init(const QString& connectionString, const QString& user, int, int, int& result) {
  userId_.clear();
  result = 1;
  platform::DbConnection* connection = login_.GetConnection();
  if (!connection || connection->GetConnectionString() != connectionString) return;
  // Names are not keys: only the login's own name leads to the login's key.
  if (user.trimmed() != login_.GetSessionText2().trimmed()) return;
  const QString key = login_.GetSessionText1().trimmed();
  if (key.isEmpty()) return;
  userId_ = key;
  result = 0;
}

void SuiteRightsService::GetAllowedList(const QString& objectKind, int, const QString& right, QString& list) {
  list = kNothingAllowed;
  // Only read rights on accounts are stored; asking for anything else allows nothing.
  if (userId_.isEmpty() || objectKind != QLatin1String("code") || right != QLatin1String("R")) return;
  const platform::ResultSet r = login_.GetConnection()->Query(
      QStringLiteral("select ccode from corvane_account_right where user_id = ? order by ccode"), {userId_});
  QStringList codes;
  for (const auto& row : r.rows) {
    // A comma inside a code would split it in two for the reader of the list.
    const QString code = row[0].ToString().trimmed();
    if (!code.isEmpty() && !code.contains(QLatin1Char(','))) codes << code;
  }
  // Rows that all had to be left out must not turn into "no restriction".
  if (codes.isEmpty() && !r.rows.empty())
    throw platform::ServiceError(TextOr(texts_, QStringLiteral("corvane.suite.rights.invalid"),
                                        QStringLiteral("用户[%1]的科目权限设置无效。"), {userId_}));
  list = codes.join(QLatin1Char(','));
}

}  // namespace corvane::suite
