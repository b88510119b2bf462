#include "services_fixture.h"
#include "suite/db/open_db_connection.h"
#include "suite/services/account_locks.h"
#include "suite/services/session_owner.h"
#include "support/scripted_dialogs.h"

#include <QThread>

#include <sys/wait.h>
#include <unistd.h>

namespace corvane::suite::test {
namespace {

// Two sessions of two users on two connections to one database.
class AccountLocksTest : public ServicesTest {
 protected:
  AccountLocksTest() : otherConn_(db_.OpenAnother()), a_(Open(*otherConn_, QStringLiteral("ua"))),
                       b_(Open(Conn(), QStringLiteral("ub"))) {}

  // The owner columns of a code's lock row, to age or damage it as a crash would.
  void SetOwner(const QString& code, const platform::DbParams& pidAndStart) {
    platform::DbParams p = pidAndStart;
    p.push_back(code);
    Conn().Execute(QStringLiteral("update corvane_lock set owner_pid = ?, owner_start = ? where code = ?"), p);
  }
  long long OwnerPid(const QString& code) {
    return Conn().QueryValue(QStringLiteral("select owner_pid from corvane_lock where code = ?"), {code}).ToInt();
  }
  // The server ends the process of a closed connection shortly after the close;
  // wait for it to leave the activity list (bounded, so a fault cannot hang).
  void WaitUntilBackendGone(long long pid) {
    for (int i = 0; i < 500; ++i) {
      if (Conn().QueryValue(QStringLiteral("select count(*) from pg_stat_activity where pid = ?"), {pid}).ToInt() == 0)
        return;
      QThread::msleep(20);
    }
  }
  long long Rows(const QString& code) {
    return Conn().QueryValue(QStringLiteral("select count(*) from corvane_lock where code = ?"), {code}).ToInt();
  }

  corvane::testing::ScriptedMessages messages_;
  std::unique_ptr<platform::DbConnection> otherConn_;
  Session a_;
  Session b_;
};

TEST_F(AccountLocksTest, SecondSessionIsRefusedUntilTheFirstReleases) {
  ASSERT_TRUE(a_.common->LockAccount(QStringLiteral("100201"), true, QStringLiteral("GL040703")));
  EXPECT_FALSE(b_.common->LockAccount(QStringLiteral("100201"), true, QStringLiteral("GL040702")));
  // The refused user learns who holds the account and in which function.
  ASSERT_EQ(messages_.Count(), 1);
  EXPECT_TRUE(messages_.LastPrompt().contains(QStringLiteral("用户ua"))) << messages_.LastPrompt().toStdString();
  EXPECT_TRUE(messages_.LastPrompt().contains(QStringLiteral("银行对账")));
  // Another account is free all the while.
  EXPECT_TRUE(b_.common->LockAccount(QStringLiteral("100202"), true, QStringLiteral("GL040702")));

  EXPECT_TRUE(a_.common->LockAccount(QStringLiteral("100201"), false));
  EXPECT_TRUE(b_.common->LockAccount(QStringLiteral("100201"), true, QStringLiteral("GL040702")));
  EXPECT_FALSE(a_.common->LockAccount(QStringLiteral("100201"), true, QStringLiteral("GL040703")));
}

TEST_F(AccountLocksTest, CodesMatchWithoutRegardToCaseOrTrailingBlanks) {
  ASSERT_TRUE(a_.common->LockAccount(QStringLiteral("bk01 "), true, QStringLiteral("RP0305")));
  EXPECT_FALSE(b_.common->LockAccount(QStringLiteral("BK01"), true, QStringLiteral("RP0305")));
  EXPECT_EQ(Rows(QStringLiteral("bk01")), 1);
  EXPECT_TRUE(a_.common->LockAccount(QStringLiteral("BK01"), false));
  EXPECT_EQ(Rows(QStringLiteral("bk01")), 0);
}

TEST_F(AccountLocksTest, SameSessionMayLockAgainAndEachLockNeedsItsRelease) {
  ASSERT_TRUE(a_.common->LockAccount(QStringLiteral("100201"), true, QStringLiteral("GL040703")));
  ASSERT_TRUE(a_.common->LockAccount(QStringLiteral("100201"), true, QStringLiteral("GL040706")));
  EXPECT_TRUE(a_.common->LockAccount(QStringLiteral("100201"), false, QStringLiteral("GL040706")));
  // The reconciliation window of the first lock still holds the account.
  EXPECT_FALSE(b_.common->LockAccount(QStringLiteral("100201"), true));
  EXPECT_TRUE(a_.common->LockAccount(QStringLiteral("100201"), false));
  EXPECT_TRUE(b_.common->LockAccount(QStringLiteral("100201"), true));
}

TEST_F(AccountLocksTest, ReleaseOfACodeNotHeldChangesNothing) {
  ASSERT_TRUE(a_.common->LockAccount(QStringLiteral("100201"), true));
  EXPECT_FALSE(b_.common->LockAccount(QStringLiteral("100201"), false));
  EXPECT_EQ(Rows(QStringLiteral("100201")), 1);
  EXPECT_FALSE(b_.common->LockAccount(QString(), true));
}

TEST_F(AccountLocksTest, EndOfLoginGivesEveryLockBack) {
  ASSERT_TRUE(a_.common->LockAccount(QStringLiteral("100201"), true));
  ASSERT_TRUE(a_.common->LockAccount(QStringLiteral("100202"), true));
  a_.login->Close();
  EXPECT_TRUE(b_.common->LockAccount(QStringLiteral("100201"), true));
  EXPECT_TRUE(b_.common->LockAccount(QStringLiteral("100202"), true));
}

// Another program takes the lock and dies without giving it back (its
// connection dies with it). The lock holds while that program runs and is
// taken over once it is gone.
TEST_F(AccountLocksTest, LockOfACrashedProgramIsTakenOver) {
  int toParent[2], toChild[2];
  ASSERT_EQ(pipe(toParent), 0);
  ASSERT_EQ(pipe(toChild), 0);
  const QString connectionString = db_.ConnectionString();
  const pid_t child = fork();
  if (child == 0) {
    // The other program: no test macros here, only its exit code speaks.
    char go = 0;
    try {
      auto connection = OpenDbConnection(connectionString);
      SessionOwner owner(*connection, QStringLiteral("crashing-session"));
      AccountLocks locks(*connection, owner, QStringLiteral("uc"), QStringLiteral("用户uc"));
      go = locks.Lock(QStringLiteral("100201"), QStringLiteral("GL040703")) ? 'y' : 'n';
      if (write(toParent[1], &go, 1) != 1) _exit(2);
      if (read(toChild[0], &go, 1) != 1) _exit(3);
    } catch (...) {
      _exit(4);
    }
    _exit(0);  // no destructor runs: the lock row stays behind
  }
  ASSERT_GT(child, 0);
  char taken = 0;
  ASSERT_EQ(read(toParent[0], &taken, 1), 1);
  ASSERT_EQ(taken, 'y');
  EXPECT_FALSE(b_.common->LockAccount(QStringLiteral("100201"), true));
  const char go = 'x';
  ASSERT_EQ(write(toChild[1], &go, 1), 1);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]}) close(fd);
  if (IsPostgres()) WaitUntilBackendGone(OwnerPid(QStringLiteral("100201")));
  EXPECT_TRUE(b_.common->LockAccount(QStringLiteral("100201"), true, QStringLiteral("GL040702")));
  EXPECT_EQ(Conn().QueryValue(QStringLiteral("select user_id from corvane_lock where code = ?"), {QStringLiteral("100201")})
                .ToString(),
            QStringLiteral("ub"));
}

// On PostgreSQL a session's locks live as long as its connection; on SQLite as
// long as the session is open in its running program.
TEST_F(AccountLocksTest, ClosedConnectionFreesItsLocksOnPostgres) {
  ASSERT_TRUE(a_.common->LockAccount(QStringLiteral("100201"), true, QStringLiteral("GL040703")));
  const long long pid = OwnerPid(QStringLiteral("100201"));
  otherConn_->Close();
  if (IsPostgres()) {
    WaitUntilBackendGone(pid);
    EXPECT_TRUE(b_.common->LockAccount(QStringLiteral("100201"), true));
  } else {
    EXPECT_FALSE(b_.common->LockAccount(QStringLiteral("100201"), true));
    a_ = Session();  // the session ends; its closed connection could give nothing back
    EXPECT_EQ(Rows(QStringLiteral("100201")), 1);
    EXPECT_TRUE(b_.common->LockAccount(QStringLiteral("100201"), true));
  }
}

TEST_F(AccountLocksTest, LockOfAProcessThatEndedIsTakenOver) {
  ASSERT_TRUE(a_.common->LockAccount(QStringLiteral("100201"), true));
  const pid_t child = fork();
  if (child == 0) _exit(0);
  ASSERT_GT(child, 0);
  waitpid(child, nullptr, 0);
  SetOwner(QStringLiteral("100201"), {static_cast<long long>(child), QStringLiteral("1")});
  EXPECT_TRUE(b_.common->LockAccount(QStringLiteral("100201"), true));
}

TEST_F(AccountLocksTest, ReusedProcessIdDoesNotPassForTheOwner) {
  ASSERT_TRUE(a_.common->LockAccount(QStringLiteral("100201"), true));
  // The owner's process id now serves someone who started at another time.
  SetOwner(QStringLiteral("100201"), {OwnerPid(QStringLiteral("100201")), QStringLiteral("1970-01-01 00:00:00+00")});
  EXPECT_TRUE(b_.common->LockAccount(QStringLiteral("100201"), true));
}

}  // namespace
}  // namespace corvane::suite::test
