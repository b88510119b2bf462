#include "shared/word_layout_math.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace corvane::shared {
namespace {

constexpr auto kNull = std::nullopt;

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
  struct Case { double value; int expected; };
  const Case cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {4500.5, 4500}, {4501.5, 4502},
                        {2.4999, 2}, {2.5001, 3}, {1e12, 2147483647}};
  for (const Case& c : cases) EXPECT_EQ(RoundHalfEven(c.value), c.expected) << c.value;
}

TEST(PixelsPerWordTest, FollowsTheFontTableOfBothScreens) {
  struct Case { double points; int normal; int other; };
  const Case cases[] = {{8, 11, 14},  {9, 12, 15},  {11, 15, 19}, {14, 19, 24},
                        {20, 27, 34}, {13, 0, 0},   {9.5, 0, 0},  {0, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(PixelsPerWord(c.points, true), c.normal) << c.points;
    EXPECT_EQ(PixelsPerWord(c.points, false), c.other) << c.points;
  }
}

struct AcrossCase {
  std::string name;
  double minWords;
  Words left, right;
  bool mid;
  int width;
  std::optional<TwipSpan> expected;
};

TEST(PlaceAcrossTest, EveryCombinationOfSides) {
  const AcrossCase cases[] = {
      {"both sides stretch", 10, 1, 1, false, 9000, TwipSpan{180, 8640}},
      {"both sides ignore centring", 10, 1, 1, true, 9000, TwipSpan{180, 8640}},
      {"left keeps the minimum width", 5, 2, kNull, false, 9000, TwipSpan{360, 900}},
      {"left half", 10, 0, kNull, true, 9000, TwipSpan{0, 4500}},
      {"left half after a margin", 10, 1, kNull, true, 9000, TwipSpan{180, 4320}},
      {"right keeps the minimum width", 10, kNull, 1, false, 9000, TwipSpan{7020, 1800}},
      {"right half", 10, kNull, 0, true, 9000, TwipSpan{4500, 4500}},
      {"right half before a margin", 10, kNull, 1, true, 9000, TwipSpan{4500, 4320}},
      {"centred", 10, kNull, kNull, true, 9000, TwipSpan{3600, 1800}},
      {"not placed", 10, kNull, kNull, false, 9000, std::nullopt},
      {"odd width rounds down to even", 10, 0, kNull, true, 9001, TwipSpan{0, 4500}},
      {"odd width rounds up to even", 10, 0, kNull, true, 9003, TwipSpan{0, 4502}},
      {"fractional words", 10, 1.7, 0.5, false, 9000, TwipSpan{306, 8604}},
      {"no window yet", 10, kNull, 1, false, 0, TwipSpan{-1980, 1800}},
  };
  for (const AcrossCase& c : cases) {
    EXPECT_EQ(PlaceAcross(c.minWords, c.left, c.right, c.mid, 180, c.width), c.expected) << c.name;
  }
}

struct DownCase {
  std::string name;
  double minWords;
  Words top, bottom;
  int height, reserve;
  std::optional<TwipSpan> expected;
};

TEST(PlaceDownTest, EveryCombinationOfSides) {
  const DownCase cases[] = {
      {"both under a toolbar", 4, 1, 1, 6000, 387, TwipSpan{567, 5253}},
      {"both without toolbar", 4, 1, 1, 6000, 0, TwipSpan{180, 5640}},
      {"top keeps the minimum height", 2, 4, kNull, 6000, 387, TwipSpan{1107, 360}},
      {"bottom keeps the minimum height", 1.5, kNull, 0.5, 6000, 387, TwipSpan{5640, 270}},
      {"not placed", 4, kNull, kNull, 6000, 387, std::nullopt},
      {"fraction of a twip", 4, 10.5, 0.2, 6000, 0, TwipSpan{1890, 4074}},
  };
  for (const DownCase& c : cases) {
    EXPECT_EQ(PlaceDown(c.minWords, c.top, c.bottom, 180, c.height, c.reserve), c.expected)
        << c.name;
  }
}

}  // namespace
}  // namespace corvane::shared
