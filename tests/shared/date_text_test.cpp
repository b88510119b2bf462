#include "shared/date_text.h"

#include <gtest/gtest.h>

namespace corvane::shared {
namespace {

TEST(DateTextTest, NormalisesTheFormsADateIsTypedIn) {
  struct Case { QString typed; QString shown; };
  const Case cases[] = {
      {"2026.1.5", "2026.01.05"},      {"2026.01.05", "2026.01.05"},
      {"2026-1-5", "2026.01.05"},      {"2026/12/31", "2026.12.31"},
      {" 2026.1.5 ", "2026.01.05"},    {"20260105", "2026.01.05"},
      {QString::fromUtf8("2026年1月5日"), "2026.01.05"},
      {QString::fromUtf8("2026年1月5"), "2026.01.05"},
      {"2024.2.29", "2024.02.29"},
  };
  for (const Case& c : cases) {
    QString text = c.typed;
    EXPECT_EQ(NormalizeDateText(text), c.shown) << c.typed.toStdString();
    EXPECT_EQ(text, c.shown) << c.typed.toStdString();
  }
}

TEST(DateTextTest, TextThatIsNoDateGivesEmptyAndStaysAsTyped) {
  const QString typed[] = {"",           "abc",       "2023.2.29", "2026.13.1", "2026.1.32",
                           "2026.1-5",   "26.1.5",    "2026..5",   "202615",    "0100.01.01",
                           "2026.1.5x",  "0000.01.01"};
  for (const QString& t : typed) {
    QString text = t;
    EXPECT_EQ(NormalizeDateText(text), QString()) << t.toStdString();
    EXPECT_EQ(text, t) << t.toStdString();
  }
}

TEST(DateTextTest, FormatsFourDigitYearsAndTheNoDateText) {
  EXPECT_EQ(FormatDateText(QDate(987, 3, 4)), "0987.03.04");
  EXPECT_EQ(FormatDateText(QDate(2026, 11, 30)), "2026.11.30");
  EXPECT_EQ(FormatDateText(std::nullopt), "0100.01.01");
  EXPECT_EQ(FormatDateText(QDate()), "0100.01.01");
}

TEST(DateTextTest, ParsesToTheCalendarDay) {
  EXPECT_EQ(ParseDateText(u"2026-02-03"), QDate(2026, 2, 3));
  EXPECT_EQ(ParseDateText(u"2026-02-30"), std::nullopt);
}

}  // namespace
}  // namespace corvane::shared
