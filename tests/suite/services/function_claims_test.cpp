#include "services_fixture.h"
#include "suite/services/function_claims.h"

#include <atomic>
#include <latch>
#include <string>
#include <thread>

namespace corvane::suite::test {
namespace {

using Claims = FunctionClaims;

class FunctionClaimsTest : public ServicesTest {
 protected:
  FunctionClaimsTest() : otherConn_(db_.OpenAnother()), a_(Open(*otherConn_, QStringLiteral("ua"))),
                         b_(Open(Conn(), QStringLiteral("ub"))) {}

  void GrantRight(const QString& user, const QString& function) {
    Conn().Execute(QStringLiteral("insert into corvane_user_right (user_id, function_id) values (?, ?)"),
                   {user, function});
  }
  long long Registered(const QString& function) {
    return Conn().QueryValue(QStringLiteral("select count(*) from corvane_claim where function_id = ?"), {function}).ToInt();
  }
  // The answer of a claim as the component sees it: granted, or the error number.
  static int Outcome(Session& s, const QString& function, bool claim = true) {
    return s.login->ClaimTask(function, claim, 0) ? 0 : s.login->GetErrorNumber();
  }

  std::unique_ptr<platform::DbConnection> otherConn_;
  Session a_;
  Session b_;
};

TEST_F(FunctionClaimsTest, ClaimRegistersAndReleaseRemoves) {
  EXPECT_EQ(Outcome(a_, QStringLiteral("GL040703")), 0);
  EXPECT_EQ(a_.login->GetErrorText(), QString());
  EXPECT_EQ(Registered(QStringLiteral("GL040703")), 1);
  EXPECT_EQ(Outcome(a_, QStringLiteral("GL040703"), false), 0);
  EXPECT_EQ(Registered(QStringLiteral("GL040703")), 0);
}

TEST_F(FunctionClaimsTest, SecondClaimOfTheSameSessionAnswers22) {
  ASSERT_EQ(Outcome(a_, QStringLiteral("GL040703")), 0);
  EXPECT_EQ(Outcome(a_, QStringLiteral("gl040703")), Claims::kAlreadyRegistered);
  EXPECT_FALSE(a_.login->GetErrorText().trimmed().isEmpty());
  EXPECT_EQ(Registered(QStringLiteral("GL040703")), 1);
}

TEST_F(FunctionClaimsTest, RightsDecideForUsersWithRightsRows) {
  GrantRight(QStringLiteral("UA"), QStringLiteral("GL040701"));
  struct Case {
    Session* session;
    const char* function;
    int outcome;
  };
  const Case cases[] = {
      {&a_, "GL040701", 0},                // a right of the user (ids without regard to case)
      {&a_, "GL040703", Claims::kNoRight}, // the user has rights, not this one
      {&b_, "GL040703", 0},                // no rights rows: every function
      {&b_, "XX9999", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.function);
    EXPECT_EQ(Outcome(*c.session, QString::fromLatin1(c.function)), c.outcome);
  }
  // The refusal names the user and the function by its display name.
  Outcome(a_, QStringLiteral("GL040703"));
  EXPECT_TRUE(a_.login->GetErrorText().contains(QStringLiteral("用户ua")));
  EXPECT_TRUE(a_.login->GetErrorText().contains(QStringLiteral("银行对账")));
  EXPECT_EQ(Registered(QStringLiteral("GL040703")), 1);  // b's only
}

TEST_F(FunctionClaimsTest, ExclusiveFunctionWaitsForTheOtherSession) {
  ASSERT_EQ(Outcome(a_, QStringLiteral("GL040706")), 0);
  EXPECT_EQ(Outcome(b_, QStringLiteral("GL040706")), Claims::kInUse);
  EXPECT_TRUE(b_.login->GetErrorText().contains(QStringLiteral("用户ua")));
  // A function open to several sessions is not held up.
  ASSERT_EQ(Outcome(a_, QStringLiteral("GL040703")), 0);
  EXPECT_EQ(Outcome(b_, QStringLiteral("GL040703")), 0);
  ASSERT_EQ(Outcome(a_, QStringLiteral("GL040706"), false), 0);
  EXPECT_EQ(Outcome(b_, QStringLiteral("GL040706")), 0);
}

TEST_F(FunctionClaimsTest, ExclusiveClaimOfAnEndedSessionDoesNotBlock) {
  ASSERT_EQ(Outcome(a_, QStringLiteral("GL040706")), 0);
  // The claim row of a session whose owner no longer runs.
  Conn().Execute(QStringLiteral("update corvane_claim set owner_start = ? where function_id = ?"),
                 {QStringLiteral("stale"), QStringLiteral("GL040706")});
  EXPECT_EQ(Outcome(b_, QStringLiteral("GL040706")), 0);
  EXPECT_EQ(Registered(QStringLiteral("GL040706")), 1);
}

// Two programs claim an exclusive function at the same moment, many times over:
// each time exactly one gets it.
TEST_F(FunctionClaimsTest, SimultaneousClaimsOfAnExclusiveFunctionLetOneIn) {
  for (int round = 0; round < 15; ++round) {
    SCOPED_TRACE(round);
    std::latch ready(2), answered(2);
    std::atomic<int> granted{0};
    std::string failures[2];
    auto claim = [&](int i) {
      std::unique_ptr<platform::DbConnection> connection;
      std::unique_ptr<SuiteLoginContext> login;
      try {
        connection = db_.OpenAnother();
        LoginValues v;
        v.userId = QStringLiteral("t%1").arg(i);
        v.year = kYear;
        login = std::make_unique<SuiteLoginContext>(*connection, v);
      } catch (const std::exception& e) {
        failures[i] = e.what();
      }
      ready.arrive_and_wait();
      try {
        if (login && login->ClaimTask(QStringLiteral("GL040706"), true, 0)) ++granted;
        else if (login && login->GetErrorNumber() != Claims::kInUse)
          failures[i] = "refused with " + std::to_string(login->GetErrorNumber());
      } catch (const std::exception& e) {
        failures[i] = e.what();
      }
      // Neither login ends (and gives its claim back) before both have answered.
      answered.arrive_and_wait();
    };
    std::thread first(claim, 0), second(claim, 1);
    first.join();
    second.join();
    EXPECT_EQ(failures[0], "");
    EXPECT_EQ(failures[1], "");
    EXPECT_EQ(granted.load(), 1);
  }
}

TEST_F(FunctionClaimsTest, ReleaseOfAFunctionNotRunningIsRefused) {
  EXPECT_EQ(Outcome(a_, QStringLiteral("GL040705"), false), Claims::kNotRegistered);
  ASSERT_EQ(Outcome(b_, QStringLiteral("GL040705")), 0);
  // Another session cannot give back what b runs.
  EXPECT_EQ(Outcome(a_, QStringLiteral("GL040705"), false), Claims::kNotRegistered);
  EXPECT_EQ(Registered(QStringLiteral("GL040705")), 1);
  EXPECT_EQ(Outcome(a_, QStringLiteral("  ")), Claims::kNoFunction);
}

TEST_F(FunctionClaimsTest, ClosingTheLoginGivesEveryFunctionBack) {
  ASSERT_EQ(Outcome(a_, QStringLiteral("GL040706")), 0);
  ASSERT_EQ(Outcome(a_, QStringLiteral("GL040703")), 0);
  a_.login->Close();
  EXPECT_EQ(Registered(QStringLiteral("GL040703")), 0);
  EXPECT_EQ(Outcome(b_, QStringLiteral("GL040706")), 0);
}

TEST_F(FunctionClaimsTest, FunctionNamesComeFromTheFunctionTable) {
  EXPECT_EQ(a_.common->GetFunctionName(QStringLiteral("GL040703")), QStringLiteral("银行对账"));
  EXPECT_EQ(a_.common->GetFunctionName(QStringLiteral("rp0308")), QStringLiteral("核销银行账"));
  EXPECT_EQ(a_.common->GetFunctionName(QStringLiteral("XX01")), QStringLiteral("XX01"));
}

}  // namespace
}  // namespace corvane::suite::test
