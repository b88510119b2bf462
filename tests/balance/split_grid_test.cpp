#include "platform/controls/split_grid.h"

#include <QFontMetrics>
#include <QTableView>
#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

// The split grid keeps its cells through a change of shape, empties the rows it
// is asked to, and prints what it shows: header rows with their merges, body rows
// after them, hidden columns left to the engine by their zero width.
TEST(SplitGridTest, ShapeCellsAndPrintedView) {
  SplitGrid g;
  g.SetCols(4);
  g.SetRows(6);
  g.SetFixedRows(2);
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 4; ++c) g.SetTextMatrix(r, c, QStringLiteral("%1.%2").arg(r).arg(c));
  g.MergeCells(0, 0, 0, 2);
  g.SetColWidth(3, 0);
  g.SetAmountColumn(2, true);

  g.SetRows(4);  // shorter: rows 0 to 3 keep their texts
  EXPECT_EQ(g.TextMatrix(3, 3), QStringLiteral("3.3"));
  g.SetRows(7);  // longer: new rows are empty
  EXPECT_EQ(g.TextMatrix(5, 1), QString());
  g.ClearRows(2);
  EXPECT_EQ(g.TextMatrix(2, 0), QString());
  EXPECT_EQ(g.TextMatrix(1, 0), QStringLiteral("1.0"));

  g.SetTextMatrix(2, 2, QStringLiteral("12.00"));
  g.SetTextMatrix(99, 0, QStringLiteral("ignored"));  // outside the grid: nothing
  EXPECT_EQ(g.PrintHeaderRowCount(), 2);
  EXPECT_EQ(g.PrintBodyRowCount(), 5);
  EXPECT_EQ(g.PrintBodyText(0, 2), QStringLiteral("12.00"));
  EXPECT_EQ(g.PrintHeaderText(1, 1), QStringLiteral("1.1"));
  ASSERT_EQ(g.PrintHeaderSpans().size(), 1u);
  EXPECT_EQ(g.PrintHeaderSpans()[0].col2, 2);
  EXPECT_EQ(g.PrintColumnWidth(3), 0);
  EXPECT_TRUE(g.PrintColumnAlignment(2) & Qt::AlignRight);
  EXPECT_TRUE(g.PrintColumnAlignment(1) & Qt::AlignLeft);
}

// The fixed rows are as tall as their font needs and never lower than the
// body's rows; the header view holds exactly the fixed rows.
TEST(SplitGridTest, HeaderRowsFitTheirFont) {
  for (int points : {6, 9, 12, 18, 28}) {
    SplitGrid g;
    g.SetCols(2);
    g.SetRows(5);
    g.SetFixedRows(3);
    const int bodyRow = g.Body()->rowHeight(4);
    QFont f = g.font();
    f.setPointSize(points);
    g.SetHeaderFont(f);
    EXPECT_GE(g.HeaderRowHeight(), QFontMetrics(f).height()) << points;
    EXPECT_GE(g.HeaderRowHeight(), bodyRow) << points;
    EXPECT_EQ(g.Header()->rowHeight(2), g.HeaderRowHeight()) << points;
    EXPECT_EQ(g.Body()->rowHeight(4), bodyRow) << points;
    EXPECT_EQ(g.Header()->maximumHeight(), 3 * g.HeaderRowHeight() + 2 * g.Header()->frameWidth()) << points;
  }
}

}  // namespace
}  // namespace corvane::platform
