#include "shared/word_layout_math.h"

#include <array>
#include <cfenv>
#include <cmath>
#include <limits>

namespace corvane::shared {

int RoundHalfEven(double value) {
  // nearbyint follows the current rounding mode, whose default is to the even neighbour.
  const int previous = std::fegetround();
  std::fesetround(FE_TONEAREST);
  double rounded = std::nearbyint(value);
  std::fesetround(previous);
  constexpr double kMax = std::numeric_limits<int>::max();
  constexpr double kMin = std::numeric_limits<int>::min();
  if (std::isnan(rounded)) return 0;
  if (rounded > kMax) return std::numeric_limits<int>::max();
  if (rounded < kMin) return std::numeric_limits<int>::min();
  return static_cast<int>(rounded);
}

int PixelsPerWord(double fontSize, bool normalFont) {
  struct Row { double points; int normal; int other; };
  static constexpr std::array<Row, 9> kTable{{{8, 11, 14},  {9, 12, 15},  {10, 13, 16},
                                              {11, 15, 19}, {12, 16, 20}, {14, 19, 24},
                                              {16, 21, 26}, {18, 24, 30}, {20, 27, 34}}};
  for (const Row& row : kTable) {
    if (row.points == fontSize) return normalFont ? row.normal : row.other;
  }
  return 0;
}

std::optional<TwipSpan> PlaceAcross(double minWords, Words left, Words right, bool mid,
                                    int wordTwip, int referenceWidth) {
  const double wt = wordTwip;
  const double w = referenceWidth;
  const double l = left.value_or(0);
  const double r = right.value_or(0);
  double start = 0;
  double size = 0;
  if (left && right) {
    start = l * wt;
    size = w - (l + r) * wt;
  } else if (left) {
    start = l * wt;
    size = mid ? w / 2 - l * wt : minWords * wt;
  } else if (right) {
    start = mid ? w / 2 : w - (minWords + r) * wt;
    size = mid ? w / 2 - r * wt : minWords * wt;
  } else if (mid) {
    start = (w - minWords * wt) / 2;
    size = minWords * wt;
  } else {
    return std::nullopt;
  }
  return TwipSpan{RoundHalfEven(start), RoundHalfEven(size)};
}

std::optional<TwipSpan> PlaceDown(double minWords, Words top, Words bottom, int wordTwip,
                                  int referenceHeight, int topReserve) {
  const double wt = wordTwip;
  const double h = referenceHeight;
  const double t = top.value_or(0);
  const double b = bottom.value_or(0);
  double start = 0;
  double size = 0;
  if (top && bottom) {
    start = t * wt + topReserve;
    size = h - (t + b) * wt - topReserve;
  } else if (top) {
    start = t * wt + topReserve;
    size = minWords * wt;
  } else if (bottom) {
    start = h - (minWords + b) * wt;
    size = minWords * wt;
  } else {
    return std::nullopt;
  }
  return TwipSpan{RoundHalfEven(start), RoundHalfEven(size)};
}

}  // namespace corvane::shared
