#include "suite/services/date_codec.h"
#include "suite/services/text_source.h"
#include "suite/services/text_width.h"

#include "fake_texts.h"

#include <gtest/gtest.h>

namespace corvane::suite::test {
namespace {

struct DateCase {
  const char* text;
  QDate expected;  // invalid: not a date
};

TEST(DateTextTest, ParsesTheSuiteFormsAndRefusesTheRest) {
  const QDate d(2026, 3, 5);
  const DateCase cases[] = {
      {"2026.03.05", d},       {"2026-03-05", d},        {"2026/03/05", d},        {"20260305", d},
      {"2026.3.5", d},         {" 2026.03.05 ", d},      {"2024.02.29", QDate(2024, 2, 29)},
      {"2026.02.29", QDate()}, {"2026.02.30", QDate()},  {"2026.13.01", QDate()},  {"2026.00.10", QDate()},
      {"2026.03-05", QDate()}, {"260305", QDate()},      {"2026030", QDate()},     {"0100.01.01", QDate()},
      {"1899.12.31", QDate()}, {"", QDate()},            {"2026.03.05x", QDate()}, {"2026.03.05 10:00", QDate()},
      {"abc", QDate()},
  };
  for (const DateCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseDateText(QString::fromUtf8(c.text)), c.expected);
  }
}

TEST(DateTextTest, FormatsWithDotsAndNoDateAsMarker) {
  EXPECT_EQ(FormatDateText(QDate(2026, 3, 5)), QStringLiteral("2026.03.05"));
  EXPECT_EQ(FormatDateText(QDate(1999, 12, 31)), QStringLiteral("1999.12.31"));
  EXPECT_EQ(FormatDateText(QDate()), QStringLiteral("0100.01.01"));
  // What is shown reads back as the same date.
  EXPECT_EQ(ParseDateText(FormatDateText(QDate(2026, 11, 30))), QDate(2026, 11, 30));
}

struct WidthCase {
  const char* text;
  int bytes;
};

TEST(ByteWidthTest, NonAsciiCharactersCountTwoBytes) {
  const WidthCase cases[] = {
      {"", 0}, {"abc", 3}, {"借", 2}, {"a借b", 4}, {"工商银行", 8}, {"１", 2}, {"😀", 2}, {"é", 2},
  };
  for (const WidthCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ByteLength(QString::fromUtf8(c.text)), c.bytes);
  }
}

struct LeftCase {
  const char* text;
  int width;
  const char* expected;
};

TEST(ByteWidthTest, LeftBytesNeverCutsACharacterInHalf) {
  const LeftCase cases[] = {
      {"a借b", 1, "a"},   {"a借b", 2, "a"},  {"a借b", 3, "a借"}, {"a借b", 4, "a借b"}, {"a借b", 9, "a借b"},
      {"借贷", 3, "借"},  {"abc", 0, ""},    {"abc", -1, ""},    {"😀x", 1, ""},      {"😀x", 3, "😀x"},
      {"101 现金支票", 3, "101"},
  };
  for (const LeftCase& c : cases) {
    SCOPED_TRACE(QStringLiteral("%1/%2").arg(QString::fromUtf8(c.text)).arg(c.width).toStdString());
    const QString out = LeftBytes(QString::fromUtf8(c.text), c.width);
    EXPECT_EQ(out, QString::fromUtf8(c.expected));
    EXPECT_LE(ByteLength(out), std::max(c.width, 0));
  }
}

TEST(AmountTextTest, DisplayAmountsBecomePlainNumbers) {
  const std::pair<const char*, const char*> cases[] = {
      {"1,234.50", "1234.50"}, {"-1,234.50", "-1234.50"}, {"(1,234.50)", "-1234.50"},
      {" 12 ", "12"},          {"1，000.00", "1000.00"},  {"1,234,567.89", "1234567.89"},
      {"", ""},                {"0.00", "0.00"},           {"abc", "abc"},
  };
  for (const auto& [in, out] : cases) {
    SCOPED_TRACE(in);
    EXPECT_EQ(AmountTextToNumberText(QString::fromUtf8(in)), QString::fromUtf8(out));
  }
}

TEST(TextOrTest, SourceTextWinsAndFallbackFillsArgumentsOnce) {
  FakeTexts texts;
  texts.texts.insert(QStringLiteral("k.known"), QStringLiteral("有 %1"));
  EXPECT_EQ(TextOr(&texts, QStringLiteral("k.known"), QStringLiteral("fallback %1"), {QStringLiteral("x")}),
            QStringLiteral("有 x"));
  EXPECT_EQ(TextOr(&texts, QStringLiteral("k.missing"), QStringLiteral("%2-%1"), {QStringLiteral("a"), QStringLiteral("b")}),
            QStringLiteral("b-a"));
  // An argument that itself reads "%2" is not filled again.
  EXPECT_EQ(TextOr(nullptr, QStringLiteral("k"), QStringLiteral("[%1][%2]"), {QStringLiteral("%2"), QStringLiteral("y")}),
            QStringLiteral("[%2][y]"));
}

}  // namespace
}  // namespace corvane::suite::test
