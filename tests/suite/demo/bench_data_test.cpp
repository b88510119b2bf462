#include "ledger_probe.h"
#include "platform/db/db_error.h"
#include "suite/demo/bench_data.h"
#include "suite/demo/demo_data.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <map>

namespace corvane::suite {
namespace {

using platform::DbConnection;
using platform::DbError;

// Small sets: the counts and the mix do not depend on the size.
BenchDataOptions Small() {
  BenchDataOptions o;
  o.oneAccountLines = 3000;
  o.manyAccounts = 7;
  o.manyLines = 2003;
  return o;
}

// Lines per account: journal lines outside period 20 and statement lines other
// than the opening row, by account code.
std::map<QString, std::pair<long long, long long>> LinesPerAccount(DbConnection& c) {
  std::map<QString, std::pair<long long, long long>> out;
  for (const auto& r : c.Query(QStringLiteral("select ccode, count(*) from gl_accvouch where iperiod<>20 group by ccode")).rows)
    out[r[0].ToString()].first = r[1].ToInt();
  for (const auto& r : c.Query(QStringLiteral("select ccode, count(*) from rp_bankrecp where ibegin<>0 group by ccode")).rows)
    out[r[0].ToString()].second = r[1].ToInt();
  return out;
}

QStringList Totals(DbConnection& c) {
  QStringList out;
  for (const char* sql : {"select count(*), sum(md), sum(mc), min(dbill_date), max(dbill_date) from gl_accvouch",
                          "select count(*), sum(mmoney), sum(bd_c*mmoney), min(ddate), max(ddate) from rp_bankrecp",
                          "select count(*), min(ccode), max(ccode) from code"}) {
    const auto result = c.Query(QString::fromLatin1(sql));
    for (const auto& v : result.rows.at(0)) out << v.ToString();
  }
  return out;
}

TEST(BenchDataTest, GivesTheAskedLinesPerSideInARealisticMix) {
  testing::TestDatabase db;
  const GeneratedCounts counts = GenerateBenchData(db.Connection(), Small());
  const auto lines = LinesPerAccount(db.Connection());
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines.at("100299"), std::make_pair(3000LL, 3000LL));
  long long journal = 0, statement = 0;
  for (int i = 1; i <= 7; ++i) {
    const auto& [j, b] = lines.at(QStringLiteral("1002%1").arg(i, 4, 10, QLatin1Char('0')));
    EXPECT_TRUE(j == 286 || j == 287) << j;
    EXPECT_EQ(j, b);
    journal += j;
    statement += b;
  }
  EXPECT_EQ(journal, 2003);
  EXPECT_EQ(statement, 2003);
  // Lines plus one opening row a side per account.
  EXPECT_EQ(counts.Of("gl_accvouch"), 3000 + 2003 + 8);
  EXPECT_EQ(counts.Of("rp_bankrecp"), 3000 + 2003 + 8);

  const LedgerProbe big = LedgerProbe::ForAccount(db.Connection(), QStringLiteral("100299"));
  const int pairs = big.OneToOnePairs(12);
  EXPECT_GE(pairs, 2250);  // about 80%
  EXPECT_LE(pairs, 2550);
  EXPECT_GE(big.Groups(), 60);  // about 10% of the lines, two to five lines a group
  EXPECT_GE(big.JournalOnly(), 300);
  EXPECT_GE(big.BankOnly(), 300);
  EXPECT_EQ(big.OpeningGap(), platform::Money());
}

TEST(BenchDataTest, TheSameOptionsGiveTheSameData) {
  BenchDataOptions o = Small();
  o.oneAccountLines = 500;
  testing::TestDatabase a, b;
  GenerateBenchData(a.Connection(), o);
  GenerateBenchData(b.Connection(), o);
  EXPECT_EQ(Totals(a.Connection()), Totals(b.Connection()));
  o.seed += 1;
  testing::TestDatabase c;
  GenerateBenchData(c.Connection(), o);
  EXPECT_NE(Totals(a.Connection()), Totals(c.Connection()));
}

TEST(BenchDataTest, GoesNextToTheDemoButNotOverItsOwnAccounts) {
  testing::TestDatabase db;
  GenerateDemoData(db.Connection());
  BenchDataOptions o;
  o.oneAccountLines = 0;
  o.manyAccounts = 3;
  o.manyLines = 30;
  GenerateBenchData(db.Connection(), o);
  auto count = [&](const char* sql) { return db.Connection().QueryValue(QString::fromLatin1(sql)).ToInt(); };
  EXPECT_EQ(count("select count(*) from code where be=1 and bend=1"), 4 + 3);
  EXPECT_EQ(count("select count(*) from corvane_calendar"), 12);  // the base data is shared, not doubled
  const long long before = count("select count(*) from gl_accvouch");
  EXPECT_THROW(GenerateBenchData(db.Connection(), o), DbError);
  EXPECT_EQ(count("select count(*) from gl_accvouch"), before);
}

}  // namespace
}  // namespace corvane::suite
