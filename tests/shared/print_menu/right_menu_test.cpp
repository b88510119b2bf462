#include "../session_fakes.h"

#include "shared/right_menu.h"
#include "shared/right_menu_host.h"

#include <QAction>
#include <QMenu>

namespace corvane::shared {
namespace {

// A list window with some of the commands a right-click menu reaches by name,
// declared both ways a window may declare them. It has no rLock.
class TestListWindow : public QWidget {
  Q_OBJECT

 public:
  QStringList calls;

  Q_INVOKABLE void rFilt() { calls << "rFilt"; }
  Q_INVOKABLE void rRef() { calls << "rRef"; }

 public slots:
  void rBankCheck() { calls << "rBankCheck"; }
  void rHelp() { calls << "rHelp"; }
  void rExit() { calls << "rExit"; }
};

const QStringList kReconKeys{"bankcheck", "bankuncheck", "se4", "filt", "ref", "se5", "check", "help", "exit"};

// Stands in for the user: records the shown items of the popup ("rRef-" when
// greyed out), then picks the item named in pick_ (nothing when empty).
class RightMenuTest : public testing::SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    RightMenuHost::InstallChooser([this](QMenu& menu, const QPoint&) -> QAction* {
      ++popups_;
      shown_.clear();
      QAction* picked = nullptr;
      for (QAction* a : menu.actions()) {
        if (a->isVisible()) shown_ << a->objectName() + (a->isEnabled() ? "" : "-");
        if (!pick_.isEmpty() && a->objectName() == pick_) picked = a;
      }
      return picked;
    });
  }
  void TearDown() override {
    RightMenuHost::InstallChooser({});
    SessionTest::TearDown();
  }

  TestListWindow window_;
  QString pick_;
  int popups_ = 0;
  QStringList shown_;
};

// Each call starts from a clean menu: what an earlier call greyed out or showed
// does not carry over to a later call that does not ask for it.
TEST_F(RightMenuTest, ListedKeysShowTheirItemsInTheWindowsOrderEnabledAnewAtEveryCall) {
  struct Case { QStringList keys; QStringList disabled; QStringList shown; };
  const Case cases[] = {
      // The window's order, its separators between its groups.
      {kReconKeys, {}, {"rBankCheck", "rBankUnCheck", "rSe4", "rFilt", "rRef", "rSe5", "rCheck", "rHelp", "rExit"}},
      {{"help", "ref", "filt"}, {"filt", "help"}, {"rHelp-", "rRef", "rFilt-"}},
      // Keys compare exactly: another letter case names nothing.
      {{"Help", "FILT", "bankcheck", "Setup"}, {"BANKCHECK"}, {"rBankCheck"}},
      {{"filt", "nosuch", "filt", "rfilt", ""}, {"nosuch"}, {"rFilt"}},
      {{"lastday", "se10", "drillpz"}, {}, {"rLastDay", "rSe10", "rDrillPZ"}},
      {{"nosuch"}, {}, {}},
  };
  for (const Case& c : cases) {
    ShowRightMenu(&window_, c.keys, c.disabled);
    EXPECT_EQ(shown_, c.shown) << c.keys.join(',').toStdString();
  }
  EXPECT_EQ(popups_, 6);
  EXPECT_EQ(messages.Count(), 0);
  EXPECT_TRUE(RightMenuHost::For(&window_).Item("rSe4")->isSeparator());
}

TEST_F(RightMenuTest, OnlyAShownEnabledItemRunsTheWindowsProcedureOfItsName) {
  struct Case { const char* pick; QStringList keys; QStringList disabled; bool runs; };
  const Case cases[] = {
      {"rBankCheck", kReconKeys, {}, true},   {"rFilt", kReconKeys, {}, true},
      {"rHelp", kReconKeys, {}, true},        {"rRef", {"filt", "ref"}, {"ref"}, false},  // greyed out
      {"rHelp", {"filt", "ref"}, {}, false},  // hidden
      {"rSe4", kReconKeys, {}, false},        // a separator
      {"rLock", {"lock"}, {}, false},         // the window has no such procedure
      {"", kReconKeys, {}, false},            // menu dismissed
  };
  for (const Case& c : cases) {
    window_.calls.clear();
    pick_ = c.pick;
    ShowRightMenu(&window_, c.keys, c.disabled);
    EXPECT_EQ(window_.calls, c.runs ? QStringList{pick_} : QStringList()) << c.pick;
  }
}

}  // namespace
}  // namespace corvane::shared

#include "right_menu_test.moc"
