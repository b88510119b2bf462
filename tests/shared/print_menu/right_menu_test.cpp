#include "shared/right_menu.h"
#include "shared/right_menu_catalogue.h"
#include "shared/right_menu_host.h"
#include "session_fixture.h"
#include "test_list_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QPointer>

namespace corvane::shared {
namespace {

// The keys the reconciliation window lists for its grids.
const QStringList kReconKeys{"bankcheck", "bankuncheck", "se4", "filt", "ref", "se5", "check", "se7", "help", "exit"};

// One shown item as the user sees it when the menu opens.
struct Shown {
  QString name;
  bool enabled;
  bool operator==(const Shown& o) const { return name == o.name && enabled == o.enabled; }
};

void PrintTo(const Shown& s, std::ostream* os) { *os << s.name.toStdString() << (s.enabled ? "" : " (greyed)"); }

// Stands in for the user: records the shown items of every popup and where it
// opened, then picks the item named in pick (nothing when empty).
class RightMenuTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    RightMenuHost::InstallChooser([this](QMenu& menu, const QPoint& pos) -> QAction* {
      ++popups_;
      positions_.push_back(pos);
      shown_.clear();
      QAction* picked = nullptr;
      for (QAction* a : menu.actions()) {
        if (a->isVisible()) shown_.push_back({a->objectName(), a->isEnabled()});
        if (!pick_.isEmpty() && a->objectName() == pick_) picked = a;
      }
      return picked;
    });
  }
  void TearDown() override {
    RightMenuHost::InstallChooser({});
    SessionTest::TearDown();
  }

  std::vector<Shown> Items(std::initializer_list<const char*> names, const QStringList& greyed = {}) {
    std::vector<Shown> v;
    for (const char* n : names) v.push_back({QString::fromLatin1(n), !greyed.contains(QString::fromLatin1(n))});
    return v;
  }

  TestListWindow window_;
  QString pick_;
  int popups_ = 0;
  std::vector<QPoint> positions_;
  std::vector<Shown> shown_;
};

TEST_F(RightMenuTest, ListedKeysShowExactlyTheirItemsInTheListedOrder) {
  ShowRightMenu(&window_, kReconKeys, {});
  EXPECT_EQ(popups_, 1);
  EXPECT_EQ(shown_, Items({"rBankCheck", "rBankUnCheck", "rSe4", "rFilt", "rRef", "rSe5", "rCheck", "rSe7", "rHelp",
                           "rExit"}));
  const RightMenuHost& host = RightMenuHost::For(&window_);
  for (const char* name : {"rSe4", "rSe5", "rSe7"}) EXPECT_TRUE(host.Item(QString::fromLatin1(name))->isSeparator());
  for (const char* name : {"rFilt", "rSetup", "rSearch"}) EXPECT_FALSE(host.Item(QString::fromLatin1(name))->isSeparator());
  EXPECT_EQ(messages_.Count(), 0);
}

TEST_F(RightMenuTest, KeysCompareWithoutLetterCaseAndUnknownOrRepeatedKeysAreHarmless) {
  struct Case { QStringList keys; QStringList disabled; std::vector<Shown> expected; };
  const std::vector<Case> cases = {
      {{"Help", "FILT", "BankCheck"}, {}, Items({"rHelp", "rFilt", "rBankCheck"})},
      {{"filt", "nosuch", "filt", "rfilt", ""}, {}, Items({"rFilt"})},
      {{"filt", "ref"}, {"REF"}, Items({"rFilt", "rRef"}, {"rRef"})},
      {{"drillpz", "se10", "se11", "lastday"}, {"nosuch"}, Items({"rDrillPZ", "rSe10", "rSe11", "rLastDay"})},
      {{"nosuch", "other"}, {}, {}},
  };
  for (const Case& c : cases) {
    ShowRightMenu(&window_, c.keys, c.disabled);
    EXPECT_EQ(shown_, c.expected) << c.keys.join(QLatin1Char(',')).toStdString();
  }
  EXPECT_EQ(popups_, static_cast<int>(cases.size()));
  EXPECT_EQ(messages_.Count(), 0);
}

// Each call starts from a clean menu: what an earlier call greyed out or showed
// does not carry over to a later call that does not ask for it.
TEST_F(RightMenuTest, EveryCallResetsWhatTheLastOneShowedOrGreyed) {
  ShowRightMenu(&window_, {"filt", "ref", "help"}, {"filt", "help"});
  EXPECT_EQ(shown_, Items({"rFilt", "rRef", "rHelp"}, {"rFilt", "rHelp"}));
  pick_ = QStringLiteral("rFilt");
  ShowRightMenu(&window_, {"filt", "help"}, {});
  EXPECT_EQ(shown_, Items({"rFilt", "rHelp"}));
  EXPECT_EQ(window_.calls, QStringList{"rFilt"});
}

TEST_F(RightMenuTest, ChosenItemRunsTheWindowsProcedureOfItsName) {
  for (const char* name : {"rBankCheck", "rBankUnCheck", "rFilt", "rRef", "rCheck", "rHelp", "rExit"}) {
    window_.calls.clear();
    pick_ = QString::fromLatin1(name);
    ShowRightMenu(&window_, kReconKeys, {});
    EXPECT_EQ(window_.calls, QStringList{pick_});
  }
}

TEST_F(RightMenuTest, OnlyAShownEnabledCommandRuns) {
  struct Case { const char* pick; QStringList keys; QStringList disabled; };
  const Case cases[] = {
      {"rRef", {"filt", "ref"}, {"ref"}},  // greyed out
      {"rCheck", {"filt", "ref"}, {}},     // hidden
      {"rSe4", kReconKeys, {}},            // a separator
      {"rLock", {"lock"}, {}},             // the window has no such procedure
      {"", kReconKeys, {}},                // menu dismissed
  };
  for (const Case& c : cases) {
    pick_ = QString::fromLatin1(c.pick);
    ShowRightMenu(&window_, c.keys, c.disabled);
    EXPECT_TRUE(window_.calls.isEmpty()) << c.pick;
  }
}

TEST_F(RightMenuTest, EmptyKeyListShowsTheMessageAndNoMenu) {
  ShowRightMenu(&window_, {}, {"filt"});
  EXPECT_EQ(popups_, 0);
  ASSERT_EQ(messages_.Count(), 1);
  EXPECT_EQ(messages_.LastPrompt(), QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03494"));
  EXPECT_EQ(messages_.Shown().front().buttons, 16);
  EXPECT_TRUE(messages_.Shown().front().title.isEmpty());
}

TEST_F(RightMenuTest, MenuOpensAtThePointerWhateverPointTheCallerGives) {
  ShowRightMenu(&window_, kReconKeys, {}, 10, 20);
  ShowRightMenu(&window_, kReconKeys, {}, 5000, 7000);
  ShowRightMenu(&window_, kReconKeys, {});
  ASSERT_EQ(positions_.size(), 3u);
  EXPECT_EQ(positions_[0], QCursor::pos());
  EXPECT_EQ(positions_[1], positions_[0]);
  EXPECT_EQ(positions_[2], positions_[0]);
}

TEST_F(RightMenuTest, CommandMayHaveItsWindowUnloadedAfterTheMenu) {
  auto* window = new TestListWindow;
  QPointer<TestListWindow> alive(window);
  pick_ = QStringLiteral("rExit");
  ShowRightMenu(window, kReconKeys, {});
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(alive.isNull());
  EXPECT_EQ(window->calls, QStringList{"rExit"});

  window->unloadOnExit = true;
  ShowRightMenu(window, kReconKeys, {});
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(alive.isNull());
  // The flag is the menu's business for one call only.
  pick_.clear();
  ShowRightMenu(&window_, kReconKeys, {});
  EXPECT_FALSE(gUnloadAfterMenu);
}

TEST_F(RightMenuTest, CaptionsComeFromTheTextsOrTheCataloguesOwn) {
  common_->texts.insert(QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.rFilt"), QStringLiteral("筛选"));
  RightMenuHost& host = RightMenuHost::For(&window_);
  EXPECT_EQ(host.Item(QStringLiteral("rFilt"))->text(), QStringLiteral("筛选"));
  EXPECT_EQ(host.Item(QStringLiteral("rHelp"))->text(), QStringLiteral("帮助"));
  EXPECT_EQ(&RightMenuHost::For(&window_), &host);
}

// Every key the list windows may name reaches its item.
TEST(RightMenuCatalogueTest, EveryKeyOfTheCatalogueHasItsItem) {
  const QStringList keys{
      "change",    "lock",    "restore", "se11",     "bankcheck", "bankuncheck", "setup",   "add",      "add2",
      "add3",      "autocheck", "balance", "bankdirec", "bottom", "check",      "checkbook", "code",    "dataout",
      "del",       "del1",    "del2",    "del3",     "detail1",   "detail2",     "detail3", "direc",    "drillmxz",
      "drillpz",   "drillzz", "edit",    "edit2",    "editbook",  "error",       "exit",    "filt",     "find",
      "sort",      "help",    "list",    "next",     "period",    "prev",        "preview", "print",    "ref",
      "save",      "se1",     "se2",     "se3",      "se4",       "se5",         "se6",     "se7",      "se8",
      "se9",       "se10",    "search",  "top",      "undo",      "undocheck",   "view1",   "view2",    "view3",
      "rbd",       "upgrade", "lastday"};
  ASSERT_EQ(keys.size(), 66);
  ASSERT_EQ(RightMenuCatalogue().size(), 66u);
  for (const QString& key : keys) {
    const RightMenuItem* item = FindRightMenuItem(key);
    ASSERT_NE(item, nullptr) << key.toStdString();
    EXPECT_EQ(item->Key(), key);
    const bool separator = key.startsWith(QLatin1String("se")) && key.size() > 2 && key[2].isDigit();
    EXPECT_EQ(item->IsSeparator(), separator) << key.toStdString();
    EXPECT_EQ(item->caption.isEmpty(), item->IsSeparator()) << key.toStdString();
  }
  for (const char* name : {"rBankCheck", "rBankUnCheck", "rDataOut", "rDrillMXZ", "rLastDay", "rUndoCheck", "rView3"})
    EXPECT_EQ(FindRightMenuItem(QString::fromLatin1(name).mid(1))->name, QString::fromLatin1(name));
}

}  // namespace
}  // namespace corvane::shared
