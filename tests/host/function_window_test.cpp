// The reconciliation window as the host opens it: help from every way of asking,
// the captions of both languages, and the pictures of its toolbar.
#include "host/help_viewer.h"
#include "host/menu_dispatcher.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/resource_pictures.h"
#include "platform/controls/toolbar_host.h"
#include "reconcile/frm_yhdz.h"
#include "shared/frm_yhkmxz.h"
#include "shared/session.h"
#include "support/suite_session.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QtWidgets/private/qapplication_p.h>
#include <gtest/gtest.h>

#include <functional>

namespace corvane::host {
namespace {

using reconcile::frmYHDZ;
using shared::Session;

bool HasChinese(const QString& text) { return text.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))); }

// Opens "RP0305" on the demo bank account over the whole year, ticked lines included.
frmYHDZ* OpenReconciliation(testing::SuiteSession& session) {
  session.Modals().Then([](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHKMXZ&>(d);
    QComboBox* list = dialog.Combo1();
    for (int i = 0; i < list->count(); ++i)
      if (list->itemData(i).toString() == QLatin1String("100201")) list->setCurrentIndex(i);
    if (dialog.Combo2()->count() > 0) dialog.Combo2()->setCurrentIndex(0);
    if (dialog.Combo3()->count() > 0) dialog.Combo3()->setCurrentIndex(dialog.Combo3()->count() - 1);
    dialog.Check1()->setChecked(true);
    dialog.Command1_Click();
  });
  ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
  return Session::Current().windows.Find<frmYHDZ>();
}

platform::ToolbarHost* Toolbar(frmYHDZ* w) { return w->findChild<platform::ToolbarHost*>(QStringLiteral("CTBCtrl1")); }

void CloseHelp() {
  if (HelpViewer* viewer = HelpViewer::Current()) viewer->close();
  QApplication::processEvents();
}

struct HelpWay {
  const char* name;
  std::function<void(frmYHDZ*)> ask;
};

class HelpFromTheWindow : public ::testing::TestWithParam<HelpWay> {};

// Every way of asking reaches the host's viewer at the reconciliation page, once,
// and the window is still there afterwards.
TEST_P(HelpFromTheWindow, OpensTheReconciliationPage) {
  for (const char* language : {"zh-CN", "en-US"}) {
    testing::SuiteSession session(false, QDate(2026, 12, 15), QString::fromLatin1(language));
    CloseHelp();
    frmYHDZ* w = OpenReconciliation(session);
    ASSERT_NE(w, nullptr);
    GetParam().ask(w);
    HelpViewer* viewer = HelpViewer::Current();
    ASSERT_NE(viewer, nullptr) << language;
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->ShownPage(), QStringLiteral("/corvane/help/%1/rp0305.html").arg(QLatin1String(language)));
    EXPECT_TRUE(viewer->Browser()->toPlainText().contains(QStringLiteral("RP0305")));
    EXPECT_EQ(Session::Current().windows.Find<frmYHDZ>(), w);
    CloseHelp();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Host, HelpFromTheWindow,
    ::testing::Values(HelpWay{"ToolbarButton", [](frmYHDZ* w) { EXPECT_TRUE(Toolbar(w)->Click(QStringLiteral("help"))); }},
                      HelpWay{"F1",
                              [](frmYHDZ* w) {
                                w->show();
                                w->activateWindow();
                                ASSERT_TRUE(QTest::qWaitForWindowActive(w));
                                QTest::keyClick(w, Qt::Key_F1);
                              }},
                      HelpWay{"RightClickItem",
                              [](frmYHDZ* w) { ASSERT_TRUE(QMetaObject::invokeMethod(w, "rHelp")); }}),
    [](const auto& info) { return std::string(info.param.name); });

// Help asked for from a window shown modally (the opening set-up, its item windows)
// must be readable and closable while that window waits: the modal window may not
// block it. Asked for again with no modal window, it is a free window again.
TEST(HelpViewerModality, ModalWindowsDoNotBlockTheViewer) {
  testing::SuiteSession session(false, QDate(2026, 12, 15), QStringLiteral("zh-CN"));
  CloseHelp();
  struct Case { const char* name; int depth; };  // modal windows open one inside the other
  const Case cases[] = {{"none", 0}, {"one", 1}, {"two", 2}, {"noneAgain", 0}};
  for (const Case& c : cases) {
    bool asked = false, blocked = true, visible = false;
    const auto ask = [&] {
      HelpViewer* viewer = HelpViewer::Open(QStringLiteral("RP0303"), QStringLiteral("zh-CN"));
      QApplication::processEvents();
      asked = true;
      visible = viewer->isVisible();
      blocked = QApplicationPrivate::isBlockedByModal(viewer);
    };
    std::function<void(int)> openModal = [&](int level) {
      if (level == 0) {
        ask();
        return;
      }
      QDialog dialog;
      QTimer::singleShot(0, &dialog, [&] {
        openModal(level - 1);
        dialog.reject();
      });
      dialog.exec();
    };
    openModal(c.depth);
    EXPECT_TRUE(asked) << c.name;
    EXPECT_TRUE(visible) << c.name;
    EXPECT_FALSE(blocked) << c.name;
  }
  CloseHelp();
}

TEST(HelpViewerPages, PageOfAMenuIdInTheSessionLanguage) {
  struct Case { const char* id; const char* language; const char* page; };
  const Case cases[] = {
      {"RP0305", "zh-CN", ":/corvane/help/zh-CN/rp0305.html"},
      {"RP0305", "en-US", ":/corvane/help/en-US/rp0305.html"},
      {" rp0305 ", "en-US", ":/corvane/help/en-US/rp0305.html"},
      {"RP0305", "zh-TW", ":/corvane/help/zh-CN/rp0305.html"},   // no pages of its own: Chinese
      {"RP0399", "en-US", ":/corvane/help/en-US/index.html"},    // no page: the index
      {"index", "zh-CN", ":/corvane/help/zh-CN/index.html"},
      {"", "en-US", ":/corvane/help/en-US/index.html"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HelpViewer::PagePath(QString::fromLatin1(c.id), QString::fromLatin1(c.language)),
              QString::fromLatin1(c.page))
        << c.id << " " << c.language;
}

struct CaptionCase {
  const char* language;
  QStringList toolbar;
  bool chinese;
};

class WindowCaptions : public ::testing::TestWithParam<CaptionCase> {};

// Nothing of the other language shows: toolbar, grid titles, column titles and the
// direction of every line; and no column title is cut off.
TEST_P(WindowCaptions, FollowTheSessionLanguage) {
  const CaptionCase& c = GetParam();
  testing::SuiteSession session(false, QDate(2026, 12, 15), QString::fromLatin1(c.language));
  frmYHDZ* w = OpenReconciliation(session);
  ASSERT_NE(w, nullptr);
  QStringList captions;
  for (const QString& key : Toolbar(w)->Keys()) captions << Toolbar(w)->Caption(key);
  EXPECT_EQ(captions, c.toolbar);
  const QLabel* journalTitle = w->findChild<QLabel*>(QStringLiteral("Label3"));
  ASSERT_NE(journalTitle, nullptr);
  EXPECT_EQ(HasChinese(journalTitle->text()), c.chinese) << journalTitle->text().toStdString();
  for (platform::ListGrid* grid : {w->MSGrid1(), w->MsGrid2()}) {
    const int direction = grid == w->MSGrid1() ? 4 : 3;
    ASSERT_GT(grid->Rows(), 1);
    for (int col = 0; col < grid->Cols(); ++col) {
      const QString title = grid->TextMatrix(0, col);
      EXPECT_EQ(HasChinese(title), c.chinese) << title.toStdString();
      if (grid->ColWidth(col) > 0)
        EXPECT_GE(grid->ColWidth(col) / 15, QFontMetrics(grid->font()).horizontalAdvance(title)) << title.toStdString();
    }
    for (int r = 1; r < grid->Rows(); ++r) {
      const QString side = grid->TextMatrix(r, direction);
      ASSERT_FALSE(side.isEmpty()) << r;
      ASSERT_EQ(HasChinese(side), c.chinese) << side.toStdString();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Host, WindowCaptions,
    ::testing::Values(CaptionCase{"zh-CN", {"对账", "取消", "过滤", "对照", "方向", "检查", "帮助", "退出"}, true},
                      CaptionCase{"en-US", {"Match", "Cancel", "Filter", "Compare", "Layout", "Check", "Help", "Exit"},
                                  false}),
    [](const auto& info) { return std::string(info.param.language[0] == 'z' ? "Chinese" : "English"); });

// Each command shows the picture its resource number has in the one table.
TEST(WindowPictures, ToolbarButtonsShowTheirResourcePictures) {
  testing::SuiteSession session;
  frmYHDZ* w = OpenReconciliation(session);
  ASSERT_NE(w, nullptr);
  const std::pair<const char*, int> buttons[] = {{"auto", 205},  {"unauto", 175}, {"filt", 120}, {"ref", 166},
                                                 {"direc", 110}, {"check", 109},  {"help", 125}, {"exit", 118}};
  for (const auto& [key, id] : buttons) {
    const QIcon icon = Toolbar(w)->Button(QString::fromLatin1(key))->icon();
    ASSERT_FALSE(icon.isNull()) << key;
    EXPECT_EQ(icon.pixmap(16, 16).toImage(), platform::ResourcePicture(id).pixmap(16, 16).toImage()) << key;
  }
}

}  // namespace
}  // namespace corvane::host

namespace corvane::host {
namespace {

struct SelectionCase {
  const char* language;
  bool bookMode;
  const char* title;
  const char* accountLabel;  // start of the bank account line in book mode
};

class SelectionDialogCaptions : public ::testing::TestWithParam<SelectionCase> {};

// The selection dialog the reconciliation opens with speaks the session's language
// in both modes, the lines it writes itself included.
TEST_P(SelectionDialogCaptions, FollowTheSessionLanguage) {
  const SelectionCase& c = GetParam();
  testing::SuiteSession session(c.bookMode, QDate(2026, 12, 15), QString::fromLatin1(c.language));
  QString title, account;
  session.Modals().Then([&](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHKMXZ&>(d);
    title = dialog.windowTitle();
    if (const QLabel* line = dialog.findChild<QLabel*>(QStringLiteral("lblAccount"))) account = line->text();
    dialog.reject();
  });
  ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
  EXPECT_EQ(title, QString::fromUtf8(c.title));
  if (c.bookMode) EXPECT_TRUE(account.startsWith(QString::fromUtf8(c.accountLabel))) << account.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Host, SelectionDialogCaptions,
                         ::testing::Values(SelectionCase{"zh-CN", false, "银行科目选择", ""},
                                           SelectionCase{"zh-CN", true, "银行账簿选择", "账号："},
                                           SelectionCase{"en-US", false, "Choose Bank Account", ""},
                                           SelectionCase{"en-US", true, "Choose Bank Book", "Bank account no.:"}));

}  // namespace
}  // namespace corvane::host
