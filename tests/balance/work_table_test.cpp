#include "balance/grouped_sums.h"
#include "balance_ledger.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <latch>
#include <random>
#include <thread>

namespace corvane::balance::test {
namespace {

using platform::Money;

// Two sessions of the statement on one database, each over its own accounts.
// Both number their accounts from 0, so rows taken from the other session's run
// would give an account the other list's sums.
class WorkTableTest : public ::testing::Test {
 protected:
  WorkTableTest() {
    BalanceLedger ledger(db_.Connection(), false);
    std::mt19937 rng(20261207);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int a = 0; a < 8; ++a) {
      TestAccount acc;
      acc.code = QStringLiteral("W%1").arg(a);
      acc.debit = a % 2 == 0;
      acc.start = QDate(2026, 1 + a % 3, 1);
      acc.end = a % 4 == 3 ? QDate() : QDate(2026, 9, 30);
      ledger.AddAccount(acc);
      ledger.BankOpening(acc.code, Money::FromCents(pick(1, 90000)));
      ledger.JournalOpening(acc.code, Money::FromCents(pick(1, 90000)));
      for (int i = 0; i < 20; ++i) {
        const QDate date(2026, pick(1, 12), pick(1, 28));
        const bool ticked = pick(0, 1) == 1;
        const Money amount = Money::FromCents(pick(1, 500000));
        ledger.Bank(acc.code, date, pick(0, 1), amount, ticked, ticked && pick(0, 1) == 1);
        ledger.Journal(acc.code, date, date.month(), amount, Money(), ticked, ticked && pick(0, 1) == 1);
      }
      AccountFacts f;
      f.code = acc.code;
      f.start = acc.start;
      f.end = acc.end;
      f.debit = acc.debit;
      (a < 4 ? first_ : second_).push_back(f);
    }
  }

  long long WorkRows(const QString& session) {
    return db_.Connection()
        .QueryValue(QStringLiteral("select count(*) from corvane_balance_work where session_id=?"), {session})
        .ToInt();
  }

  static void ExpectSameSums(const std::map<QString, RawSums>& got, const std::map<QString, RawSums>& alone,
                             const std::string& what) {
    ASSERT_EQ(got.size(), alone.size()) << what;
    for (const auto& [code, a] : alone) {
      const auto it = got.find(code);
      ASSERT_NE(it, got.end()) << what << " " << code.toStdString();
      const RawSums& g = it->second;
      const std::string where = what + " " + code.toStdString();
      EXPECT_EQ(g.bankOpening, a.bankOpening) << where;
      EXPECT_EQ(g.journalOpening, a.journalOpening) << where;
      EXPECT_EQ(g.bankClearedNet, a.bankClearedNet) << where;
      EXPECT_EQ(g.journalClearedNet, a.journalClearedNet) << where;
      EXPECT_EQ(g.bankLiveSigned, a.bankLiveSigned) << where;
      EXPECT_EQ(g.journalLiveSigned, a.journalLiveSigned) << where;
      EXPECT_EQ(g.bankUnmatchedDebit, a.bankUnmatchedDebit) << where;
      EXPECT_EQ(g.bankUnmatchedCredit, a.bankUnmatchedCredit) << where;
      EXPECT_EQ(g.journalUnmatchedDebit, a.journalUnmatchedDebit) << where;
      EXPECT_EQ(g.journalUnmatchedCredit, a.journalUnmatchedCredit) << where;
    }
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
  const std::map<QString, RawSums> beside = GroupedSums(db_.Connection(), QStringLiteral("s1"), false, first_);
  EXPECT_EQ(WorkRows(QStringLiteral("s1")), 0);
  EXPECT_EQ(WorkRows(QStringLiteral("s2")), static_cast<long long>(second_.size()));
  db_.Connection().Execute(QStringLiteral("delete from corvane_balance_work where session_id=?"), {QStringLiteral("s2")});
  const std::map<QString, RawSums> alone = GroupedSums(db_.Connection(), QStringLiteral("s1"), false, first_);
  ExpectSameSums(beside, alone, "beside s2");
  // The accounts' sums are not those of the other list (or the test proves nothing).
  const std::map<QString, RawSums> other = GroupedSums(db_.Connection(), QStringLiteral("s1"), false, second_);
  EXPECT_NE(alone.at(first_[0].code).bankLiveSigned, other.at(second_[0].code).bankLiveSigned);
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
    auto run = [&start](platform::DbConnection& db, const QString& session, const std::vector<AccountFacts>& list,
                        std::map<QString, RawSums>& got, std::string& error) {
      start.arrive_and_wait();
      try {
        got = GroupedSums(db, session, false, list);
      } catch (const std::exception& e) {
        error = e.what();
      }
    };
    std::thread t1(run, std::ref(*one), QStringLiteral("session-1"), std::cref(first_), std::ref(got1[round]),
                   std::ref(error1));
    std::thread t2(run, std::ref(*two), QStringLiteral("session-2"), std::cref(second_), std::ref(got2[round]),
                   std::ref(error2));
    t1.join();
    t2.join();
    ASSERT_EQ(error1, "") << "round " << round;
    ASSERT_EQ(error2, "") << "round " << round;
  }
  EXPECT_EQ(db_.Connection().QueryValue(QStringLiteral("select count(*) from corvane_balance_work")).ToInt(), 0);
  const std::map<QString, RawSums> firstAlone = GroupedSums(db_.Connection(), QStringLiteral("a"), false, first_);
  const std::map<QString, RawSums> secondAlone = GroupedSums(db_.Connection(), QStringLiteral("b"), false, second_);
  for (int round = 0; round < kRounds; ++round) {
    const std::string r = "round " + std::to_string(round);
    ExpectSameSums(got1[round], firstAlone, r + " session 1");
    ExpectSameSums(got2[round], secondAlone, r + " session 2");
  }
}

}  // namespace
}  // namespace corvane::balance::test
