#pragma once

#include <QString>
#include <map>
#include <optional>

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

  // After the connection was made again: takes again, with their holds, the
  // codes whose rows another session cleared or took over from this one while
  // it seemed ended (its rows named the old connection). A code another live
  // session holds now is lost to this session; the codes lost now are given.
  std::map<QString, LockHolder> Renew();
  // Who took the code from this session while its connection was lost, if anyone.
  std::optional<LockHolder> TakenFrom(const QString& code) const;

 private:
  enum class Step { Taken, Refused, Retry };
  Step TryOnce(const QString& code, const QString& functionId);
  struct Held {
    QString functionId;
    int holds = 0;
  };
  void NoteTaken(const QString& code, const QString& functionId, bool again);

  platform::DbConnection& connection_;
  const SessionOwner& owner_;
  QString userId_;
  QString userName_;
  LockHolder holder_;
  std::map<QString, Held> held_;         // what this session holds, as its rows say
  std::map<QString, LockHolder> taken_;  // held codes another session took meanwhile
};

}  // namespace corvane::suite
