#include "platform/db/money.h"

#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

struct ParseCase {
  const char* text;
  std::optional<std::int64_t> raw;
};

TEST(MoneyTest, ParsesPlainAndDisplayTexts) {
  const ParseCase cases[] = {
      {"0", 0},           {"12.34", 123400},       {"-1,234.50", -12345000}, {" 7 ", 70000},
      {"0.00005", 1},     {"0.00004", 0},          {"+3.1", 31000},          {"1234567890123.4567", 12345678901234567},
      {"", std::nullopt}, {"abc", std::nullopt},   {"1.2.3", std::nullopt},  {"-", std::nullopt},
      {".", std::nullopt},
  };
  for (const auto& c : cases) {
    const auto m = Money::Parse(QString::fromUtf8(c.text));
    ASSERT_EQ(m.has_value(), c.raw.has_value()) << c.text;
    if (m) EXPECT_EQ(m->Raw(), *c.raw) << c.text;
  }
}

TEST(MoneyTest, FormatsForDisplayAndForSql) {
  struct Case { std::int64_t raw; const char* display; const char* plain; };
  const Case cases[] = {
      {0, "0.00", "0.0000"},
      {12345000, "1,234.50", "1234.5000"},
      {-12345000, "-1,234.50", "-1234.5000"},
      {1234567890000, "123,456,789.00", "123456789.0000"},
      {50, "0.01", "0.0050"},       // half a cent rounds away from zero
      {-50, "-0.01", "-0.0050"},
      {49, "0.00", "0.0049"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Money::FromRaw(c.raw).ToDisplayText(), QString::fromUtf8(c.display)) << c.raw;
    EXPECT_EQ(Money::FromRaw(c.raw).ToPlainText(), QString::fromUtf8(c.plain)) << c.raw;
  }
}

TEST(MoneyTest, SumsOfCentsStayExact) {
  Money total;
  for (int i = 0; i < 100000; ++i) total += Money::FromCents(1);
  EXPECT_EQ(total, Money::FromCents(100000));
  EXPECT_EQ(Money::FromDouble(0.1 + 0.2), Money::FromCents(30));
}

TEST(MoneyTest, AgreementIsBelowOneCent) {
  EXPECT_TRUE(AmountsAgree(Money::FromRaw(10000), Money::FromRaw(10099)));
  EXPECT_FALSE(AmountsAgree(Money::FromRaw(10000), Money::FromRaw(10100)));
  EXPECT_FALSE(AmountsExactlyEqual(Money::FromRaw(10000), Money::FromRaw(10001)));
  EXPECT_TRUE(AmountsExactlyEqual(Money::FromRaw(-5), Money::FromRaw(-5)));
}

}  // namespace
}  // namespace corvane::platform
