#include "platform/db/money.h"

#include "platform/db/db_error.h"
#include "platform/db/db_value.h"

#include <cmath>

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
      // Only correct thousands groups; no other decimal mark, no letters, no second point.
      {"1,234,567.891", 12345678910},  {"-12,345", -123450000},     {"+.5", 5000},
      {"1.234,56", std::nullopt},       {"12,34", std::nullopt},     {"1,2345.00", std::nullopt},
      {",123", std::nullopt},           {"1,,234", std::nullopt},    {"1,234.5,6", std::nullopt},
      {"abc12.3.4x", std::nullopt},     {"12.34x", std::nullopt},    {"１２", std::nullopt},
      {"1 234", std::nullopt},          {"--1", std::nullopt},       {"1e5", std::nullopt},
      // The edges of the range.
      {"922337203685477.5807", INT64_MAX}, {"-922,337,203,685,477.5807", -INT64_MAX},
      {"922337203685477.5808", std::nullopt}, {"950000000000000", std::nullopt},
  };
  for (const auto& c : cases) {
    const auto m = Money::Parse(QString::fromUtf8(c.text));
    ASSERT_EQ(m.has_value(), c.raw.has_value()) << c.text;
    EXPECT_EQ(m.value_or(Money()).Raw(), c.raw.value_or(0)) << c.text;
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

TEST(MoneyTest, ArithmeticAndConversionsOutOfRangeThrowRatherThanWrap) {
  EXPECT_THROW(Money::Max() + Money::FromRaw(1), DbError);
  EXPECT_THROW(-Money::Max() - Money::FromRaw(2), DbError);
  EXPECT_THROW(Money::FromDouble(1e15), DbError);
  EXPECT_THROW(Money::FromDouble(std::nan("")), DbError);
  EXPECT_THROW(DbValue(950000000000000LL).ToMoney(), DbError);
  // A stored text reads as an amount only when it is one.
  const std::pair<const char*, std::optional<std::int64_t>> texts[] = {
      {"12.5", 125000}, {" -3 ", -30000}, {"abc", std::nullopt}, {"", std::nullopt}, {"12,34", std::nullopt}};
  for (const auto& [text, raw] : texts) {
    if (raw) EXPECT_EQ(DbValue(QString::fromUtf8(text)).ToMoney().Raw(), *raw) << text;
    else EXPECT_THROW(DbValue(QString::fromUtf8(text)).ToMoney(), DbError) << text;
  }
  EXPECT_EQ(Money::FromDouble(-9.0e14), Money::FromRaw(-9000000000000000000));
  EXPECT_EQ((Money::Max() - Money::Max()), Money());
  Money m = Money::Max();
  EXPECT_THROW(m += Money::FromRaw(1), DbError);
  EXPECT_EQ(m, Money::Max());
}

TEST(MoneyTest, AgreementIsBelowOneCent) {
  EXPECT_TRUE(AmountsAgree(Money::FromRaw(10000), Money::FromRaw(10099)));
  EXPECT_FALSE(AmountsAgree(Money::FromRaw(10000), Money::FromRaw(10100)));
  EXPECT_FALSE(AmountsExactlyEqual(Money::FromRaw(10000), Money::FromRaw(10001)));
  EXPECT_TRUE(AmountsExactlyEqual(Money::FromRaw(-5), Money::FromRaw(-5)));
}

}  // namespace
}  // namespace corvane::platform
