// The host window: its own title, the mode it shows, the saved mode as a setting.
#include "host/help_viewer.h"
#include "host/product_facade.h"
#include "host_window.h"
#include "reconcile/frm_yhdz.h"
#include "shared/messages.h"
#include "support/suite_session.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using corvane::shared::GetResString;

struct ModeCase {
  const char* language;
  bool bookMode;
  bool forThisRun;
  const char* says;
  bool saysThisRun;
};

class HostWindowMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(HostWindowMode, ShowsTheModeOfTheSession) {
  const ModeCase& c = GetParam();
  corvane::testing::SuiteSession session(false, QDate(2026, 12, 15), QString::fromLatin1(c.language));
  corvane::host::clsProductFacade facade;
  HostSessionInfo info;
  info.bookMode = c.bookMode;
  info.modeForThisRun = c.forThisRun;
  HostWindow window(facade, info, nullptr);
  EXPECT_TRUE(window.ModeText().contains(QString::fromUtf8(c.says))) << window.ModeText().toStdString();
  EXPECT_EQ(window.ModeText().contains(QStringLiteral("--mode")), c.saysThisRun);
}

INSTANTIATE_TEST_SUITE_P(Host, HostWindowMode,
                         ::testing::Values(ModeCase{"zh-CN", false, false, "科目模式", false},
                                           ModeCase{"zh-CN", true, false, "账簿模式", false},
                                           ModeCase{"zh-CN", true, true, "账簿模式", true},
                                           ModeCase{"en-US", false, true, "account mode", true},
                                           ModeCase{"en-US", true, false, "book mode", false}));

TEST(HostWindowTitle, DiffersFromTheFunctionWindowInBothLanguages) {
  for (const char* language : {"zh-CN", "en-US"}) {
    corvane::testing::SuiteSession session(false, QDate(2026, 12, 15), QString::fromLatin1(language));
    corvane::host::clsProductFacade facade;
    HostWindow window(facade, HostSessionInfo{}, nullptr);
    EXPECT_FALSE(window.windowTitle().isEmpty());
    EXPECT_NE(window.windowTitle(), GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.frmYHDZ"))) << language;
  }
}

// The saved choice changes only through the visible setting, and says so; a
// failed save leaves the setting as it was.
TEST(HostWindowSetting, SavedModeIsAVisibleSetting) {
  corvane::testing::SuiteSession session;
  corvane::host::clsProductFacade facade;
  struct Case { bool saved; bool saveWorks; bool checkedAfter; int saves; };
  const Case cases[] = {{false, true, true, 1}, {true, true, false, 1}, {false, false, false, 1}};
  for (const Case& c : cases) {
    HostSessionInfo info;
    info.savedBookMode = c.saved;
    std::vector<bool> saves;
    HostWindow window(facade, info, [&](bool on) {
      saves.push_back(on);
      return c.saveWorks;
    });
    QAction* setting = window.findChild<QAction*>(QStringLiteral("SavedBookMode"));
    ASSERT_NE(setting, nullptr);
    EXPECT_EQ(setting->isChecked(), c.saved);
    setting->trigger();
    EXPECT_EQ(setting->isChecked(), c.checkedAfter);
    ASSERT_EQ(static_cast<int>(saves.size()), c.saves);
    EXPECT_EQ(saves[0], !c.saved);
  }
}

TEST(HostWindowHelp, F1OpensTheIndex) {
  corvane::testing::SuiteSession session(false, QDate(2026, 12, 15), QStringLiteral("en-US"));
  corvane::host::clsProductFacade facade;
  HostWindow window(facade, HostSessionInfo{}, nullptr);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_F1);
  corvane::host::HelpViewer* viewer = corvane::host::HelpViewer::Current();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->ShownPage(), QStringLiteral("/corvane/help/en-US/index.html"));
  viewer->close();
  QApplication::processEvents();
}

}  // namespace
