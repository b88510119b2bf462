#include "platform/services/service_error.h"
#include "services_fixture.h"
#include "suite/services/suite_rights_service.h"

namespace corvane::suite::test {
namespace {

class CommonServicesTest : public ServicesTest {
 protected:
  CommonServicesTest() : s_(Open(Conn())) {}
  Session s_;
};

TEST_F(CommonServicesTest, PageSettingsRoundTripPerReportKeyAndAccountSet) {
  const QStringList defaults = s_.common->PrepareReportTemplate(QStringLiteral("RPYETJB"));
  ASSERT_EQ(defaults.size(), 7);
  EXPECT_EQ(defaults.mid(0, 3), QStringList({"9", "False", ""}));

  const QStringList saved{"256", "True", "10", "20", "30", "40", "x"};
  s_.common->SavePageSettings(QStringLiteral("RPYETJB"), saved);
  EXPECT_EQ(s_.common->LoadPageSettings(QStringLiteral("rpyetjb")), saved);
  s_.common->SavePageSettings(QStringLiteral("RPYETJB"), {"9", "False"});  // saved again, shorter
  EXPECT_EQ(s_.common->LoadPageSettings(QStringLiteral("RPYETJB")), QStringList({"9", "False", "", "", "", "", ""}));
  EXPECT_EQ(s_.common->LoadPageSettings(QStringLiteral("GLYhDzd")), defaults);
  // Damaged values still give what the readers rely on.
  s_.common->SavePageSettings(QStringLiteral("K"), {"", "true", "", "", "", "", ""});
  EXPECT_EQ(s_.common->LoadPageSettings(QStringLiteral("K")).mid(0, 2), QStringList({"9", "True"}));

  // Another account set keeps its own.
  SuiteCommonServices other(&texts_);
  other.Initialize(&Conn(), QStringLiteral("u1"), QStringLiteral("002"), kYear, QString(), QDate(kYear, 3, 1), QString());
  EXPECT_EQ(other.LoadPageSettings(QStringLiteral("RPYETJB")), defaults);
}

TEST_F(CommonServicesTest, AllowedAccountsOfAUser) {
  for (const auto& [user, code] : {std::pair{"u1", "100202"}, {"u1", "100201"}, {"u3", "1,2"}})
    Conn().Execute(QStringLiteral("insert into corvane_account_right (user_id, ccode) values (?, ?)"),
                   {QString::fromLatin1(user), QString::fromLatin1(code)});
  SuiteRightsService rights(Conn());
  EXPECT_EQ(rights.GetAllowedList(QStringLiteral("U1")), QStringLiteral("100201,100202"));
  EXPECT_EQ(rights.GetAllowedList(QStringLiteral("u2")), QString());  // no rows: no restriction
  // A user whose right cannot be listed must not end up unrestricted.
  EXPECT_THROW(rights.GetAllowedList(QStringLiteral("u3")), platform::ServiceError);
}

}  // namespace
}  // namespace corvane::suite::test
