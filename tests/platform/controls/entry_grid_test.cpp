#include "platform/controls/entry_grid.h"

#include "platform/controls/amount_edit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>

namespace corvane::platform {
namespace {

// The statement layout: hidden id, date, settlement style (list), number, debit,
// credit, balance. Cell (r, c) starts as "r<r>c<c>".
class EntryGridTest : public ::testing::Test {
 protected:
  EntryGridTest() {
    grid.SetCols(7);
    std::vector<std::vector<QString>> rows;
    for (int r = 1; r <= 3; ++r) {
      std::vector<QString> cells;
      for (int c = 0; c < 7; ++c) cells.push_back(QStringLiteral("r%1c%2").arg(r).arg(c));
      rows.push_back(cells);
    }
    grid.FillRows(std::move(rows));
    grid.SetColWidth(0, 0);
    grid.SetColumnEditor(0, {ColumnKind::ReadOnly});
    grid.SetColumnEditor(1, {ColumnKind::Date, 10});
    grid.SetColumnEditor(2, {ColumnKind::List, 20});
    grid.SetColumnEditor(3, {ColumnKind::Text, 30});
    grid.SetColumnEditor(4, {ColumnKind::Amount, 16, 2});
    grid.SetColumnEditor(5, {ColumnKind::Amount, 16, 2});
    grid.SetColumnEditor(6, {ColumnKind::ReadOnly});
    grid.resize(700, 300);
    grid.show();
  }

  // Types a text into a cell's editor and presses Enter.
  void Type(int row, int col, const QString& text) {
    ASSERT_TRUE(grid.StartEdit(row, col));
    auto* line = qobject_cast<QLineEdit*>(grid.ActiveEditor());
    if (auto* list = qobject_cast<QComboBox*>(grid.ActiveEditor())) line = list->lineEdit();
    ASSERT_NE(line, nullptr);
    line->setText(text);
    QTest::keyClick(line, Qt::Key_Return);
  }
  QPoint CellCentre(int row, int col) const {
    return grid.View()->visualRect(grid.Model()->index(grid.Model()->ViewRowOfRow(row), col)).center();
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
  QString seen;
  QString cellDuringQuestion;
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
  EXPECT_EQ(edited.count(), c.answer == EditAnswer::Accept ? 1 : 0);
  EXPECT_EQ(grid.Col(), c.answer == EditAnswer::Accept ? c.col + 1 : c.col)
      << "a kept text moves on, a refused one stays";
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

TEST_F(EntryGridTest, WithoutAHookEveryEditIsKept) {
  Type(2, 3, QStringLiteral("N1"));
  EXPECT_EQ(grid.TextMatrix(2, 3), QStringLiteral("N1"));
}

TEST_F(EntryGridTest, EscapeDropsTheEdit) {
  ASSERT_TRUE(grid.StartEdit(1, 3));
  qobject_cast<QLineEdit*>(grid.ActiveEditor())->setText(QStringLiteral("gone"));
  QTest::keyClick(grid.ActiveEditor(), Qt::Key_Escape);
  EXPECT_EQ(grid.TextMatrix(1, 3), QStringLiteral("r1c3"));
  EXPECT_FALSE(grid.IsRowDirty(1));
}

struct LeaveCase {
  const char* name;
  bool edit;  // change row 1 first
  LeaveAnswer answer;
  int stayCol;
  bool byMouse;
  int asked;
  int row;
  int col;
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
    QTest::mouseClick(grid.View()->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(3, 3));
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
  grid.SetBeforeLeaveRow([&](int, int&) {
    ++asked;
    return LeaveAnswer::Stay;
  });
  ASSERT_TRUE(grid.StartEdit(2, 3));
  qobject_cast<QLineEdit*>(grid.ActiveEditor())->setText(QStringLiteral("open"));
  QTest::keyClick(grid.ActiveEditor(), Qt::Key_Down);
  EXPECT_EQ(grid.TextMatrix(2, 3), QStringLiteral("open"));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(grid.Row(), 2);
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

TEST_F(EntryGridTest, TypingIntoACellIsReportedKeyByKey) {
  // The statement window empties the credit cell as soon as a debit is typed.
  QObject::connect(&grid, &EntryGrid::EditKeyPress, [&](int row, int col, const QString&) {
    if (col == 4) grid.SetTextMatrix(row, 5, QString());
  });
  QSignalSpy keys(&grid, &EntryGrid::EditKeyPress);
  grid.SetCurrentCell(1, 4);
  QTest::keyClick(grid.View(), Qt::Key_5);
  ASSERT_TRUE(grid.IsEditing());
  QTest::keyClick(grid.ActiveEditor(), Qt::Key_0);
  EXPECT_EQ(keys.count(), 2);
  EXPECT_EQ(grid.TextMatrix(1, 5), QString());
  EXPECT_EQ(qobject_cast<AmountEdit*>(grid.ActiveEditor())->text(), QStringLiteral("50"))
      << "the key that opens the editor replaces the old text";
}

TEST_F(EntryGridTest, DownOnTheLastRowAsksForANewRow) {
  QObject::connect(&grid, &EntryGrid::AddRowRequest, [&] {
    grid.AddRowFromText(QStringLiteral("\t") + grid.TextMatrix(grid.Rows() - 1, 1));
  });
  QSignalSpy requests(&grid, &EntryGrid::AddRowRequest);
  grid.SetCurrentCell(3, 4);
  QTest::keyClick(grid.View(), Qt::Key_Down);
  EXPECT_EQ(requests.count(), 1);
  ASSERT_EQ(grid.Rows(), 5);
  EXPECT_EQ(grid.TextMatrix(4, 1), QStringLiteral("r3c1"));
  EXPECT_EQ(grid.TextMatrix(4, 3), QString());
  EXPECT_EQ(grid.Row(), 4);
  EXPECT_EQ(grid.Col(), 1) << "the first column that can be typed in";
}

TEST_F(EntryGridTest, NoNewRowWhileTheLastRowMustStay) {
  grid.SetBeforeLeaveRow([](int, int&) { return LeaveAnswer::Stay; });
  QSignalSpy requests(&grid, &EntryGrid::AddRowRequest);
  Type(3, 3, QStringLiteral("x"));
  grid.SetCurrentCell(3, 3);
  QTest::keyClick(grid.View(), Qt::Key_Down);
  EXPECT_EQ(requests.count(), 0);
  EXPECT_EQ(grid.Rows(), 4);
}

TEST_F(EntryGridTest, ReferenceKeyFillsTheCell) {
  grid.SetRefRequest([](int row, int col, QString& text) {
    if (col != 3) return false;
    text = QStringLiteral("ref%1").arg(row);
    return true;
  });
  grid.SetCurrentCell(2, 3);
  QTest::keyClick(grid.View(), Qt::Key_F2);
  EXPECT_EQ(grid.TextMatrix(2, 3), QStringLiteral("ref2"));
  EXPECT_TRUE(grid.IsRowDirty(2));
  grid.SetCurrentCell(2, 4);
  QTest::keyClick(grid.View(), Qt::Key_F2);
  EXPECT_EQ(grid.TextMatrix(2, 4), QStringLiteral("r2c4"));
}

TEST_F(EntryGridTest, ListEditorIsFilledByTheWindowWhenItOpens) {
  QObject::connect(&grid, &EntryGrid::ButtonClick, [](int, int col, QWidget* editor) {
    auto* list = qobject_cast<QComboBox*>(editor);
    ASSERT_NE(list, nullptr);
    if (col == 2) list->addItems({QStringLiteral("201"), QStringLiteral("202")});
  });
  ASSERT_TRUE(grid.StartEdit(1, 2));
  auto* list = qobject_cast<QComboBox*>(grid.ActiveEditor());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count(), 2);
  EXPECT_EQ(list->currentText(), QStringLiteral("r1c2"));
  list->setCurrentIndex(1);
  EXPECT_TRUE(grid.CommitEdit());
  EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("202"));
}

TEST_F(EntryGridTest, RowsAreAddedAndRemovedByTheWindow) {
  const int row = grid.AddRowFromText(QStringLiteral("\t2024.01.05\t\t\t\t\t"),
                                      {QColor(), QColor(), QColor(), QColor(), QColor(), QColor(), ColorFromBgr(0xFFFFFE)});
  EXPECT_EQ(row, 4);
  EXPECT_EQ(grid.RowData(4).toInt(), 0);
  EXPECT_EQ(grid.TextMatrix(4, 1), QStringLiteral("2024.01.05"));
  EXPECT_EQ(grid.CellBackColor(4, 6), ColorFromBgr(0xFFFFFE));
  grid.SetCurrentCell(2, 1);
  grid.RemoveRow(2);
  EXPECT_EQ(grid.Rows(), 4);
  EXPECT_EQ(grid.TextMatrix(2, 0), QStringLiteral("r3c0"));
}

}  // namespace
}  // namespace corvane::platform
