// What the openers offer to choose from: the rights service is asked with the
// session's database and user name, and the list it hands back restricts the
// reconciliation's accounts. With nothing to choose, each opener says so with its
// own text under its own title, in the session's language, before any dialog.
#include "host/menu_dispatcher.h"
#include "platform/db/db_connection.h"
#include "platform/services/object_factory.h"
#include "platform/services/service_error.h"
#include "platform/services/ui_style_service.h"
#include "shared/frm_yhkmxz.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "support/suite_session.h"

#include <QComboBox>
#include <QDialog>
#include <QRegularExpression>
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

// Records what it is asked ("Init|..." and "GetAllowedList|...") and hands back
// the list it is given.
class RecordingRights : public platform::AccountRightsService {
 public:
  RecordingRights(QStringList& calls, QString list) : calls_(calls), list_(std::move(list)) {}
  void Init(const QString& connectionString, const QString& user, int reserved1, int reserved2, int& result) override {
    calls_ << QStringList{QStringLiteral("Init"), connectionString, user, QString::number(reserved1),
                          QString::number(reserved2)}.join(QLatin1Char('|'));
    result = 0;
  }
  void GetAllowedList(const QString& objectKind, int reserved, const QString& right, QString& list) override {
    calls_ << QStringList{QStringLiteral("GetAllowedList"), objectKind, QString::number(reserved), right}.join(QLatin1Char('|'));
    list = list_;
  }

 private:
  QStringList& calls_;
  QString list_;
};

// A new service asked with the database and the user name on every opening; in
// book mode none.
TEST(AccountRights, AskedWithTheDatabaseAndTheUserNameOnEveryOpening) {
  for (const bool bookMode : {false, true}) {
    testing::SuiteSession session(bookMode);
    QStringList calls;
    platform::ObjectFactory::Instance().makeRightsService = [&]() -> std::unique_ptr<platform::AccountRightsService> {
      calls << QStringLiteral("new");
      return std::make_unique<RecordingRights>(calls, QStringLiteral("N'100201'"));
    };
    const QStringList offered = OfferedAccounts(session);
    OfferedAccounts(session);
    if (bookMode) {
      EXPECT_EQ(calls, QStringList());
      continue;
    }
    EXPECT_EQ(offered, QStringList{QStringLiteral("100201")});
    const QString init = QStringLiteral("Init|") + session.Db().GetConnectionString() + QStringLiteral("|测试|0|0");
    const QString ask = QStringLiteral("GetAllowedList|code|0|R");
    EXPECT_EQ(calls, (QStringList{"new", init, ask, "new", init, ask}));
  }
}

// Through the suite's own rights service, stored by user key.
TEST(AccountsOffered, FollowTheRightsOfTheLoginsUser) {
  struct Case {
    const char* name;
    const char* userId;  // the login's key; its name is "测试"
    std::vector<std::pair<const char*, const char*>> rights;  // user key, account code
    std::vector<const char*> offered;                          // "*": every bank account
  };
  const Case cases[] = {
      {"restricted", "demo", {{"demo", "100201"}, {"other", "100202"}}, {"100201"}},
      {"key in other case", "DEMO", {{"demo", "100201"}}, {"100201"}},
      {"no rows of his own", "demo", {{"other", "100201"}}, {"*"}},
      // Rights stored under a key equal to his name belong to another user.
      {"rows under his name", "demo", {{"测试", "100201"}}, {"*"}},
      {"only an account that is no bank account", "demo", {{"demo", "1001"}}, {}},
      // A login without a user key is nobody: no account, never all of them.
      {"unknown user", "", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::SuiteSession session(false, QDate(2026, 12, 15), QStringLiteral("zh-CN"), QString::fromUtf8(c.userId));
    for (const auto& [user, code] : c.rights)
      session.Db().Execute(QStringLiteral("insert into corvane_account_right (user_id, ccode) values (?, ?)"),
                           {QString::fromUtf8(user), QString::fromLatin1(code)});
    QStringList expected;
    for (const char* code : c.offered) expected << QString::fromLatin1(code);
    if (expected == QStringList{QStringLiteral("*")}) expected = AllBankAccounts(session);
    ASSERT_GT(AllBankAccounts(session).size(), 1);
    EXPECT_EQ(OfferedAccounts(session), expected);
    if (expected.isEmpty()) {
      // Nothing to choose: the opener says so and shows no dialog.
      EXPECT_EQ(session.Modals().Count(), 0);
      ASSERT_EQ(session.Messages().Count(), 1);
      EXPECT_TRUE(session.Messages().LastPrompt().startsWith(QStringLiteral("没有找到银行科目")));
    }
  }
}

using shared::GetResString;

struct RefusalCase {
  const char* name;
  const char* menuId;
  bool bookMode;
  const char* language;
  const char* key;
  bool cashTitle;  // under the cash management's title, else the usual one
};

class NothingToChoose : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(NothingToChoose, RefusedWithItsOwnTextAndTitle) {
  const RefusalCase& c = GetParam();
  testing::SuiteSession session(c.bookMode, QDate(2026, 12, 15), QString::fromUtf8(c.language));
  // No bank account is a leaf any more; no bank book was ever opened.
  if (c.bookMode)
    session.Db().Execute(QStringLiteral("update RP_Book set dOpenDate=null"));
  else
    session.Db().Execute(QStringLiteral("update code set bend=? where be=?"), {platform::DbValue(0), platform::DbValue(1)});
  ExecuteMenu(QString::fromUtf8(c.menuId), {}, {}, {});

  ASSERT_EQ(session.Messages().Count(), 1);
  const platform::MessageRequest& shown = session.Messages().Shown()[0];
  EXPECT_EQ(shown.prompt, GetResString(QString::fromUtf8(c.key)));
  EXPECT_FALSE(shown.prompt.isEmpty());
  EXPECT_EQ(shown.buttons, 0);
  EXPECT_EQ(shown.title, c.cashTitle ? shared::Session::Current().Cash().GetMessageTitle() : GetResString(shared::kTitleKey));
  if (QLatin1String(c.language) == QLatin1String("en-US"))
    EXPECT_FALSE(shown.prompt.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]")))) << shown.prompt.toStdString();
  // Refused before the choice: no dialog was shown.
  EXPECT_EQ(session.Modals().Count(), 0);
}

const char* const kNoAccount = "Q9.CW.GL.ZWSQL.BAS.03526";

INSTANTIATE_TEST_SUITE_P(
    Openers, NothingToChoose,
    ::testing::Values(RefusalCase{"ReconciliationAccounts", "RP0305", false, "zh-CN", kNoAccount, false},
                      RefusalCase{"ReconciliationBooks", "RP0305", true, "zh-CN", "corvane.reconcile.nobook", true},
                      RefusalCase{"ReconciliationBooksEnglish", "RP0305", true, "en-US", "corvane.reconcile.nobook", true},
                      RefusalCase{"QueryAccounts", "RP0307", false, "zh-CN", kNoAccount, false},
                      RefusalCase{"QueryBooks", "RP0307", true, "en-US", kNoAccount, false},
                      RefusalCase{"AuditAccounts", "RP0309", false, "en-US", kNoAccount, false},
                      RefusalCase{"AuditBooks", "RP0309", true, "zh-CN", "corvane.query.nobook", true},
                      RefusalCase{"StatementAccounts", "RP0304", false, "zh-CN", kNoAccount, false},
                      RefusalCase{"StatementBooks", "RP0304", true, "en-US", "corvane.statement.nobooks", false},
                      RefusalCase{"OpeningBooks", "RP0303", true, "zh-CN", "corvane.opening.nobook", false}),
    [](const auto& info) { return std::string(info.param.name); });

// A rights service that cannot answer.
class FailingRights : public platform::AccountRightsService {
 public:
  void Init(const QString&, const QString&, int, int, int&) override {
    throw platform::ServiceError(QStringLiteral("rights unavailable"));
  }
  void GetAllowedList(const QString&, int, const QString&, QString&) override {}
};

// A failure while an opener prepares the choice (its list's table gone, or the
// rights service failing) is shown as a critical message under the usual
// title; the host's call returns, no dialog is shown and nothing is claimed.
TEST(FailingOpeners, ShowTheFailureInsteadOfPassingItToTheHost) {
  struct Case { const char* menuId; bool bookMode; const char* table; };  // table: renamed away; null: rights fail
  const Case cases[] = {
      {"RP0303", false, "code"},  {"RP0303", true, "RP_Book"}, {"RP0304", false, "code"},
      {"RP0304", true, "RP_Book"}, {"RP0305", false, nullptr},  {"RP0305", true, "RP_Book"},
      {"RP0307", false, "code"},  {"RP0307", true, "RP_Book"}, {"RP0309", false, "code"},
      {"RP0309", true, "RP_Book"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.menuId << (c.bookMode ? " book" : " account"));
    testing::SuiteSession session(c.bookMode);
    if (c.table) {
      session.Db().Execute(QStringLiteral("alter table %1 rename to gone_away").arg(QString::fromLatin1(c.table)));
    } else {
      platform::ObjectFactory::Instance().makeRightsService = [] { return std::make_unique<FailingRights>(); };
    }
    EXPECT_NO_THROW(ExecuteMenu(QString::fromLatin1(c.menuId), {}, {}, {}));
    ASSERT_EQ(session.Messages().Count(), 1);
    const platform::MessageRequest& shown = session.Messages().Shown()[0];
    EXPECT_EQ(shown.buttons, 16);
    EXPECT_EQ(shown.title, GetResString(shared::kTitleKey));
    if (c.table) {
      EXPECT_TRUE(shown.prompt.contains(QString::fromLatin1(c.table), Qt::CaseInsensitive)) << shown.prompt.toStdString();
    } else {
      EXPECT_EQ(shown.prompt, QStringLiteral("rights unavailable"));
    }
    EXPECT_EQ(session.Modals().Count(), 0);
    EXPECT_EQ(session.Db().QueryValue(QStringLiteral("select count(*) from corvane_claim")).ToInt(), 0);
  }
}

}  // namespace
}  // namespace corvane::host
