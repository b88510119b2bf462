// The reconciliation window's commands driven as a user drives them (toolbar
// keys, right-click menu commands, grid events, dialogs filled and confirmed),
// over a whole session on the demo data.
#include "frm_yhdz_fixture.h"
#include "matching/failing_connection.h"

#include <functional>

#include "platform/db/db_error.h"
#include "platform/services/object_factory.h"
#include "platform/services/period_list.h"
#include "balance/frm_yetjb.h"
#include "balance/frm_yetjb1.h"
#include "balance/frm_yhdzcx1.h"
#include "platform/controls/split_grid.h"
#include "shared/account_facts.h"
#include "shared/right_menu_host.h"

#include <QAbstractItemView>
#include <QMenu>
#include <QSignalBlocker>
#include <QHeaderView>
#include <QTimer>
#include <QTest>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace corvane::reconcile {
namespace {

using shared::GetResString;
using shared::Session;

// The text of a resource key up to its first argument, to know a status text
// whatever counter or date it carries.
QString Head(const char* key) {
  const QString sentinel = QStringLiteral("\x01");
  const QString text = GetResString(QString::fromLatin1(key), sentinel, sentinel);
  return text.left(text.indexOf(sentinel));
}

// Records every text the status line shows while a command lets window events
// run, and the text it ends on.
class StatusWatch {
 public:
  explicit StatusWatch(frmYHDZ* w) {
    QObject::connect(&timer_, &QTimer::timeout, [this, w] {
      if (texts.empty() || texts.back() != w->Label5()->text()) texts.push_back(w->Label5()->text());
    });
    timer_.start(0);
  }
  bool Saw(const QString& head) const {
    return std::any_of(texts.begin(), texts.end(), [&](const QString& t) { return t.startsWith(head); });
  }
  std::vector<QString> texts;

 private:
  QTimer timer_;
};

class FrmYhdzCommandTest : public test::FrmYhdzTest {};
using test::CancelFrom;
using test::FilterKind;
using test::MatchAll;

// While a command runs, every other way to start one is refused: toolbar keys,
// the right-click menu and its commands, the space key and double click on a
// mark. Nothing is asked, shown or written.
TEST_P(FrmYhdzCommandTest, WhileBusyEveryWayToStartACommandIsRefused) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  int popups = 0;
  shared::RightMenuHost::InstallChooser([&popups](QMenu&, const QPoint&) -> QAction* {
    ++popups;
    return nullptr;
  });
  platform::ListGrid* journal = w->MSGrid1();
  platform::ListGrid* statement = w->MsGrid2();
  const std::pair<const char*, std::function<void()>> attempts[] = {
      {"toolbar auto", [&] { w->Toolbar1_ButtonClick(QStringLiteral("auto")); }},
      {"toolbar unauto", [&] { w->Toolbar1_ButtonClick(QStringLiteral("unauto")); }},
      {"toolbar filt", [&] { w->Toolbar1_ButtonClick(QStringLiteral("filt")); }},
      {"toolbar check", [&] { w->Toolbar1_ButtonClick(QStringLiteral("check")); }},
      {"menu rBankCheck", [&] { w->rBankCheck(); }},
      {"menu rBankUnCheck", [&] { w->rBankUnCheck(); }},
      {"menu rCheck", [&] { w->rCheck(); }},
      {"menu rFilt", [&] { w->rFilt(); }},
      {"right click", [&] { emit journal->RightClick(QPoint(5, 5), QPoint(5, 5)); }},
      {"space on a journal mark", [&] {
         journal->SetCurrentCell(1, 6);
         emit journal->KeyPressed(Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
       }},
      {"double click on a statement mark", [&] {
         statement->SetCurrentCell(1, 5);
         emit statement->MouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
         emit statement->DblClick();
       }},
  };
  const int modalsBefore = session_.Modals().Count();
  for (const auto& [name, attempt] : attempts) {
    SCOPED_TRACE(name);
    session_.Modals().Then(MatchAll(false));  // would be answered if anything asked
    {
      BusyScope busy(*w);
      attempt();
    }
    EXPECT_EQ(session_.Modals().Count(), modalsBefore);
    EXPECT_EQ(session_.Messages().Count(), 0);
    EXPECT_EQ(popups, 0);
    EXPECT_EQ(Ticks(), 0);
  }
  shared::RightMenuHost::InstallChooser({});
  // Not busy, the same double click ticks: the refusal above was the busy state's.
  statement->SetCurrentCell(1, 5);
  emit statement->MouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  emit statement->DblClick();
  EXPECT_EQ(ManualTicks(), 1);
  // Closing waits for the command to end.
  {
    BusyScope busy(*w);
    Close(w);
    EXPECT_EQ(Session::Current().windows.Find<frmYHDZ>(), w);
  }
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(Session::Current().windows.Find<frmYHDZ>(), nullptr);
}

// Double-clicks a cell as the window system reports it: queued, delivered when
// the application next lets window events run.
void QueueDoubleClick(frmYHDZ* w, platform::ListGrid* grid, int row, int col) {
  QAbstractItemView* view = grid->View();
  const QPoint local =
      view->viewport()->mapTo(w, view->visualRect(view->model()->index(row - 1, col)).center());
  const QPoint global = w->mapToGlobal(local);
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
                                  QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons state = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
        w->windowHandle(), local, global, state, Qt::LeftButton, type);
  }
}

// A double click made while the matching runs reaches the window only after the
// run, on grids the run has reloaded: it must be dropped then, never replayed.
TEST_P(FrmYhdzCommandTest, ADoubleClickMadeWhileMatchingRunsIsDroppedNotReplayed) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  w->show();
  w->activateWindow();
  QApplication::processEvents();
  platform::ListGrid* journal = w->MSGrid1();
  session_.Modals().Then([&](QDialog& d) {
    // The user double-clicks a mark just as the run starts.
    QueueDoubleClick(w, journal, 1, 6);
    MatchAll(true)(d);
  });
  w->Toolbar1_ButtonClick(QStringLiteral("auto"));
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  EXPECT_GT(Ticks(), 0);
  EXPECT_EQ(ManualTicks(), 0);
  // The same double click made when nothing runs ticks the line: it does reach the grid.
  QueueDoubleClick(w, journal, 1, 6);
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  EXPECT_EQ(ManualTicks(), 1);
}

// The status line tells what loading, matching (one to one and grouped),
// cancelling and the balance check are doing, and ends on the account.
TEST_P(FrmYhdzCommandTest, TheStatusLineFollowsEachCommandAndEndsOnTheAccount) {
  session_.Modals().Then(test::Choose(Code(), true));
  frmYHDZ* w = nullptr;
  {
    // The window is made by the menu; watch it from the moment it exists.
    QTimer find;
    std::unique_ptr<StatusWatch> watch;
    QObject::connect(&find, &QTimer::timeout, [&] {
      if (!watch)
        if (frmYHDZ* made = Session::Current().windows.Find<frmYHDZ>()) watch = std::make_unique<StatusWatch>(made);
    });
    find.start(0);
    host::ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
    w = Session::Current().windows.Find<frmYHDZ>();
    ASSERT_NE(w, nullptr);
    ASSERT_NE(watch, nullptr);
    EXPECT_TRUE(watch->Saw(Head("Q9.GL.ZWSQL.CASHBANK.loadingbill")));
    EXPECT_TRUE(watch->Saw(Head("Q9.GL.ZWSQL.CASHBANK.loading")));
  }
  const QString account =  // in book mode the book, not its account
      GetResString(BookMode() ? QStringLiteral("corvane.opening.bookprefix") : QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00015")) + Code();
  EXPECT_TRUE(w->Label5()->text().startsWith(account)) << w->Label5()->text().toStdString();

  struct Step {
    const char* name;
    std::function<void()> run;
    std::vector<const char*> shown;
  };
  const Step steps[] = {
      {"matching",
       [&] {
         session_.Modals().Then(MatchAll(true));
         w->Toolbar1_ButtonClick(QStringLiteral("auto"));
       },
       {"Q9.GL.ZWSQL.CASHBANK.00838", "Q9.GL.ZWSQL.CASHBANK.00843"}},
      {"cancel",
       [&] {
         session_.Modals().Then(CancelFrom(1, 0));
         session_.Messages().Answer(6);
         w->Toolbar1_ButtonClick(QStringLiteral("unauto"));
       },
       {"Q9.GL.ZWSQL.CASHBANK.00798", "Q9.GL.ZWSQL.CASHBANK.00802"}},
      {"balance check",
       [&] {
         w->Label5()->setText(QStringLiteral("something else"));
         session_.Modals().Then([](QDialog& d) { d.accept(); });
         w->rCheck();
       },
       {}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    StatusWatch watch(w);
    step.run();
    for (const char* key : step.shown) EXPECT_TRUE(watch.Saw(Head(key))) << key;
    EXPECT_TRUE(w->Label5()->text().startsWith(account)) << w->Label5()->text().toStdString();
  }
}

// The matching runs on a connection of its own: when that cannot be opened the
// run says so and writes nothing.
TEST_P(FrmYhdzCommandTest, AMatchingWithoutItsOwnConnectionSaysSoAndWritesNothing) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  platform::ObjectFactory& factory = platform::ObjectFactory::Instance();
  const auto open = factory.openConnection;
  factory.openConnection = [](const QString&) -> std::unique_ptr<platform::DbConnection> {
    throw platform::DbError(QStringLiteral("refused"));
  };
  session_.Modals().Then(MatchAll(true));
  w->Toolbar1_ButtonClick(QStringLiteral("auto"));
  factory.openConnection = open;
  ASSERT_EQ(session_.Messages().Count(), 1);
  EXPECT_EQ(session_.Messages().LastPrompt(), GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00837")));
  EXPECT_EQ(session_.Messages().Shown().back().buttons, 16);
  EXPECT_EQ(session_.Messages().Shown().back().title, QString());
  EXPECT_EQ(Ticks(), 0);
  EXPECT_TRUE(w->Toolbar()->isEnabled());
}

// The matching run's own connection, failing as a case asks.
class FailingOwnConnection : public test::FailingConnection {
 public:
  explicit FailingOwnConnection(std::unique_ptr<platform::DbConnection> inner)
      : FailingConnection(*inner), inner_(std::move(inner)) {}
  ~FailingOwnConnection() override {
    if (onRelease) onRelease();
  }

  // Runs when the run gives its connection back, after its last write and
  // before the window loads the account again.
  std::function<void()> onRelease;

 private:
  std::unique_ptr<platform::DbConnection> inner_;
};

// A failing matching run is said as the pass it stopped in says it: a side that
// cannot be read by its name under the cash-management title, a failed one-to-one
// write in its own words with OK only and no title (nothing stored), a failed
// grouped write in its own words under the grouped pass's title (the one-to-one
// ticks stored), and a reload after the writes in its own words with OK only and
// no title (the ticks stored).
TEST_P(FrmYhdzCommandTest, AFailedMatchingIsSaidAsItsPassSaysIt) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  // A group: two journal debits of 30 and 40 against one statement line of 70
  // facing them, all numbered GRP9.
  const auto money = [](const char* text) { return platform::DbValue(*platform::Money::Parse(QString::fromLatin1(text))); };
  const auto key = [](const QVariant& k) {
    return k.typeId() == QMetaType::QString ? platform::DbValue(k.toString()) : platform::DbValue(k.toLongLong());
  };
  for (const auto& [row, amount] : {std::pair{1, "30"}, std::pair{2, "40"}})
    session_.Db().Execute(QStringLiteral("update %1 set cn_id=?, md=?, mc=? where %2=?").arg(JournalTable(), JournalKey()),
                          {"GRP9", money(amount), money("0"), key(w->MSGrid1()->RowData(row))});
  session_.Db().Execute(QStringLiteral("update %1 set cn_id=?, mmoney=?, bd_c=? where i_id=?").arg(StatementTable()),
                        {"GRP9", money("70"), w->BankFx ? 1 : 0, w->MsGrid2()->RowData(1).toLongLong()});
  const QString cashTitle = Session::Current().Cash().GetMessageTitle();
  const QString journalUnread = GetResString(BookMode() ? QStringLiteral("corvane.recon.nobookjournal")
                                                        : QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00841"));
  struct Case {
    const char* name;
    bool failRead;
    int readsBefore, failBatch;
    QString prompt;  // empty: the failure's own text
    int buttons;
    QString title;
    bool oneToOneStored;
    bool breakReload = false;  // the statement table cannot be read once the writes are done
    bool groupStored = false;
  };
  const Case cases[] = {
      {"the journal read", true, 0, 0, journalUnread, 16, cashTitle, false},
      {"the statement read", true, 1, 0, GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00842")), 16, cashTitle, false},
      {"the one-to-one write", false, 0, 1, {}, 0, {}, false},
      {"the grouped write", false, 0, 3, {}, 16, GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00845")), true},
      {"the reload", false, 0, 0, {}, 0, {}, true, true, true},
  };
  const QString hidden = StatementTable() + QStringLiteral("_away");
  const auto rename = [this](const QString& from, const QString& to) {
    session_.Db().Execute(QStringLiteral("alter table %1 rename to %2").arg(from, to));
  };
  platform::ObjectFactory& factory = platform::ObjectFactory::Instance();
  const auto open = factory.openConnection;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    factory.openConnection = [&](const QString& connection) -> std::unique_ptr<platform::DbConnection> {
      auto failing = std::make_unique<FailingOwnConnection>(open(connection));
      failing->failQuery = c.failRead;
      failing->queriesBeforeFailure = c.readsBefore;
      failing->failBatch = c.failBatch;
      if (c.breakReload) failing->onRelease = [&] { rename(StatementTable(), hidden); };
      return failing;
    };
    session_.Messages().Clear();
    session_.Modals().Then(MatchAll(true));
    w->Toolbar1_ButtonClick(QStringLiteral("auto"));
    factory.openConnection = open;
    if (c.breakReload) rename(hidden, StatementTable());
    ASSERT_EQ(session_.Messages().Count(), 1);
    const auto& shown = session_.Messages().Shown().back();
    // The failure's own words: the injected text, or the engine's about the table it could not read.
    const QString own = c.breakReload ? StatementTable() : QStringLiteral("injected");
    if (c.prompt.isEmpty()) EXPECT_TRUE(shown.prompt.contains(own, Qt::CaseInsensitive)) << shown.prompt.toStdString();
    else EXPECT_EQ(shown.prompt, c.prompt);
    EXPECT_EQ(shown.buttons, c.buttons);
    EXPECT_EQ(shown.title, c.title);
    EXPECT_EQ(Ticks() > 0, c.oneToOneStored);
    EXPECT_EQ(Count(QStringLiteral("select count(*) from %1 where cn_id='GRP9' and iflag>0").arg(StatementTable())) > 0,
              c.groupStored);
    EXPECT_TRUE(w->Toolbar()->isEnabled());
  }
}

// The filter's tick kind is a show mode and the cancel range's kind a cancel
// scope: one never changes the other.
TEST_P(FrmYhdzCommandTest, TheShowModeAndTheCancelScopeStayApart) {
  TickStatementLines(3, 2);   // "○"
  TickStatementLines(15, 2);  // "Y"
  frmYHDZ* w = Open(/*includeTicked=*/true);
  ASSERT_NE(w, nullptr);
  platform::ListGrid* statement = w->MsGrid2();
  emit statement->GotFocus();
  session_.Modals().Then(FilterKind(2));  // "Y" only
  w->rFilt();
  EXPECT_EQ(ShownMarks(statement, 5), (std::vector<QString>{kManualMark, kManualMark}));
  // A cancel of automatic ticks from period 12 takes nothing here ...
  session_.Modals().Then(CancelFrom(12, 1));
  session_.Messages().Answer(6);
  w->rBankUnCheck();
  EXPECT_EQ(Ticks(), 4);
  // ... and leaves the show mode as it was: the filters run again show "Y" only.
  w->rRef();
  w->rRef();
  EXPECT_EQ(ShownMarks(statement, 5), (std::vector<QString>{kManualMark, kManualMark}));
  // The first kind shows the lines without a mark, and says so.
  session_.Modals().Then([](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHFilter&>(d);
    EXPECT_EQ(dialog.cboType()->itemText(0), GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00892")));
    FilterKind(0)(d);
  });
  w->rFilt();
  for (const QString& mark : ShownMarks(statement, 5)) EXPECT_EQ(mark, QString());
  // The reference keeps the show mode: of the statement lines numbered as the
  // journal line (two "○", two "Y", one unmarked), only the unmarked one shows.
  session_.Db().Execute(QStringLiteral("update %1 set cn_id=? where ccode=?").arg(JournalTable()), {"REF1", "100201"});
  session_.Db().Execute(QStringLiteral("update %1 set cn_id=? where ccode=? and (iflag>? or i_id=(select min(i_id) "
                                       "from %1 where ccode=? and ibegin<>0 and iflag is null))").arg(StatementTable()),
                        {"REF1", "100201", 0, "100201"});
  w->Reload();
  emit w->MSGrid1()->GotFocus();
  w->MSGrid1()->SetCurrentCell(1, 3);
  w->rRef();
  EXPECT_EQ(ShownMarks(statement, 5), std::vector<QString>{QString()});
}

// The show mode by mark holds only while the filter dialog is in this window's
// mode with "取消过滤" unticked: the reference switched on and off afterwards
// shows the unmarked lines only, or every line.
TEST_P(FrmYhdzCommandTest, TheShowModeHoldsOnlyWhileTheFilterDialogKeepsItOn) {
  struct Case { const char* name; bool filterOff; int dialogModeAfter; bool unmarkedOnly; };
  const Case cases[] = {
      {"filter on", false, 4, true},
      {"filter off", true, 4, false},
      {"another window's filter dialog since", false, 3, false},
  };
  frmYHDZ* w = Open(/*includeTicked=*/true);
  ASSERT_NE(w, nullptr);
  platform::ListGrid* statement = w->MsGrid2();
  TickStatementRows(w, 3, {1, 2});
  w->Reload();
  const size_t all = statement->Rows() - 1;
  long unmarked = 0;
  for (int r = 1; r < statement->Rows(); ++r) unmarked += statement->TextMatrix(r, 5).isEmpty();
  ASSERT_LE(unmarked, static_cast<long>(all) - 2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    emit statement->GotFocus();
    session_.Modals().Then([&c](QDialog& d) {
      auto& dialog = dynamic_cast<shared::frmYHFilter&>(d);
      dialog.cboType()->setCurrentIndex(0);  // lines without a mark
      dialog.SetFilterOff(c.filterOff);
      dialog.Command1_Click();
    });
    w->rFilt();
    shared::frmYHFilter::YhOrQy = static_cast<quint8>(c.dialogModeAfter);
    w->rRef();
    w->rRef();
    const std::vector<QString> shown = ShownMarks(statement, 5);
    EXPECT_EQ(shown.size(), c.unmarkedOnly ? static_cast<size_t>(unmarked) : all);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), QString()), unmarked);
  }
}

// The reference follows the current line while "ref" is down (the grid's redraw
// reads as on), and it drops a wish for lines without a settlement style.
TEST_P(FrmYhdzCommandTest, TheReferenceFollowsTheLineAndDropsTheBlankStyleWish) {
  session_.Db().Execute(QStringLiteral("update %1 set csettle=NULL where i_id in (select i_id from %1 where "
                                       "ccode='100201' and ibegin<>0 order by i_id limit 1)")
                            .arg(StatementTable()));
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  platform::ListGrid* journal = w->MSGrid1();
  platform::ListGrid* statement = w->MsGrid2();
  emit statement->GotFocus();
  session_.Modals().Then(FilterKind(0, /*onlyWithoutStyle=*/true));
  w->rFilt();
  const size_t all = statement->Rows() - 1;
  size_t withoutStyle = 0;
  for (int r = 1; r < statement->Rows(); ++r) withoutStyle += statement->TextMatrix(r, 1).trimmed().isEmpty();
  ASSERT_GT(withoutStyle, 0u);
  ASSERT_LT(withoutStyle, all);
  ASSERT_EQ(ShownMarks(statement, 5).size(), withoutStyle);
  // Reference on, then off: the style wish went with the reference.
  emit journal->GotFocus();
  w->rRef();
  w->rRef();
  EXPECT_EQ(ShownMarks(statement, 5).size(), all);
  // On again: moving through the journal moves the reference with it, to the
  // lines of the same amount on the side the account's direction pairs.
  w->rRef();
  int linesWithAPair = 0;
  for (int j = 1; j < std::min(journal->Rows(), 15); ++j) {
    journal->SetCurrentCell(j, 5);
    const bool debit = journal->TextMatrix(j, 4) == Session::Current().Common().GetDirectionText(1);
    const QString paired = Session::Current().Common().GetDirectionText(PairedDirection(debit, w->BankFx) == 1 ? 1 : 0);
    for (int r = 1; r < statement->Rows(); ++r) {
      const bool pairs = statement->TextMatrix(r, 4) == journal->TextMatrix(j, 5) && statement->TextMatrix(r, 3) == paired;
      EXPECT_EQ(!statement->IsRowHidden(r), pairs) << j << " " << r;
      linesWithAPair += pairs;
    }
  }
  EXPECT_GT(linesWithAPair, 0);
}

// A reference, on the number column or on the amount, filters the other grid
// only while "ref" is down: released, both grids show every row again and the
// filter dialog opens with no number, and with an amount as a plain number.
TEST_P(FrmYhdzCommandTest, AReleasedReferenceShowsEveryRowAndLeavesNoNumber) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  platform::ListGrid* journal = w->MSGrid1();
  platform::ListGrid* statement = w->MsGrid2();
  int row = 1;
  while (row < journal->Rows() && journal->TextMatrix(row, 3).trimmed().isEmpty()) ++row;
  ASSERT_LT(row, journal->Rows());
  for (const int column : {3, 5}) {
    emit journal->GotFocus();
    journal->SetCurrentCell(row, column);
    w->Toolbar()->Click(QStringLiteral("ref"));
    ASSERT_LT(ShownMarks(statement, 5).size(), statement->Rows() - 1u) << column;
    w->Toolbar()->Click(QStringLiteral("ref"));
    EXPECT_EQ(ShownMarks(statement, 5).size() + ShownMarks(journal, 6).size(), statement->Rows() + journal->Rows() - 2u);
    EXPECT_EQ(w->Filter.CurCn_id + w->Filter.CurMmoney + QString::number(w->Filter.CurBd_c), QStringLiteral("0"));
  }
  w->Filter.CurMmoney = QStringLiteral("1,234,567.50");
  QString boxes;
  session_.Modals().Then([&](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHFilter&>(d);
    boxes = dialog.Text3()->text() + '|' + dialog.Text4()->text() + (dialog.Check1()->isChecked() ? "|off" : "");
  });
  w->Toolbar()->Click(QStringLiteral("filt"));
  EXPECT_EQ(boxes, QStringLiteral("|1234567.50"));
}

// The filter dialog refuses a date that is no date and an amount that is none: it
// says why, stays open with the focus in that box, and nothing is filtered. A
// reversed range goes back as typed, an amount as a plain number.
TEST_P(FrmYhdzCommandTest, TheFilterDialogRefusesWhatItCannotUse) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  platform::ListGrid* statement = w->MsGrid2();
  emit statement->GotFocus();
  // focus: the refused box, nullptr when accepted; back: the amount handed back
  struct Case { const char *start, *end, *amount, *focus, *back = ""; };
  const Case cases[] = {
      {"2026.2.30", "", "", "Text1"},
      {"", "March", "", "Text2"},
      {"", "", "abc12.3.4x", "Text4"},
      {"", "", "12.3.4", "Text4"},
      {"2026.3.1", "2026.2.1", "", nullptr},
      {"", "", "1,234.5", nullptr, "1234.50"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + "|" + c.end + "|" + c.amount);
    session_.Messages().Clear();
    bool stayedOpen = false;
    QString focused;
    session_.Modals().Then([&](QDialog& d) {
      auto& dialog = dynamic_cast<shared::frmYHFilter&>(d);
      d.activateWindow();
      dialog.SetFilterOff(false);
      dialog.Text1()->setText(QString::fromLatin1(c.start));
      dialog.Text2()->setText(QString::fromLatin1(c.end));
      dialog.Text4()->clear();
      QTest::keyClicks(dialog.Text4(), QString::fromLatin1(c.amount));
      EXPECT_EQ(dialog.Text4()->text(), QString::fromLatin1(c.amount));
      dialog.Command1_Click();
      stayedOpen = d.isVisible() || d.result() != QDialog::Accepted;
      if (QWidget* f = d.focusWidget()) focused = f->objectName();
    });
    w->rFilt();
    // A refusal says why; an accepted condition here finds nothing and says so.
    EXPECT_EQ(session_.Messages().Count(), 1);
    EXPECT_EQ(stayedOpen, c.focus != nullptr);
    EXPECT_EQ(w->Filter.ExecCom, c.focus == nullptr);
    if (c.focus == nullptr) {
      EXPECT_EQ(w->Filter.CurMmoney, QString::fromLatin1(c.back));
      continue;
    }
    EXPECT_EQ(focused, QString::fromLatin1(c.focus));
    for (int r = 1; r < statement->Rows(); ++r) ASSERT_FALSE(statement->IsRowHidden(r)) << r;
  }
}

// After a confirmed cancel the grids show what is stored: lines whose ticks went
// come back when the window left ticked lines out.
TEST_P(FrmYhdzCommandTest, ACancelShowsTheStoredStateEvenWithTickedLinesLeftOut) {
  frmYHDZ* w = Open(/*includeTicked=*/false);
  ASSERT_NE(w, nullptr);
  const int rowsBefore = w->MsGrid2()->Rows();
  // Three shown lines ticked by hand in period 8, then left out by a reload.
  TickStatementRows(w, 20, {1, 2, 3});
  w->Reload();
  ASSERT_EQ(w->MsGrid2()->Rows(), rowsBefore - 3);
  session_.Modals().Then(CancelFrom(8, 2));
  session_.Messages().Answer(6);
  w->Toolbar1_ButtonClick(QStringLiteral("unauto"));
  EXPECT_EQ(ManualTicks(), 0);
  EXPECT_EQ(w->MsGrid2()->Rows(), rowsBefore);
  EXPECT_EQ(ShownMarks(w->MsGrid2(), 5), std::vector<QString>(rowsBefore - 1));
  EXPECT_TRUE(w->Toolbar()->isEnabled());
}

// The cancel reads the marked lines again, on each side: one deleted by another
// session since loading is named and keeps its mark; the others lose theirs.
TEST_P(FrmYhdzCommandTest, ACancelNamesAMarkedLineGoneMeanwhile) {
  struct Case { bool journal; const char* prompt; };
  for (const Case& c : {Case{false, "Q9.GL.ZWSQL.CASHBANK.notfoundrec"}, Case{true, "Q9.GL.ZWSQL.CASHBANK.notfound"}}) {
    SCOPED_TRACE(c.prompt);
    frmYHDZ* w = Open(/*includeTicked=*/true);
    ASSERT_NE(w, nullptr);
    platform::ListGrid* grid = c.journal ? w->MSGrid1() : w->MsGrid2();
    const int markColumn = c.journal ? 6 : 5;
    const QString table = c.journal ? JournalTable() : StatementTable();
    const QString key = c.journal ? JournalKey() : QStringLiteral("i_id");
    const QString tick = c.journal ? QStringLiteral("iflagbank") : QStringLiteral("iflag");
    const auto keyOf = [&](int row) {
      const QVariant k = grid->RowData(row);
      return k.typeId() == QMetaType::QString ? platform::DbValue(k.toString()) : platform::DbValue(k.toLongLong());
    };
    for (int row : {1, 2})
      session_.Db().Execute(QStringLiteral("update %1 set %2=? where %3=?").arg(table, tick, key), {20, keyOf(row)});
    w->Reload();
    ASSERT_FALSE(grid->TextMatrix(1, markColumn).isEmpty());
    ASSERT_FALSE(grid->TextMatrix(2, markColumn).isEmpty());
    const platform::DbValue gone = keyOf(1);
    session_.Database().OpenAnother()->Execute(QStringLiteral("delete from %1 where %2=?").arg(table, key), {gone});
    session_.Modals().Then(CancelFrom(8, 2));
    session_.Messages().Answer(6);
    w->Toolbar1_ButtonClick(QStringLiteral("unauto"));
    EXPECT_EQ(session_.Messages().LastPrompt(), GetResString(QString::fromLatin1(c.prompt), gone.ToString()));
    EXPECT_FALSE(grid->TextMatrix(1, markColumn).isEmpty());
    EXPECT_TRUE(grid->TextMatrix(2, markColumn).isEmpty());
    Close(w);
  }
}

// A manual tick over a line another session ticked since loading, or holds
// longer than the database waits, writes nothing and says why.
TEST_P(FrmYhdzCommandTest, AManualTickOverAnotherSessionsTickOrLockIsRefused) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  platform::ListGrid* statement = w->MsGrid2();
  const long long key = statement->RowData(1).toLongLong();
  std::unique_ptr<platform::DbConnection> other = session_.Database().OpenAnother();
  const QString change = QStringLiteral("update %1 set %2 where i_id=?").arg(StatementTable());
  for (const bool held : {true, false}) {
    SCOPED_TRACE(held ? "held" : "ticked");
    session_.Messages().Clear();
    if (held) other->BeginTrans();
    other->Execute(change.arg(held ? QStringLiteral("csettle=csettle") : QStringLiteral("iflag=7")), {key});
    statement->SetCurrentCell(1, 5);
    w->ToggleStatementTick();
    if (held) other->RollbackTrans();
    ASSERT_EQ(session_.Messages().Count(), 1);
    const char* message = held ? "corvane.recon.locktimeout" : "corvane.recon.changedmeanwhile";
    EXPECT_EQ(session_.Messages().LastPrompt(), GetResString(QString::fromLatin1(message)));
    EXPECT_EQ(ManualTicks(), 0);
    EXPECT_EQ(statement->TextMatrix(1, 5), QString());
    EXPECT_FALSE(session_.Db().InTransaction());
  }
  EXPECT_EQ(Count(QStringLiteral("select iflag from %1 where i_id=?").arg(StatementTable()), {key}), 7);
}

// Each activation of the window applies the toolbar style again, not only the
// first show.
TEST_P(FrmYhdzCommandTest, EachActivationAppliesTheToolbarStyleAgain) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  w->show();
  QWidget other;
  other.show();
  other.activateWindow();
  QApplication::processEvents();
  ASSERT_FALSE(w->isActiveWindow());
  w->Toolbar()->hide();
  w->Toolbar()->move(0, 40);
  w->activateWindow();
  QApplication::processEvents();
  ASSERT_TRUE(w->isActiveWindow());
  EXPECT_TRUE(w->Toolbar()->isVisible());
  EXPECT_EQ(w->Toolbar()->y(), 0);
}

// A column the user widened by dragging its header edge stays as wide after a
// reload, so a long settlement number stays readable.
TEST_P(FrmYhdzCommandTest, AWidenedColumnStaysWideAfterAReload) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  QHeaderView* titles = w->MsGrid2()->View()->horizontalHeader();
  ASSERT_EQ(titles->sectionResizeMode(2), QHeaderView::Interactive);
  const int wider = titles->sectionSize(2) + 60;
  titles->resizeSection(2, wider);
  w->Reload();
  EXPECT_EQ(w->MsGrid2()->View()->horizontalHeader()->sectionSize(2), wider);
}

// The account line under the toolbar and the grids' titles never share a line,
// at any width, so a long account name stays readable; arranged one above the
// other, each title sits above its own grid, centred over it.
TEST_P(FrmYhdzCommandTest, GridTitlesSitBelowTheAccountLineAndAboveTheirGrids) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  const QWidget* toolbar = w->findChild<QWidget*>(QStringLiteral("CTBCtrl1"));
  const QWidget* accountLine = w->findChild<QWidget*>(QStringLiteral("Picture4"));
  const QWidget* journalTitle = w->findChild<QWidget*>(QStringLiteral("Picture2"));
  const QWidget* statementTitle = w->findChild<QWidget*>(QStringLiteral("Picture3"));
  ASSERT_TRUE(toolbar && accountLine && journalTitle && statementTitle);
  struct Case { int width; bool vertical; };
  bool vertical = false;  // the window opens side by side
  for (const Case& c : {Case{1000, false}, Case{700, false}, Case{1400, false}, Case{1000, true}, Case{700, true}}) {
    SCOPED_TRACE(::testing::Message() << c.width << (c.vertical ? " vertical" : ""));
    if (vertical != c.vertical) w->Toolbar1_ButtonClick(QStringLiteral("direc"));
    vertical = c.vertical;
    w->resize(c.width, 640);
    QApplication::processEvents();
    const int lineBottom = accountLine->y() + w->Label5()->sizeHint().height();
    const QRect statement = w->MsGrid2()->geometry(), title = statementTitle->geometry();
    EXPECT_GE(accountLine->y(), toolbar->y() + toolbar->height());
    EXPECT_GE(journalTitle->y(), lineBottom);
    EXPECT_GE(title.y(), lineBottom);
    EXPECT_GE(w->MSGrid1()->y(), journalTitle->y() + journalTitle->height());
    EXPECT_GE(statement.y(), title.y() + title.height());
    EXPECT_GT(statement.height(), 100);
    if (!c.vertical) continue;
    EXPECT_GE(title.top(), w->MSGrid1()->geometry().bottom());
    EXPECT_LT(std::abs(title.center().x() - statement.center().x()), 2);
  }
}

// The selection opens from the beginning (the entry that bounds nothing) to the
// first period for an account and to the login period for a book; a reversed
// range is said and opens nothing.
TEST_P(FrmYhdzCommandTest, TheSelectionRunsToTheLoginPeriodAndRefusesAReversedRange) {
  const platform::AccountingCalendar calendar = Session::Current().Common().GetCalendar();
  const int loginPeriod = Session::Current().Common().GetPeriodInfo().CurrentPeriod;
  ASSERT_GT(loginPeriod, 1);
  QString start, end;
  bool refused = false;
  session_.Modals().Then([&](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHKMXZ&>(d);
    QComboBox* first = BookMode() ? dialog.cmbStartDate() : dialog.Combo2();
    QComboBox* last = BookMode() ? dialog.cmbEndDate() : dialog.Combo3();
    start = first->currentText() + QLatin1Char('|') + platform::PeriodList::ChosenPeriodText(first);
    end = last->currentText();
    // The last period first and the first period last.
    first->setCurrentIndex(first->count() - 1);
    {
      const QSignalBlocker quiet(last);
      last->clear();
      last->addItem(calendar.GetPeriodText(0));
      last->setCurrentIndex(0);
    }
    dialog.Command1_Click();
    refused = dialog.result() != QDialog::Accepted;
  });
  host::ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
  EXPECT_EQ(start, GetResString(QStringLiteral("corvane.suite.period.nobound")) + QLatin1Char('|'));
  EXPECT_EQ(end, calendar.GetPeriodText(BookMode() ? loginPeriod - 1 : 0));
  EXPECT_TRUE(refused);
  EXPECT_EQ(session_.Messages().LastPrompt(), GetResString(QStringLiteral("corvane.select.reversed")));
  EXPECT_EQ(Session::Current().windows.Find<frmYHDZ>(), nullptr);
}

// Chosen from the beginning, the matching meets the opening items and the
// statement lines before the start date with their January partners, and the
// detailed statement lists none of them as outstanding.
TEST_P(FrmYhdzCommandTest, FromTheBeginningTheOpeningItemsMeetTheirPartners) {
  session_.Modals().Then(test::Choose(Code(), false, 0));
  host::ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
  frmYHDZ* w = Session::Current().windows.Find<frmYHDZ>();
  ASSERT_NE(w, nullptr);
  session_.Modals().Then(MatchAll(false));
  w->Toolbar1_ButtonClick(QStringLiteral("auto"));
  const QString owner = BookMode() ? QStringLiteral("cBookCode") : QStringLiteral("ccode");
  const QDate start = shared::GetStartDate(Code());
  // Amounts of the lines before the start that the matching ticked.
  const platform::ResultSet before = session_.Db().Query(
      QStringLiteral("select md+mc from %1 where %2=? and iperiod=21 and iflagbank>0 union all "
                     "select mmoney from %3 where %2=? and ibegin<>0 and ddate<? and iflag>0")
          .arg(JournalTable(), owner, StatementTable()),
      {Code(), Code(), start});
  // The demo's opening items the bank cleared in January, and the statement
  // line of December booked in January.
  ASSERT_EQ(before.rows.size(), BookMode() ? 2u : 3u);
  w->close();
  QApplication::processEvents();

  host::ExecuteMenu(QStringLiteral("RP0306"), {}, {}, {});
  auto* statement = Session::Current().windows.Find<balance::frmYETJB>();
  ASSERT_NE(statement, nullptr);
  for (int r = 1; r < statement->MSGrid1()->Rows(); ++r)
    if (statement->MSGrid1()->RowData(r).toString() == Code()) statement->MSGrid1()->SetCurrentCell(r, 0);
  balance::frmYETJB1(*statement).ShowDetailStatement();
  auto* detail = Session::Current().windows.Find<balance::frmYHDZCX1>();
  ASSERT_NE(detail, nullptr);
  const platform::SplitGrid& g = *detail->ZqgridSP1();
  for (const auto& row : before.rows)
    for (int r = 0; r < g.Rows(); ++r)
      for (int c = 0; c < g.Cols(); ++c) EXPECT_NE(g.TextMatrix(r, c), row[0].ToMoney().ToDisplayText()) << r << ',' << c;
}

INSTANTIATE_TEST_SUITE_P(Modes, FrmYhdzCommandTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "BookMode" : "AccountMode"; });

}  // namespace
}  // namespace corvane::reconcile
