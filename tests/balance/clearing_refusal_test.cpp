// The clearing window picks its book in its own list: when another session holds
// the book's account, the refusal names the book picked there, whatever book the
// selection dialog chose last.
#include "balance/frm_yhzhx.h"
#include "host/menu_dispatcher.h"
#include "shared/session.h"
#include "support/suite_session.h"

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <gtest/gtest.h>

namespace corvane::balance::test {
namespace {

using shared::Session;

// Account 100203 keeps two open books: YH003 and YH005.
class ClearingRefusalTest : public ::testing::Test {
 protected:
  ClearingRefusalTest() {
    session_.Db().Execute(QStringLiteral("update RP_Book set dOpenDate = ? where cBookCode = ?"),
                          {QDate(2026, 1, 1), QStringLiteral("YH005")});
  }
  long long Count(const QString& sql) { return session_.Db().QueryValue(sql).ToInt(); }

  testing::SuiteSession session_{true};
};

TEST_F(ClearingRefusalTest, NamesTheBookPickedInItsOwnList) {
  testing::OtherSession other(session_);
  ASSERT_TRUE(other.Common().LockAccount(QStringLiteral("100203"), true, QStringLiteral("RP0305")));
  const struct {
    const char* lastChosen;  // in the selection dialog, before the window opened
    const char* picked;      // in the window's list
    const char* named;
  } cases[] = {
      {"YH003", "YH005", "账簿[中行外汇户(YH005)]"},
      {"YH005", "YH003", "账簿[招行美元户(YH003)]"},
      {"", "YH005", "账簿[中行外汇户(YH005)]"},
      {"YH001", "YH003", "账簿[招行美元户(YH003)]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.picked);
    Session::Current().Common().GetParamObject().Value4 = QString::fromLatin1(c.lastChosen);
    session_.Messages().Clear();
    int listed = -1;
    session_.Modals().Then([&](QDialog& d) {
      auto& window = dynamic_cast<frmYHZHX&>(d);
      listed = window.Combo1()->findData(QString::fromLatin1(c.picked));
      window.Combo1()->setCurrentIndex(listed);
      window.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
      window.reject();
    });
    host::ExecuteMenu(QStringLiteral("RP0308"), {}, {}, {});
    ASSERT_GE(listed, 0);
    ASSERT_EQ(session_.Messages().Count(), 1);
    const QString prompt = session_.Messages().LastPrompt();
    EXPECT_TRUE(prompt.startsWith(QString::fromUtf8(c.named))) << prompt.toStdString();
    EXPECT_EQ(session_.Messages().Shown()[0].buttons, 48);
    EXPECT_EQ(Count(QStringLiteral("select count(*) from rp_bankrecp_rp where bdelete = 1")), 0);
    EXPECT_EQ(Count(QStringLiteral("select count(*) from corvane_claim")), 0);
  }
}

}  // namespace
}  // namespace corvane::balance::test
