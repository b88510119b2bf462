#include "suite/services/date_codec.h"
#include "suite/services/text_source.h"
#include "suite/services/text_width.h"

#include "services_fixture.h"

#include <gtest/gtest.h>

namespace corvane::suite::test {
namespace {

TEST(DateTextTest, ParsesTheSuiteFormsRefusesTheRestAndReadsBackWhatItShows) {
  const QDate d(2026, 3, 5);
  const std::pair<const char*, QDate> cases[] = {
      {"2026.03.05", d},       {"2026-03-05", d},       {"2026/03/05", d},        {"20260305", d},
      {"2026.3.5", d},         {" 2026.03.05 ", d},     {"2024.02.29", QDate(2024, 2, 29)},
      {"2026.02.29", QDate()}, {"2026.13.01", QDate()}, {"2026.00.10", QDate()},  {"2026.03-05", QDate()},
      {"260305", QDate()},     {"0100.01.01", QDate()}, {"1899.12.31", QDate()},  {"", QDate()},
      {"2026.03.05x", QDate()}, {"2026.03.05 10:00", QDate()},
  };
  for (const auto& [text, date] : cases) EXPECT_EQ(ParseDateText(QString::fromUtf8(text)), date) << text;
  const std::pair<QDate, const char*> shown[] = {
      {d, "2026.03.05"}, {QDate(1999, 12, 31), "1999.12.31"}, {QDate(), "0100.01.01"}};
  for (const auto& [date, text] : shown) {
    EXPECT_EQ(FormatDateText(date), QString::fromLatin1(text));
    EXPECT_EQ(ParseDateText(FormatDateText(date)), date);
  }
}

// Field widths count bytes with two for every non-ASCII character; a cut that
// split one would store half a character.
TEST(ByteWidthTest, LeftBytesNeverCutsACharacterInHalf) {
  const std::tuple<const char*, int, const char*> cases[] = {
      {"a借b", 2, "a"}, {"a借b", 3, "a借"}, {"a借b", 9, "a借b"}, {"借贷", 3, "借"},
      {"abc", -1, ""},  {"😀x", 1, ""},     {"😀x", 3, "😀x"},
  };
  for (const auto& [text, width, expected] : cases) {
    const QString out = LeftBytes(QString::fromUtf8(text), width);
    EXPECT_EQ(out, QString::fromUtf8(expected)) << text << "/" << width;
    EXPECT_LE(ByteLength(out), std::max(width, 0));
  }
}

TEST(FallbackTextTest, ArgumentsTakeTheirPlacesAndKeepEveryCharacterAroundThem) {
  const std::pair<const char*, const char*> cases[] = {{"账簿[%1]不存在。", "账簿[YH001]不存在。"}, {"%1%2", "YH001100%"},
                                                       {"%2-%1.", "100%-YH001."}, {"%3 %10%", "%3 %10%"}};
  for (const auto& [text, out] : cases)
    EXPECT_EQ(TextOr(nullptr, "no.key", QString::fromUtf8(text), {"YH001", "100%"}), QString::fromUtf8(out)) << text;
}

}  // namespace
}  // namespace corvane::suite::test
