#include "shared/date_text.h"

#include <gtest/gtest.h>

namespace corvane::shared {
namespace {

// An empty result: no date, and the box keeps what was typed.
TEST(NormalizeDateTextTest, RewritesDatesAndLeavesTheRestAsTyped) {
  struct Case { const char* typed; const char* shown; };
  const Case cases[] = {
      {"2026.1.5", "2026.01.05"},  {"2026-1-5", "2026.01.05"}, {"2026/12/31", "2026.12.31"},
      {" 2026.1.5 ", "2026.01.05"}, {"20260105", "2026.01.05"}, {"2024.2.29", "2024.02.29"},
      {"", ""},                    {"abc", ""},                {"2023.2.29", ""},
      {"2026.13.1", ""},           {"2026.1-5", ""},           {"26.1.5", ""},
      {"0100.01.01", ""},          {"2026.1.5x", ""},          {"2026年1月5日", ""},
  };
  for (const Case& c : cases) {
    const QString typed = QString::fromUtf8(c.typed);
    QString text = typed;
    EXPECT_EQ(NormalizeDateText(text), QString::fromUtf8(c.shown)) << c.typed;
    EXPECT_EQ(text, *c.shown ? QString::fromUtf8(c.shown) : typed) << c.typed;
  }
}

}  // namespace
}  // namespace corvane::shared
