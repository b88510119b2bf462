#include "balance/grouped_sums.h"
#include "balance_ledger.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <latch>
#include <thread>

namespace corvane::balance::test {
namespace {

// Two sessions of the statement on one database, each over its own accounts.
// Both number their accounts from 0, so rows taken from the other session's run
// would give an account the other list's sums.
class WorkTableTest : public ::testing::Test {
 protected:
  WorkTableTest() {
    // A database made by an earlier version keeps the work table the statement
    // once wrote its accounts into, perhaps with rows a run left behind.
    db_.Connection().Execute(QStringLiteral(
        "create table if not exists corvane_balance_work (session_id varchar(100) not null, n integer not null, "
        "code varchar(40) not null, dstart date, dend date, bforeign smallint not null default 0)"));
    BalanceLedger ledger(db_.Connection(), false);
    int n = 0;
    for (const TestAccount& a : AddRandomAccounts(ledger, QStringLiteral("W"), 8, 40, 20261207)) {
      AccountFacts f;
      f.code = a.code;
      f.start = a.start;
      f.end = a.end;
      f.debit = a.debit;
      f.foreign = !a.currency.isEmpty();
      (n++ < 4 ? first_ : second_).push_back(f);
    }
  }

  long long WorkRows(const QString& session) {
    return db_.Connection()
        .QueryValue(QStringLiteral("select count(*) from corvane_balance_work where session_id=?"), {session})
        .ToInt();
  }

  // The sums of each account as one text, to compare runs whole.
  static std::map<QString, QString> Texts(const std::map<QString, RawSums>& sums) {
    std::map<QString, QString> texts;
    for (const auto& [code, s] : sums) texts[code] = SumsText(s);
    return texts;
  }

  testing::TestDatabase db_;
  std::vector<AccountFacts> first_, second_;
};

// Rows another session has in the work table (a run that is still going, or one
// that ended without removing them) neither enter this session's sums nor are
// removed by its run, this session's first on the database; this session's own
// rows are gone after the run.
TEST_F(WorkTableTest, RowsOfAnotherSessionAreLeftAlone) {
  // The other session's accounts under the same numbers.
  int n = 0;
  for (const AccountFacts& f : second_)
    db_.Connection().Execute(QStringLiteral("insert into corvane_balance_work (session_id, n, code, dstart, dend, "
                                            "bforeign) values (?,?,?,?,?,0)"),
                             {QStringLiteral("s2"), n++, f.code, f.start, f.end});
  const auto beside = Texts(GroupedSums(db_.Connection(), false, first_));
  EXPECT_EQ(WorkRows(QStringLiteral("s1")), 0);
  EXPECT_EQ(WorkRows(QStringLiteral("s2")), static_cast<long long>(second_.size()));
  db_.Connection().Execute(QStringLiteral("delete from corvane_balance_work where session_id=?"), {QStringLiteral("s2")});
  const auto alone = Texts(GroupedSums(db_.Connection(), false, first_));
  EXPECT_EQ(beside, alone);
  // The accounts' sums are not those of the other list (or the test proves nothing).
  EXPECT_NE(alone.begin()->second, Texts(GroupedSums(db_.Connection(), false, second_)).begin()->second);
}

// Two sessions on two connections run the statement at the same moment, the
// first time on a database nobody has run it on, and again and again: each gets
// the sums it gets alone, and neither leaves rows behind.
TEST_F(WorkTableTest, TwoSessionsAtOnceGetTheirOwnSums) {
  std::unique_ptr<platform::DbConnection> one = db_.OpenAnother();
  std::unique_ptr<platform::DbConnection> two = db_.OpenAnother();
  constexpr int kRounds = 6;
  std::vector<std::map<QString, RawSums>> got1(kRounds), got2(kRounds);
  for (int round = 0; round < kRounds; ++round) {
    std::string error1, error2;
    std::latch start(2);
    auto run = [&start](platform::DbConnection& db, const std::vector<AccountFacts>& list,
                        std::map<QString, RawSums>& got, std::string& error) {
      start.arrive_and_wait();
      try {
        got = GroupedSums(db, false, list);
      } catch (const std::exception& e) {
        error = e.what();
      }
    };
    std::thread t1(run, std::ref(*one), std::cref(first_), std::ref(got1[round]), std::ref(error1));
    std::thread t2(run, std::ref(*two), std::cref(second_), std::ref(got2[round]), std::ref(error2));
    t1.join();
    t2.join();
    ASSERT_EQ(error1, "") << "round " << round;
    ASSERT_EQ(error2, "") << "round " << round;
  }
  EXPECT_EQ(db_.Connection().QueryValue(QStringLiteral("select count(*) from corvane_balance_work")).ToInt(), 0);
  const auto firstAlone = Texts(GroupedSums(db_.Connection(), false, first_));
  const auto secondAlone = Texts(GroupedSums(db_.Connection(), false, second_));
  for (int round = 0; round < kRounds; ++round) {
    EXPECT_EQ(Texts(got1[round]), firstAlone) << "round " << round;
    EXPECT_EQ(Texts(got2[round]), secondAlone) << "round " << round;
  }
}

}  // namespace
}  // namespace corvane::balance::test
