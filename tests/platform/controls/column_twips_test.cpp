// Grid column widths on screen: a width given in twips holds in every font the
// digits it held in the suite's type (90 twips a digit) beside the cell's margins,
// and follows the grid's font when it changes.
#include "platform/controls/column_twips.h"
#include "platform/controls/list_grid.h"

#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>
#include <gtest/gtest.h>

#include <cmath>

namespace corvane::platform {
namespace {

QFont Font(const char* family, int pixelSize) {
  QFont f(QString::fromLatin1(family));
  f.setPixelSize(pixelSize);
  return f;
}

struct FontCase {
  const char* family;
  int pixelSize;
};

class ColumnTwips : public ::testing::TestWithParam<FontCase> {
 protected:
  QFont font = Font(GetParam().family, GetParam().pixelSize);
};

// What a width held where it was made, it holds here: a date in 1000 twips, the
// largest line amount in 16 digits' width (1440), a settlement number of ten
// characters in 1000, a flow number of eleven in 1200; each with the room an item
// view keeps beside its text and the grid line.
TEST_P(ColumnTwips, WidthsHoldWhatTheyHeldInTheSuitesType) {
  QTableView view;
  view.setFont(font);
  const int margins = 2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1) + 1;
  ASSERT_EQ(CellTextMargins(view), margins);
  const QFontMetrics metrics(font);
  const struct {
    int twips;
    const char* text;
  } rows[] = {{1000, "2025.12.31"}, {1000, "2026.08.28"}, {1440, "9,999,999,999.99"}, {1000, "ZZ24440000"},
              {1000, "DH41054725"}, {1000, "WT11507606"}, {1200, "YH001000123"}, {2000, "-9,999,999,999.99"}};
  for (const auto& row : rows)
    EXPECT_LE(metrics.horizontalAdvance(QString::fromLatin1(row.text)) + margins, ColumnTwipsToPixels(row.twips, font, margins))
        << row.text << " in " << row.twips << " twips";
}

// The widths keep their proportions, a hidden column stays hidden, and a width read
// back from its pixels gives those pixels again (a column the user dragged).
TEST_P(ColumnTwips, ProportionsKeptHiddenStaysHiddenPixelsRoundTrip) {
  const double digit = DigitWidth(font);
  for (const int margins : {0, 7}) {
    SCOPED_TRACE(margins);
    for (const int twips : {55, 280, 640, 800, 1000, 1440, 2000, 10800}) {
      const int pixels = ColumnTwipsToPixels(twips, font, margins);
      EXPECT_LE(std::abs(pixels - margins - twips * digit / 90.0), 0.5 + 1e-9) << twips;
      EXPECT_GE(pixels, margins + 1) << twips;
    }
    EXPECT_EQ(ColumnTwipsToPixels(0, font, margins), 0);
    EXPECT_EQ(ColumnTwipsToPixels(-15, font, margins), 0);
    for (int pixels = margins + 1; pixels <= 600; ++pixels)
      ASSERT_EQ(ColumnTwipsToPixels(ColumnPixelsToTwips(pixels, font, margins), font, margins), pixels) << pixels;
    EXPECT_GT(ColumnPixelsToTwips(1, font, margins), 0) << "a narrow column the user dragged stays shown";
  }
}

INSTANTIATE_TEST_SUITE_P(Fonts, ColumnTwips,
                         ::testing::Values(FontCase{"DejaVu Sans", 12}, FontCase{"DejaVu Sans", 16},
                                           FontCase{"DejaVu Sans Mono", 12}, FontCase{"WenQuanYi Micro Hei", 12},
                                           FontCase{"WenQuanYi Micro Hei", 15}, FontCase{"Nimbus Sans", 11},
                                           FontCase{"DejaVu Serif", 10}),
                         [](const auto& info) {
                           std::string name = std::string(info.param.family) + "_" + std::to_string(info.param.pixelSize);
                           for (char& c : name)
                             if (c == ' ') c = '_';
                           return name;
                         });

// A grid applies the conversion in its own font, again when that font changes, and
// still reads back the twips it was given; a hidden column stays hidden.
TEST(GridColumnWidths, FollowTheGridsFont) {
  ListGrid grid;
  grid.SetCols(3);
  grid.SetRows(2);
  grid.SetColWidth(0, 1000);
  grid.SetColWidth(1, 0);
  grid.SetColWidth(2, 1440);
  for (const int pixelSize : {10, 12, 18, 12}) {
    SCOPED_TRACE(pixelSize);
    grid.setFont(Font("DejaVu Sans", pixelSize));
    const QFont shown = grid.View()->font();
    const int margins = CellTextMargins(*grid.View());
    EXPECT_EQ(grid.View()->columnWidth(0), ColumnTwipsToPixels(1000, shown, margins));
    EXPECT_EQ(grid.View()->columnWidth(2), ColumnTwipsToPixels(1440, shown, margins));
    EXPECT_GT(grid.View()->columnWidth(2), grid.View()->columnWidth(0));
    EXPECT_TRUE(grid.View()->isColumnHidden(1));
    EXPECT_EQ(grid.ColWidth(0), 1000);
    EXPECT_EQ(grid.ColWidth(1), 0);
    EXPECT_EQ(grid.ColWidth(2), 1440);
  }
  // A width the user drags is kept in twips of the font, and shows as dragged.
  grid.View()->horizontalHeader()->resizeSection(0, 97);
  EXPECT_EQ(grid.ColumnPixels(grid.ColWidth(0)), 97);
  grid.SetRows(4);
  EXPECT_EQ(grid.View()->columnWidth(0), 97);
}

}  // namespace
}  // namespace corvane::platform
