#include "platform/controls/entry_grid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>

namespace corvane::platform {
namespace {

// The statement layout: hidden id, date, settlement style (list), number, debit,
// credit, balance. Cell (r, c) of the three rows starts as "r<r>c<c>".
class EntryGridTest : public ::testing::Test {
 protected:
  EntryGridTest() {
    grid.SetCols(7);
    std::vector<std::vector<QString>> rows(3);
    for (int r = 1; r <= 3; ++r)
      for (int c = 0; c < 7; ++c) rows[r - 1].push_back(QStringLiteral("r%1c%2").arg(r).arg(c));
    grid.FillRows(std::move(rows));
    grid.SetColWidth(0, 0);
    const ColumnKind kinds[] = {ColumnKind::ReadOnly, ColumnKind::Date,   ColumnKind::List,    ColumnKind::Text,
                                ColumnKind::Amount,   ColumnKind::Amount, ColumnKind::ReadOnly};
    const int lengths[] = {0, 10, 20, 30, 16, 16, 0};
    for (int c = 0; c < 7; ++c) grid.SetColumnEditor(c, {kinds[c], lengths[c]});
    grid.resize(700, 300);
    grid.show();
  }

  // Puts a text into a cell's editor and presses a key there (Enter by default).
  void Type(int row, int col, const QString& text, Qt::Key key = Qt::Key_Return) {
    ASSERT_TRUE(grid.StartEdit(row, col));
    auto* line = qobject_cast<QLineEdit*>(grid.ActiveEditor());
    if (auto* list = qobject_cast<QComboBox*>(grid.ActiveEditor())) line = list->lineEdit();
    ASSERT_NE(line, nullptr);
    line->setText(text);
    QTest::keyClick(line, key);
  }

  EntryGrid grid;
};

struct EditCase {
  const char* name;
  int col;
  QString typed;
  EditAnswer answer;
  std::optional<QString> rewrite;  // what the window puts in place of the text
  QString seen;                    // the text the window is given
  QString cell;                    // the cell afterwards
  bool dirty;
};

class AcceptEdit : public EntryGridTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(AcceptEdit, WindowDecidesWhatTheCellKeeps) {
  const EditCase& c = GetParam();
  QString seen, cellDuringQuestion;
  int asked = 0;
  grid.SetBeforeAcceptEdit([&](int row, int col, QString& text) {
    ++asked;
    seen = text;
    cellDuringQuestion = grid.TextMatrix(row, col);
    if (c.rewrite) text = *c.rewrite;
    return c.answer;
  });
  QSignalSpy edited(&grid, &EntryGrid::CellEdited);
  Type(1, c.col, c.typed);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(seen, c.seen);
  EXPECT_EQ(cellDuringQuestion, c.seen) << "a check reading the cell sees the typed text";
  EXPECT_EQ(grid.TextMatrix(1, c.col), c.cell);
  EXPECT_EQ(grid.IsRowDirty(1), c.dirty);
  const bool kept = c.answer == EditAnswer::Accept;
  EXPECT_EQ(edited.count(), kept ? 1 : 0);
  EXPECT_EQ(grid.Col(), kept ? c.col + 1 : c.col) << "a kept text moves on, a refused one stays";
}

INSTANTIATE_TEST_SUITE_P(
    EntryGrid, AcceptEdit,
    ::testing::Values(
        EditCase{"KeptAsTyped", 3, "A123", EditAnswer::Accept, std::nullopt, "A123", "A123", true},
        EditCase{"KeptAsRewritten", 1, "2024-1-5", EditAnswer::Accept, QString("2024.01.05"), "2024-1-5", "2024.01.05", true},
        EditCase{"Refused", 1, "2024.13.45", EditAnswer::Refuse, std::nullopt, "2024.13.45", "r1c1", false},
        EditCase{"AmountInDisplayForm", 4, "1234.5", EditAnswer::Accept, std::nullopt, "1,234.50", "1,234.50", true},
        EditCase{"EmptyAmountStaysEmpty", 5, "", EditAnswer::Accept, std::nullopt, "", "", true},
        EditCase{"UnchangedIsNoChange", 3, "r1c3", EditAnswer::Accept, std::nullopt, "r1c3", "r1c3", false},
        EditCase{"ListText", 2, "201", EditAnswer::Accept, std::nullopt, "201", "201", true}),
    [](const auto& info) { return std::string(info.param.name); });

struct LeaveCase {
  const char* name;
  bool edit;  // change row 1 first
  LeaveAnswer answer;
  int stayCol;
  bool byMouse;
  int asked, row, col;
  bool dirtyAfter;
};

class LeaveRow : public EntryGridTest, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(LeaveRow, ChangedRowsAskBeforeTheCursorLeaves) {
  const LeaveCase& c = GetParam();
  int asked = 0;
  grid.SetBeforeLeaveRow([&](int row, int& col) {
    ++asked;
    EXPECT_EQ(row, 1);
    col = c.stayCol;
    return c.answer;
  });
  if (c.edit) Type(1, 3, QStringLiteral("changed"));
  grid.SetCurrentCell(1, 3);
  if (c.byMouse) {
    const QModelIndex target = grid.Model()->index(grid.Model()->ViewRowOfRow(3), 3);
    QTest::mouseClick(grid.View()->viewport(), Qt::LeftButton, Qt::NoModifier, grid.View()->visualRect(target).center());
  } else {
    QTest::keyClick(grid.View(), Qt::Key_Down);
  }
  EXPECT_EQ(asked, c.asked);
  EXPECT_EQ(grid.Row(), c.row);
  EXPECT_EQ(grid.Col(), c.col);
  EXPECT_EQ(grid.IsRowDirty(1), c.dirtyAfter);
}

INSTANTIATE_TEST_SUITE_P(
    EntryGrid, LeaveRow,
    ::testing::Values(LeaveCase{"UnchangedRowByKey", false, LeaveAnswer::Stay, 4, false, 0, 2, 3, false},
                      LeaveCase{"LeaveByKey", true, LeaveAnswer::Leave, 4, false, 1, 2, 3, false},
                      LeaveCase{"StayByKey", true, LeaveAnswer::Stay, 4, false, 1, 1, 4, true},
                      LeaveCase{"LeaveByMouse", true, LeaveAnswer::Leave, 4, true, 1, 3, 3, false},
                      LeaveCase{"StayByMouse", true, LeaveAnswer::Stay, 5, true, 1, 1, 5, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntryGridTest, AnEditOpenWhenMovingDownIsCheckedWithItsRow) {
  int asked = 0;
  grid.SetBeforeLeaveRow([&](int, int&) { return ++asked, LeaveAnswer::Stay; });
  Type(2, 3, QStringLiteral("open"), Qt::Key_Down);
  EXPECT_EQ(grid.TextMatrix(2, 3), QStringLiteral("open"));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(grid.Row(), 2);
}

TEST_F(EntryGridTest, DownOnTheLastRowAsksForANewRowOnlyWhenItMayBeLeft) {
  LeaveAnswer answer = LeaveAnswer::Stay;
  grid.SetBeforeLeaveRow([&](int, int&) { return answer; });
  QObject::connect(&grid, &EntryGrid::AddRowRequest, [&] { grid.AddRowFromText(QStringLiteral("\t2024.01.05")); });
  Type(3, 3, QStringLiteral("x"));
  grid.SetCurrentCell(3, 4);
  QTest::keyClick(grid.View(), Qt::Key_Down);
  EXPECT_EQ(grid.Rows(), 4) << "the changed last row must stay";
  answer = LeaveAnswer::Leave;
  QTest::keyClick(grid.View(), Qt::Key_Down);
  ASSERT_EQ(grid.Rows(), 5);
  EXPECT_EQ(grid.TextMatrix(4, 1), QStringLiteral("2024.01.05"));
  EXPECT_EQ(grid.Row(), 4);
  EXPECT_EQ(grid.Col(), 1) << "the first column that can be typed in";
}

TEST_F(EntryGridTest, ProtectedCellsCannotBeTypedIn) {
  grid.AddProtectedColor(ColorFromBgr(0xC6F3F7));
  grid.SetRowBackColor(2, ColorFromBgr(0xC6F3F7));
  EXPECT_FALSE(grid.StartEdit(2, 3));
  grid.SetCurrentCell(2, 3);
  QTest::keyClick(grid.View(), Qt::Key_7);
  EXPECT_FALSE(grid.IsEditing());
  EXPECT_EQ(grid.TextMatrix(2, 3), QStringLiteral("r2c3"));
  EXPECT_FALSE(grid.StartEdit(1, 6)) << "read-only column";
  EXPECT_TRUE(grid.StartEdit(1, 3));
}

// A value picked from a reference list (F2) into a cell not being edited changes the row.
TEST_F(EntryGridTest, AReferencePickChangesTheRow) {
  grid.SetRefRequest([](int, int, QString& text) {
    text = QStringLiteral("picked");
    return true;
  });
  grid.SetCurrentCell(1, 3);
  QTest::keyClick(grid.View(), Qt::Key_F2);
  EXPECT_EQ(grid.TextMatrix(1, 3), QStringLiteral("picked"));
  EXPECT_TRUE(grid.IsRowDirty(1));
}

}  // namespace
}  // namespace corvane::platform
