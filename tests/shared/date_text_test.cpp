#include "shared/date_text.h"

#include <gtest/gtest.h>

namespace corvane::shared {
namespace {

// An empty result: no date, and the text becomes the suite's text for no date.
TEST(NormalizeDateTextTest, RewritesDatesAndTurnsTheRestIntoNoDate) {
  struct Case { const char* typed; const char* shown; };
  const Case cases[] = {
      {"2026.1.5", "2026.01.05"},  {"2026-1-5", "2026.01.05"}, {"2026/12/31", "2026.12.31"},
      {" 2026.1.5 ", "2026.01.05"}, {"20260105", "2026.01.05"}, {"2024.2.29", "2024.02.29"},
      {"", ""},                    {"abc", ""},                {"2023.2.29", ""},
      {"2026.13.1", ""},           {"2026.1-5", ""},           {"26.1.5", ""},
      {"0100.01.01", ""},          {"2026.1.5x", ""},          {"2026年1月5日", ""},
  };
  for (const Case& c : cases) {
    QString text = QString::fromUtf8(c.typed);
    EXPECT_EQ(NormalizeDateText(text), QString::fromUtf8(c.shown)) << c.typed;
    EXPECT_EQ(text, *c.shown ? QString::fromUtf8(c.shown) : QStringLiteral("0100.01.01")) << c.typed;
  }
}

}  // namespace
}  // namespace corvane::shared
