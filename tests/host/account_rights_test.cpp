// Which accounts the reconciliation's selection dialog offers: the rights
// service is asked with the session's database and user name, and the list it
// hands back restricts the dialog's accounts.
#include "host/menu_dispatcher.h"
#include "platform/db/db_connection.h"
#include "platform/services/object_factory.h"
#include "platform/services/ui_style_service.h"
#include "shared/frm_yhkmxz.h"
#include "support/suite_session.h"

#include <QComboBox>
#include <QDialog>
#include <QStringList>
#include <gtest/gtest.h>

#include <memory>

namespace corvane::host {
namespace {

// The codes the selection dialog offers when the reconciliation is opened
// (the dialog is then closed); empty when no dialog was shown.
QStringList OfferedAccounts(testing::SuiteSession& session) {
  QStringList codes;
  session.Modals().Then([&](QDialog& d) {
    QComboBox* list = dynamic_cast<shared::frmYHKMXZ&>(d).Combo1();
    for (int i = 0; i < list->count(); ++i) codes << list->itemData(i).toString();
  });
  ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
  return codes;
}

QStringList AllBankAccounts(testing::SuiteSession& session) {
  QStringList codes;
  const platform::ResultSet r =
      session.Db().Query(QStringLiteral("select ccode from code where be=? and bend=? order by ccode"), {1, 1});
  for (const auto& row : r.rows) codes << row[0].ToString().trimmed();
  return codes;
}

struct Call {
  QString what;
  QStringList args;
};

// Records what it is asked and hands back the list it is given.
class RecordingRights : public platform::AccountRightsService {
 public:
  RecordingRights(std::vector<Call>& calls, QString list) : calls_(calls), list_(std::move(list)) {}
  void Init(const QString& connectionString, const QString& user, int reserved1, int reserved2, int& result) override {
    calls_.push_back({QStringLiteral("Init"),
                      {connectionString, user, QString::number(reserved1), QString::number(reserved2)}});
    result = 0;
  }
  void GetAllowedList(const QString& objectKind, int reserved, const QString& right, QString& list) override {
    calls_.push_back({QStringLiteral("GetAllowedList"), {objectKind, QString::number(reserved), right}});
    list = list_;
  }

 private:
  std::vector<Call>& calls_;
  QString list_;
};

TEST(AccountRights, AskedWithTheDatabaseAndTheUserNameOnEveryOpening) {
  testing::SuiteSession session;
  std::vector<Call> calls;
  int made = 0;
  platform::ObjectFactory::Instance().makeRightsService = [&]() -> std::unique_ptr<platform::AccountRightsService> {
    ++made;
    return std::make_unique<RecordingRights>(calls, QStringLiteral("N'100201'"));
  };
  EXPECT_EQ(OfferedAccounts(session), QStringList{QStringLiteral("100201")});
  const QStringList init{session.Db().GetConnectionString(), QStringLiteral("测试"), QStringLiteral("0"),
                         QStringLiteral("0")};
  const QStringList ask{QStringLiteral("code"), QStringLiteral("0"), QStringLiteral("R")};
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].what, QStringLiteral("Init"));
  EXPECT_EQ(calls[0].args, init);
  EXPECT_EQ(calls[1].what, QStringLiteral("GetAllowedList"));
  EXPECT_EQ(calls[1].args, ask);

  // A second opening asks a new service again.
  OfferedAccounts(session);
  EXPECT_EQ(made, 2);
  EXPECT_EQ(calls.size(), 4u);
}

TEST(AccountRights, NotAskedInBookMode) {
  testing::SuiteSession session(true);
  int made = 0;
  std::vector<Call> calls;
  platform::ObjectFactory::Instance().makeRightsService = [&]() -> std::unique_ptr<platform::AccountRightsService> {
    ++made;
    return std::make_unique<RecordingRights>(calls, QStringLiteral("''"));
  };
  OfferedAccounts(session);
  EXPECT_EQ(made, 0);
}

struct RightsCase {
  const char* name;
  const char* userId;  // the login's key; its name is "测试"
  std::vector<std::pair<const char*, const char*>> rights;  // user key, account code
  bool all;                                                  // every bank account offered
  std::vector<const char*> offered;                          // else exactly these
};

void PrintTo(const RightsCase& c, std::ostream* os) { *os << c.name; }

class AccountsOffered : public ::testing::TestWithParam<RightsCase> {};

// Through the suite's own rights service, stored by user key.
TEST_P(AccountsOffered, FollowTheRightsOfTheLoginsUser) {
  const RightsCase& c = GetParam();
  testing::SuiteSession session(false, QDate(2026, 12, 15), QStringLiteral("zh-CN"), QString::fromUtf8(c.userId));
  for (const auto& [user, code] : c.rights)
    session.Db().Execute(QStringLiteral("insert into corvane_account_right (user_id, ccode) values (?, ?)"),
                         {QString::fromUtf8(user), QString::fromLatin1(code)});
  QStringList expected;
  for (const char* code : c.offered) expected << QString::fromLatin1(code);
  if (c.all) expected = AllBankAccounts(session);
  ASSERT_GT(AllBankAccounts(session).size(), 1);
  EXPECT_EQ(OfferedAccounts(session), expected);
  if (expected.isEmpty()) {
    // Nothing to choose: the opener says so and shows no dialog.
    EXPECT_EQ(session.Modals().Count(), 0);
    ASSERT_EQ(session.Messages().Count(), 1);
    EXPECT_TRUE(session.Messages().LastPrompt().startsWith(QStringLiteral("没有找到银行科目")));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Host, AccountsOffered,
    ::testing::Values(RightsCase{"Restricted", "demo", {{"demo", "100201"}, {"other", "100202"}}, false, {"100201"}},
                      RightsCase{"KeyInOtherCase", "DEMO", {{"demo", "100201"}}, false, {"100201"}},
                      RightsCase{"NoRowsOfHisOwn", "demo", {{"other", "100201"}}, true, {}},
                      // Rights stored under a key equal to his name belong to another user.
                      RightsCase{"RowsUnderHisName", "demo", {{"测试", "100201"}}, true, {}},
                      RightsCase{"OnlyAnAccountThatIsNoBankAccount", "demo", {{"demo", "1001"}}, false, {}},
                      // A login without a user key is nobody: no account, never all of them.
                      RightsCase{"UnknownUser", "", {}, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane::host
