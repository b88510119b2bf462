#include "platform/db/db_error.h"
#include "suite/demo/demo_data.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QSet>
#include <cstdlib>

namespace corvane::suite {
namespace {

using platform::DbConnection;
using platform::DbParams;
using platform::DbValue;
using platform::Money;

const std::pair<const char*, const char*> kTablesByKey[] = {
    {"code", "ccode"},        {"gl_accvouch", "i_id"}, {"RP_Flow", "cFlowID"},         {"rp_bankrecp", "i_id"},
    {"rp_bankrecp_rp", "i_id"}, {"RP_Book", "cBookCode"}, {"settlestyle", "cSSCode"},   {"dsign", "csign"},
    {"PrintEx", "i_id"},      {"corvane_calendar", "i_id"}, {"corvane_options", "ckey"}};

// Every row of every table as text, in key order.
QStringList Dump(DbConnection& c) {
  QStringList out;
  for (const auto& [table, key] : kTablesByKey)
    for (const auto& row : c.Query(QStringLiteral("select * from %1 order by %2").arg(table, key)).rows) {
      QStringList cells{QString::fromLatin1(table)};
      for (const auto& v : row) cells << v.ToString();
      out << cells.join(QLatin1Char('|'));
    }
  return out;
}

// The live lines of one bank account or book read back as the reconciliation
// lists take them, knowing nothing of how the generator planned them. Amounts are
// signed as the enterprise sees them: positive is money in.
struct Ledger {
  struct Line {
    QDate date;
    Money amount;
    QString match;  // settlement style and number, letter case aside
  };
  std::vector<Line> journal, bank;
  int journalOpenings = 0, bankOpenings = 0;
  Money openingGap;  // zero when the opening set-up balances

  Ledger(DbConnection& c, bool book, const QString& key) {
    const auto head = c.Query(book ? QStringLiteral("select bd_c, dBeginDate, cexch_name from RP_Book where cBookCode=?")
                                   : QStringLiteral("select bd_c, dbegin, cexch_name from code where ccode=?"),
                              {key}).rows.at(0);
    const QString home = c.QueryValue(QStringLiteral("select cvalue from corvane_options where ckey=?"),
                                      {QStringLiteral("HomeCurrency")}).ToString();
    const bool debitDirection = head[0].ToBool(), foreign = !head[2].IsNullOrBlank() && head[2].ToString() != home;
    const QDate start = head[1].ToDate();
    const QString journalSql = book ? QStringLiteral("select BillDate, iperiod, md, mc, md_f, mc_f, csettle, cn_id from RP_Flow "
                                                     "where ibook=1 and bdelete=0 and cBookCode=?")
                                    : QStringLiteral("select dbill_date, iperiod, md, mc, md_f, mc_f, csettle, cn_id from "
                                                     "gl_accvouch where ibook=1 and (iflag is null or iflag=2) and bdelete=0 and ccode=?");
    for (const auto& r : c.Query(journalSql, {key}).rows) {
      const Money amount = foreign ? r[4].ToMoney() - r[5].ToMoney() : r[2].ToMoney() - r[3].ToMoney();
      if (r[1].ToInt() == 20) {
        ++journalOpenings;
        openingGap += r[2].ToMoney();
      } else if (!(r[1].ToInt() == 21 && r[0].ToDate() >= start) && !amount.IsZero()) {
        // Opening items from the start on never reach the lists, nor home-only revaluations.
        journal.push_back({r[0].ToDate(), amount, MatchKey(r[6], r[7])});
        if (journal.back().date < start) openingGap -= amount;
      }
    }
    const QString bankSql = QStringLiteral("select ddate, bd_c, mmoney, csettle, cn_id, ibegin from %1 where bdelete=0 and %2=?")
                                .arg(book ? "rp_bankrecp_rp" : "rp_bankrecp", book ? "cBookCode" : "ccode");
    for (const auto& r : c.Query(bankSql, {key}).rows) {
      if (r[5].ToInt() == 0) {
        ++bankOpenings;
        openingGap -= r[2].ToMoney();
        continue;
      }
      // The statement's direction decides which of its sides faces a journal debit.
      const Money amount = r[1].ToBool() == debitDirection ? r[2].ToMoney() : -r[2].ToMoney();
      bank.push_back({r[0].ToDate(), amount, MatchKey(r[3], r[4])});
      if (bank.back().date < start) openingGap += amount;
    }
  }
  static QString MatchKey(const DbValue& style, const DbValue& number) {
    return style.ToString().trimmed().toLower() + QLatin1Char('|') + number.ToString().trimmed().toLower();
  }

  // Pairs the one-to-one matching with every condition on can tick.
  int Pairs(int days) const {
    std::vector<bool> used(bank.size());
    int pairs = 0;
    for (const Line& j : journal)
      for (size_t i = 0; i < bank.size(); ++i)
        if (!used[i] && bank[i].amount == j.amount && bank[i].match == j.match && std::abs(j.date.daysTo(bank[i].date)) <= days) {
          used[i] = true;
          ++pairs;
          break;
        }
    return pairs;
  }
  // Numbers with two or more lines on a side whose totals in and out agree
  // (cents 0) or miss by the cents given.
  int Groups(long long cents = 0) const {
    struct Totals { Money in[2], out[2]; int lines[2] = {0, 0}; };
    QHash<QString, Totals> groups;
    for (int side = 0; side < 2; ++side)
      for (const Line& l : side ? bank : journal) {
        if (l.match.endsWith(QLatin1Char('|'))) continue;  // no number, no group
        Totals& t = groups[l.match.section(QLatin1Char('|'), 1)];
        (l.amount.Raw() < 0 ? t.out[side] -= l.amount : t.in[side] += l.amount);
        ++t.lines[side];
      }
    int count = 0;
    for (const Totals& t : groups) {
      if (!t.lines[0] || !t.lines[1] || std::max(t.lines[0], t.lines[1]) < 2) continue;
      const long long diff = std::llabs(((t.in[1] - t.in[0]) + (t.out[1] - t.out[0])).Raw());
      count += (cents == 0 ? t.in[0] == t.in[1] && t.out[0] == t.out[1] : diff == cents * 100) ? 1 : 0;
    }
    return count;
  }
  // Lines whose amount appears on no line of the other side.
  static int Alone(const std::vector<Line>& lines, const std::vector<Line>& other) {
    QSet<std::int64_t> amounts;
    for (const Line& l : other) amounts.insert(l.amount.Raw());
    int n = 0;
    for (const Line& l : lines) n += amounts.contains(l.amount.Raw()) ? 0 : 1;
    return n;
  }
};

class DemoDataTest : public ::testing::Test {
 protected:
  void SetUp() override { counts_ = GenerateDemoData(conn()); }
  DbConnection& conn() { return db_.Connection(); }
  long long Count(const QString& sql, const DbParams& params = {}) { return conn().QueryValue(sql, params).ToInt(); }

  testing::TestDatabase db_;
  GeneratedCounts counts_;
};

TEST_F(DemoDataTest, WritesTheSameAccountSetEveryTimeAndOnlyIntoAnEmptyDatabase) {
  testing::TestDatabase other;
  GenerateDemoData(other.Connection());
  const QStringList mine = Dump(conn());
  EXPECT_EQ(mine, Dump(other.Connection()));
  for (const auto& [table, key] : kTablesByKey)
    EXPECT_EQ(counts_.Of(table), Count(QStringLiteral("select count(*) from ") + table)) << table;
  EXPECT_THROW(GenerateDemoData(conn()), platform::DbError);
  EXPECT_EQ(Dump(conn()), mine);
}

// What the reconciliation, the opening set-up and the balance statement need of
// every bank ledger: one opening row a side, pairs, a group whose totals agree,
// outstanding lines on both sides, and openings that balance.
TEST_F(DemoDataTest, EveryBankAccountAndOpenBankBookCanBeReconciled) {
  const std::pair<bool, const char*> ledgers[] = {{false, "100201"}, {false, "100202"}, {false, "100203"},
                                                  {false, "100204"}, {true, "YH001"},   {true, "YH002"},
                                                  {true, "YH003"}};
  EXPECT_EQ(Count(QStringLiteral("select count(*) from code where be=1 and bend=1")), 4);
  EXPECT_EQ(Count(QStringLiteral("select count(*) from RP_Book where iBookType=2 and dOpenDate is not null "
                                 "and bCloseFlag=0")), 3);
  for (const auto& [book, key] : ledgers) {
    SCOPED_TRACE(key);
    const Ledger l(conn(), book, QString::fromLatin1(key));
    EXPECT_EQ(l.journalOpenings, 1);
    EXPECT_EQ(l.bankOpenings, 1);
    EXPECT_GE(l.Pairs(12), 10);
    EXPECT_GE(l.Groups(), 1);
    EXPECT_GE(Ledger::Alone(l.journal, l.bank), 1);
    EXPECT_GE(Ledger::Alone(l.bank, l.journal), 1);
    EXPECT_EQ(l.openingGap, Money());
  }
  // The cases the functions must keep apart or leave out, each there at least once.
  const std::pair<const char*, DbParams> present[] = {
      {"select count(*) from gl_accvouch where ccode=? and iflag=1", {"100201"}},  // a void voucher
      {"select count(*) from gl_accvouch where ccode=? and ibook=0", {"100201"}},  // not yet posted
      // Home-only revaluations of the dollar account, which its lists leave out.
      {"select count(*) from gl_accvouch where ccode=? and iperiod not in (20,21) and md_f=0 and mc_f=0", {"100203"}},
      {"select count(*) from RP_Flow f join RP_Book b on b.cBookCode=f.cBookCode where b.bCloseFlag=1", {}},
      {"select count(*) from RP_Book where iBookType=2 and dOpenDate is null", {}},
      {"select count(*) from PrintEx where cSystemName=? and cTableCode=?", {"GL", "GLYhDzd"}},
  };
  for (const auto& [sql, params] : present) EXPECT_GE(Count(QString::fromLatin1(sql), params), 1) << sql;
  EXPECT_EQ(Ledger(conn(), false, QStringLiteral("100201")).Groups(1), 1);  // totals a cent apart: no match
  // A number in small letters on the journal and in capitals on the statement,
  // which the database itself takes as equal.
  int mixedCase = 0;
  for (const auto& r : conn().Query(QStringLiteral("select j.cn_id, b.cn_id from gl_accvouch j join rp_bankrecp b "
                                                   "on b.ccode=j.ccode and b.cn_id=j.cn_id where j.ccode=?"), {"100201"}).rows)
    mixedCase += r[0].ToString() != r[0].ToString().toUpper() && r[1].ToString() == r[0].ToString().toUpper() ? 1 : 0;
  EXPECT_EQ(mixedCase, 1);
}

TEST_F(DemoDataTest, EveryReferencedCodeExistsAndEveryVoucherBalances) {
  QStringList orphans = {
      "select count(*) from gl_accvouch where csign is not null and csign not in (select csign from dsign)",
      "select count(*) from (select iperiod, csign, ino_id from gl_accvouch where csign is not null "
      "group by iperiod, csign, ino_id having sum(md) <> sum(mc) or count(*) <> 2) v"};
  for (const char* table : {"gl_accvouch", "RP_Flow", "rp_bankrecp", "rp_bankrecp_rp"}) {
    orphans << QStringLiteral("select count(*) from %1 where csettle is not null and csettle not in "
                              "(select cSSCode from settlestyle)").arg(table)
            << QStringLiteral("select count(*) from %1 where ccode not in (select ccode from code)").arg(table);
  }
  for (const QString& sql : orphans) EXPECT_EQ(Count(sql), 0) << sql.toStdString();
  // Twelve periods cover the year without a gap.
  QDate next(2026, 1, 1);
  for (const auto& p : conn().Query(QStringLiteral("select dbegin, dend from corvane_calendar where iyear=? "
                                                   "order by iperiod"), {2026}).rows) {
    EXPECT_EQ(p[0].ToDate(), next);
    next = p[1].ToDate().addDays(1);
  }
  EXPECT_EQ(next, QDate(2027, 1, 1));
}

}  // namespace
}  // namespace corvane::suite
