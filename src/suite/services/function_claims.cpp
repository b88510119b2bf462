#include "suite/services/function_claims.h"

#include "platform/db/db_connection.h"
#include "platform/db/transaction_guard.h"
#include "suite/db/postgres_connection.h"
#include "suite/services/session_owner.h"
#include "suite/services/text_source.h"

#include <QDateTime>
#include <optional>

namespace corvane::suite {

FunctionClaims::FunctionClaims(platform::DbConnection& connection, const SessionOwner& owner, QString userId,
                               QString userName, TextSource* texts)
    : connection_(connection), owner_(owner), userId_(std::move(userId)), userName_(std::move(userName)),
      texts_(texts) {
  postgres_ = dynamic_cast<PostgresConnection*>(&connection) != nullptr;
}

bool FunctionClaims::Claim(const QString& functionId) {
  const QString id = functionId.trimmed();
  if (id.isEmpty())
    return Refuse(kNoFunction, QStringLiteral("corvane.suite.claim.nofunction"), QStringLiteral("没有指定功能。"), {});
  const QString name = FunctionName(id);
  if (!MayRun(id))
    return Refuse(kNoRight, QStringLiteral("corvane.suite.claim.noright"),
                  QStringLiteral("用户[%1]没有[%2]的功能权限。"), {userName_.isEmpty() ? userId_ : userName_, name});

  // The check of other sessions and the registration are one step: claims of the
  // same function queue up behind each other (the function's row is locked on
  // PostgreSQL; SQLite lets one writer in at a time), so two sessions never both
  // find an exclusive function free.
  std::optional<platform::TransactionGuard> tx;
  if (!connection_.InTransaction()) tx.emplace(connection_);
  const bool exclusive = IsExclusive(id);
  if (!connection_.Query(QStringLiteral("select 1 from corvane_claim where session_id = ? and function_id = ?"),
                         {owner_.SessionId(), id})
           .rows.empty())
    return Refuse(kAlreadyRegistered, QStringLiteral("corvane.suite.claim.registered"),
                  QStringLiteral("[%1]已经在本次登录中运行。"), {name});
  if (exclusive) {
    if (const std::optional<QString> runner = OtherLiveRunner(id))
      return Refuse(kInUse, QStringLiteral("corvane.suite.claim.inuse"),
                    QStringLiteral("用户[%1]正在使用[%2]，请稍后再试。"), {*runner, name});
  }
  Register(id);
  if (tx) tx->Commit();
  held_.insert(id);
  return Grant();
}

void FunctionClaims::Register(const QString& functionId) {
  connection_.Execute(QStringLiteral("insert into corvane_claim (session_id, function_id, user_id, user_name, "
                                     "owner_pid, owner_start, claimed_at) values (?, ?, ?, ?, ?, ?, ?)"),
                      {owner_.SessionId(), functionId, userId_, userName_, owner_.Pid(), owner_.Start(),
                       QDateTime::currentDateTime().toString(Qt::ISODate)});
}

// The rows still there name the new connection already (SessionOwner::Renew).
// A claim of an exclusive function is cleared by the next session that asks
// for it while this one seemed ended: it is registered again unless that
// session runs the function now.
void FunctionClaims::Renew() {
  for (const QString& id : std::set<QString>(held_)) {
    platform::TransactionGuard tx(connection_);
    const bool registered =
        !connection_.Query(QStringLiteral("select 1 from corvane_claim where session_id = ? and function_id = ?"),
                           {owner_.SessionId(), id})
             .rows.empty();
    if (registered || (IsExclusive(id) && OtherLiveRunner(id))) continue;
    Register(id);
    tx.Commit();
  }
}

bool FunctionClaims::Release(const QString& functionId) {
  const QString id = functionId.trimmed();
  held_.erase(id);
  const long long n = connection_.Execute(
      QStringLiteral("delete from corvane_claim where session_id = ? and function_id = ?"), {owner_.SessionId(), id});
  if (n == 0)
    return Refuse(kNotRegistered, QStringLiteral("corvane.suite.claim.notregistered"),
                  QStringLiteral("[%1]没有在本次登录中运行。"), {FunctionName(id)});
  return Grant();
}

void FunctionClaims::ReleaseAll() {
  held_.clear();
  connection_.Execute(QStringLiteral("delete from corvane_claim where session_id = ?"), {owner_.SessionId()});
}

QString FunctionClaims::FunctionName(platform::DbConnection& connection, const QString& functionId,
                                     TextSource* texts) {
  const QString id = functionId.trimmed();
  const QString key = QStringLiteral("corvane.function.") + id;
  const QString text = texts ? texts->Text(key, nullptr) : QString();
  if (!text.isEmpty() && text != key) return text;
  const platform::DbValue name =
      connection.QueryValue(QStringLiteral("select function_name from corvane_function where function_id = ?"), {id});
  return name.IsNullOrBlank() ? id : name.ToString();
}

bool FunctionClaims::MayRun(const QString& functionId) {
  const platform::ResultSet r = connection_.Query(
      QStringLiteral("select count(*), coalesce(sum(case when function_id = ? then 1 else 0 end), 0) "
                     "from corvane_user_right where user_id = ?"),
      {functionId, userId_});
  const auto& row = r.rows.at(0);
  return row[0].ToInt() == 0 || row[1].ToInt() > 0;
}

bool FunctionClaims::IsExclusive(const QString& functionId) {
  const QString sql = QStringLiteral("select is_exclusive from corvane_function where function_id = ?") +
                      (postgres_ ? QStringLiteral(" for update") : QString());
  return connection_.QueryValue(sql, {functionId}).ToInt() != 0;
}

std::optional<QString> FunctionClaims::OtherLiveRunner(const QString& functionId) {
  const platform::ResultSet r = connection_.Query(
      QStringLiteral("select session_id, owner_pid, owner_start, user_name, user_id from corvane_claim "
                     "where function_id = ? and session_id <> ?"),
      {functionId, owner_.SessionId()});
  for (const auto& row : r.rows) {
    const QString session = row[0].ToString();
    if (owner_.IsAlive(session, row[1].ToInt(), row[2].ToString())) {
      return row[3].IsNullOrBlank() ? row[4].ToString() : row[3].ToString();
    }
    connection_.Execute(QStringLiteral("delete from corvane_claim where session_id = ? and function_id = ?"),
                        {session, functionId});
  }
  return std::nullopt;
}

bool FunctionClaims::Refuse(int number, const QString& key, const QString& fallback, const QStringList& args) {
  errorNumber_ = number;
  errorText_ = TextOr(texts_, key, fallback, args);
  return false;
}

bool FunctionClaims::Grant() {
  errorNumber_ = 0;
  errorText_.clear();
  return true;
}

}  // namespace corvane::suite
