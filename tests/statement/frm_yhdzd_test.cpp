#include "statement_fixture.h"

#include "support/user_typing.h"

namespace corvane::statement {
namespace {

class LoadTest : public StatementTest {};

// The balance runs from the opening balance over a line before the first shown
// period (hidden) and lines before the start date (2026-07-01); the account's
// direction turns it round, and a line without a direction counts as a credit.
TEST_P(LoadTest, BalanceRunsFromTheOpeningInTheAccountsDirection) {
  const struct {
    const char* name;
    bool debit;
    QStringList balances;
  } cases[] = {{"debit account", true, {"1,030.00", "1,000.00", "1,050.00", "1,010.00"}},
               {"credit account", false, {"970.00", "1,000.00", "950.00", "990.00"}}};
  AddLine(QDate(2025, 12, 15), true, 7);
  AddLine(QDate(2026, 6, 10), true, 100);
  AddLine(QDate(2026, 6, 20), false, 30);
  AddLine(QDate(2026, 7, 5), true, 50);
  Exec("update " + Table() + " set bd_c=null where i_id=?", {AddLine(QDate(2026, 7, 6), true, 40)});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetDirection(c.debit);
    frmYHDZD* w = Open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(Column(w, 6), c.balances);
    EXPECT_EQ(Column(w, 5), QStringList({"", "30.00", "", "40.00"}));
    CloseWindow(w);
  }
}

// Lines before the start date are protected, ticked lines marked; a tick stored
// as 0 is no tick. The window works on the book (in book mode) or account chosen.
TEST_P(LoadTest, StatesFollowTicksAndTheStartDateOfTheChosenBook) {
  Exec("update " + Table() + " set iflag=0 where i_id=?", {AddLine(QDate(2026, 6, 10), true, 1)});
  AddLine(QDate(2026, 6, 11), true, 2, 3);
  AddLine(QDate(2026, 7, 1), true, 3, 7);
  const qint64 id = AddLine(QDate(2026, 7, 2), false, 4);
  Exec("update " + Table() + " set iflag=0 where i_id=?", {AddLine(QDate(2026, 7, 3), false, 5)});
  frmYHDZD* w = Open();
  ASSERT_NE(w, nullptr);
  std::vector<int> states;
  for (int r = 1; r < w->MsGrid1()->Rows(); ++r) states.push_back(w->Editor().RowStateOf(r));
  EXPECT_EQ(states, std::vector<int>({shared::kRowProtected, shared::kRowProtectedMarked, shared::kRowTicked,
                                      shared::kRowOpen, shared::kRowOpen}));
  EXPECT_EQ(w->MsGrid1()->TextMatrix(4, 0), QStringLiteral("%1").arg(id, 6, 10, QLatin1Char('0')));
  EXPECT_EQ(w->MsGrid1()->RowData(4).toLongLong(), id);
  EXPECT_FALSE(w->MsGrid1()->IsCellEditable(1, 3));
  EXPECT_TRUE(w->MsGrid1()->IsCellEditable(4, 3));
  EXPECT_EQ(w->Context().LineKey(), Key());
  EXPECT_EQ(w->CurYHKM, "100204");
  EXPECT_EQ(w->Context().bookMode, Book());
  EXPECT_EQ(w->strBookCode, Book() ? QString("YH004") : QString());
  EXPECT_EQ(w->lblBook()->isVisibleTo(w), Book());
  EXPECT_EQ(w->Toolbar()->IsButtonVisible(QStringLiteral("import1")), Book());
  if (Book()) return;
  w->Toolbar1_ButtonClick(QStringLiteral("import1"));  // no internet banking for an account
  EXPECT_EQ(session_.Modals().Count(), 1);             // only the selection
}

// A stored line at the largest amount there is: the window still opens on every
// line, shows no balance from where it leaves the range, and names that line.
TEST_P(LoadTest, ABalanceBeyondTheRangeIsLeftEmptyAndItsLineNamed) {
  const struct {
    const char* name;
    QDate date;  // of the line at the largest amount
    bool debit;
    QStringList balances;
  } cases[] = {{"Shown", QDate(2026, 7, 6), true, {"1,050.00", "", ""}},
               {"BeforeTheStartDate", QDate(2025, 12, 15), false, {"", ""}}};
  AddLine(QDate(2026, 7, 5), true, 50);
  AddLine(QDate(2026, 7, 7), true, 1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const qint64 id = AddLine(c.date, c.debit, 1);
    Exec("update " + Table() + " set mmoney=? where i_id=?", {Money::Max(), id});
    frmYHDZD* w = Open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(Column(w, 6), c.balances);
    const QString line = QStringLiteral("%1  %2  %3").arg(QString::number(id).rightJustified(6, QLatin1Char('0')),
                                                          c.date.toString("yyyy.MM.dd"), Money::Max().ToDisplayText());
    EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(QStringLiteral("corvane.statement.balancefault"), line));
    CloseWindow(w);
    Exec("delete from " + Table() + " where i_id=?", {id});
  }
}

// Each line joins the grid as it is read: at every pause of the load the lines
// read before it are there already, and Label3 names the line being read with its
// settlement number in four digits.
TEST_P(LoadTest, LinesAppearAsTheyAreRead) {
  const struct {
    const char* number;
    const char* shown;  // in Label3
  } lines[] = {{"12", "0012"}, {"A-7", "A-7"}, {"", ""}, {"12345", "12345"}};
  // The third line is ticked: its row joins a grid that has rows already.
  for (int i = 0; i < 4; ++i)
    AddLine(QDate(2026, 7, 5 + i), true, 10 + i, i == 2 ? 3 : 0, QString::fromLatin1(lines[i].number));
  frmYHDZD* w = Open();
  ASSERT_NE(w, nullptr);
  frmYHDZD::SetPumpInterval(0);
  QStringList seen, want;
  QTimer pause;
  QObject::connect(&pause, &QTimer::timeout, [&] {
    if (w->IsLoading()) seen << QStringLiteral("%1 rows, %2").arg(w->MsGrid1()->Rows() - 1).arg(w->Label3()->text());
  });
  pause.start(0);
  w->Reload();
  pause.stop();
  frmYHDZD::SetPumpInterval(100);
  // The last pause is the load's end: every line is shown, the last one still named.
  for (int i = 0; i < 5; ++i)
    want << QStringLiteral("%1 rows, %2").arg(i).arg(shared::GetResString(
                QStringLiteral("Q9.GL.ZWSQL.CASHBANK.loading"), QDate(2026, 7, 5 + std::min(i, 3)).toString(Qt::ISODate),
                QStringLiteral(" - ") + QString::fromLatin1(lines[std::min(i, 3)].shown)));
  EXPECT_EQ(seen, want);
  EXPECT_EQ(Column(w, 6), QStringList({"1,010.00", "1,021.00", "1,033.00", "1,046.00"}));
  std::vector<int> states;
  for (int r = 1; r < w->MsGrid1()->Rows(); ++r) states.push_back(w->Editor().RowStateOf(r));
  EXPECT_EQ(states, std::vector<int>({shared::kRowOpen, shared::kRowOpen, shared::kRowTicked, shared::kRowOpen}));
  for (int r = 1; r < w->MsGrid1()->Rows(); ++r) {
    ASSERT_TRUE(w->Editor().IsSaved(r));
    EXPECT_EQ(w->MsGrid1()->TextMatrix(r, 0), QString::number(std::get<qint64>(w->Editor().Key(r))).rightJustified(6, '0'));
  }
  EXPECT_EQ(w->MsGrid1()->Row(), 1);
}

// A line another program left unreadable (text in its amount or a date of no
// calendar day on SQLite, an amount beyond the range of amounts or an endless date on PostgreSQL):
// the lines read before it stay in the grid with their balances, the window stays usable, and the user is told
// which line (the one after the last line read) in the session's language.
TEST_P(LoadTest, ALineThatCannotBeReadKeepsTheLinesReadBeforeIt) {
  const struct {
    const char* name;
    int bad;  // the unreadable line, in date order
    QStringList balances;
    const char* date = nullptr;  // stored as its date instead of text in its amount
  } cases[] = {
      {"NinthLine", 9, {"1,001.00", "1,003.00", "1,006.00", "1,010.00", "1,015.00", "1,021.00", "1,028.00", "1,036.00"}},
      {"SecondLine", 2, {"1,001.00"}},
      {"FirstLine", 1, {}},
      // Sorted as its text, after the 14th, where the tenth line was.
      {"TenthLineDatedTheThirtySecond", 10,
       {"1,001.00", "1,003.00", "1,006.00", "1,010.00", "1,015.00", "1,021.00", "1,028.00", "1,036.00", "1,045.00"},
       "2026-07-32"},
      {"TenthLineDatedEndlessly", 10,
       {"1,001.00", "1,003.00", "1,006.00", "1,010.00", "1,015.00", "1,021.00", "1,028.00", "1,036.00", "1,045.00"},
       "infinity"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Exec("delete from " + Table() + " where " + KeyColumn() + "=? and ibegin=2", {Key()});
    std::vector<qint64> ids;
    for (int i = 1; i <= 10; ++i) ids.push_back(AddLine(QDate(2026, 7, 4 + i), true, i));
    const qint64 bad = ids[c.bad - 1];
    if (c.date) {
      if (session_.Database().IsPostgres() != (qstrcmp(c.date, "infinity") == 0)) continue;  // PostgreSQL: endless only
      session_.Database().StoreDateText(Table(), QStringLiteral("ddate"), QStringLiteral("i_id=?"), {bad}, c.date);
    } else if (session_.Database().IsPostgres()) {
      Exec("update " + Table() + " set mmoney=cast(? as numeric) where i_id=?", {QStringLiteral("999999999999999"), bad});
    } else {
      Exec("pragma ignore_check_constraints=1");
      Exec("update " + Table() + " set mmoney=? where i_id=?", {QStringLiteral("12,50"), bad});
      Exec("pragma ignore_check_constraints=0");
    }
    session_.Messages().Clear();
    frmYHDZD* w = Open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(Column(w, 6), c.balances);
    // Named as the line after the last one read, or as the first line.
    const QString before = c.bad == 1 ? QString()
                                      : QStringLiteral("%1  2026.07.%2  %3.00")
                                            .arg(QString::number(ids[c.bad - 2]).rightJustified(6, QLatin1Char('0')))
                                            .arg(3 + c.bad, 2, 10, QLatin1Char('0'))
                                            .arg(c.bad - 1);
    EXPECT_EQ(Prompts(), QStringList{c.bad == 1 ? shared::GetResString(QStringLiteral("corvane.statement.unreadablefirst"))
                                                : shared::GetResString(QStringLiteral("corvane.statement.unreadable"), before)});
    EXPECT_TRUE(Prompts().value(0).contains(QStringLiteral("无法读出")));
    EXPECT_EQ(session_.Messages().Shown().at(0).buttons, 16);
    EXPECT_TRUE(w->Label3()->text().isEmpty());
    EXPECT_TRUE(w->Toolbar()->IsButtonEnabled(QStringLiteral("add")));
    CloseWindow(w);
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, LoadTest, ::testing::Bool(), ModeName);

// --- Cell and row checks --------------------------------------------------------

class CellCheck : public StatementTest {};

// What each cell of a line (date 2026.07.05, debit 50) keeps of what is typed,
// and the message a refusal shows.
TEST_P(CellCheck, EveryCellKind) {
  const struct {
    const char* name;
    int col;
    QString typed;
    bool kept;
    QString cell;          // afterwards
    QString message;       // resource key shown, or empty
    QStringList args = {};  // of the message
    QString named = {};     // a refused amount as the message names it, when not as typed
  } cases[] = {
      {"DateOnStart", 1, "2026-07-01", true, "2026.07.01", ""},
      {"DateBeforeStart", 1, "2026.06.30", false, "2026.07.05", "Q9.GL.ZWSQL.CASHBANK.00656"},
      {"DateLastOfEndPeriod", 1, "2026.12.31", true, "2026.12.31", ""},
      {"DateAfterEndPeriod", 1, "2027.01.01", false, "2026.07.05", "Q9.GL.ZWSQL.CASHBANK.00658"},
      {"DateEmpty", 1, "  ", false, "2026.07.05", "Q9.GL.ZWSQL.CASHBANK.00652"},
      {"StyleCode", 2, "201", true, "201", ""},
      {"StyleFromList", 2, "202 转账支票", true, "202", ""},
      {"StyleCutToThreeBytes", 2, "2019", true, "201", ""},
      {"StyleKnownWholeThoughItsCutIsNot", 2, "7001", true, "7001", ""},
      {"StyleKnownFromList", 2, "7001 代收", true, "7001", ""},
      {"StyleUnknown", 2, "999", false, "", "Q9.GL.ZWSQL.CASHBANK.baltypeerr"},
      {"StyleUnknownWholeAndCut", 2, "7002", false, "", "Q9.GL.ZWSQL.CASHBANK.baltypeerr"},
      {"StyleUnknownWithAName", 2, "7002 代付", false, "", "Q9.GL.ZWSQL.CASHBANK.baltypeerr"},
      {"StyleEmpty", 2, "", true, "", ""},
      {"NumberFifteenChineseAreThirtyBytes", 3, QString(15, QChar(0x7968)), true, QString(15, QChar(0x7968)), ""},
      {"NumberSixteenChineseAreThirtyTwoBytes", 3, QString(16, QChar(0x7968)), false, "", "corvane.grid.toolong",
       {shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00026")), "30", "32"}},
      {"AmountFormatted", 4, "1234.5", true, "1,234.50", ""},
      {"AmountWithLetters", 4, "12abc", false, "50.00", "corvane.statement.badamount"},
      {"AmountZeroIsEmpty", 5, "0.00", true, "", ""},
      {"AmountBeyondWhatSumsHold", 4, "10000000000", false, "50.00", "corvane.grid.amounttoolarge",
       {"9,999,999,999.99"}, "10,000,000,000.00"},
      {"AmountLargestOneLineCarries", 5, "9999999999.99", true, "9,999,999,999.99", ""},
      {"AmountJustPastTheLimit", 5, "9,999,999,999.995", false, "", "corvane.grid.amounttoolarge",
       {"9,999,999,999.99"}, "10,000,000,000.00"},
      {"AmountBeyondAsCalculatorWouldShow", 5, "10000000000000000", false, "", "corvane.statement.badamount"},
      {"AmountBeyondNegative", 4, "-10000000000", false, "50.00", "corvane.statement.badamount", {},
       "-10,000,000,000.00"},
      {"AmountExponent", 4, "1e+17", false, "50.00", "corvane.statement.badamount"},
      {"AmountInfinity", 5, "inf", false, "", "corvane.statement.badamount"},
      {"AmountNotANumber", 4, "nan", false, "50.00", "corvane.statement.badamount"},
      {"AmountCalculatorError", 4, "E", false, "50.00", "corvane.statement.badamount"},
  };
  Exec("insert into settlestyle (cSSCode, cSSName) values ('7001', '代收')");
  AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    session_.Messages().Clear();
    EXPECT_EQ(Type(w->MsGrid1(), 1, c.col, c.typed), c.kept);
    EXPECT_EQ(w->MsGrid1()->TextMatrix(1, c.col), c.cell);
    EXPECT_EQ(session_.Messages().Count(), c.message.isEmpty() ? 0 : 1);
    if (!c.message.isEmpty()) {
      QString prompt = shared::GetResStringWith(c.message, c.args.isEmpty() ? nullptr : &c.args);
      // A refused amount is named.
      if (c.col == 4 || c.col == 5)
        prompt = shared::GetResString(QStringLiteral("corvane.grid.amountrefused"), c.named.isEmpty() ? c.typed : c.named, prompt);
      EXPECT_EQ(session_.Messages().LastPrompt(), prompt);
    }
    w->Editor().DiscardCurrentRow();
  }
}

TEST_P(CellCheck, TypingOneAmountEmptiesTheOther) {
  AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  platform::EntryGrid* g = w->MsGrid1();
  ASSERT_TRUE(g->StartEdit(1, 5));
  QTest::keyClick(g->ActiveEditor(), Qt::Key_7);
  EXPECT_EQ(g->TextMatrix(1, 4), "");
  ASSERT_TRUE(g->CommitEdit());
  EXPECT_EQ(g->TextMatrix(1, 5), "7.00");
}

TEST_P(CellCheck, ARowHasADebitOrACreditButNotBothNorNeither) {
  const struct {
    const char* name;
    QString debit, credit;
    bool saved;
    int col;  // where the cursor goes when refused
  } cases[] = {{"Debit", "5.00", "", true, 0},
               {"Credit", "", "5.00", true, 0},
               {"Neither", "", "", false, 4},
               {"BothZero", "0.00", "0.00", false, 4},
               {"Both", "5.00", "6.00", false, 5}};
  frmYHDZD* w = Open();
  platform::EntryGrid* g = w->MsGrid1();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    w->AddRow();
    const int row = g->Rows() - 1;
    ASSERT_TRUE(Type(g, row, 1, "2026.08.01"));
    g->SetTextMatrix(row, 4, c.debit);
    g->SetTextMatrix(row, 5, c.credit);
    g->SetRowDirty(row, true);
    session_.Messages().Answer(7);  // the discard question: stay
    w->rSave();
    EXPECT_EQ(w->Editor().IsSaved(row), c.saved);
    if (!c.saved) {
      EXPECT_EQ(g->Col(), c.col);
      w->Editor().DiscardCurrentRow();
    }
  }
  EXPECT_EQ(Lines(), 2);
}

// A date before the start date is refused; however the user ended its edit, the
// date typed again goes into the date cell and is refused again, and the
// settlement style next to it (whose codes begin like dates: "202") stays empty.
TEST_P(CellCheck, ARefusedCellKeepsTheCursorForWhatIsTypedNext) {
  const struct {
    const char* name;
    Qt::Key end;
    Qt::KeyboardModifiers modifiers;
  } cases[] = {{"Enter", Qt::Key_Return, Qt::NoModifier},
               {"Tab", Qt::Key_Tab, Qt::NoModifier},
               {"ShiftTab", Qt::Key_Backtab, Qt::ShiftModifier}};
  AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  platform::EntryGrid* g = w->MsGrid1();
  ASSERT_TRUE(testing::ShowActive(*w));
  const QString refused = shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00656"));
  const auto rowTexts = [&] { return w->Editor().RowTexts(1).mid(1, 5); };
  const QStringList before = rowTexts();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    session_.Messages().Clear();
    g->SetCurrentCell(1, 1);
    g->setFocus();
    ASSERT_TRUE(testing::TypeAsUser(QStringLiteral("2026.02.28"), c.end, c.modifiers));
    QCoreApplication::processEvents();
    EXPECT_EQ((std::pair{g->Row(), g->Col()}), (std::pair{1, 1}));
    ASSERT_TRUE(testing::TypeAsUser(QStringLiteral("2026.02.28")));
    EXPECT_EQ(Prompts(), QStringList({refused, refused}));
    EXPECT_EQ(rowTexts(), before);
    EXPECT_FALSE(g->IsRowDirty(1));
  }
}

// A style typed key by key and ended with Tab is kept as typed when the suite knows
// it ("2", though "201" begins with it) and refused when not, never completed.
TEST_P(CellCheck, ATypedStyleIsKeptAsTypedOrRefused) {
  const QString unknown = shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.baltypeerr"));
  const struct { const char* typed; QString stored; QStringList prompts; } cases[] = {{"20", "", {unknown}}, {"2", "2", {}}};
  const qint64 id = AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  ASSERT_TRUE(testing::ShowActive(*w));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    session_.Messages().Clear();
    w->MsGrid1()->SetCurrentCell(1, 2);
    w->MsGrid1()->setFocus();
    ASSERT_TRUE(testing::TypeAsUser(QString::fromLatin1(c.typed), Qt::Key_Tab));
    QCoreApplication::processEvents();
    EXPECT_EQ(Prompts(), c.prompts);
    c.prompts.isEmpty() ? w->rSave() : w->Editor().DiscardCurrentRow();
    EXPECT_EQ(Db().QueryValue("select coalesce(csettle, '') from " + Table() + " where i_id=?", {id}).ToString(), c.stored);
  }
}

// After a refusal of the cell or row check, and after the toolbar's Add, the
// keyboard is on the grid at the cell named, so what the user types next goes
// there. Each case types into cells of a new row (the date 2026.07.05 carried
// over), leaving the last edit open, then clicks a toolbar button (none: presses
// Down); every box gets its default answer: OK, and "stay" to the discard question.
// However the last cell was left, a line keyed is stored before Add or Exit.
TEST_P(CellCheck, TypingAfterARefusalOrAToolbarAddGoesToTheCellNamed) {
  const QString discard = QStringLiteral("corvane.grid.discardrow");
  const QString noAmount = QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00090");
  const struct {
    const char* name;
    std::vector<std::pair<int, QString>> typed;  // cell and keys, before the button
    const char* button;
    QStringList shown;  // message keys
    int named;          // the column of the last row the next keys go to
    QString next, kept;
  } cases[] = {
      {"Add", {}, "add", {}, 1, "2026.08.03", "2026.08.03"},
      {"SaveWithoutAmount", {{3, "17"}}, "save", {noAmount, discard}, 4, "75", "75.00"},
      {"SaveADateBeforeTheStart", {{1, "2026.06.30"}}, "save", {"Q9.GL.ZWSQL.CASHBANK.00656", discard}, 1,
       "2026.08.04", "2026.08.04"},
      {"SaveAnUnknownStyle", {{2, "999"}}, "save", {"Q9.GL.ZWSQL.CASHBANK.baltypeerr", discard}, 2, "201", "201"},
      // Add keeps the number first; the row cannot be kept, and staying leaves the cursor at the debit.
      {"AddOnARowWithoutAmount", {{3, "17"}, {5, ""}}, "add", {noAmount, discard}, 4, "75", "75.00"},
      {"DownWithoutAmount", {{3, "17"}}, nullptr, {noAmount}, 4, "75", "75.00"},
      {"AddAfterEnterAndEsc", {{4, "10\r\x1b"}}, "add", {}, 1, "2026.08.03", "2026.08.03"},
      {"AddWithTheNextEditorOpen", {{4, "10\r"}}, "add", {}, 1, "2026.08.03", "2026.08.03"},
      {"ExitAfterTabAndEsc", {{4, "10\t\x1b"}}, "exit", {}, 0, "", ""},
  };
  AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  ASSERT_NE(w, nullptr);
  platform::EntryGrid* g = w->MsGrid1();
  ASSERT_TRUE(testing::ShowActive(*w));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.typed.empty()) w->AddRow();
    for (size_t i = 0; i < c.typed.size(); ++i) {
      g->SetCurrentCell(g->Rows() - 1, c.typed[i].first);
      g->setFocus();
      ASSERT_TRUE(i + 1 < c.typed.size() ? testing::TypeAsUser(c.typed[i].second) : testing::TypeKeys(c.typed[i].second));
    }
    session_.Messages().Clear();
    if (c.button) {
      ASSERT_TRUE(testing::ClickToolButton(*w->Toolbar(), QString::fromLatin1(c.button)));
    } else {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
      QCoreApplication::processEvents();
    }
    QStringList shown;
    for (const QString& key : c.shown) shown << shared::GetResString(key);
    EXPECT_EQ(Prompts(), shown);
    if (!qstrcmp(c.button, "exit")) break;  // the last case
    const int row = g->Rows() - 1;
    EXPECT_EQ((std::pair{g->Row(), g->Col()}), (std::pair{row, c.named}));
    ASSERT_TRUE(testing::TypeAsUser(c.next));
    EXPECT_EQ(g->TextMatrix(row, c.named), c.kept);
    if (g->IsEditing()) g->CancelEdit();
    w->Editor().DiscardCurrentRow();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(shared::Session::Current().windows.Find<frmYHDZD>(), nullptr);
  EXPECT_EQ(Count("select count(*) from " + Table() + " where " + KeyColumn() + "=? and mmoney=?", {Key(), Money::FromCents(1000)}), 3);
}

INSTANTIATE_TEST_SUITE_P(Modes, CellCheck, ::testing::Bool(), ModeName);

// --- Saving -----------------------------------------------------------------------

class SaveTest : public StatementTest {};

TEST_P(SaveTest, ANewRowIsInsertedReadBackAndUpdatedAfterwards) {
  AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  platform::EntryGrid* g = w->MsGrid1();
  w->Toolbar1_ButtonClick(QStringLiteral("add"));
  EXPECT_EQ(g->TextMatrix(2, 1), "2026.07.05");  // the date of the line above
  ASSERT_TRUE(Type(g, 2, 3, "X-1"));
  ASSERT_TRUE(Type(g, 2, 5, "20", true));
  w->Toolbar1_ButtonClick(QStringLiteral("save"));
  ASSERT_TRUE(w->Editor().IsSaved(2));
  const qint64 id = std::get<qint64>(w->Editor().Key(2));
  EXPECT_EQ(g->TextMatrix(2, 6), "1,030.00");
  const platform::ResultSet r = Db().Query(
      "select ccode, cBookCode, ddate, cn_id, bd_c, mmoney, mbalance, ibegin, bdelete, iflag from " + Table() +
          " where i_id=?",
      {id});
  ASSERT_EQ(r.rows.size(), 1u);
  const std::vector<platform::DbValue>& v = r.rows[0];
  const auto text = [](const platform::DbValue& d) { return d.IsNull() ? QStringLiteral("null") : d.ToString(); };
  EXPECT_EQ(QStringList({text(v[0]), text(v[1]), v[2].ToDate().toString(Qt::ISODate), text(v[3]),
                         QString::number(v[4].ToInt()), v[5].ToMoney().ToPlainText(), v[6].ToMoney().ToPlainText(),
                         QString::number(v[7].ToInt()), QString::number(v[8].ToInt()), text(v[9])}),
            QStringList({"100204", Book() ? "YH004" : "null", "2026-07-05", "X-1", "0", "20.0000", "0.0000", "2", "0",
                         "null"}));

  // The next save of the row changes the same line.
  ASSERT_TRUE(Type(g, 2, 4, "80", true));
  w->rSave();
  EXPECT_EQ(Lines(), 2);
  EXPECT_EQ(Db().QueryValue("select bd_c from " + Table() + " where i_id=?", {id}).ToInt(), 1);
  EXPECT_EQ(g->TextMatrix(2, 6), "1,130.00");
}

TEST_P(SaveTest, ALineDeletedElsewhereIsReportedAndNotWritten) {
  const qint64 id = AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  Exec("delete from " + Table() + " where i_id=?", {id});
  ASSERT_TRUE(Type(w->MsGrid1(), 1, 4, "60"));
  w->rSave();
  EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.checkindexerr"), id));
  EXPECT_EQ(Count("select count(*) from " + Table() + " where i_id=?", {id}), 0);
}

TEST_P(SaveTest, ADatabaseFailureKeepsTheRowAndShowsIt) {
  AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  ASSERT_TRUE(Type(w->MsGrid1(), 1, 4, "60"));
  Exec("drop table " + Table());
  session_.Messages().Answer(1);  // the failure
  session_.Messages().Answer(7);  // stay on the row
  w->rSave();
  EXPECT_EQ(session_.Messages().Shown().at(0).buttons, 16);
  EXPECT_TRUE(w->MsGrid1()->IsRowDirty(1));
  EXPECT_EQ(w->MsGrid1()->Row(), 1);
}

// What the window works on is fixed when it opens; the shared parameters may
// change meanwhile. A saved change recomputes the balances from the changed row
// down, from the same brought-forward balance.
TEST_P(SaveTest, AReloadKeepsTheAccountBookAndRangeOfTheOpening) {
  AddLine(QDate(2025, 12, 15), true, 7);
  AddLine(QDate(2026, 7, 5), true, 50);
  AddLine(QDate(2026, 7, 6), false, 5);
  frmYHDZD* w = Open();
  platform::ParamObject& param = shared::Session::Current().Common().GetParamObject();
  param.Value1 = QStringLiteral("100201");
  param.Value2 = QStringLiteral("2025.12");
  param.Value4 = QStringLiteral("YH001");
  w->Reload();
  EXPECT_EQ(w->Context().LineKey(), Key());
  EXPECT_EQ(Column(w, 6), QStringList({"1,050.00", "1,045.00"}));
  ASSERT_TRUE(Type(w->MsGrid1(), 1, 4, "60", true));
  w->rSave();
  EXPECT_EQ(Column(w, 6), QStringList({"1,060.00", "1,055.00"}));
}

// A line saved with a changed amount keeps the settlement style its check passed:
// a code the suite knows whole, else the first 3 bytes; the cell then shows it.
TEST_P(SaveTest, AStyleIsStoredAsTheCodeItsCheckPassed) {
  Exec("insert into settlestyle (cSSCode, cSSName) values ('2019', '到期票据')");
  const struct {
    const char* name;
    platform::DbValue loaded;
    QString stored;  // "null" for NULL
  } cases[] = {{"Code", QStringLiteral("201"), "201"},
               {"KnownLongerCode", QStringLiteral("2019"), "2019"},
               {"UnknownLongerStyle", QStringLiteral("2021"), "202"},
               {"CodeAndName", QStringLiteral("202 转账支票"), "202"},
               {"None", platform::DbValue(), "null"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const qint64 id = AddLine(QDate(2026, 7, 5), true, 50);
    Exec("update " + Table() + " set csettle=? where i_id=?", {c.loaded, id});
    frmYHDZD* w = Open();
    ASSERT_TRUE(Type(w->MsGrid1(), 1, 4, "60", true));
    w->rSave();
    EXPECT_FALSE(w->MsGrid1()->IsRowDirty(1));
    const platform::ResultSet r = Db().Query("select csettle, mmoney from " + Table() + " where i_id=?", {id});
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0][0].IsNull() ? QStringLiteral("null") : r.rows[0][0].ToString(), c.stored);
    EXPECT_EQ(w->MsGrid1()->TextMatrix(1, 2), c.stored == "null" ? QString() : c.stored);
    EXPECT_EQ(r.rows[0][1].ToMoney(), Money::FromCents(6000));
    CloseWindow(w);
    Exec("delete from " + Table() + " where i_id=?", {id});
  }
}

// Another session ticks or clears the line after the window loaded it: the save
// is refused with "00112", the line keeps what it had, and the row stays changed
// at the cursor for the user to decide.
TEST_P(SaveTest, ALineTickedOrClearedMeanwhileIsNotChanged) {
  const struct {
    const char* name;
    const char* meanwhile;
  } cases[] = {{"TickedByMatching", "iflag=3"}, {"TickedByHand", "iflag=15"}, {"Cleared", "iflag=3, bdelete=1"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const qint64 id = AddLine(QDate(2026, 7, 5), true, 50);
    frmYHDZD* w = Open();
    Exec("update " + Table() + " set " + QString::fromLatin1(c.meanwhile) + " where i_id=?", {id});
    ASSERT_TRUE(Type(w->MsGrid1(), 1, 4, "60", true));
    session_.Messages().Clear();
    session_.Messages().Answer(1);  // the refusal
    session_.Messages().Answer(7);  // stay on the row
    w->rSave();
    EXPECT_EQ(Prompts().value(0), shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00112")));
    EXPECT_EQ(Db().QueryValue("select mmoney from " + Table() + " where i_id=?", {id}).ToMoney(), Money::FromCents(5000));
    EXPECT_TRUE(w->MsGrid1()->IsRowDirty(1));
    EXPECT_EQ(w->MsGrid1()->Row(), 1);
    w->Editor().DiscardCurrentRow();
    CloseWindow(w);
    Exec("delete from " + Table() + " where i_id=?", {id});
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, SaveTest, ::testing::Bool(), ModeName);

// The window while its lines load: it pauses at every line here, and each case
// acts at the first pause.
struct LoadingCase {
  const char* name;
  std::function<void(frmYHDZD*)> act;
  bool bookOnly;
  int pauses;       // pauses the load makes (the last one ends it)
  bool closes;      // the window is gone afterwards, its account given back
  int importsShown; // the bank feed's dialog opened after the load stopped
};

class LoadingTest : public StatementTest {};

TEST_P(LoadingTest, TheWindowAnswersWhileItsLinesLoad) {
  const auto click = [](const char* key) {
    return [key](frmYHDZD* w) { w->Toolbar()->Click(QString::fromLatin1(key)); };
  };
  const LoadingCase cases[] = {
      {"NothingDone", [](frmYHDZD*) {}, false, 5, false, 0},
      {"CloseBoxStopsAfterTheLine", [](frmYHDZD* w) { w->close(); }, false, 1, true, 0},
      {"ExitStopsAfterTheLine", click("exit"), false, 1, true, 0},
      {"HelpOpensAndTheLoadGoesOn", click("help"), false, 5, false, 0},
      {"FilterWaitsForTheEnd", click("filt"), false, 5, false, 0},
      // A key typed while the lines load would otherwise start an edit of the cell.
      {"GridKeysAreDropped",
       [](frmYHDZD* w) {
         w->MsGrid1()->SetCurrentCell(1, 3);
         QCoreApplication::postEvent(w->MsGrid1()->View(), new QKeyEvent(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, "7"));
         QCoreApplication::postEvent(w->MsGrid1()->View(), new QKeyEvent(QEvent::KeyPress, Qt::Key_I, Qt::ControlModifier));
       },
       false, 5, false, 0},
      {"BankFeedStopsTheLoadAndOpens", click("import1"), true, 1, false, 1},
  };
  for (int i = 0; i < 4; ++i) AddLine(QDate(2026, 7, 5 + i), true, 10 + i);
  QStringList pages;
  shared::SetHelpPageOpener([&pages](const QString& page) { pages << page; });
  frmYHDZD::SetPumpInterval(0);
  for (const LoadingCase& c : cases) {
    if (c.bookOnly && !Book()) continue;
    SCOPED_TRACE(c.name);
    pages.clear();
    QPointer<frmYHDZD> w = Open();
    ASSERT_NE(w, nullptr);
    const int modalsBefore = session_.Modals().Count();
    int pauses = 0;
    QString progress;
    QTimer pause;
    QObject::connect(&pause, &QTimer::timeout, [&] {
      if (!w || !w->IsLoading()) return;
      if (++pauses > 1) return;
      progress = w->Label3()->text();
      c.act(w);
    });
    pause.start(0);
    w->Reload();
    pause.stop();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(pauses, c.pauses);
    EXPECT_TRUE(progress.contains(QStringLiteral("2026-07-05"))) << progress.toStdString();
    EXPECT_EQ(w.isNull(), c.closes);
    EXPECT_EQ(OtherSessionCanLock("100204", Book() ? "GL040701" : "GL040702"), c.closes);
    EXPECT_EQ(session_.Modals().Count() - modalsBefore, c.importsShown);
    EXPECT_EQ(pages, QString::fromLatin1(c.name).startsWith("Help") ? QStringList{"RP0304"} : QStringList{});
    if (!w) continue;
    EXPECT_FALSE(w->MsGrid1()->IsEditing());
    EXPECT_EQ(w->MsGrid1()->Rows(), 5);
    EXPECT_TRUE(w->Label3()->text().isEmpty());
    EXPECT_TRUE(w->Toolbar()->IsButtonEnabled(QStringLiteral("filt")));
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  frmYHDZD::SetPumpInterval(100);
  shared::SetHelpPageOpener(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Modes, LoadingTest, ::testing::Bool(), ModeName);

}  // namespace
}  // namespace corvane::statement
