#include "platform/controls/list_grid.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

// A shown grid of `rows` data rows and 3 columns, cell (r, c) reading "r<r>c<c>",
// each row keyed by its number.
class ListGridTest : public ::testing::Test {
 protected:
  void Fill(int rows) {
    std::vector<std::vector<QString>> cells;
    std::vector<QVariant> keys;
    for (int r = 1; r <= rows; ++r) {
      cells.push_back({QStringLiteral("r%1c0").arg(r), QStringLiteral("r%1c1").arg(r), QStringLiteral("r%1c2").arg(r)});
      keys.emplace_back(r * 10);
    }
    grid.SetCols(3);
    grid.FillRows(std::move(cells), std::move(keys));
    grid.resize(400, 300);
    grid.show();
  }
  QPoint CellCentre(int row, int col) const {
    const int viewRow = grid.Model()->ViewRowOfRow(row);
    return grid.View()->visualRect(grid.Model()->index(viewRow, col)).center();
  }
  QWidget* Viewport() const { return grid.View()->viewport(); }

  ListGrid grid;
};

struct HeightCase {
  int twips;
  bool hidden;
  int reported;
};

class RowHeights : public ListGridTest, public ::testing::WithParamInterface<HeightCase> {};

TEST_P(RowHeights, LowRowsAreHidden) {
  const HeightCase& c = GetParam();
  Fill(3);
  grid.SetRowHeight(2, c.twips);
  EXPECT_EQ(grid.IsRowHidden(2), c.hidden);
  EXPECT_EQ(grid.RowHeight(2), c.reported);
  EXPECT_EQ(grid.VisibleRowCount(), c.hidden ? 2 : 3);
  if (!c.hidden) {
    EXPECT_EQ(grid.View()->rowHeight(1), GridTwipsToPixels(c.twips)) << "every shown row gets the height";
  }
}

INSTANTIATE_TEST_SUITE_P(ListGrid, RowHeights,
                         ::testing::Values(HeightCase{0, true, 0}, HeightCase{19, true, 0}, HeightCase{20, false, 20},
                                           HeightCase{300, false, 300}, HeightCase{450, false, 450}));

TEST_F(ListGridTest, TitleRowHeightSizesTheHeaderAndZeroHidesIt) {
  Fill(1);
  grid.SetRowHeight(0, 480);
  EXPECT_EQ(grid.View()->horizontalHeader()->height(), 32);
  EXPECT_EQ(grid.RowHeight(0), 480);
  grid.SetRowHeight(0, 0);
  EXPECT_TRUE(grid.View()->horizontalHeader()->isHidden());
  EXPECT_EQ(grid.RowHeight(0), 0);
}

TEST_F(ListGridTest, ShowingAgainPutsTheRowBackInPlace) {
  Fill(5);
  grid.SetRedraw(false);
  for (int r = 1; r <= 5; ++r) grid.SetRowHeight(r, r % 2 ? 0 : 300);
  EXPECT_EQ(grid.View()->model()->rowCount(), 5) << "nothing moves while redraw is off";
  grid.SetRedraw(true);
  EXPECT_EQ(grid.VisibleRowCount(), 2);
  grid.SetRowHeight(3, 300);
  ASSERT_EQ(grid.VisibleRowCount(), 3);
  EXPECT_EQ(grid.View()->model()->index(1, 0).data().toString(), QStringLiteral("r3c0"));
}

TEST_F(ListGridTest, CurrentRowMayBeHiddenAndStaysLogical) {
  Fill(5);
  grid.SetRowHeight(3, 0);
  grid.SetCurrentCell(3, 1);
  EXPECT_EQ(grid.Row(), 3);
  EXPECT_EQ(grid.RowData(grid.Row()), QVariant(30));
  EXPECT_FALSE(grid.View()->currentIndex().isValid());
  grid.SetRow(4);
  EXPECT_EQ(grid.View()->currentIndex().row(), 2);
}

TEST_F(ListGridTest, SelectionSpansTheShownRowsOfTheRange) {
  Fill(5);
  grid.SetRowHeight(3, 0);
  grid.SetRow(2);
  grid.SetRowSel(4);
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(grid.RowSel(), 4);
  const QModelIndexList rows = grid.View()->selectionModel()->selectedRows();
  ASSERT_EQ(rows.size(), 2);
  grid.SetRow(5);
  EXPECT_EQ(grid.RowSel(), 5) << "setting the row collapses the selection";
}

TEST_F(ListGridTest, ShiftStretchesTheSelectionFromTheCurrentRow) {
  Fill(6);
  grid.SetCurrentCell(2, 1);
  QTest::keyClick(grid.View(), Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(grid.View(), Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(grid.RowSel(), 4);
  QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::ShiftModifier, CellCentre(1, 1));
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(grid.RowSel(), 1) << "upwards, for a range deleted from the bottom";
  QTest::keyClick(grid.View(), Qt::Key_R);
  EXPECT_EQ(grid.RowSel(), 1) << "a letter does not jump to a row";
  QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(5, 1));
  EXPECT_EQ(grid.Row(), 5);
  EXPECT_EQ(grid.RowSel(), 5);
}

TEST_F(ListGridTest, CursorWaitsForRedrawButSignalsEveryChange) {
  Fill(300);
  QSignalSpy changes(&grid, &GridBase::RowColChange);
  grid.SetRedraw(false);
  for (int r = 1; r <= 300; ++r) grid.SetRow(r);
  EXPECT_EQ(changes.count(), 300);
  EXPECT_NE(grid.View()->currentIndex().row(), 299);
  grid.SetRedraw(true);
  EXPECT_EQ(grid.View()->currentIndex().row(), 299);
}

TEST_F(ListGridTest, ColumnWidthsInTwipsSurviveARefill) {
  Fill(2);
  grid.SetColWidth(0, 1500);
  grid.SetColWidth(1, 0);
  grid.SetColWidth(2, 1000);
  EXPECT_EQ(grid.View()->columnWidth(0), 100);
  EXPECT_TRUE(grid.View()->isColumnHidden(1));
  EXPECT_EQ(grid.ColWidth(1), 0);
  EXPECT_EQ(grid.ColWidth(2), 1000) << "the width given, not the pixels rounded back";
  Fill(4);
  EXPECT_EQ(grid.View()->columnWidth(0), 100);
  EXPECT_TRUE(grid.View()->isColumnHidden(1));
}

TEST_F(ListGridTest, MousePressReportsAfterTheCursorMoved) {
  Fill(5);
  int colAtPress = -1;
  QObject::connect(&grid, &GridBase::MouseDown, [&](Qt::MouseButton, Qt::KeyboardModifiers, const QPoint&) {
    colAtPress = grid.Col();
  });
  QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(2, 2));
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(grid.Col(), 2);
  EXPECT_EQ(colAtPress, 2);
}

TEST_F(ListGridTest, RightClickGivesItsPlaceInTheGrid) {
  Fill(5);
  QSignalSpy right(&grid, &GridBase::RightClick);
  QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(1, 0));
  EXPECT_EQ(right.count(), 0);
  const QPoint at = CellCentre(3, 1);
  QTest::mouseClick(Viewport(), Qt::RightButton, Qt::NoModifier, at);
  ASSERT_EQ(right.count(), 1);
  EXPECT_EQ(right.at(0).at(0).toPoint(), Viewport()->mapTo(&grid, at));
}

TEST_F(ListGridTest, DoubleClickCountsOnlyOnRows) {
  Fill(2);
  QSignalSpy dbl(&grid, &GridBase::DblClick);
  QTest::mouseDClick(Viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(2, 1));
  EXPECT_EQ(dbl.count(), 1);
  QTest::mouseDClick(Viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, Viewport()->height() - 5));
  EXPECT_EQ(dbl.count(), 1) << "the empty area below the rows";
}

TEST_F(ListGridTest, KeysAreReportedBeforeTheGridMoves) {
  Fill(3);
  grid.SetCurrentCell(2, 1);
  std::vector<std::pair<int, int>> seen;  // key, row at the time
  QObject::connect(&grid, &GridBase::KeyPressed,
                   [&](int key, Qt::KeyboardModifiers, const QString&) { seen.emplace_back(key, grid.Row()); });
  QTest::keyClick(grid.View(), Qt::Key_Space);
  QTest::keyClick(grid.View(), Qt::Key_Down);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], std::make_pair(static_cast<int>(Qt::Key_Space), 2));
  EXPECT_EQ(seen[1], std::make_pair(static_cast<int>(Qt::Key_Down), 2));
  EXPECT_EQ(grid.Row(), 3);
}

TEST_F(ListGridTest, RemovingRowsKeepsTheCursorOnItsLine) {
  Fill(5);
  grid.SetRow(4);
  grid.RemoveRow(2);
  EXPECT_EQ(grid.Row(), 3);
  EXPECT_EQ(grid.TextMatrix(grid.Row(), 0), QStringLiteral("r4c0"));
  grid.SetRow(4);
  grid.RemoveRow(4);
  EXPECT_EQ(grid.Row(), 3) << "the last row gone, the cursor stays on the new last row";
}

TEST_F(ListGridTest, TopRowSkipsHiddenRows) {
  Fill(300);
  grid.SetRedraw(false);
  for (int r = 1; r <= 50; ++r) grid.SetRowHeight(r, 0);
  grid.SetTopRow(120);
  grid.SetRedraw(true);
  EXPECT_EQ(grid.TopRow(), 120);
  grid.SetTopRow(10);  // hidden: the first shown row after it
  EXPECT_EQ(grid.TopRow(), 51);
}

TEST_F(ListGridTest, RowsAddedFromTabJoinedText) {
  Fill(1);
  const int row = grid.AddRowFromText(QStringLiteral("a\t\tc"), {QColor(), QColor(Qt::yellow)});
  EXPECT_EQ(row, 2);
  EXPECT_EQ(grid.TextMatrix(2, 0), QStringLiteral("a"));
  EXPECT_EQ(grid.TextMatrix(2, 1), QString());
  EXPECT_EQ(grid.TextMatrix(2, 2), QStringLiteral("c"));
  EXPECT_EQ(grid.CellBackColor(2, 1), QColor(Qt::yellow));
  EXPECT_EQ(grid.CellBackColor(2, 0), grid.BackColor()) << "no colour of its own reads as the grid's";
}

}  // namespace
}  // namespace corvane::platform
