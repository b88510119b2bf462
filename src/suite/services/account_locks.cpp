#include "suite/services/account_locks.h"

#include "platform/db/db_connection.h"
#include "suite/services/session_owner.h"

#include <QDateTime>

namespace corvane::suite {

using platform::DbValue;

namespace {

// Each round either takes the code or sees who holds it; a round is repeated
// only when another session changed the row between the two (released it, or
// took it over at the same moment), which settles within a few rounds.
constexpr int kRounds = 4;

QString Now() { return QDateTime::currentDateTime().toString(Qt::ISODate); }

}  // namespace

AccountLocks::AccountLocks(platform::DbConnection& connection, const SessionOwner& owner, QString userId,
                           QString userName)
    : connection_(connection), owner_(owner), userId_(std::move(userId)), userName_(std::move(userName)) {}

bool AccountLocks::Lock(const QString& code, const QString& functionId) {
  holder_ = {};
  const QString key = code.trimmed();
  if (key.isEmpty()) return false;
  for (int round = 0; round < kRounds; ++round) {
    switch (TryOnce(key, functionId.trimmed())) {
      case Step::Taken: return true;
      case Step::Refused: return false;
      case Step::Retry: break;
    }
  }
  return false;
}

AccountLocks::Step AccountLocks::TryOnce(const QString& code, const QString& functionId) {
  // The primary key on code lets exactly one of two racing sessions insert.
  const long long inserted = connection_.Execute(
      QStringLiteral("insert into corvane_lock (code, session_id, function_id, user_id, user_name, owner_pid, "
                     "owner_start, hold_count, locked_at) values (?, ?, ?, ?, ?, ?, ?, 1, ?) on conflict do nothing"),
      {code, owner_.SessionId(), functionId, userId_, userName_, owner_.Pid(), owner_.Start(), Now()});
  if (inserted == 1) return Step::Taken;

  const platform::ResultSet r = connection_.Query(
      QStringLiteral("select session_id, owner_pid, owner_start, user_id, user_name, function_id "
                     "from corvane_lock where code = ?"),
      {code});
  if (r.rows.empty()) return Step::Retry;  // given back meanwhile
  const auto& row = r.rows[0];
  const QString holderSession = row[0].ToString();
  if (holderSession == owner_.SessionId()) {
    const long long n = connection_.Execute(
        QStringLiteral("update corvane_lock set hold_count = hold_count + 1 where code = ? and session_id = ?"),
        {code, owner_.SessionId()});
    return n == 1 ? Step::Taken : Step::Retry;
  }
  if (owner_.IsAlive(holderSession, row[1].ToInt(), row[2].ToString())) {
    holder_ = {row[3].ToString(), row[4].ToString(), row[5].ToString()};
    return Step::Refused;
  }
  // The holder is gone: take the row over, but only if it is still the dead
  // holder's, so that of two sessions taking over at once one wins.
  const long long n = connection_.Execute(
      QStringLiteral("update corvane_lock set session_id = ?, function_id = ?, user_id = ?, user_name = ?, "
                     "owner_pid = ?, owner_start = ?, hold_count = 1, locked_at = ? "
                     "where code = ? and session_id = ? and owner_pid = ?"),
      {owner_.SessionId(), functionId, userId_, userName_, owner_.Pid(), owner_.Start(), Now(), code,
       holderSession, row[1]});
  return n == 1 ? Step::Taken : Step::Retry;
}

bool AccountLocks::Release(const QString& code) {
  const QString key = code.trimmed();
  if (key.isEmpty()) return false;
  if (connection_.Execute(QStringLiteral("update corvane_lock set hold_count = hold_count - 1 "
                                         "where code = ? and session_id = ? and hold_count > 1"),
                          {key, owner_.SessionId()}) == 1)
    return true;
  return connection_.Execute(QStringLiteral("delete from corvane_lock where code = ? and session_id = ?"),
                             {key, owner_.SessionId()}) == 1;
}

void AccountLocks::ReleaseAll() {
  connection_.Execute(QStringLiteral("delete from corvane_lock where session_id = ?"), {owner_.SessionId()});
}

}  // namespace corvane::suite
