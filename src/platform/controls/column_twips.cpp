#include "platform/controls/column_twips.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStyle>
#include <QTableView>
#include <algorithm>
#include <cmath>

namespace corvane::platform {

namespace {

// Pixels per twip of a column in this font: under one pixel for any readable type,
// which is what makes the two conversions exact inverses of each other.
double PixelsPerTwip(const QFont& font) { return DigitWidth(font) / kColumnTwipsPerDigit; }

}  // namespace

double DigitWidth(const QFont& font) {
  const QFontMetricsF metrics(font);
  double widest = 0;
  for (char16_t digit = u'0'; digit <= u'9'; ++digit) widest = std::max(widest, metrics.horizontalAdvance(QChar(digit)));
  // A font without digits (none is installed) still gets the suite's own width.
  return widest > 0 ? widest : kColumnTwipsPerDigit / 15;
}

int ColumnTwipsToPixels(int twips, const QFont& font, int margins) {
  if (twips <= 0) return 0;
  return margins + std::max(1, static_cast<int>(std::lround(twips * PixelsPerTwip(font))));
}

int ColumnPixelsToTwips(int pixels, const QFont& font, int margins) {
  if (pixels <= 0) return 0;
  return std::max(1, static_cast<int>(std::lround((pixels - margins) / PixelsPerTwip(font))));
}

int CellTextMargins(const QTableView& view) {
  // Item views draw a cell's text this far inside the cell on either side.
  const int text = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
  return 2 * text + (view.showGrid() ? 1 : 0);
}

}  // namespace corvane::platform
