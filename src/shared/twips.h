#pragma once

#include <cmath>

namespace corvane::shared {

// The suite measures windows in twips. Corvane converts them at a fixed rate of 15
// twips per pixel (a 96 dots-per-inch screen), so that sizes written for the
// suite's windows come out the same on every machine. Grid columns are the one
// exception: their widths follow the grid's font (platform/controls/column_twips.h).
inline constexpr int kTwipsPerPixel = 15;

inline int PixelsToTwips(int pixels, int twipsPerPixel = kTwipsPerPixel) {
  return pixels * twipsPerPixel;
}

// Nearest pixel, halves away from zero.
inline int TwipsToPixels(double twips, int twipsPerPixel = kTwipsPerPixel) {
  return static_cast<int>(std::lround(twips / twipsPerPixel));
}

}  // namespace corvane::shared
