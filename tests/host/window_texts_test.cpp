// The host window (its own title, the mode it shows, the saved mode as a setting);
// the reconciliation window as the host opens it: help from every way of asking,
// the captions of both languages; and every window of the seven functions as an
// English user sees it.
#include "choose_whole_range.h"
#include "balance/frm_yetjb.h"
#include "balance/frm_yetjb1.h"
#include "host/help_viewer.h"
#include "host/menu_dispatcher.h"
#include "host/open_bank_statement.h"
#include "host/product_facade.h"
#include "host_window.h"
#include "opening/frm_yhdzqc.h"
#include "platform/controls/date_text.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/toolbar_host.h"
#include "platform/print/page_setup_control.h"
#include "platform/services/cash_services.h"
#include "query/frm_yhcqwdtj.h"
#include "reconcile/frm_yhdz.h"
#include "statement/frm_nb_import_cond.h"
#include "statement/frm_yhdzd.h"
#include "shared/frm_yhkmxz.h"
#include "shared/messages.h"
#include "shared/popups.h"
#include "shared/session.h"
#include "support/host_text_walk.h"
#include "support/query_windows.h"
#include "support/suite_session.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QtWidgets/private/qapplication_p.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

namespace corvane::host {
namespace {

using reconcile::frmYHDZ;
using shared::Session;

bool HasChinese(const QString& text) { return text.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))); }

// Opens "RP0305" on the demo bank account.
frmYHDZ* OpenReconciliation(testing::SuiteSession& session) {
  session.Modals().Then(testing::ChooseEntry(QStringLiteral("100201"), 0));
  ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
  return Session::Current().windows.Find<frmYHDZ>();
}

platform::ToolbarHost* Toolbar(frmYHDZ* w) { return w->findChild<platform::ToolbarHost*>(QStringLiteral("CTBCtrl1")); }

void CloseHelp() {
  if (HelpViewer* viewer = HelpViewer::Current()) viewer->close();
  QApplication::processEvents();
}

// Help asked for from a window shown modally (the opening set-up, its item windows)
// must be readable and closable while that window waits: the modal window may not
// block it. Asked for again with no modal window, it is a free window again.
TEST(HelpViewerModality, ModalWindowsDoNotBlockTheViewer) {
  testing::SuiteSession session;
  CloseHelp();
  // Modal windows opened one inside the other, then none again.
  for (const int depth : {0, 1, 2, 0}) {
    int asked = 0;
    std::function<void(int)> openModal = [&](int level) {
      if (level == 0) {
        HelpViewer* viewer = HelpViewer::Open(QStringLiteral("RP0303"), QStringLiteral("zh-CN"));
        QApplication::processEvents();
        ++asked;
        EXPECT_TRUE(viewer->isVisible()) << depth;
        EXPECT_FALSE(QApplicationPrivate::isBlockedByModal(viewer)) << depth;
        return;
      }
      QDialog dialog;
      QTimer::singleShot(0, &dialog, [&] {
        openModal(level - 1);
        dialog.reject();
      });
      dialog.exec();
    };
    openModal(depth);
    EXPECT_EQ(asked, 1) << depth;
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

struct LanguageCase {
  const char* language;
  QStringList toolbar;
  bool chinese;
  const char* cutOff;  // the matching dialog's cut-off caption
};

class ReconciliationWindow : public ::testing::TestWithParam<LanguageCase> {
 protected:
  testing::SuiteSession session_{false, QDate(2026, 12, 15), QString::fromLatin1(GetParam().language)};
};

// Nothing of the other language shows: toolbar, grid titles, column titles and the
// direction of every line; and no column title is cut off.
TEST_P(ReconciliationWindow, CaptionsFollowTheSessionLanguage) {
  const LanguageCase& c = GetParam();
  frmYHDZ* w = OpenReconciliation(session_);
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
        EXPECT_GE(grid->View()->columnWidth(col), QFontMetrics(grid->font()).horizontalAdvance(title)) << title.toStdString();
    }
    for (int r = 1; r < grid->Rows(); ++r) {
      const QString side = grid->TextMatrix(r, direction);
      ASSERT_FALSE(side.isEmpty()) << r;
      ASSERT_EQ(HasChinese(side), c.chinese) << side.toStdString();
    }
  }
  session_.Modals().Then([&c](QDialog& d) {
    EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QString::fromUtf8(c.cutOff));
    d.reject();
  });
  EXPECT_TRUE(Toolbar(w)->Click(QStringLiteral("auto")));
}

// Every way of asking reaches the host's viewer at the reconciliation page, once,
// and the window is still there afterwards.
TEST_P(ReconciliationWindow, EveryWayOfAskingForHelpOpensItsPage) {
  frmYHDZ* w = OpenReconciliation(session_);
  ASSERT_NE(w, nullptr);
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"toolbar button", [w] { EXPECT_TRUE(Toolbar(w)->Click(QStringLiteral("help"))); }},
      {"F1",
       [w] {
         w->show();
         w->activateWindow();
         ASSERT_TRUE(QTest::qWaitForWindowActive(w));
         QTest::keyClick(w, Qt::Key_F1);
       }},
      {"right-click item", [w] { ASSERT_TRUE(QMetaObject::invokeMethod(w, "rHelp")); }},
  };
  for (const auto& [name, ask] : ways) {
    SCOPED_TRACE(name);
    CloseHelp();
    ask();
    HelpViewer* viewer = HelpViewer::Current();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->ShownPage(), QStringLiteral("/corvane/help/%1/rp0305.html").arg(QLatin1String(GetParam().language)));
    EXPECT_TRUE(viewer->Browser()->toPlainText().contains(QStringLiteral("RP0305")));
    EXPECT_EQ(Session::Current().windows.Find<frmYHDZ>(), w);
  }
  CloseHelp();
}

INSTANTIATE_TEST_SUITE_P(
    Host, ReconciliationWindow,
    ::testing::Values(LanguageCase{"zh-CN", {"对账", "取消", "过滤", "对照", "方向", "检查", "帮助", "退出"}, true,
                                   "截止日期"},
                      LanguageCase{"en-US", {"Match", "Cancel", "Filter", "Compare", "Layout", "Check", "Help", "Exit"},
                                   false, "Cut-off date"}),
    [](const auto& info) { return std::string(info.param.language[0] == 'z' ? "Chinese" : "English"); });

// The selection dialog the reconciliation opens with speaks the session's language
// in both modes, the lines it writes itself included.
TEST(SelectionDialogCaptions, FollowTheSessionLanguage) {
  struct Case { const char* language; bool bookMode; const char* title; const char* accountLabel; };
  const Case cases[] = {{"zh-CN", false, "银行科目选择", ""},
                        {"zh-CN", true, "银行账簿选择", "账号："},
                        {"en-US", false, "Choose Bank Account", ""},
                        {"en-US", true, "Choose Bank Book", "Bank account no.:"}};
  for (const Case& c : cases) {
    testing::SuiteSession session(c.bookMode, QDate(2026, 12, 15), QString::fromLatin1(c.language));
    QString title, account;
    session.Modals().Then([&](QDialog& d) {
      title = d.windowTitle();
      if (const QLabel* line = d.findChild<QLabel*>(QStringLiteral("lblAccount"))) account = line->text();
    });
    ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
    EXPECT_EQ(title, QString::fromUtf8(c.title));
    EXPECT_TRUE(account.startsWith(QString::fromUtf8(c.accountLabel))) << account.toStdString();
  }
}

// The selection dialog answered with its first entry over all its periods.
testing::ScriptedModals::Step ChooseFirstEntry() {
  return [](QDialog& d) {
    auto& choose = dynamic_cast<shared::frmYHKMXZ&>(d);
    const bool book = Session::Current().BookMode();
    QComboBox* list = book ? choose.cmbBook() : choose.Combo1();
    QComboBox* start = book ? choose.cmbStartDate() : choose.Combo2();
    QComboBox* end = book ? choose.cmbEndDate() : choose.Combo3();
    if (list->currentIndex() < 0 && list->count() > 0) list->setCurrentIndex(0);
    if (start->count() > 0) start->setCurrentIndex(0);
    if (end->count() > 0) end->setCurrentIndex(end->count() - 1);
    choose.Command1_Click();
  };
}

// While the journal loads, the status line names the date of the line it has
// reached as the session's language writes a date.
TEST(ReconciliationLoading, TheJournalDateReadsInTheSessionLanguage) {
  struct Case { const char* language; const char* datePattern; };
  const Case cases[] = {{"zh-CN", "%1年%2月%3日"}, {"en-US", "%1.%2.%3"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    testing::SuiteSession session(false, QDate(2026, 12, 15), QString::fromLatin1(c.language));
    QStringList shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&shown] {
      if (frmYHDZ* w = Session::Current().windows.Find<frmYHDZ>())
        if (shown.isEmpty() || shown.back() != w->Label5()->text()) shown << w->Label5()->text();
    });
    poll.start(0);
    frmYHDZ* w = OpenReconciliation(session);
    ASSERT_NE(w, nullptr);
    const std::optional<QDate> first = platform::DateText::Parse(w->MSGrid1()->TextMatrix(1, 0));
    ASSERT_TRUE(first.has_value());
    const QString date = QString::fromUtf8(c.datePattern)
                             .arg(first->year())
                             .arg(first->month(), 2, 10, QLatin1Char('0'))
                             .arg(first->day(), 2, 10, QLatin1Char('0'));
    const QString head = shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.loadingbill"), date, QString());
    EXPECT_TRUE(std::any_of(shown.cbegin(), shown.cend(), [&](const QString& t) { return t.startsWith(head); }))
        << head.toStdString() << " among " << shown.join(u'|').toStdString();
    w->close();
  }
}

// A manual tick on a journal line deleted since loading names the line in the
// session's language; in book mode it is a line of the bank book journal.
TEST(ManualTick, AJournalLineGoneMeanwhileIsNamedInTheSessionLanguage) {
  struct Case { const char* language; bool bookMode; const char* prompt; };
  const Case cases[] = {{"zh-CN", false, "单位日记账中索引不到 id=%1 的记录"},
                        {"zh-CN", true, "银行流水账中索引不到 id=%1 的记录"},
                        {"en-US", false, "No journal line with id=%1 was found"},
                        {"en-US", true, "No bank book journal line with id=%1 was found"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.language << (c.bookMode ? " book" : " account"));
    testing::SuiteSession session(c.bookMode, QDate(2026, 12, 15), QString::fromLatin1(c.language));
    session.Modals().Then(ChooseFirstEntry());
    ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
    frmYHDZ* w = Session::Current().windows.Find<frmYHDZ>();
    ASSERT_NE(w, nullptr);
    platform::ListGrid* journal = w->MSGrid1();
    ASSERT_GT(journal->Rows(), 1);
    journal->SetCurrentCell(1, 6);
    const QString key = journal->RowData(1).toString();
    session.Db().Execute(c.bookMode ? QStringLiteral("delete from RP_Flow where cFlowID=?")
                                    : QStringLiteral("delete from gl_accvouch where i_id=?"),
                         {c.bookMode ? platform::DbValue(key) : platform::DbValue(key.toLongLong())});
    session.Messages().Clear();
    w->ToggleJournalTick();
    EXPECT_EQ(session.Messages().LastPrompt().toStdString(), QString::fromUtf8(c.prompt).arg(key).toStdString());
    w->close();
  }
}

// A date the internet-banking dialog cannot read is told with the name of its box
// in the session's language, the text as typed with it.
TEST(InternetBankingDates, ABadDateNamesItsBoxInTheSessionLanguage) {
  struct Case { const char* language; const char* start; const char* end; const char* said; const char* title; };
  const Case cases[] = {{"zh-CN", "2026.13.01", "2026.07.31", "开始日期[2026.13.01]", "网上银行对账单引入"},
                        {"zh-CN", "2026.07.01", "2026.07.32", "结束日期[2026.07.32]", "网上银行对账单引入"},
                        {"en-US", "2026.13.01", "2026.07.31", "Start date [2026.13.01]", "Internet Banking Statement Import"},
                        {"en-US", "2026.07.01", "2026.07.32", "End date [2026.07.32]", "Internet Banking Statement Import"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.said);
    testing::SuiteSession session(true, QDate(2026, 12, 15), QString::fromLatin1(c.language));
    session.Modals().Then(ChooseFirstEntry());
    ExecuteMenu(QStringLiteral("RP0304"), {}, {}, {});
    auto* w = Session::Current().windows.Find<statement::frmYHDZD>();
    ASSERT_NE(w, nullptr);
    QString title;
    session.Modals().Then([&c, &title](QDialog& d) {
      title = d.windowTitle();
      auto& dialog = dynamic_cast<statement::frmNBImportCond&>(d);
      dialog.txtStartDate()->setText(QString::fromLatin1(c.start));
      dialog.txtEndDate()->setText(QString::fromLatin1(c.end));
      dialog.cmdOK_Click();
    });
    session.Messages().Clear();
    w->findChild<platform::ToolbarHost*>()->Click(QStringLiteral("import1"));
    ASSERT_EQ(session.Messages().Count(), 1);
    EXPECT_TRUE(session.Messages().LastPrompt().startsWith(QString::fromUtf8(c.said)))
        << session.Messages().LastPrompt().toStdString();
    EXPECT_EQ(title.toStdString(), c.title);
    w->close();
  }
}

// The page set-up writes its own two texts in the session's language: the entry of
// a stored paper this machine does not list, and the refusal of margins wider
// than the paper (120 + 90 mm on 210 mm A4).
TEST(PageSetupTexts, AnUnlistedPaperAndTooWideMarginsReadInTheSessionLanguage) {
  struct Case { const char* language; const char* paper; const char* refusal; const char* orientation; };
  const Case cases[] = {{"zh-CN", "纸张 500", "页边距超出纸张范围，请减小页边距。", "方向"},
                        {"en-US", "Paper 500", "The margins leave no room on the paper. Please make them smaller.",
                         "Orientation"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    testing::SuiteSession session(false, QDate(2026, 12, 15), QString::fromLatin1(c.language));
    QString paper, orientation;
    session.Modals().Then([&paper, &orientation](QDialog& d) {
      paper = d.findChild<QComboBox*>(QStringLiteral("cboPaper"))->currentText();
      orientation = d.findChild<QGroupBox*>(QStringLiteral("fraOrientation"))->title();
      auto* a4 = d.findChild<QComboBox*>(QStringLiteral("cboPaper"));
      a4->setCurrentIndex(a4->findData(9));
      d.findChild<QRadioButton*>(QStringLiteral("optPortrait"))->click();
      d.findChild<QSpinBox*>(QStringLiteral("txtLeft"))->setValue(120);
      d.findChild<QSpinBox*>(QStringLiteral("txtRight"))->setValue(90);
      d.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
      d.reject();
    });
    platform::PageSetupControl control;
    control.setLngrtpPaperSize(500);
    session.Messages().Clear();
    EXPECT_EQ(control.rtpPageSetup(), platform::PageSetupControl::kCancelled);
    EXPECT_EQ(paper.toStdString(), c.paper);
    EXPECT_EQ(session.Messages().LastPrompt().toStdString(), c.refusal);
    EXPECT_EQ(orientation.toStdString(), c.orientation);
  }
}

// The digest list the entry windows pop up is titled in the session's language.
TEST(DigestReferenceTitle, FollowsTheSessionLanguage) {
  const std::pair<const char*, const char*> cases[] = {{"zh-CN", "摘要参照"}, {"en-US", "Choose a Description"}};
  for (const auto& [language, title] : cases) {
    testing::SuiteSession session(false, QDate(2026, 12, 15), QString::fromLatin1(language));
    QString shown;
    session.Modals().Then([&shown](QDialog& d) {
      shown = d.windowTitle();
      d.reject();
    });
    shared::PopupDigestReference();
    EXPECT_EQ(shown.toStdString(), title) << language;
  }
}

// In book mode the bank statement holds its book under the id the opening set-up
// runs under in account mode: another function refused that book names the
// statement as the window that has it.
TEST(BookLockRefusal, NamesTheStatementThatHoldsTheBook) {
  testing::SuiteSession session(true, QDate(2026, 12, 15), QStringLiteral("en-US"));
  testing::OtherSession statement(session);
  ASSERT_TRUE(statement.Common().LockAccount(QStringLiteral("100201"), true, BankStatementFunctionId()));
  session.Modals().Then(testing::ChooseEntry(QStringLiteral("YH001"), 0));
  ExecuteMenu(QStringLiteral("RP0303"), {}, {}, {});
  ASSERT_EQ(session.Messages().Count(), 1);
  EXPECT_TRUE(session.Messages().LastPrompt().contains(QStringLiteral("[Bank Statement]")))
      << session.Messages().LastPrompt().toStdString();
}

// Every window of the seven functions as an English user sees it, in both modes:
// no Chinese in what the program writes itself (its right-click menu included),
// no label cut off, and a picture on every toolbar button, the separators between
// groups only.
// Walks each dialog as it comes up and answers it so the function goes on.
testing::ScriptedModals::Step Answer(testing::TextWalk& walk, testing::ScriptedModals& modals) {
  return [&walk, &modals](QDialog& d) {
    walk.Window(&d);
    walk.RightMenu(&d);
    if (auto* choose = dynamic_cast<shared::frmYHKMXZ*>(&d)) {
      testing::ChooseFirstForTheWholeRange(*choose);
    } else if (dynamic_cast<query::frmYHCQWDTJ*>(&d)) {
      testing::AuditConditions(QStringLiteral("2026.12.31"), QStringLiteral("30"))(d);
    } else if (auto* opening = dynamic_cast<opening::frmYHDZQC*>(&d)) {
      // Its two item windows, then the summary with its figures.
      modals.Then(Answer(walk, modals));
      opening->Command1_Click();
      modals.Then(Answer(walk, modals));
      opening->Command2_Click();
      opening->Command6_Click();
      walk.Window(&d);
    } else if (auto* view = dynamic_cast<balance::frmYETJB1*>(&d)) {
      view->ShowDetailStatement();
    }
  };
}

class EnglishWindows : public ::testing::TestWithParam<bool> {};

TEST_P(EnglishWindows, ShowNoChineseNoCutLabelAndPicturesOnEveryButton) {
  testing::SuiteSession session(GetParam(), QDate(2026, 12, 15), QStringLiteral("en-US"));
  testing::TextWalk walk(session.Db());
  walk.Text(nullptr, QStringLiteral("message title"), Session::Current().Cash().GetMessageTitle());
  for (const char* menu : {"RP0303", "RP0304", "RP0305", "RP0306", "RP0307", "RP0308", "RP0309"}) {
    SCOPED_TRACE(menu);
    session.Modals().Then(Answer(walk, session.Modals()));
    // The opening set-up is itself a modal window after its selection.
    if (QLatin1String(menu) == QLatin1String("RP0303")) session.Modals().Then(Answer(walk, session.Modals()));
    ExecuteMenu(QString::fromLatin1(menu), {}, {}, {});
    if (auto* balance = Session::Current().windows.Find<balance::frmYETJB>()) {
      session.Modals().Then(Answer(walk, session.Modals()));
      balance->rView3();
    }
    QApplication::processEvents();
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
      walk.Window(w);
      walk.RightMenu(w);
      // The page set-up its toolbar offers.
      auto* toolbar = w->findChild<platform::ToolbarHost*>();
      if (toolbar && toolbar->IsButtonVisible(QStringLiteral("setup"))) {
        session.Modals().Then(Answer(walk, session.Modals()));
        toolbar->Click(QStringLiteral("setup"));
      }
      w->close();
    }
    QApplication::processEvents();
  }
  for (const platform::MessageRequest& m : session.Messages().Shown())
    walk.Text(nullptr, QStringLiteral("message"), m.title + m.prompt);
  EXPECT_TRUE(walk.faults.isEmpty()) << walk.faults.join(QLatin1Char('\n')).toStdString();
  walk.menus.sort();
  EXPECT_EQ(walk.menus.join(u' ').toStdString(),
            "frmQYFQC frmYETJB frmYETJB1 frmYHCQWD frmYHDZ frmYHDZCX frmYHDZD frmYHDZQC frmYHFQC");
}

INSTANTIATE_TEST_SUITE_P(Host, EnglishWindows, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

}  // namespace
}  // namespace corvane::host

namespace {

using corvane::shared::GetResString;

// A host window over a session in the language given.
struct HostOn {
  explicit HostOn(const char* language, const HostSessionInfo& info = {}, std::function<bool(bool)> save = nullptr)
      : session(false, QDate(2026, 12, 15), QString::fromLatin1(language)), window(facade, info, std::move(save)) {}
  corvane::testing::SuiteSession session;
  corvane::host::clsProductFacade facade;
  HostWindow window;
};

// The mode it shows and a title of its own, not the function window's. The saved
// choice changes only through the visible setting, and says so; a failed save
// leaves the setting as it was.
TEST(HostWindow, ShowsTheModeAndTheSavedModeAsASetting) {
  struct Case { const char* language; bool bookMode; bool forThisRun; const char* says; bool saved; bool saveWorks; };
  const Case cases[] = {{"zh-CN", false, false, "科目模式", false, true},
                        {"zh-CN", true, false, "账簿模式", true, true},
                        {"zh-CN", true, true, "账簿模式", false, false},
                        {"en-US", false, true, "account mode", true, false},
                        {"en-US", true, false, "book mode", false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.says);
    std::vector<bool> saves;
    HostOn host(c.language, {QString(), c.bookMode, c.forThisRun, c.saved}, [&](bool on) {
      saves.push_back(on);
      return c.saveWorks;
    });
    const QString text = host.window.ModeText();
    EXPECT_TRUE(text.contains(QString::fromUtf8(c.says))) << text.toStdString();
    EXPECT_EQ(text.contains(QStringLiteral("--mode")), c.forThisRun);
    EXPECT_FALSE(host.window.windowTitle().isEmpty());
    EXPECT_NE(host.window.windowTitle(), GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.frmYHDZ")));
    QAction* setting = host.window.findChild<QAction*>(QStringLiteral("SavedBookMode"));
    ASSERT_NE(setting, nullptr);
    EXPECT_EQ(setting->isChecked(), c.saved);
    setting->trigger();
    EXPECT_EQ(setting->isChecked(), c.saveWorks != c.saved);
    EXPECT_EQ(saves, std::vector<bool>{!c.saved});
  }
}

TEST(HostWindowHelp, F1OpensTheIndex) {
  HostOn host("en-US");
  host.window.show();
  host.window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host.window));
  QTest::keyClick(&host.window, Qt::Key_F1);
  corvane::host::HelpViewer* viewer = corvane::host::HelpViewer::Current();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->ShownPage(), QStringLiteral("/corvane/help/en-US/index.html"));
  viewer->close();
  QApplication::processEvents();
}

}  // namespace
