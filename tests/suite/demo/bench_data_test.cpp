#include "platform/db/db_error.h"
#include "suite/demo/bench_data.h"
#include "suite/demo/demo_data.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvane::suite {
namespace {

using platform::DbConnection;

QStringList Totals(DbConnection& c) {
  QStringList out;
  for (const char* sql : {"select count(*), sum(md), sum(mc), min(dbill_date), max(dbill_date) from gl_accvouch",
                          "select count(*), sum(mmoney), sum(bd_c*mmoney), min(ddate), max(ddate) from rp_bankrecp",
                          "select ccode, count(*) from gl_accvouch where iperiod<>20 group by ccode order by ccode",
                          "select ccode, count(*) from rp_bankrecp where ibegin<>0 group by ccode order by ccode"})
    for (const auto& row : c.Query(QString::fromLatin1(sql)).rows)
      for (const auto& v : row) out << v.ToString();
  return out;
}

// Long runs say how far they got: rising counts of lines a side, ending at all of them.
TEST(BenchDataTest, ReportsProgressUpToAllTheLines) {
  BenchDataOptions o;
  o.oneAccountLines = 12000;
  o.manyAccounts = 2;
  o.manyLines = 3001;
  std::vector<std::pair<long long, long long>> calls;
  o.progress = [&](long long written, long long total) { calls.emplace_back(written, total); };
  testing::TestDatabase db;
  GenerateBenchData(db.Connection(), o);
  ASSERT_GE(calls.size(), 3u);  // the statement rows go in chunks of 5,000
  long long previous = 0;
  for (const auto& [written, total] : calls) {
    EXPECT_EQ(total, 15001);
    EXPECT_GE(written, previous);
    previous = written;
  }
  EXPECT_EQ(calls.back().first, 15001);
}

TEST(BenchDataTest, TheSameOptionsGiveTheSameDataWithTheAskedLines) {
  BenchDataOptions o;
  o.oneAccountLines = 500;
  o.manyAccounts = 3;
  o.manyLines = 301;
  testing::TestDatabase a, b, c;
  const GeneratedCounts counts = GenerateBenchData(a.Connection(), o);
  // The lines plus one opening row a side per account.
  EXPECT_EQ(counts.Of("gl_accvouch"), 500 + 301 + 4);
  EXPECT_EQ(counts.Of("rp_bankrecp"), 500 + 301 + 4);
  GenerateBenchData(b.Connection(), o);
  EXPECT_EQ(Totals(a.Connection()), Totals(b.Connection()));
  o.seed += 1;
  GenerateBenchData(c.Connection(), o);
  EXPECT_NE(Totals(a.Connection()), Totals(c.Connection()));
}

TEST(BenchDataTest, GoesNextToTheDemoButNeverOverItsOwnAccounts) {
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
  EXPECT_THROW(GenerateBenchData(db.Connection(), o), platform::DbError);
  EXPECT_EQ(count("select count(*) from gl_accvouch"), before);
}

// Both writers leave the planner statistics of the lines they wrote.
TEST(BenchDataTest, BothWritersLeaveStatistics) {
  const std::pair<const char*, std::function<void(DbConnection&)>> writers[] = {
      {"demo", [](DbConnection& c) { GenerateDemoData(c); }},
      {"bench", [](DbConnection& c) { GenerateBenchData(c, BenchDataOptions{300, 0, 0}); }},
  };
  for (const auto& [name, write] : writers) {
    testing::TestDatabase db;
    write(db.Connection());
    const QString statistics =
        db.IsPostgres() ? QStringLiteral("select count(*) from pg_stats where schemaname = current_schema() and tablename = ?")
                        : QStringLiteral("select count(*) from sqlite_stat1 where tbl = ?");
    for (const char* table : {"gl_accvouch", "rp_bankrecp"})
      EXPECT_GT(db.Connection().QueryValue(statistics, {QString::fromLatin1(table)}).ToInt(), 0) << name << " " << table;
  }
}

}  // namespace
}  // namespace corvane::suite
