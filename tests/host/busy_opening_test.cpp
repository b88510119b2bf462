// Every function opened from the menu while another session holds what the
// function's claim needs (SQLite: the database's write lock; PostgreSQL: the
// function's row) longer than the database waits: the user is told in the
// session's language, no window opens, nothing is held or written, and once the
// other session is done the same menu id opens the function.
#include "host/menu_dispatcher.h"
#include "platform/db/db_connection.h"
#include "shared/function_claim.h"
#include "shared/messages.h"
#include "support/busy_database.h"
#include "support/query_windows.h"
#include "support/suite_session.h"

#include <QApplication>
#include <QRegularExpression>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>

namespace corvane::host {
namespace {

using shared::GetResString;

enum class Choice { None, Entry, Audit };

struct BusyCase {
  const char* name;
  const char* menuId;
  bool bookMode;
  const char* language;
  const char* functionId;  // what the opener claims in this mode
  const char* window;      // the function's window, by object name
  Choice choice;           // what the opener asks before it claims
};

void PrintTo(const BusyCase& c, std::ostream* os) { *os << c.name; }

class BusyOpening : public ::testing::TestWithParam<BusyCase> {
 protected:
  BusyOpening()
      : session_(GetParam().bookMode, QDate(2026, 12, 15), QString::fromLatin1(GetParam().language)) {
    testing::WaitBriefly(session_.Database());
  }

  void Open() {
    const BusyCase& c = GetParam();
    if (c.choice == Choice::Entry)
      session_.Modals().Then(testing::ChooseEntry(c.bookMode ? QStringLiteral("YH001") : QStringLiteral("100201"), 0));
    if (c.choice == Choice::Audit)
      session_.Modals().Then(testing::AuditConditions(QStringLiteral("2026.12.31"), QStringLiteral("30")));
    ExecuteMenu(QString::fromLatin1(c.menuId), {}, {}, {});
    QApplication::processEvents();
  }

  // Shown modally (and closed again by the script), or open on the screen.
  bool WindowOpened() {
    const QString name = QString::fromLatin1(GetParam().window);
    if (session_.Modals().Shown().end() !=
        std::find(session_.Modals().Shown().begin(), session_.Modals().Shown().end(), name))
      return true;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == name && w->isVisible()) return true;
    return false;
  }

  long long Rows(const char* table) {
    return session_.Db().QueryValue(QStringLiteral("select count(*) from %1").arg(QString::fromLatin1(table))).ToInt();
  }

  testing::SuiteSession session_;
};

TEST_P(BusyOpening, SaysSoHoldsNothingAndOpensOnceTheOtherSessionIsDone) {
  const BusyCase& c = GetParam();
  const QString functionId = QString::fromLatin1(c.functionId);
  {
    testing::OtherSessionWriting other(
        session_.Database(), QStringLiteral("select function_id from corvane_function where function_id = ? for update"),
        {functionId});
    EXPECT_NO_THROW(Open());
  }
  ASSERT_EQ(session_.Messages().Count(), 1);
  const platform::MessageRequest& shown = session_.Messages().Shown()[0];
  // The component's own words around the database's, which come only as the detail.
  const QStringList around = GetResString(QStringLiteral("corvane.host.busy"), QStringLiteral("\x01")).split(QChar(1));
  ASSERT_EQ(around.size(), 2);
  EXPECT_TRUE(shown.prompt.startsWith(around[0])) << shown.prompt.toStdString();
  EXPECT_TRUE(shown.prompt.endsWith(around[1])) << shown.prompt.toStdString();
  EXPECT_GT(shown.prompt.size(), around[0].size() + around[1].size());
  EXPECT_FALSE(around[0].trimmed().isEmpty());
  const bool chinese = shown.prompt.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]")));
  EXPECT_EQ(chinese, QLatin1String(c.language) == QLatin1String("zh-CN")) << shown.prompt.toStdString();
  EXPECT_EQ(shown.buttons, 16);
  EXPECT_EQ(shown.title, GetResString(shared::kTitleKey));
  EXPECT_FALSE(WindowOpened());
  EXPECT_EQ(shared::FunctionClaimCount(functionId), 0);
  EXPECT_EQ(Rows("corvane_claim"), 0);
  EXPECT_EQ(Rows("corvane_lock"), 0);

  // The session goes on: the same menu id now opens the function.
  session_.Messages().Clear();
  Open();
  EXPECT_EQ(session_.Messages().Count(), 0) << session_.Messages().LastPrompt().toStdString();
  EXPECT_TRUE(WindowOpened());
}

const BusyCase kCases[] = {
    {"OpeningAccounts", "RP0303", false, "zh-CN", "GL040701", "frmYHDZQC", Choice::Entry},
    {"OpeningBooks", "RP0303", true, "en-US", "RP0303", "frmYHDZQC", Choice::Entry},
    {"StatementAccounts", "RP0304", false, "zh-CN", "GL040702", "frmYHDZD", Choice::Entry},
    {"StatementBooks", "RP0304", true, "en-US", "GL040701", "frmYHDZD", Choice::Entry},
    {"ReconciliationAccounts", "RP0305", false, "en-US", "GL040703", "frmYHDZ", Choice::Entry},
    {"ReconciliationBooks", "RP0305", true, "zh-CN", "RP0305", "frmYHDZ", Choice::Entry},
    {"BalanceStatementAccounts", "RP0306", false, "zh-CN", "GL040704", "frmYETJB", Choice::None},
    {"BalanceStatementBooks", "RP0306", true, "en-US", "RP0306", "frmYETJB", Choice::None},
    {"QueryAccounts", "RP0307", false, "en-US", "GL040705", "frmYHDZCX", Choice::Entry},
    {"QueryBooks", "RP0307", true, "zh-CN", "RP0307", "frmYHDZCX", Choice::Entry},
    {"ClearingAccounts", "RP0308", false, "en-US", "GL040706", "frmYHZHX", Choice::None},
    {"ClearingBooks", "RP0308", true, "zh-CN", "RP0308", "frmYHZHX", Choice::None},
    {"AuditAccounts", "RP0309", false, "zh-CN", "GL0408", "frmYHCQWD", Choice::Audit},
    {"AuditBooks", "RP0309", true, "en-US", "RP0309", "frmYHCQWD", Choice::Audit},
};

INSTANTIATE_TEST_SUITE_P(Openers, BusyOpening, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane::host
