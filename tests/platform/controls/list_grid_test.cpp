#include "platform/controls/list_grid.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

// A shown grid of `rows` data rows and 3 columns, cell (r, c) reading "r<r>c<c>",
// each row keyed by ten times its number.
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
    return grid.View()->visualRect(grid.Model()->index(grid.Model()->ViewRowOfRow(row), col)).center();
  }
  QWidget* Viewport() const { return grid.View()->viewport(); }

  ListGrid grid;
};

struct HeightCase {
  int twips;
  bool hidden;
};

class RowHeights : public ListGridTest, public ::testing::WithParamInterface<HeightCase> {};

TEST_P(RowHeights, LowRowsAreHidden) {
  const HeightCase& c = GetParam();
  Fill(3);
  grid.SetRowHeight(2, c.twips);
  EXPECT_EQ(grid.IsRowHidden(2), c.hidden);
  EXPECT_EQ(grid.RowHeight(2), c.hidden ? 0 : c.twips);
  EXPECT_EQ(grid.VisibleRowCount(), c.hidden ? 2 : 3);
  if (!c.hidden) {
    EXPECT_EQ(grid.View()->rowHeight(1), GridTwipsToPixels(c.twips));
  }
}

INSTANTIATE_TEST_SUITE_P(ListGrid, RowHeights,
                         ::testing::Values(HeightCase{0, true}, HeightCase{19, true}, HeightCase{20, false},
                                           HeightCase{450, false}));

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
  EXPECT_EQ(grid.ColWidth(2), 1000) << "the width given, not the pixels rounded back";
  Fill(4);
  EXPECT_EQ(grid.View()->columnWidth(0), 100);
  EXPECT_TRUE(grid.View()->isColumnHidden(1));
  EXPECT_EQ(grid.ColWidth(1), 0);
}

TEST_F(ListGridTest, DoubleClickCountsOnlyOnRows) {
  Fill(2);
  QSignalSpy dbl(&grid, &GridBase::DblClick);
  QTest::mouseDClick(Viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(2, 1));
  EXPECT_EQ(dbl.count(), 1);
  QTest::mouseDClick(Viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, Viewport()->height() - 5));
  EXPECT_EQ(dbl.count(), 1) << "the empty area below the rows";
}

TEST_F(ListGridTest, RemovingRowsKeepsTheCursorOnItsLine) {
  Fill(5);
  grid.SetRow(4);
  grid.RemoveRow(2);
  EXPECT_EQ(grid.TextMatrix(grid.Row(), 0), QStringLiteral("r4c0"));
  grid.SetRow(4);
  grid.RemoveRow(4);
  EXPECT_EQ(grid.Row(), 3) << "the last row gone, the cursor stays on the new last row";
  Fill(5);
  grid.SetRow(5);
  grid.RemoveRows(2, 3);
  EXPECT_EQ(grid.TextMatrix(grid.Row(), 0), QStringLiteral("r5c0"));
}

TEST_F(ListGridTest, RowsAddedFromTabJoinedText) {
  Fill(1);
  EXPECT_EQ(grid.AddRowFromText(QStringLiteral("a\t\tc\tdropped"), {QColor(), QColor(Qt::yellow)}), 2);
  EXPECT_EQ(QStringList({grid.TextMatrix(2, 0), grid.TextMatrix(2, 1), grid.TextMatrix(2, 2)}),
            QStringList({"a", "", "c"}));
  EXPECT_EQ(grid.CellBackColor(2, 1), QColor(Qt::yellow));
  EXPECT_EQ(grid.CellBackColor(2, 0), grid.BackColor()) << "no colour of its own reads as the grid's";
}

// The selected row looks the same in a window that has lost the focus.
TEST_F(ListGridTest, SelectionColoursHoldWithoutTheFocus) {
  grid.SetSelectionColors(Qt::darkBlue, Qt::yellow);
  const QPalette p = grid.View()->palette();
  EXPECT_EQ(p.color(QPalette::Inactive, QPalette::Highlight), QColor(Qt::darkBlue));
  EXPECT_EQ(p.color(QPalette::Inactive, QPalette::HighlightedText), QColor(Qt::yellow));
}

}  // namespace
}  // namespace corvane::platform
