// Openers with nothing to choose: each says so with its own text under its own
// title, in the session's language, before any dialog.
#include "host/menu_dispatcher.h"
#include "platform/db/db_connection.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "support/suite_session.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace corvane::host {
namespace {

using shared::GetResString;

enum class Title { Usual, Cash };

struct RefusalCase {
  const char* name;
  const char* menuId;
  bool bookMode;
  const char* language;
  const char* key;
  Title title;
};

// No bank account is a leaf any more; no bank book was ever opened.
void EmptyTheLists(testing::SuiteSession& session, bool bookMode) {
  if (bookMode) {
    session.Db().Execute(QStringLiteral("update RP_Book set dOpenDate=null"));
  } else {
    session.Db().Execute(QStringLiteral("update code set bend=? where be=?"), {platform::DbValue(0), platform::DbValue(1)});
  }
}

class NothingToChoose : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(NothingToChoose, RefusedWithItsOwnTextAndTitle) {
  const RefusalCase& c = GetParam();
  testing::SuiteSession session(c.bookMode, QDate(2026, 12, 15), QString::fromUtf8(c.language));
  EmptyTheLists(session, c.bookMode);
  ExecuteMenu(QString::fromUtf8(c.menuId), {}, {}, {});

  ASSERT_EQ(session.Messages().Count(), 1);
  const platform::MessageRequest& shown = session.Messages().Shown()[0];
  EXPECT_EQ(shown.prompt, GetResString(QString::fromUtf8(c.key)));
  EXPECT_FALSE(shown.prompt.isEmpty());
  EXPECT_EQ(shown.buttons, 0);
  const QString title = c.title == Title::Cash ? shared::Session::Current().Cash().GetMessageTitle()
                                               : GetResString(shared::kTitleKey);
  EXPECT_EQ(shown.title, title);
  if (QString::fromUtf8(c.language) == QLatin1String("en-US")) {
    EXPECT_FALSE(shown.prompt.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]")))) << shown.prompt.toStdString();
  }
  // Refused before the choice: no dialog was shown.
  EXPECT_EQ(session.Modals().Shown().size(), 0u);
}

const char* const kNoAccount = "Q9.CW.GL.ZWSQL.BAS.03526";

INSTANTIATE_TEST_SUITE_P(
    Openers, NothingToChoose,
    ::testing::Values(
        RefusalCase{"ReconciliationAccounts", "RP0305", false, "zh-CN", kNoAccount, Title::Usual},
        RefusalCase{"ReconciliationBooks", "RP0305", true, "zh-CN", "corvane.reconcile.nobook", Title::Cash},
        RefusalCase{"ReconciliationBooksEnglish", "RP0305", true, "en-US", "corvane.reconcile.nobook", Title::Cash},
        RefusalCase{"QueryAccounts", "RP0307", false, "zh-CN", kNoAccount, Title::Usual},
        RefusalCase{"QueryBooks", "RP0307", true, "en-US", "corvane.query.nobook", Title::Cash},
        RefusalCase{"AuditAccounts", "RP0309", false, "en-US", kNoAccount, Title::Usual},
        RefusalCase{"AuditBooks", "RP0309", true, "zh-CN", "corvane.query.nobook", Title::Cash},
        RefusalCase{"StatementAccounts", "RP0304", false, "zh-CN", kNoAccount, Title::Usual},
        RefusalCase{"StatementBooks", "RP0304", true, "en-US", "corvane.statement.nobooks", Title::Usual},
        RefusalCase{"OpeningBooks", "RP0303", true, "zh-CN", "corvane.opening.nobook", Title::Usual}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane::host
