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
  if (inserted == 1) {
    NoteTaken(code, functionId, false);
    return Step::Taken;
  }

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
    if (n != 1) return Step::Retry;
    NoteTaken(code, functionId, true);
    return Step::Taken;
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
  if (n != 1) return Step::Retry;
  NoteTaken(code, functionId, false);
  return Step::Taken;
}

void AccountLocks::NoteTaken(const QString& code, const QString& functionId, bool again) {
  Held& held = held_[code];
  if (!again || held.holds == 0) held.functionId = functionId;
  held.holds = again ? held.holds + 1 : 1;
  taken_.erase(code);
}

std::map<QString, LockHolder> AccountLocks::Renew() {
  std::map<QString, LockHolder> lostNow;
  for (const auto& [code, held] : std::map<QString, Held>(held_)) {
    if (taken_.count(code)) continue;
    const platform::DbValue session =
        connection_.QueryValue(QStringLiteral("select session_id from corvane_lock where code = ?"), {code});
    if (!session.IsNull() && session.ToString() == owner_.SessionId()) continue;
    if (Lock(code, held.functionId)) {
      // Taken as a first hold: each window holding it still gives it back once.
      connection_.Execute(QStringLiteral("update corvane_lock set hold_count = ? where code = ? and session_id = ?"),
                          {held.holds, code, owner_.SessionId()});
      held_[code] = held;
      continue;
    }
    taken_[code] = holder_;
    lostNow[code] = holder_;
  }
  return lostNow;
}

std::optional<LockHolder> AccountLocks::TakenFrom(const QString& code) const {
  const auto it = taken_.find(code.trimmed());
  if (it == taken_.end()) return std::nullopt;
  return it->second;
}

bool AccountLocks::Release(const QString& code) {
  const QString key = code.trimmed();
  if (key.isEmpty()) return false;
  if (const auto it = held_.find(key); it != held_.end()) {
    const bool last = --it->second.holds <= 0;
    if (last) held_.erase(it);
    // The row is the other session's now: nothing of this session's to delete.
    if (taken_.count(key)) {
      if (last) taken_.erase(key);
      return true;
    }
  }
  if (connection_.Execute(QStringLiteral("update corvane_lock set hold_count = hold_count - 1 "
                                         "where code = ? and session_id = ? and hold_count > 1"),
                          {key, owner_.SessionId()}) == 1)
    return true;
  return connection_.Execute(QStringLiteral("delete from corvane_lock where code = ? and session_id = ?"),
                             {key, owner_.SessionId()}) == 1;
}

void AccountLocks::ReleaseAll() {
  held_.clear();
  taken_.clear();
  connection_.Execute(QStringLiteral("delete from corvane_lock where session_id = ?"), {owner_.SessionId()});
}

}  // namespace corvane::suite
