#pragma once

#include <QString>

namespace corvane::platform {
class DbConnection;
}

namespace corvane::suite {

class SessionOwner;

// Who holds a code that another session asked for.
struct LockHolder {
  QString userId;
  QString userName;
  QString functionId;
};

// Holds bank accounts and books for the functions of a session, so that two
// sessions never work on the same account at once. A code is held by at most
// one session (one row per code in corvane_lock); the holding session may take
// it again, and each lock it takes needs one release, so a window that gives
// the code back does not free it under another window of the same session.
// A row whose owner no longer runs (SessionOwner::IsAlive) is taken over.
class AccountLocks {
 public:
  AccountLocks(platform::DbConnection& connection, const SessionOwner& owner, QString userId, QString userName);

  // True when the session holds the code now. False when another live session
  // holds it; Holder() then says who.
  bool Lock(const QString& code, const QString& functionId);
  // Gives one lock of the session on the code back. False when the session did
  // not hold the code.
  bool Release(const QString& code);
  // Gives back every code the session holds (the end of a session).
  void ReleaseAll();

  const LockHolder& Holder() const { return holder_; }

 private:
  enum class Step { Taken, Refused, Retry };
  Step TryOnce(const QString& code, const QString& functionId);

  platform::DbConnection& connection_;
  const SessionOwner& owner_;
  QString userId_;
  QString userName_;
  LockHolder holder_;
};

}  // namespace corvane::suite
