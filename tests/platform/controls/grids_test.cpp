#include "platform/controls/grid_model.h"
#include "platform/controls/list_grid.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <variant>

namespace corvane::platform {
namespace {

// A model of `rows` data rows whose first cell reads "r<row>", watched by Qt's model
// checker, which stops the test on any inconsistent change signal.
struct Fixture {
  explicit Fixture(int rows, int cols = 2) {
    model.SetCols(cols);
    model.SetRows(rows + 1);
    for (int r = 1; r <= rows; ++r) model.SetText(r, 0, QStringLiteral("r%1").arg(r));
  }
  std::vector<int> Visible() const {
    std::vector<int> rows;
    for (int v = 0; v < model.rowCount(); ++v) rows.push_back(model.RowOfViewRow(v));
    return rows;
  }

  GridModel model;
  QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

struct HideCase {
  const char* name;
  bool redrawOff;
  std::vector<int> hide;
  std::vector<int> show;
  std::vector<int> visible;
};

class HideRows : public ::testing::TestWithParam<HideCase> {};

TEST_P(HideRows, ViewShowsOnlyVisibleRowsInOrder) {
  const HideCase& c = GetParam();
  Fixture f(5);
  QSignalSpy resets(&f.model, &QAbstractItemModel::modelReset);
  if (c.redrawOff) f.model.SetRedraw(false);
  for (int r : c.hide) f.model.SetRowHidden(r, true);
  for (int r : c.show) f.model.SetRowHidden(r, false);
  if (c.redrawOff) {
    EXPECT_EQ(f.model.rowCount(), 5) << "the view keeps its rows while redraw is off";
    EXPECT_EQ(resets.count(), 0);
    f.model.SetRedraw(true);
  }
  EXPECT_EQ(resets.count(), c.redrawOff ? 1 : 0);
  EXPECT_EQ(f.Visible(), c.visible);
  for (size_t v = 0; v < c.visible.size(); ++v)
    EXPECT_EQ(f.model.index(int(v), 0).data().toString(), QStringLiteral("r%1").arg(c.visible[v]));
  for (int r = 1; r <= 5; ++r) {
    const auto at = std::find(c.visible.begin(), c.visible.end(), r);
    EXPECT_EQ(f.model.IsRowHidden(r), at == c.visible.end()) << r;
    EXPECT_EQ(f.model.ViewRowOfRow(r), at == c.visible.end() ? -1 : int(at - c.visible.begin())) << r;
  }
}

INSTANTIATE_TEST_SUITE_P(GridModel, HideRows,
                         ::testing::Values(HideCase{"OneByOne", false, {2, 4}, {}, {1, 3, 5}},
                                           HideCase{"BatchedWhileRedrawOff", true, {2, 4}, {}, {1, 3, 5}},
                                           HideCase{"ShowInTheMiddle", false, {2, 3, 4}, {3}, {1, 3, 5}},
                                           HideCase{"ShowInTheMiddleRedrawOff", true, {2, 3, 4}, {3}, {1, 3, 5}},
                                           HideCase{"FirstAndLast", false, {1, 5}, {}, {2, 3, 4}},
                                           HideCase{"AllThenOne", true, {1, 2, 3, 4, 5}, {4}, {4}},
                                           HideCase{"HidingTwiceIsOnce", false, {2, 2}, {}, {1, 3, 4, 5}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GridModel, HundredThousandRowsMapBothWays) {
  GridModel model;
  model.SetCols(2);
  model.FillRows(std::vector<std::vector<QString>>(100000, {QStringLiteral("x")}));
  model.SetRedraw(false);
  for (int r = 2; r <= 100000; r += 2) model.SetRowHidden(r, true);
  model.SetRedraw(true);
  EXPECT_EQ(model.rowCount(), 50000);
  EXPECT_EQ(model.RowOfViewRow(49999), 99999);
  EXPECT_EQ(model.ViewRowOfRow(99999), 49999);
  EXPECT_EQ(model.ViewRowOfRow(100000), -1);
  EXPECT_EQ(model.ViewRowAtOrAfter(100000), -1);
  EXPECT_EQ(model.ViewRowAtOrAfter(4), 2);
}

TEST(GridModel, CellTextsWhileRedrawOffArriveAsOneChange) {
  Fixture f(50);
  QSignalSpy changed(&f.model, &QAbstractItemModel::dataChanged);
  f.model.SetRedraw(false);
  for (int r = 1; r <= 50; ++r) f.model.SetText(r, 1, QStringLiteral("v"));
  EXPECT_EQ(changed.count(), 0);
  f.model.SetRedraw(true);
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(f.model.index(49, 1).data().toString(), QStringLiteral("v"));
}

TEST(GridModel, FillRowsReplacesEverythingInOneReset) {
  Fixture f(4, 2);
  f.model.SetRowHidden(2, true);
  f.model.SetBackColor(1, 0, 1, 1, Qt::yellow);
  QSignalSpy resets(&f.model, &QAbstractItemModel::modelReset);
  f.model.SetColType(1, {CellKind::Amount});
  f.model.FillRows({{QStringLiteral("a"), QStringLiteral("1,234.50"), QStringLiteral("extra")}, {QStringLiteral("c")}},
                   {QVariant(7)});
  EXPECT_EQ(resets.count(), 1);
  EXPECT_EQ(f.model.Rows(), 3);
  EXPECT_EQ(f.model.rowCount(), 2) << "hidden marks of the old rows are gone";
  EXPECT_EQ(f.model.Amount(1, 1), Money::FromCents(123450)) << "a filled text is typed as a set one";
  EXPECT_EQ(f.model.Text(1, 2), QString());
  EXPECT_EQ(f.model.RowData(1), QVariant(7));
  EXPECT_FALSE(f.model.RowData(2).isValid());
  EXPECT_FALSE(f.model.BackColor(1, 0).isValid());
}

struct ColorCase {
  const char* name;
  int row1, col1, row2, col2;
  std::set<std::pair<int, int>> coloured;  // empty with all: every data cell
  bool all = false;
};

class CellColors : public ::testing::TestWithParam<ColorCase> {};

TEST_P(CellColors, RangeColoursExactlyItsCells) {
  const ColorCase& c = GetParam();
  Fixture f(4, 3);
  f.model.SetBackColor(c.row1, c.col1, c.row2, c.col2, Qt::yellow);
  f.model.SetForeColor(1, 2, 4, 2, Qt::red);  // over rows that look alike and rows that do not
  for (int r = 1; r <= 4; ++r) {
    for (int col = 0; col < 3; ++col) {
      const bool expected = c.all || c.coloured.count({r, col}) > 0;
      EXPECT_EQ(f.model.BackColor(r, col), expected ? QColor(Qt::yellow) : QColor()) << r << "," << col;
      EXPECT_EQ(f.model.data(f.model.index(r - 1, col), Qt::BackgroundRole).isValid(), expected);
      EXPECT_EQ(f.model.ForeColor(r, col), col == 2 ? QColor(Qt::red) : QColor()) << "kept apart from the back colour";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(GridModel, CellColors,
                         ::testing::Values(ColorCase{"OneCell", 2, 1, 2, 1, {{2, 1}}},
                                           ColorCase{"WholeRow", 3, 0, 3, 2, {{3, 0}, {3, 1}, {3, 2}}},
                                           ColorCase{"CornersReversed", 2, 2, 1, 1, {{1, 1}, {1, 2}, {2, 1}, {2, 2}}},
                                           ColorCase{"ClippedToTheDataRows", 0, -1, 99, 99, {}, true},
                                           ColorCase{"OutsideTheGrid", 7, 0, 9, 2, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GridModel, ColoursClearAndMoveWithTheirRows) {
  Fixture f(3, 2);
  f.model.SetBackColor(1, 0, 3, 1, Qt::yellow);
  f.model.SetBackColor(2, 0, 2, 1, QColor());
  EXPECT_FALSE(f.model.BackColor(2, 0).isValid());
  f.model.RemoveRow(2);
  EXPECT_EQ(f.model.BackColor(2, 1), QColor(Qt::yellow)) << "row 3 moved up with its colours";
}

// A cell set from a text or a value, what it shows and reads back as, and the value
// it keeps (monostate: kept as text).
struct TypedCellCase {
  const char* name;
  CellType type;
  std::variant<QString, QDate, Money> given;
  QString shown;
  std::variant<std::monostate, QDate, Money> value;
};

TEST(GridModel, TypedCellsReadBackExactlyWhatTheyWereGiven) {
  const Money max = Money::Max();
  const TypedCellCase cases[] = {
      {"DateText", {CellKind::Date, '.'}, QStringLiteral("2026.03.05"), QStringLiteral("2026.03.05"), QDate(2026, 3, 5)},
      {"DateValue", {CellKind::Date, '-'}, QDate(2026, 12, 31), QStringLiteral("2026-12-31"), QDate(2026, 12, 31)},
      {"DateOtherLayoutStaysText", {CellKind::Date, '.'}, QStringLiteral("2026-03-05"), QStringLiteral("2026-03-05"), {}},
      {"DateNoSuchDayStaysText", {CellKind::Date, '.'}, QStringLiteral("2026.02.30"), QStringLiteral("2026.02.30"), {}},
      {"DateTotalRowStaysText", {CellKind::Date, '.'}, QStringLiteral("合计"), QStringLiteral("合计"), {}},
      {"DateEmpty", {CellKind::Date, '.'}, QString(), QString(), {}},
      {"DateInvalidValueEmpties", {CellKind::Date, '.'}, QDate(), QString(), {}},
      {"AmountText", {CellKind::Amount}, QStringLiteral("-1,234.50"), QStringLiteral("-1,234.50"), Money::FromCents(-123450)},
      {"AmountLargest", {CellKind::Amount}, max, QStringLiteral("922,337,203,685,477.58"), max},
      {"AmountSmallest", {CellKind::Amount}, -max, QStringLiteral("-922,337,203,685,477.58"), -max},
      {"AmountZero", {CellKind::Amount}, QStringLiteral("0.00"), QStringLiteral("0.00"), Money()},
      {"AmountPlainStaysText", {CellKind::Amount}, QStringLiteral("1234.5"), QStringLiteral("1234.5"), {}},
      {"AmountBlanksStayText", {CellKind::Amount}, QStringLiteral(" 1.00"), QStringLiteral(" 1.00"), {}},
      {"AmountEmpty", {CellKind::Amount}, QString(), QString(), {}},
      {"AmountOnTextColumn", {}, Money::FromCents(123450), QStringLiteral("1,234.50"), {}},
      {"RepeatedText", {}, QStringLiteral("借"), QStringLiteral("借"), {}},
      {"LongText", {}, QString(40000, QLatin1Char('x')), QString(40000, QLatin1Char('x')), {}},
  };
  for (const TypedCellCase& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f(3, 2);
    f.model.SetColType(1, c.type);
    f.model.SetText(2, 1, QStringLiteral("other"));
    for (int r : {1, 3}) {
      if (const auto* text = std::get_if<QString>(&c.given)) f.model.SetText(r, 1, *text);
      else if (const auto* date = std::get_if<QDate>(&c.given)) f.model.SetDate(r, 1, *date);
      else f.model.SetAmount(r, 1, std::get<Money>(c.given));
    }
    const auto value = [&](int r) -> std::variant<std::monostate, QDate, Money> {
      if (const auto d = f.model.Date(r, 1)) return *d;
      if (const auto m = f.model.Amount(r, 1)) return *m;
      return {};
    };
    EXPECT_EQ(f.model.index(0, 1).data().toString(), c.shown);
    EXPECT_TRUE(value(3) == c.value);
    EXPECT_EQ(f.model.Text(2, 1), QStringLiteral("other"));
    f.model.RemoveRow(1);
    EXPECT_EQ(f.model.Text(2, 1), c.shown) << "the cell moved up with its row";
    f.model.SetColType(1, CellType());
    EXPECT_EQ(f.model.Text(2, 1), c.shown) << "a text column shows the same";
    EXPECT_EQ(f.model.Text(1, 1), QStringLiteral("other"));
  }
}

TEST(GridModel, RewrittenAndRemovedTextsKeepTheOthers) {
  GridModel model;
  model.SetCols(1);
  model.SetRows(2001);
  for (int pass = 0; pass < 40; ++pass) {
    for (int r = 1; r <= 2000; ++r) model.SetText(r, 0, QStringLiteral("%1-%2").arg(r).arg(pass));
    if (pass == 0) {
      ASSERT_EQ(model.Text(1, 0), QStringLiteral("1-0")) << "kept when the codes widened";
    }
  }
  model.RemoveRows(1, 1000);
  for (int r = 1; r <= 1000; ++r) ASSERT_EQ(model.Text(r, 0), QStringLiteral("%1-39").arg(r + 1000)) << r;
  model.SetRows(501);  // fewer rows and more again, once the codes are wide: the new rows are empty
  model.SetRows(1001);
  EXPECT_EQ(model.Text(500, 0), QStringLiteral("1500-39"));
  EXPECT_EQ(model.Text(1000, 0), QString());
}

TEST(GridModel, SharedTextsFollowTheStringsTheyCameFrom) {
  GridModel model;
  model.SetCols(1);
  model.SetRows(5);
  QString s = QStringLiteral("x%1").arg(1);
  model.SetText(1, 0, s);
  s[0] = QLatin1Char('y');  // the caller's string changed after it was stored
  model.SetText(2, 0, s);
  model.SetText(3, 0, model.Text(1, 0));  // the table's own string handed back
  model.SetText(4, 0, QStringLiteral("x2"));
  const char* const want[] = {"x1", "y1", "x1", "x2"};
  for (int r = 1; r <= 4; ++r) EXPECT_EQ(model.Text(r, 0), QLatin1String(want[r - 1])) << r;
}

TEST(GridModel, RowKeysKeepTheirTypes) {
  const QVariant keys[] = {QVariant(7), QVariant(qlonglong{1} << 40), QVariant(QStringLiteral("A01")), QVariant(),
                           QVariant(2.5)};
  Fixture f(5);
  for (int r = 1; r <= 5; ++r) f.model.SetRowData(r, keys[r - 1]);
  f.model.SetRowData(3, QStringLiteral("B02"));
  f.model.RemoveRow(1);
  for (int r = 1; r <= 4; ++r) {
    const QVariant expected = r == 2 ? QVariant(QStringLiteral("B02")) : keys[r];
    EXPECT_EQ(f.model.RowData(r), expected) << r;
    EXPECT_EQ(f.model.RowData(r).metaType(), expected.metaType()) << r;
  }
}

struct EditableCase {
  const char* name;
  bool editable, columnReadOnly, rowReadOnly;
  QColor back;
  bool expected;
};

class CellEditable : public ::testing::TestWithParam<EditableCase> {};

TEST_P(CellEditable, FollowsColumnRowAndProtectedColours) {
  const EditableCase& c = GetParam();
  Fixture f(2, 2);
  f.model.SetEditable(c.editable);
  f.model.AddProtectedColor(ColorFromBgr(0xC6F3F7));
  f.model.SetColumnReadOnly(1, c.columnReadOnly);
  f.model.SetRowReadOnly(1, c.rowReadOnly);
  f.model.SetBackColor(1, 1, 1, 1, c.back);
  EXPECT_EQ(f.model.flags(f.model.index(0, 1)).testFlag(Qt::ItemIsEditable), c.expected);
  EXPECT_EQ(f.model.IsCellEditable(2, 0), c.editable) << "other cells keep their own state";
}

INSTANTIATE_TEST_SUITE_P(GridModel, CellEditable,
                         ::testing::Values(EditableCase{"Plain", true, false, false, QColor(), true},
                                           EditableCase{"ListModel", false, false, false, QColor(), false},
                                           EditableCase{"ReadOnlyColumn", true, true, false, QColor(), false},
                                           EditableCase{"ReadOnlyRow", true, false, true, QColor(), false},
                                           EditableCase{"ProtectedColour", true, false, false, QColor(0xF7, 0xF3, 0xC6), false},
                                           EditableCase{"OtherColour", true, false, false, QColor(Qt::white), true}),
                         [](const auto& info) { return std::string(info.param.name); });

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
  EXPECT_EQ(grid.View()->columnWidth(0), grid.ColumnPixels(1500));
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
