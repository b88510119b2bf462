#include "shared/byte_text.h"

#include <gtest/gtest.h>

namespace corvane::shared {
namespace {

TEST(ByteTextTest, ByteLengthCountsNonAsciiAsTwo) {
  struct Case { QString text; int bytes; };
  const Case cases[] = {{"", 0},           {"abc", 3},          {QString::fromUtf8("银行"), 4},
                        {QString::fromUtf8("a银b"), 4}, {QString::fromUtf8("é"), 2},
                        {QString::fromUtf8("（1）"), 5}, {QString::fromUtf8("😀x"), 3}};
  for (const Case& c : cases) EXPECT_EQ(GetByteLength(c.text), c.bytes) << c.text.toStdString();
}

TEST(ByteTextTest, LeftBytesNeverCutsACharacterInHalf) {
  struct Case { QString text; int width; QString expected; };
  const Case cases[] = {
      {"abcdef", 4, "abcd"},
      {"abc", 5, "abc"},
      {QString::fromUtf8("银行存款"), 5, QString::fromUtf8("银行")},
      {QString::fromUtf8("银行存款"), 6, QString::fromUtf8("银行存")},
      {QString::fromUtf8("a银b"), 2, "a"},
      {QString::fromUtf8("😀x"), 1, ""},
      {QString::fromUtf8("😀x"), 2, QString::fromUtf8("😀")},
      {"abc", 0, ""},
      {"abc", -1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LeftBytes(c.text, c.width), c.expected) << c.text.toStdString() << " " << c.width;
  }
}

TEST(ByteTextTest, FitToWidthCutsOrPads) {
  struct Case { QString text; int width; QString expected; };
  const Case cases[] = {
      {"abc", 5, "abc  "},
      {"abcdef", 4, "abcd"},
      {"abc", 3, "abc"},
      {QString::fromUtf8("银行"), 4, QString::fromUtf8("银行")},
      {QString::fromUtf8("银行存款"), 5, QString::fromUtf8("银行 ")},
      {QString::fromUtf8("银行"), 7, QString::fromUtf8("银行   ")},
      {"abc", 0, ""},
      {"abc", -3, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitToWidth(c.text, c.width), c.expected) << c.text.toStdString() << " " << c.width;
  }
}

TEST(ByteTextTest, FittedTextAlwaysHasTheExactWidth) {
  const QString texts[] = {"", "abc", QString::fromUtf8("工商银行(朝阳)"), QString::fromUtf8("a银b行c")};
  for (const QString& text : texts) {
    for (int width = 1; width <= 20; ++width) {
      EXPECT_EQ(GetByteLength(FitToWidth(text, width)), width) << text.toStdString() << " " << width;
    }
  }
}

}  // namespace
}  // namespace corvane::shared
