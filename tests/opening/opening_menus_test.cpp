#include "opening/frm_qyfqc.h"
#include "opening/opening_menu.h"
#include "opening_fixture.h"
#include "platform/controls/entry_grid.h"
#include "platform/controls/toolbar_host.h"
#include "shared/help_page.h"
#include "shared/messages.h"
#include "suite/services/suite_settings.h"
#include "support/scripted_print.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

namespace corvane::opening {
namespace {

using testing::Cash;

// A menu's items as a user reads them, "-" for a separator; all of them offered.
QStringList Items(const QMenu& menu) {
  QStringList items;
  for (const QAction* a : menu.actions()) {
    items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_TRUE(a->isVisible() && a->isEnabled()) << a->objectName().toStdString();
  }
  return items;
}

class OpeningMenuCaptionsTest : public ::testing::TestWithParam<const char*> {};

// Each window has its own items, in its own order, captioned in the session's language.
TEST_P(OpeningMenuCaptionsTest, EachWindowListsItsOwnItemsInOrderWithItsSeparators) {
  const QString language = QString::fromLatin1(GetParam());
  corvane::testing::SuiteSession session(false, QDate(2026, 12, 15), language);
  const bool zh = language == QLatin1String("zh-CN");
  const QStringList setupItems =
      zh ? QStringList{"打印设置", "打印", "打印预览", "数据输出", "-", "调整余额方向", "-", "帮助", "退出"}
         : QStringList{"Page setup", "Print", "Print preview", "Data output", "-", "Change balance side", "-", "Help", "Exit"};
  const QStringList itemItems =
      zh ? QStringList{"打印设置", "打印", "打印预览", "数据输出", "-", "增加", "保存", "删除", "-", "过滤", "-", "帮助", "退出"}
         : QStringList{"Page setup", "Print", "Print preview", "Data output", "-", "Add", "Save",
                       "Delete", "-", "Filter", "-", "Help", "Exit"};
  frmYHDZQC setup;
  frmQYFQC enterprise;
  frmYHFQC bank;
  EXPECT_EQ(Items(*setup.Menu()->mnuRight()), setupItems);
  EXPECT_EQ(Items(*enterprise.Menu()->mnuRight()), itemItems);
  EXPECT_EQ(Items(*bank.Menu()->mnuRight()), itemItems);
}

INSTANTIATE_TEST_SUITE_P(Languages, OpeningMenuCaptionsTest, ::testing::Values("zh-CN", "en-US"));

// Right-clicks with `click` at the screen point `at` and chooses the item `name`
// (Enter on it) from the menu that pops up. Returns where the menu showed,
// (-1, -1) when none did; a menu without the item is closed after a while.
QPoint ChooseFromMenu(const QString& name, const QPoint& at, const std::function<void(const QPoint&)>& click) {
  QPoint shown(-1, -1);
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    shown = menu->pos();
    menu->setActiveAction(menu->findChild<QAction*>(name));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(menu, &enter);
  });
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] {
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  });
  guard.start(3000);
  click(at);
  return shown;
}

// A right button let go over a widget, the pointer at `at`.
void RightRelease(QWidget* widget, const QPoint& at) {
  QCursor::setPos(at);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(widget->mapFromGlobal(at)), QPointF(at), Qt::RightButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

// What the print side was asked, newest last: "run:<verb>" for the report engine,
// "grid:<mode>" for the grid print, "modal:<name>" for a dialog.
class OpeningMenusTest : public testing::OpeningWindowTest {
 protected:
  QStringList Asked() {
    QStringList asked;
    for (const auto& run : printing_.Runs()) asked << QStringLiteral("run:%1").arg(static_cast<int>(run.verb));
    for (const auto& grid : printing_.GridPrints()) asked << QStringLiteral("grid:%1").arg(grid.mode);
    for (const QString& modal : session_.Modals().Shown()) asked << QStringLiteral("modal:") + modal;
    return asked;
  }
  corvane::testing::ScriptedPrinting printing_;
};

TEST_P(OpeningMenusTest, EachItemOfTheSetUpMenuRunsItsProcedure) {
  suite::SuiteSettings(fx_.Db(), QStringLiteral("001")).Set(QStringLiteral("LocalPrintFormats"), QStringLiteral("0"));
  QString help;
  shared::SetHelpPageOpener([&help](const QString& page) { help = page; });
  Open([&](frmYHDZQC& w) {
    auto* frame = w.findChild<QGroupBox*>(QStringLiteral("Frame1"));
    ASSERT_NE(frame, nullptr);
    // item, where the right button is let go, what the print side is newly asked, the last message
    struct Case { const char* item; QWidget* at; QString asked; QString message; };
    const Case cases[] = {
        {"barSetup", &w, "modal:PageSetupDialog", ""},
        {"barPrint", frame, "run:0", ""},
        {"barPreview", &w, "run:1", ""},
        {"barDataOut", frame, "run:2", ""},
        {"barChange", &w, "", Cash("00756")},  // the fixture has ticked lines
        {"barHelp", frame, "", ""},
        {"barExit", &w, "", ""},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.item);
      const QStringList before = Asked();
      session_.Messages().Clear();
      const QPoint at(120 + 10 * static_cast<int>(&c - cases), 90);
      EXPECT_EQ(ChooseFromMenu(QString::fromLatin1(c.item), at, [&](const QPoint& p) { RightRelease(c.at, p); }), at);
      const QStringList after = Asked();
      EXPECT_EQ(after.size() - before.size(), c.asked.isEmpty() ? 0 : 1);
      if (!c.asked.isEmpty() && after.size() > before.size()) { EXPECT_TRUE(after.contains(c.asked)) << after.join(' ').toStdString(); }
      EXPECT_EQ(session_.Messages().LastPrompt(), c.message);
    }
    EXPECT_EQ(help, QStringLiteral("RP0303"));
    EXPECT_FALSE(w.isVisible());
  });
  shared::SetHelpPageOpener({});
}

// The same for both item windows, right-clicked on their grid; book mode prints
// through the grid print.
TEST_P(OpeningMenusTest, EachItemOfAnItemWindowsMenuRunsItsProcedure) {
  suite::SuiteSettings(fx_.Db(), QStringLiteral("001")).Set(QStringLiteral("LocalPrintFormats"), QStringLiteral("0"));
  const auto inside = [&](OpeningItemWindow& w) {
    const bool enterprise = dynamic_cast<frmQYFQC*>(&w) != nullptr;
    const int rows = w.MsGrid1()->Rows();
    auto typeNewRow = [&] {
      const int row = w.MsGrid1()->Rows() - 1;
      w.MsGrid1()->SetTextMatrix(row, enterprise ? int{kQyDate} : int{kYhDate}, QStringLiteral("2026.02.20"));
      w.MsGrid1()->SetTextMatrix(row, enterprise ? int{kQyDebit} : int{kYhDebit}, QStringLiteral("4.00"));
      w.MsGrid1()->SetRowDirty(row, true);
    };
    const auto saved = [&] { return !w.RowKey(rows).isEmpty(); };
    // item, what the print side is newly asked, the last message, the rows after it,
    // what is done before, whether the new row is saved after
    struct Case { const char* item; QString asked; QString message; int rows; std::function<void()> before; bool saved; };
    const Case cases[] = {
        {"rightSetup", Book() ? "grid:3" : "modal:PageSetupDialog", "", rows, {}, false},
        {"rightPrint", Book() ? "grid:0" : "run:0", "", rows, {}, false},
        {"rightPreview", Book() ? "grid:1" : "run:1", "", rows, {}, false},
        {"rightDataOut", Book() ? "grid:2" : "run:2", "", rows, {}, false},
        {"rightAdd", "", "", rows + 1, {}, false},
        {"rightSave", "", "", rows + 1, typeNewRow, true},
        {"rightDel", "", Cash("00114"), rows, [&] { session_.Messages().Answer(6); }, false},
        {"rightFilt", "modal:frmYHFilter", "", rows, {}, false},
        {"rightHelp", "", Cash("00108"), rows, {}, false},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.item);
      if (c.before) c.before();
      const QStringList before = Asked();
      const QPoint at(150, 60 + 10 * static_cast<int>(&c - cases));
      EXPECT_EQ(ChooseFromMenu(QString::fromLatin1(c.item), at,
                               [&](const QPoint& p) { RightRelease(w.MsGrid1()->View()->viewport(), p); }),
                at);
      const QStringList after = Asked();
      EXPECT_EQ(after.size() - before.size(), c.asked.isEmpty() ? 0 : 1);
      if (!c.asked.isEmpty() && after.size() > before.size()) { EXPECT_TRUE(after.contains(c.asked)) << after.join(' ').toStdString(); }
      EXPECT_EQ(session_.Messages().LastPrompt(), c.message);
      EXPECT_EQ(w.MsGrid1()->Rows(), c.rows);
      if (w.MsGrid1()->Rows() > rows) { EXPECT_EQ(saved(), c.saved); }
      session_.Messages().Clear();
    }
    ChooseFromMenu(QStringLiteral("rightExit"), QPoint(150, 60),
                   [&](const QPoint& p) { RightRelease(w.MsGrid1()->View()->viewport(), p); });
    EXPECT_FALSE(w.isVisible());
  };
  OpenItems<frmQYFQC>(inside);
  OpenItems<frmYHFQC>(inside);
  // The row keyed and saved through the menu was deleted through it again.
  EXPECT_EQ(fx_.Count(fx_.JournalTable(), QStringLiteral("md=?"), {platform::Money::FromCents(400)}), 0);
  EXPECT_EQ(fx_.Count(fx_.StatementTable(), QStringLiteral("mmoney=?"), {platform::Money::FromCents(400)}), 0);
}

// The toolbar's Exit saves the balances shown before it closes; the menu's Exit
// closes without saving, so figures shown but not saved are dropped.
TEST_P(OpeningMenusTest, OnlyTheToolbarsExitSavesTheSetUp) {
  const platform::Money journalBefore = JournalOpening();
  const QString bankOpening =
      QStringLiteral("select mmoney from %1 where %2=? and ibegin=0").arg(fx_.StatementTable(), fx_.KeyColumn());
  const platform::Money bankBefore = fx_.Db().QueryValue(bankOpening, {fx_.Key()}).ToMoney();
  struct Case {
    const char* name;
    std::function<void(frmYHDZQC&)> exit;
    bool saved;
  };
  const Case cases[] = {
      {"menu", [](frmYHDZQC& w) {
         ChooseFromMenu(QStringLiteral("barExit"), QPoint(140, 90), [&](const QPoint& p) { RightRelease(&w, p); });
       }, false},
      {"toolbar", [](frmYHDZQC& w) { EXPECT_TRUE(w.Toolbar()->Click(QStringLiteral("exit"))); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open([&](frmYHDZQC& w) {
      w.Label(21)->setText(QStringLiteral("7.00"));
      w.Label(22)->setText(QStringLiteral("8.00"));
      c.exit(w);
      EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(JournalOpening(), c.saved ? platform::Money::FromCents(700) : journalBefore);
    EXPECT_EQ(fx_.Db().QueryValue(bankOpening, {fx_.Key()}).ToMoney(),
              c.saved ? platform::Money::FromCents(800) : bankBefore);
  }
}

// Only the right button opens the set-up window's menu, on the window or its
// frame; the left and middle buttons let go there open nothing.
TEST_P(OpeningMenusTest, OnlyTheRightButtonOpensTheSetUpMenu) {
  int helps = 0;
  shared::SetHelpPageOpener([&helps](const QString&) { ++helps; });
  Open([&](frmYHDZQC& w) {
    auto* frame = w.findChild<QGroupBox*>(QStringLiteral("Frame1"));
    ASSERT_NE(frame, nullptr);
    const struct {
      Qt::MouseButton button;
      bool menu;
    } cases[] = {{Qt::LeftButton, false}, {Qt::MiddleButton, false}, {Qt::RightButton, true}};
    for (QWidget* at : {static_cast<QWidget*>(&w), static_cast<QWidget*>(frame)}) {
      for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.button) + " on " + at->objectName().toStdString());
        const QPoint p(130, 95);
        const QPoint shown = ChooseFromMenu(QStringLiteral("barHelp"), p, [&](const QPoint& g) {
          QCursor::setPos(g);
          QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at->mapFromGlobal(g)), QPointF(g), c.button,
                              Qt::NoButton, Qt::NoModifier);
          QApplication::sendEvent(at, &release);
          QApplication::processEvents();  // the chooser's look for a menu runs while its answer can still be kept
        });
        EXPECT_EQ(shown != QPoint(-1, -1), c.menu);
      }
    }
  });
  shared::SetHelpPageOpener({});
  EXPECT_EQ(helps, 2);  // the menu's Help, chosen once on the window and once on its frame
}

INSTANTIATE_TEST_SUITE_P(Modes, OpeningMenusTest, ::testing::Values(false, true), testing::ModeName);

}  // namespace
}  // namespace corvane::opening
