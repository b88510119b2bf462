#include "services_fixture.h"
#include "suite/services/function_claims.h"

namespace corvane::suite::test {
namespace {

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
