#include "shared/grid_editor.h"

#include "platform/controls/entry_grid.h"
#include "scripted_dialogs.h"
#include "support/fake_session.h"
#include "support/user_typing.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <stdexcept>

namespace corvane::shared {
namespace {

using platform::ColumnKind;
using platform::Money;

// A window that refuses what it is told to and records what it was asked.
class FakeHost : public GridEditorHost {
 public:
  int refuseCol = -1;        // ValidateCell refuses this column
  QString rewrite;           // ValidateCell rewrites column 1 to this, when set
  bool refuseRow = false;    // ValidateRow refuses, naming column 4
  enum { Save, Throw, Decline } save = Save;
  std::vector<int> saved;

  bool ValidateCell(int row, int col, QString& text) override {
    if (col == refuseCol) return false;
    if (col == 1 && !rewrite.isEmpty()) text = rewrite;
    return true;
  }
  bool ValidateRow(int row, int& col) override {
    if (!refuseRow) return true;
    col = 4;
    return false;
  }
  bool SaveRow(int row) override {
    if (save == Throw) throw std::runtime_error("disk full");
    if (save == Decline) return false;
    saved.push_back(row);
    return true;
  }
};

// Bytes counted as the suite's Chinese encoding counts them.
class ByteCountingServices : public testing::FakeCommonServices {
 public:
  int GetByteLength(const QString& t) override {
    int n = 0;
    for (QChar ch : t) n += ch.unicode() < 0x80 ? 1 : 2;
    return n;
  }
};

struct FakesInstalled {
  FakesInstalled() { testing::InstallFakeServices<ByteCountingServices, testing::FakeCashServices>(); }
  ~FakesInstalled() { testing::RemoveFakeServices(); }
};

class GridEditorTest : public ::testing::Test {
 protected:
  GridEditorTest() : editor(&grid, &host) {
    editor.SetColumns({{"ID", 0, Qt::AlignLeft, ColumnKind::ReadOnly, 0, true},
                       {"date", 1330, Qt::AlignLeft, ColumnKind::Date, 10},
                       {"style", 2000, Qt::AlignLeft, ColumnKind::Text, 20},
                       {"number", 1000, Qt::AlignLeft, ColumnKind::Text, 30},
                       {"debit", 2000, Qt::AlignRight, ColumnKind::Amount, 16},
                       {"balance", 2000, Qt::AlignRight, ColumnKind::ReadOnly}});
    editor.AppendRow({"000001", "2024.01.05", "01", "A1", "10.00", ""}, GridRowKey{qint64{1}});
    editor.AppendRow({"000002", "2024.01.06", "02", "A2", "20.00", ""}, GridRowKey{qint64{2}});
    grid.resize(800, 300);
    grid.show();
    grid.SetCurrentCell(1, 1);
  }

  // Types a text into a cell and presses Enter; false when the grid refused it.
  bool Type(int row, int col, const QString& text) {
    if (!grid.StartEdit(row, col)) return false;
    auto* line = qobject_cast<QLineEdit*>(grid.ActiveEditor());
    if (!line) return false;
    line->setText(text);
    return grid.CommitEdit();
  }

  FakesInstalled fakes;
  testing::ScriptedMessages messages;
  platform::EntryGrid grid;
  FakeHost host;
  GridEditor editor;
};

// What reaches a cell typed key by key, committed by an input method in one
// piece, or pasted: trimmed, held to the column's byte limit, then the window's
// to rewrite or refuse. A paste too long for its column is refused with a message.
struct TypedCase {
  const char* name;
  int col;
  QString text;
  enum { Keys, InputMethod, Paste } how;
  QString cell;          // the cell afterwards
  QString message = "";  // the prompt shown, or empty
  bool kept = true;
  int refuseCol = -1;    // the window refuses this column
  QString rewrite = "";  // the window rewrites column 1 to this
};

class TypeIntoCell : public GridEditorTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypeIntoCell, KeepsWhatTheColumnHolds) {
  const TypedCase& c = GetParam();
  host.refuseCol = c.refuseCol;
  host.rewrite = c.rewrite;
  ASSERT_TRUE(grid.StartEdit(1, c.col));
  auto* line = qobject_cast<QLineEdit*>(grid.ActiveEditor());
  ASSERT_NE(line, nullptr);
  line->clear();
  if (c.how == TypedCase::Paste) line->setText(c.text);
  if (c.how == TypedCase::Keys)
    for (QChar ch : c.text) QTest::sendKeyEvent(QTest::Click, line, Qt::Key_unknown, QString(ch), Qt::NoModifier);
  if (c.how == TypedCase::InputMethod) {
    QInputMethodEvent commit;
    commit.setCommitString(c.text);
    QCoreApplication::sendEvent(line, &commit);
  }
  EXPECT_EQ(grid.CommitEdit(), c.kept);
  EXPECT_EQ(grid.TextMatrix(1, c.col), c.cell);
  EXPECT_EQ(messages.LastPrompt(), c.message);
}

const QString kTenChinese = QString::fromUtf8("现金支票现金支票现金");

INSTANTIATE_TEST_SUITE_P(
    Cases, TypeIntoCell,
    ::testing::Values(
        TypedCase{"Trimmed", 3, "  B7  ", TypedCase::Paste, "B7"},
        TypedCase{"TwentyAsciiBytesFit", 2, "12345678901234567890", TypedCase::Paste, "12345678901234567890"},
        TypedCase{"TwentyOneBytesRefused", 2, "123456789012345678901", TypedCase::Paste, "01",
                  "corvane.grid.toolong|style|20|21", false},
        TypedCase{"TenChineseCharactersFit", 2, kTenChinese, TypedCase::Paste, kTenChinese},
        TypedCase{"ElevenChineseCharactersAreTwentyTwoBytes", 2, kTenChinese + QChar(0x652F), TypedCase::Paste, "01",
                  "corvane.grid.toolong|style|20|22", false},
        TypedCase{"WindowRewrites", 1, "2024-1-7", TypedCase::Paste, "2024.01.07", "", true, -1, "2024.01.07"},
        TypedCase{"WindowRefusesOldTextStays", 1, "2023.12.31", TypedCase::Paste, "2024.01.05", "", false, 1},
        TypedCase{"FullWidthAmountKeys", 4, QString::fromUtf8("７７７．７７"), TypedCase::Keys, "777.77"},
        TypedCase{"FullWidthAmountFromTheInputMethod", 4, QString::fromUtf8("－１２。５"), TypedCase::InputMethod,
                  "-12.50"},
        TypedCase{"FullWidthAmountPasted", 4, QString::fromUtf8("１２３"), TypedCase::Paste, "123.00"},
        TypedCase{"FullWidthDateKeys", 1, QString::fromUtf8("２０２４．０１．０９"), TypedCase::Keys, "2024.01.09"},
        TypedCase{"FullWidthDateFromTheInputMethod", 1, QString::fromUtf8("２０２４－０１－０９"),
                  TypedCase::InputMethod, "2024-01-09"},
        TypedCase{"KeysStopAtTheByteLimit", 3, QString(40, QLatin1Char('7')), TypedCase::Keys,
                  QString(30, QLatin1Char('7'))},
        TypedCase{"InputMethodStopsAtTheByteLimit", 2, kTenChinese + QChar(0x652F), TypedCase::InputMethod, kTenChinese},
        TypedCase{"TooLongPasteRefusedWithTheColumnAndItsLimit", 3, QString(40, QLatin1Char('7')), TypedCase::Paste,
                  "A1", "corvane.grid.toolong|number|30|40", false}),
    [](const auto& info) { return std::string(info.param.name); });

// Leaving a changed row checks every cell, then the row, then saves; a refusal
// puts the cursor where the fault is and keeps the row changed for the next try.
TEST_F(GridEditorTest, LeavingARowValidatesEveryCellThenTheRowThenSaves) {
  struct Case {
    const char* name;
    int refuseCol;
    bool refuseRow;
    int save;  // FakeHost save behaviour
    GridEditor::Commit result;
    int col;       // the column the cursor is in afterwards
    int messages;  // shown by the editor itself
  };
  const Case cases[] = {{"AllGood", -1, false, 0, GridEditor::Commit::Saved, 3, 0},
                        {"CellRefusedStaysAtIt", 2, false, 0, GridEditor::Commit::Invalid, 2, 0},
                        {"RowRefusedGoesToNamedColumn", -1, true, 0, GridEditor::Commit::Invalid, 4, 0},
                        {"SaveFailureShownRowKept", -1, false, 1, GridEditor::Commit::Invalid, 3, 1},
                        {"SaveDeclined", -1, false, 2, GridEditor::Commit::Invalid, 3, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    grid.SetCurrentCell(1, 3);
    ASSERT_TRUE(Type(1, 3, c.name));  // a text of its own, so the row is changed each time
    host.refuseCol = c.refuseCol;
    host.refuseRow = c.refuseRow;
    host.save = static_cast<decltype(host.save)>(c.save);
    host.saved.clear();
    messages.Clear();
    EXPECT_EQ(editor.CommitCurrentRow(), c.result);
    EXPECT_EQ((std::pair{grid.Row(), grid.Col()}), (std::pair{1, c.col}));
    EXPECT_EQ(!host.saved.empty(), c.result == GridEditor::Commit::Saved);
    EXPECT_EQ(messages.Count(), c.messages);
    EXPECT_EQ(grid.IsRowDirty(1), c.result == GridEditor::Commit::Invalid);
    editor.DiscardCurrentRow();
  }
}

// However the user ends the edit of a refused cell, the cursor is back in it
// afterwards, with no other cell open and the grid holding the focus, so the text
// typed next goes into that cell again and not into the next column or row.
TEST_F(GridEditorTest, ARefusedCellKeepsTheCursorWhateverEndedItsEdit) {
  const auto key = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    return [k, m](platform::EntryGrid&, QWidget* editor) { QTest::keyClick(editor, k, m); };
  };
  const auto click = [](int col, int rowsBelow) {
    return [col, rowsBelow](platform::EntryGrid& g, QWidget*) { testing::ClickCell(g, col, rowsBelow); };
  };
  const struct {
    const char* name;
    std::function<void(platform::EntryGrid&, QWidget*)> end;
  } cases[] = {{"Enter", key(Qt::Key_Return)},
               {"Tab", key(Qt::Key_Tab)},
               {"ShiftTab", key(Qt::Key_Backtab, Qt::ShiftModifier)},
               {"Down", key(Qt::Key_Down)},
               {"ClickInTheRow", click(4, 0)},
               {"ClickInAnotherRow", click(3, 1)}};
  ASSERT_TRUE(testing::ShowActive(grid));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host.refuseCol = 2;
    ASSERT_TRUE(grid.StartEdit(1, 2));
    auto* line = qobject_cast<QLineEdit*>(grid.ActiveEditor());
    ASSERT_NE(line, nullptr);
    line->setText("999");
    c.end(grid, line);
    QCoreApplication::processEvents();
    EXPECT_EQ((std::pair{grid.Row(), grid.Col()}), (std::pair{1, 2}));
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_TRUE(grid.View()->hasFocus());
    // The user types again, now a text the window takes.
    host.refuseCol = -1;
    ASSERT_TRUE(testing::TypeAsUser("B7"));
    EXPECT_EQ(editor.RowTexts(1).mid(1, 4), QStringList({"2024.01.05", "B7", "A1", "10.00"}));
    EXPECT_EQ(editor.RowTexts(2).mid(1, 4), QStringList({"2024.01.06", "02", "A2", "20.00"}));
    editor.DiscardCurrentRow();
  }
  // Keys typed before the cursor is back reopen the refused cell: that edit stays.
  host.refuseCol = 2;
  ASSERT_FALSE(Type(1, 2, "999"));
  ASSERT_TRUE(grid.StartEdit(1, 2));
  QCoreApplication::processEvents();
  EXPECT_TRUE(grid.IsEditing());
  EXPECT_EQ((std::pair{grid.Row(), grid.Col()}), (std::pair{1, 2}));
}

TEST_F(GridEditorTest, MovingOffAChangedRowSavesItUnlessTheRowIsRefused) {
  EXPECT_EQ(editor.CommitCurrentRow(), GridEditor::Commit::Clean);
  ASSERT_TRUE(Type(1, 3, "B9"));
  host.refuseRow = true;
  QTest::keyClick(grid.View(), Qt::Key_Down);
  EXPECT_EQ((std::pair{grid.Row(), grid.Col()}), (std::pair{1, 4}));
  host.refuseRow = false;
  QTest::keyClick(grid.View(), Qt::Key_Down);
  EXPECT_EQ(host.saved, std::vector<int>{1});
  EXPECT_EQ(grid.Row(), 2);
}

TEST_F(GridEditorTest, DiscardRestoresASavedRowAndRemovesANewOne) {
  ASSERT_TRUE(Type(1, 3, "B9"));
  editor.DiscardCurrentRow();
  EXPECT_EQ(grid.TextMatrix(1, 3), "A1");
  EXPECT_FALSE(grid.IsRowDirty(1));

  const int row = editor.AppendRow({"", "2024.01.07"});
  grid.SetCurrentCell(row, 1);
  ASSERT_TRUE(Type(row, 3, "C1"));
  editor.DiscardCurrentRow();
  EXPECT_EQ(grid.Rows(), 3);
}

TEST_F(GridEditorTest, OnlyColumnsWithAButtonReportTheirEditor) {
  editor.SetColumns({{"ID", 0, Qt::AlignLeft, ColumnKind::ReadOnly, 0, true},
                     {"date", 1330, Qt::AlignLeft, ColumnKind::Date, 10, false, true},
                     {"style", 2000, Qt::AlignLeft, ColumnKind::List, 20, false, false}});
  editor.AppendRow({"1", "2024.01.05", "01"}, GridRowKey{qint64{1}});
  std::vector<int> reported;
  QObject::connect(&editor, &GridEditor::CellButton, [&](int, int col, QWidget*) { reported.push_back(col); });
  grid.StartEdit(1, 1);
  grid.CancelEdit();
  grid.StartEdit(1, 2);
  grid.CancelEdit();
  EXPECT_EQ(reported, std::vector<int>{1});
}

// A row is saved once it has a key, integer or text; only an open row is editable.
TEST_F(GridEditorTest, KeysMarkSavedRowsAndStatesPaintAndProtectTheirRows) {
  for (const GridRowKey& key : {GridRowKey{}, GridRowKey{qint64{42}}, GridRowKey{QString("XJ0000000123")}}) {
    editor.SetKey(1, key);
    EXPECT_EQ(editor.IsSaved(1), !std::holds_alternative<std::monostate>(key));
  }
  EXPECT_EQ(GridEditor::KeyText(GridRowKey{qint64{42}}), "42");
  editor.SetBalanceColumn(5);
  for (int state : {kRowOpen, kRowTicked, kRowCleared, kRowProtected, kRowProtectedMarked}) {
    editor.SetRowState(1, state);
    EXPECT_EQ(editor.RowStateOf(1), state) << state;
    EXPECT_EQ(grid.IsCellEditable(1, 3), state == kRowOpen) << state;
  }
  editor.SetRowState(1, kRowOpen);
  EXPECT_EQ(grid.CellBackColor(1, 4), QColor(255, 255, 255));
  EXPECT_EQ(grid.CellBackColor(1, 5), platform::ColorFromBgr(0xFFFFFE));
}

TEST_F(GridEditorTest, FilterShowsMatchingRowsAndReportsTheFirst) {
  editor.AppendRow({"000003", "2024.01.07"}, GridRowKey{qint64{3}});
  EXPECT_EQ(editor.ApplyFilter([&](int r) { return r != 1; }), 2);
  EXPECT_TRUE(grid.IsRowHidden(1));
  EXPECT_FALSE(grid.IsRowHidden(3));
  EXPECT_EQ(editor.ApplyFilter([](int) { return false; }), 0);
  EXPECT_TRUE(grid.Redraw());
}

TEST_F(GridEditorTest, BalancesFollowRowsAddedAndRemoved) {
  RunningBalance balance;
  balance.Reset(Money::FromCents(100000), true);
  editor.AttachBalance(&balance, 5);
  grid.SetRows(1);
  for (int i = 0; i < 3; ++i) {
    editor.AppendRow({"", "", "", "", "", balance.Append(Money::FromCents(1000 * (i + 1)), Money(), true)});
  }
  editor.RemoveRow(1);
  editor.WriteBalances(1);
  EXPECT_EQ(grid.TextMatrix(1, 5), "1,020.00");
  EXPECT_EQ(grid.TextMatrix(2, 5), "1,050.00");
  editor.AppendRow({});
  EXPECT_EQ(balance.Rows(), 3);
  editor.RemoveRows(1, 2);
  editor.WriteBalances(1);
  EXPECT_EQ(grid.Rows(), 2);
  EXPECT_EQ(balance.Rows(), 1);
  EXPECT_EQ(grid.TextMatrix(1, 5), "1,000.00");
}

}  // namespace
}  // namespace corvane::shared
