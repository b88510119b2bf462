#include "services_fixture.h"
#include "suite/db/open_db_connection.h"
#include "suite/resources/resource_texts.h"
#include "suite/services/account_locks.h"
#include "suite/services/function_claims.h"
#include "suite/services/session_owner.h"
#include "support/scripted_dialogs.h"

#include <QThread>

#include <sys/wait.h>
#include <unistd.h>

namespace corvane::suite::test {
namespace {

const QString kAccount = QStringLiteral("100201");

class AccountLocksTest : public TwoSessionsTest {
 protected:
  bool Lock(Session& s, const QString& code, bool lock = true, const QString& function = QString()) {
    return s.common->LockAccount(code, lock, function);
  }
  long long OwnerPid() {
    return Conn().QueryValue(QStringLiteral("select owner_pid from corvane_lock where code = ?"), {kAccount}).ToInt();
  }
  long long Rows(const QString& code) {
    return Conn().QueryValue(QStringLiteral("select count(*) from corvane_lock where code = ?"), {code}).ToInt();
  }
  // The server ends the process of a closed connection shortly after the close;
  // wait (bounded) for it to leave the activity list.
  void WaitUntilBackendGone(long long pid) {
    for (int i = 0; i < 500; ++i) {
      if (Conn().QueryValue(QStringLiteral("select count(*) from pg_stat_activity where pid = ?"), {pid}).ToInt() == 0)
        return;
      QThread::msleep(20);
    }
  }

  corvane::testing::ScriptedMessages messages_;
};

TEST_F(AccountLocksTest, AnotherSessionWaitsUntilEveryLockOfTheHolderIsGivenBack) {
  // Codes match without regard to letter case or trailing blanks.
  ASSERT_TRUE(Lock(a_, QStringLiteral("bk01 "), true, QStringLiteral("GL040703")));
  EXPECT_FALSE(Lock(b_, QStringLiteral("BK01"), true, QStringLiteral("GL040702")));
  // The refused user learns who holds the account and in which function.
  ASSERT_EQ(messages_.Count(), 1);
  EXPECT_TRUE(messages_.LastPrompt().contains(QStringLiteral("用户ua"))) << messages_.LastPrompt().toStdString();
  EXPECT_TRUE(messages_.LastPrompt().contains(QStringLiteral("银行对账")));
  EXPECT_TRUE(Lock(b_, QStringLiteral("BK02")));          // another account is free
  EXPECT_FALSE(Lock(b_, QStringLiteral("BK01"), false));  // nor can b give back a's lock
  EXPECT_FALSE(Lock(b_, QString()));
  EXPECT_EQ(Rows(QStringLiteral("bk01")), 1);
  // The same session may lock again; each lock needs its own release.
  ASSERT_TRUE(Lock(a_, QStringLiteral("BK01"), true, QStringLiteral("GL040706")));
  EXPECT_TRUE(Lock(a_, QStringLiteral("BK01"), false, QStringLiteral("GL040706")));
  EXPECT_FALSE(Lock(b_, QStringLiteral("BK01")));
  EXPECT_TRUE(Lock(a_, QStringLiteral("bk01"), false));
  EXPECT_EQ(Rows(QStringLiteral("bk01")), 0);
  EXPECT_TRUE(Lock(b_, QStringLiteral("BK01")));
  EXPECT_FALSE(Lock(a_, QStringLiteral("BK01")));
}

TEST_F(AccountLocksTest, EndOfLoginGivesEveryLockBack) {
  ASSERT_TRUE(Lock(a_, QStringLiteral("100201")));
  ASSERT_TRUE(Lock(a_, QStringLiteral("100202")));
  a_.login->Close();
  EXPECT_TRUE(Lock(b_, QStringLiteral("100201")));
  EXPECT_TRUE(Lock(b_, QStringLiteral("100202")));
}

// Refusals speak the session's language. A book choice is refused naming the
// book when the book is kept under the locked account (all its books are held
// with it); a choice left from another account's book names the account.
TEST_F(AccountLocksTest, RefusalsSpeakTheSessionLanguageAndNameTheChosenBook) {
  AddBook(QStringLiteral("B01"));
  Conn().Execute(QStringLiteral("insert into RP_Book (cBookCode, cBookName, ccode) values (?, ?, ?)"),
                 {QStringLiteral("B02"), QStringLiteral("外币户"), QStringLiteral("100202")});
  ASSERT_TRUE(Lock(a_, kAccount, true, QStringLiteral("GL040703")));
  ASSERT_TRUE(a_.login->ClaimTask(QStringLiteral("GL040706"), true, 0));
  struct Case { const char* language; const char* book; const char* lock; const char* title; const char* claim; };
  const char* const zhClaim = "用户[用户ua]正在使用[核销银行账]，请稍后再试。";
  const char* const enClaim = "User [用户ua] is running [Clear Reconciled Lines]. Please try again later.";
  const Case cases[] = {
      {"zh-CN", "", "[100201]正被用户[用户ua]在[银行对账]中使用，请稍后再试。", "提示", zhClaim},
      {"en-US", "", "[100201] is in use by user [用户ua] in [Bank Reconciliation]. Please try again later.",
       "Information", enClaim},
      {"zh-CN", "B01", "账簿[账簿B01(B01)]正被用户[用户ua]在[银行对账]中使用，请稍后再试。", "提示", zhClaim},
      {"en-US", " b01 ",
       "Bank book [账簿B01(B01)] is in use by user [用户ua] in [Bank Reconciliation]. Please try again later.",
       "Information", enClaim},
      {"en-US", "B02", "[100201] is in use by user [用户ua] in [Bank Reconciliation]. Please try again later.",
       "Information", enClaim},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.language << " " << c.book);
    ResourceTexts texts(QString::fromLatin1(c.language));
    TextSourceAdapter<ResourceTexts> source(texts);
    Session s = Open(Conn(), QStringLiteral("uc"), QDate(kYear, 3, 30), &source);
    s.common->GetParamObject().Value4 = QString::fromLatin1(c.book);
    messages_.Clear();
    EXPECT_FALSE(Lock(s, kAccount, true, QStringLiteral("RP0305")));
    ASSERT_EQ(messages_.Count(), 1);
    EXPECT_EQ(messages_.LastPrompt(), QString::fromUtf8(c.lock));
    EXPECT_EQ(messages_.Shown()[0].title, QString::fromUtf8(c.title));
    EXPECT_FALSE(s.login->ClaimTask(QStringLiteral("GL040706"), true, 0));
    EXPECT_EQ(s.login->GetErrorText(), QString::fromUtf8(c.claim));
  }
}

// Another program takes the lock and dies without giving it back (its connection
// dies with it): the lock holds while it runs and is taken over once it is gone.
TEST_F(AccountLocksTest, LockOfACrashedProgramIsTakenOver) {
  int toParent[2], toChild[2];
  ASSERT_EQ(pipe(toParent), 0);
  ASSERT_EQ(pipe(toChild), 0);
  const QString connectionString = db_.ConnectionString();
  const pid_t child = fork();
  if (child == 0) {  // the other program: only its exit code speaks
    char go = 0;
    try {
      auto connection = OpenDbConnection(connectionString);
      SessionOwner owner(*connection, QStringLiteral("crashing-session"));
      AccountLocks locks(*connection, owner, QStringLiteral("uc"), QStringLiteral("用户uc"));
      go = locks.Lock(kAccount, QStringLiteral("GL040703")) ? 'y' : 'n';
      if (write(toParent[1], &go, 1) != 1 || read(toChild[0], &go, 1) != 1) _exit(2);
    } catch (...) {
      _exit(3);
    }
    _exit(0);  // no destructor runs: the lock row stays behind
  }
  ASSERT_GT(child, 0);
  char taken = 0;
  ASSERT_EQ(read(toParent[0], &taken, 1), 1);
  ASSERT_EQ(taken, 'y');
  EXPECT_FALSE(Lock(b_, kAccount));
  ASSERT_EQ(write(toChild[1], "x", 1), 1);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]}) close(fd);
  if (IsPostgres()) WaitUntilBackendGone(OwnerPid());
  EXPECT_TRUE(Lock(b_, kAccount));
  EXPECT_EQ(Conn().QueryValue(QStringLiteral("select user_id from corvane_lock where code = ?"), {kAccount}).ToString(),
            QStringLiteral("ub"));
}

// On PostgreSQL a session's locks live as long as its connection; on SQLite as
// long as the session is open in its running program.
TEST_F(AccountLocksTest, ClosedConnectionFreesItsLocksOnPostgres) {
  ASSERT_TRUE(Lock(a_, kAccount));
  const long long pid = OwnerPid();
  otherConn_->Close();
  if (IsPostgres()) {
    WaitUntilBackendGone(pid);
  } else {
    EXPECT_FALSE(Lock(b_, kAccount));
    a_ = Session();  // the session ends; its closed connection could give nothing back
    EXPECT_EQ(Rows(kAccount), 1);
  }
  EXPECT_TRUE(Lock(b_, kAccount));
}

// The owner's process id now serves a program that started at another time.
TEST_F(AccountLocksTest, ReusedProcessIdDoesNotPassForTheOwner) {
  ASSERT_TRUE(Lock(a_, kAccount));
  Conn().Execute(QStringLiteral("update corvane_lock set owner_start = ? where code = ?"),
                 {QStringLiteral("1970-01-01 00:00:00+00"), kAccount});
  EXPECT_TRUE(Lock(b_, kAccount));
}

// Function claims, between the same two sessions.
using Claims = FunctionClaims;

class FunctionClaimsTest : public TwoSessionsTest {
 protected:
  long long Registered(const QString& function) {
    return Conn().QueryValue(QStringLiteral("select count(*) from corvane_claim where function_id = ?"), {function}).ToInt();
  }
  // The answer of a claim as the component sees it: granted, or the error number.
  static int Outcome(Session& s, const QString& function, bool claim = true) {
    return s.login->ClaimTask(function, claim, 0) ? 0 : s.login->GetErrorNumber();
  }
};

TEST_F(FunctionClaimsTest, ClaimsAndReleasesInTurn) {
  // ua has rights rows (ids without regard to case); ub has none and may run everything.
  for (const char* function : {"GL040701", "GL040705", "GL040706"})
    Conn().Execute(QStringLiteral("insert into corvane_user_right (user_id, function_id) values (?, ?)"),
                   {QStringLiteral("UA"), QString::fromLatin1(function)});
  struct Step {
    Session* who;
    const char* function;
    bool claim;
    int outcome;
    long long registered;  // claim rows of the function afterwards
    const char* errorText; // part of the error text when refused
  };
  const Step steps[] = {
      {&a_, "GL040701", true, 0, 1, nullptr},
      {&a_, "gl040701", true, Claims::kAlreadyRegistered, 1, ""},
      {&a_, "GL040703", true, Claims::kNoRight, 0, "银行对账"},  // names the function by its display name
      {&b_, "GL040703", true, 0, 1, nullptr},
      {&a_, "GL040706", true, 0, 1, nullptr},                   // exclusive
      {&b_, "GL040706", true, Claims::kInUse, 1, "用户ua"},      // names who runs it
      {&a_, "GL040703", false, Claims::kNotRegistered, 1, ""},  // b's claim is not a's to give back
      {&a_, "GL040706", false, 0, 0, nullptr},
      {&b_, "GL040706", true, 0, 1, nullptr},
      {&b_, "GL040705", false, Claims::kNotRegistered, 0, ""},
      {&b_, "  ", true, Claims::kNoFunction, 0, ""},
      {&b_, "GL040703", false, 0, 0, nullptr},
  };
  int n = 0;
  for (const Step& s : steps) {
    SCOPED_TRACE(::testing::Message() << "step " << ++n << " " << s.function);
    const QString function = QString::fromLatin1(s.function);
    EXPECT_EQ(Outcome(*s.who, function, s.claim), s.outcome);
    EXPECT_EQ(Registered(function.trimmed().toUpper()), s.registered);
    const QString error = s.who->login->GetErrorText();
    if (s.errorText) {
      EXPECT_FALSE(error.trimmed().isEmpty());
      EXPECT_TRUE(error.contains(QString::fromUtf8(s.errorText))) << error.toStdString();
    } else {
      EXPECT_EQ(error, QString());
    }
  }
}

TEST_F(FunctionClaimsTest, AnEndedSessionHoldsNothing) {
  ASSERT_EQ(Outcome(a_, QStringLiteral("GL040706")), 0);
  ASSERT_EQ(Outcome(a_, QStringLiteral("GL040703")), 0);
  // The exclusive claim of a session whose owner no longer runs does not block.
  Conn().Execute(QStringLiteral("update corvane_claim set owner_start = ? where function_id = ?"),
                 {QStringLiteral("stale"), QStringLiteral("GL040706")});
  EXPECT_EQ(Outcome(b_, QStringLiteral("GL040706")), 0);
  EXPECT_EQ(Registered(QStringLiteral("GL040706")), 1);
  // Closing a login gives back its own claims, and only those.
  a_.login->Close();
  EXPECT_EQ(Registered(QStringLiteral("GL040703")), 0);
  EXPECT_EQ(Registered(QStringLiteral("GL040706")), 1);
}

}  // namespace
}  // namespace corvane::suite::test
