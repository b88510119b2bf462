// Amounts at the edges of what Money holds are written, summed and read back
// exactly on both engines; an amount past the edge is an error, never a wrapped
// or zero amount.
#include "platform/db/db_error.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

namespace corvane::suite {
namespace {

using platform::DbError;
using platform::DbValue;
using platform::Money;

class MoneyEdgesTest : public ::testing::Test {
 protected:
  platform::DbConnection& conn() { return db_.Connection(); }
  void Insert(const QString& code, const DbValue& amount) {
    conn().Execute(QStringLiteral("insert into rp_bankrecp (ccode, mmoney) values (?, ?)"), {code, amount});
  }
  Money Sum(const QString& code) {
    return conn().QueryValue(QStringLiteral("select sum(mmoney) from rp_bankrecp where ccode = ?"), {code}).ToMoney();
  }
  testing::TestDatabase db_;
};

TEST_F(MoneyEdgesTest, AmountsAtTheEdgesComeBackExactly) {
  const Money amounts[] = {
      Money::FromRaw(1),                       // 0.0001
      Money::FromRaw(50),                      // 0.005
      Money::FromRaw(-50),
      Money::FromRaw(-12345678),               // -1,234.5678
      Money::FromRaw(12345678901234567),       // 1234567890123.4567 (a double gives …4568)
      Money::FromCents(10'000'000'000'000'000),  // 10^14
      Money::Max(),
      -Money::Max(),
  };
  const size_t kSummed = std::size(amounts) - 2;  // the two extremes would overflow any sum
  for (size_t i = 0; i < std::size(amounts); ++i) Insert(i < kSummed ? QStringLiteral("E") : QStringLiteral("X"), amounts[i]);
  auto rs = conn().OpenRecordset(QStringLiteral("select mmoney from rp_bankrecp order by i_id"));
  for (const Money& m : amounts) {
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Field(0).ToMoney(), m);
    rs->MoveNext();
  }
  // Found by an exact bound amount, and summed exactly.
  for (const Money& m : amounts)
    EXPECT_EQ(conn().QueryValue(QStringLiteral("select count(*) from rp_bankrecp where mmoney = ?"), {m}).ToInt(), 1) << m;
  Money expected;
  for (size_t i = 0; i < kSummed; ++i) expected += amounts[i];
  EXPECT_EQ(Sum(QStringLiteral("E")), expected);
}

TEST_F(MoneyEdgesTest, ManySmallAmountsOnALargeTotalSumWithoutDrift) {
  std::vector<platform::DbParams> rows;
  for (int i = 0; i < 1000; ++i) rows.push_back({QStringLiteral("S"), Money::FromRaw(1500)});  // 0.15
  rows.push_back({QStringLiteral("S"), Money::FromCents(1'000'000'000'000'000)});             // 10^13
  conn().ExecuteBatch(QStringLiteral("insert into rp_bankrecp (ccode, mmoney) values (?, ?)"), rows);
  EXPECT_EQ(Sum(QStringLiteral("S")), Money::FromCents(1'000'000'000'000'000) + Money::FromRaw(1500 * 1000));
  // Compared in SQL against a bound amount: exact, no rounding of a decimal.
  EXPECT_EQ(conn().QueryValue(QStringLiteral("select count(*) from rp_bankrecp where ccode = ? and abs(mmoney - ?) < ?"),
                              {QStringLiteral("S"), Money::FromRaw(1501), Money::FromRaw(2)}).ToInt(), 1000);
}

// Past the largest amount (Money cannot even hold it: written as text, as another
// program would): the engine refuses the write, or the read says so; a wrapped
// (negative) or zero amount never comes back.
TEST_F(MoneyEdgesTest, AnAmountPastTheLargestIsAnErrorNeverAWrongAmount) {
  const char* const pastTheEdge[] = {"922337203685477.5808", "-922337203685477.5809", "950000000000000.5"};
  for (const char* text : pastTheEdge) {
    SCOPED_TRACE(text);
    conn().Execute(QStringLiteral("delete from rp_bankrecp"));
    bool written = true;
    try {
      Insert(QStringLiteral("P"), QString::fromLatin1(text));
    } catch (const DbError&) {
      written = false;
    }
    if (written) {
      EXPECT_THROW(conn().QueryValue(QStringLiteral("select mmoney from rp_bankrecp")).ToMoney(), DbError);
      EXPECT_THROW(Sum(QStringLiteral("P")), DbError);
    }
  }
  // Two amounts whose sum leaves the range: the engine's sum fails, or its reading does.
  conn().Execute(QStringLiteral("delete from rp_bankrecp"));
  Insert(QStringLiteral("T"), Money::Max());
  Insert(QStringLiteral("T"), Money::FromRaw(1));
  EXPECT_THROW(Sum(QStringLiteral("T")), DbError);
}

TEST_F(MoneyEdgesTest, CountsAndSumsOfComputedColumnsKeepTheirMeaning) {
  Insert(QStringLiteral("C"), Money::FromCents(150));
  Insert(QStringLiteral("C"), Money::FromCents(250));
  const auto row = conn().Query(QStringLiteral(
      "select count(*), sum(mmoney), coalesce(max(mmoney), 0), sum(case when mmoney > ? then 1 else 0 end) "
      "from rp_bankrecp where ccode = ?"), {Money::FromCents(200), QStringLiteral("C")}).rows.at(0);
  EXPECT_EQ(QStringList({row[0].ToString(), row[1].ToMoney().ToPlainText(), row[2].ToMoney().ToPlainText(),
                         row[3].ToString()}),
            QStringList({"2", "4.0000", "2.5000", "1"}));
}

}  // namespace
}  // namespace corvane::suite
