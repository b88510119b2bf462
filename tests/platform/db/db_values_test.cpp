#include "platform/db/money.h"

#include "platform/db/db_error.h"
#include "platform/db/db_value.h"
#include "platform/db/recordset_wrapper.h"
#include "platform/db/sql_builder.h"

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

RecordsetWrapper MakeRows() {
  ResultSet r;
  r.columns = QStringList{QStringLiteral("i_id"), QStringLiteral("cCode"), QStringLiteral("mmoney"),
                          QStringLiteral("dDate")};
  r.rows.push_back({DbValue(1), DbValue("1002A"), DbValue(Money::FromCents(1000)), DbValue(QDate(2026, 1, 5))});
  r.rows.push_back({DbValue(2), DbValue("1002b "), DbValue(Money::FromCents(2500)), DbValue(QDate(2026, 2, 1))});
  r.rows.push_back({DbValue(3), DbValue("it's"), DbValue(), DbValue()});
  return RecordsetWrapper(nullptr, QStringLiteral("select * from t"), std::move(r), RecordsetWrapper::Mode::ReadOnly);
}

TEST(RecordsetCriteriaTest, FindsAndFiltersByCriteria) {
  struct Case { const char* criteria; int firstId; int count; };
  const Case cases[] = {
      {"i_id = 2", 2, 1},
      {"ccode = '1002a'", 1, 1},          // letter case does not matter
      {"CCODE = '1002B'", 2, 1},          // nor trailing blanks
      {"ccode = '１００２ａ'", 1, 1},      // nor full-width forms: the key rule of the databases
      {"ccode = '1002á'", 0, 0},          // accents do
      {"ccode = 'it''s'", 3, 1},          // a doubled quote inside the text
      {"mmoney >= 20", 2, 1},
      {"mmoney = null", 3, 1},
      {"i_id > 1 and mmoney < 30", 2, 1},
      {"ddate <= '2026-01-31'", 1, 1},
      {"i_id <> 2", 1, 2},
      {"i_id = 9", 0, 0},
  };
  for (const auto& c : cases) {
    RecordsetWrapper rs = MakeRows();
    rs.Find(QString::fromUtf8(c.criteria));
    EXPECT_EQ(rs.NoMatch(), c.firstId == 0) << c.criteria;
    if (c.firstId) {
      EXPECT_EQ(rs.Field(QStringLiteral("I_ID")).ToInt(), c.firstId) << c.criteria;
    }
    rs.Filter(QString::fromUtf8(c.criteria));
    EXPECT_EQ(rs.RecordCount(), c.count) << c.criteria;
    rs.Filter(QString());
    EXPECT_EQ(rs.RecordCount(), 3);
  }
}

TEST(RecordsetCriteriaTest, RefusesWhatItCannotRead) {
  for (const char* bad : {"nosuch = 1", "i_id == ", "i_id = 'open", "i_id 1", "= 3"}) {
    RecordsetWrapper rs = MakeRows();
    EXPECT_THROW(rs.Find(QString::fromUtf8(bad)), DbError) << bad;
  }
}

TEST(RecordsetCriteriaTest, ReadOnlyRowsRefuseChangesAndMissingColumns) {
  RecordsetWrapper rs = MakeRows();
  EXPECT_THROW(rs.Edit(), DbError);
  EXPECT_THROW(rs.Field(QStringLiteral("nosuch")), DbError);
  rs.Find(QStringLiteral("i_id = 9"));
  EXPECT_TRUE(rs.Eof());
  EXPECT_THROW(rs.Field(QStringLiteral("i_id")), DbError);
}

TEST(SqlBuilderTest, KeepsMarksAndValuesTogether) {
  SqlBuilder q(QStringLiteral("select 1 from t where a=?"), QStringLiteral("x"));
  q.Add(QStringLiteral(" and d<=?"), QDate(2026, 3, 1)).Add(QStringLiteral(" and ")).AddIn(QStringLiteral("c"), QStringList{"1", "2"});
  EXPECT_EQ(q.Sql(), QStringLiteral("select 1 from t where a=? and d<=? and c in (?,?)"));
  EXPECT_EQ(q.Params().size(), 4u);
  SqlBuilder empty;
  empty.AddIn(QStringLiteral("c"), QStringList{});
  EXPECT_EQ(empty.Sql(), QStringLiteral("1=0"));
  EXPECT_THROW(SqlBuilder(QStringLiteral("a=? and b=?"), 1), DbError);
  EXPECT_EQ(CountPlaceholders(QStringLiteral("a=? and b='?'")), 1);
}

TEST(DbValueTest, DateTextsReadAsDates) {
  const struct {
    const char* text;
    QDate date;  // invalid: no date
  } cases[] = {
      {"2026-02-28", QDate(2026, 2, 28)},          {"2026.02.28 00:00:00", QDate(2026, 2, 28)},
      {" 2026/02/28", QDate(2026, 2, 28)},         {"2026-+2-28", QDate(2026, 2, 28)},
      {"2026-02-30", QDate()},                     {"2026-02/28", QDate()},
      {"2026-2-28", QDate()},                      {"20260228", QDate()},
      {"", QDate()},
  };
  for (const auto& c : cases) EXPECT_EQ(DbValue(QString::fromUtf8(c.text)).ToDate(), c.date) << c.text;
}

}  // namespace
}  // namespace corvane::platform
