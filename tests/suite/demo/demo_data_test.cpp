#include "ledger_probe.h"
#include "platform/db/db_error.h"
#include "suite/demo/demo_data.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvane::suite {
namespace {

using platform::DbConnection;
using platform::DbError;
using platform::DbParams;
using platform::Money;

const std::pair<const char*, const char*> kTablesByKey[] = {
    {"code", "ccode"},          {"gl_accvouch", "i_id"},      {"RP_Flow", "cFlowID"},
    {"rp_bankrecp", "i_id"},    {"rp_bankrecp_rp", "i_id"},   {"RP_Book", "cBookCode"},
    {"settlestyle", "cSSCode"}, {"dsign", "csign"},           {"PrintEx", "i_id"},
    {"corvane_calendar", "i_id"}, {"corvane_options", "ckey"}};

// Every row of every table as text, in key order.
QStringList Dump(DbConnection& c) {
  QStringList out;
  for (const auto& [table, key] : kTablesByKey) {
    const auto r = c.Query(QStringLiteral("select * from %1 order by %2").arg(table, key));
    for (const auto& row : r.rows) {
      QStringList cells{QString::fromLatin1(table)};
      for (const auto& v : row) cells << v.ToString();
      out << cells.join(QLatin1Char('|'));
    }
  }
  return out;
}

QStringList Column(DbConnection& c, const QString& sql, const DbParams& params = {}) {
  QStringList out;
  for (const auto& row : c.Query(sql, params).rows) out << row[0].ToString();
  return out;
}

class DemoDataTest : public ::testing::Test {
 protected:
  void SetUp() override { counts_ = GenerateDemoData(conn()); }
  DbConnection& conn() { return db_.Connection(); }
  long long Count(const QString& sql, const DbParams& params = {}) { return conn().QueryValue(sql, params).ToInt(); }

  testing::TestDatabase db_;
  GeneratedCounts counts_;
};

TEST_F(DemoDataTest, WritesTheSameAccountSetEveryTimeAndReportsWhatItWrote) {
  testing::TestDatabase other;
  GenerateDemoData(other.Connection());
  const QStringList mine = Dump(conn());
  EXPECT_EQ(mine, Dump(other.Connection()));
  for (const auto& [table, key] : kTablesByKey)
    EXPECT_EQ(counts_.Of(table), Count(QStringLiteral("select count(*) from ") + table)) << table;
  EXPECT_GT(counts_.Of("gl_accvouch"), 300);
}

TEST_F(DemoDataTest, RefusesADatabaseThatHasAccountsAndWritesNothingThere) {
  const QStringList before = Dump(conn());
  EXPECT_THROW(GenerateDemoData(conn()), DbError);
  EXPECT_EQ(Dump(conn()), before);

  testing::TestDatabase other;
  other.Connection().Execute(QStringLiteral("insert into code (ccode, ccode_name) values (?, ?)"), {"1001", "库存现金"});
  EXPECT_THROW(GenerateDemoData(other.Connection()), DbError);
  EXPECT_EQ(other.Connection().QueryValue(QStringLiteral("select count(*) from corvane_calendar")).ToInt(), 0);
}

// What the reconciliation, the opening set-up and the balance statement need of
// every bank ledger: one opening row a side, pairs, a group whose totals agree,
// outstanding lines on both sides, and openings that balance.
void ExpectReconcilable(const LedgerProbe& p, bool withOpeningItems) {
  EXPECT_EQ(p.JournalOpeningRows(), 1);
  EXPECT_EQ(p.BankOpeningRows(), 1);
  EXPECT_GE(p.OneToOnePairs(12), 10);
  EXPECT_GE(p.Groups(), 1);
  EXPECT_GE(p.JournalOnly(), 1);
  EXPECT_GE(p.BankOnly(), 1);
  EXPECT_EQ(p.OpeningGap(), Money());
  int openingItems = 0, bankBeforeStart = 0;
  for (const auto& l : p.Journal()) openingItems += l.period == 21 && l.date < p.Start() ? 1 : 0;
  for (const auto& l : p.Bank()) bankBeforeStart += l.date < p.Start() ? 1 : 0;
  if (withOpeningItems) {
    EXPECT_GE(openingItems, 1);
    EXPECT_GE(bankBeforeStart, 1);
  }
}

TEST_F(DemoDataTest, EveryBankAccountCanBeReconciled) {
  const QStringList accounts = Column(conn(), QStringLiteral("select ccode from code where be=1 and bend=1 order by ccode"));
  EXPECT_EQ(accounts, (QStringList{"100201", "100202", "100203", "100204"}));
  for (const QString& code : accounts) {
    SCOPED_TRACE(code.toStdString());
    ExpectReconcilable(LedgerProbe::ForAccount(conn(), code), true);
  }
}

TEST_F(DemoDataTest, EveryOpenBankBookCanBeReconciled) {
  const QStringList books = Column(conn(), QStringLiteral(
      "select cBookCode from RP_Book where iBookType = 2 and dOpenDate is not null and bCloseFlag = 0 order by cBookCode"));
  EXPECT_EQ(books, (QStringList{"YH001", "YH002", "YH003"}));
  for (const QString& book : books) {
    SCOPED_TRACE(book.toStdString());
    ExpectReconcilable(LedgerProbe::ForBook(conn(), book), book != QLatin1String("YH003"));
  }
  // The lists that leave out closed or unopened books have something to leave out.
  EXPECT_GT(Count(QStringLiteral("select count(*) from RP_Flow f join RP_Book b on b.cBookCode = f.cBookCode "
                                 "where b.bCloseFlag = 1")), 0);
  EXPECT_EQ(Count(QStringLiteral("select count(*) from RP_Book where iBookType = 2 and dOpenDate is null")), 1);
  EXPECT_EQ(Count(QStringLiteral("select count(*) from RP_Book where iBookType <> 2")), 1);
}

TEST_F(DemoDataTest, FlowIdsAreTheBookCodeAndANumberThatGoesOnFromTheBook) {
  const auto books = conn().Query(QStringLiteral("select cBookCode, iLastFlowNo from RP_Book"));
  for (const auto& book : books.rows) {
    const QString code = book[0].ToString();
    int highest = 0;
    for (const QString& id : Column(conn(), QStringLiteral("select cFlowID from RP_Flow where cBookCode=?"), {code})) {
      ASSERT_TRUE(id.startsWith(code)) << id.toStdString();
      bool digits = false;
      const int n = id.mid(code.size()).toInt(&digits);
      // The opening item editor finds a flow again by the book code and the number as "0#####".
      EXPECT_TRUE(digits && code + QStringLiteral("%1").arg(n, 6, 10, QLatin1Char('0')) == id) << id.toStdString();
      highest = std::max(highest, n);
    }
    EXPECT_EQ(book[1].ToInt(), highest) << code.toStdString();
  }
}

TEST_F(DemoDataTest, MainAccountHoldsTheCasesThatMustStayApartOrMatchAcrossLetterCase) {
  const QString code = QStringLiteral("100201");
  EXPECT_GE(LedgerProbe::ForAccount(conn(), code).Groups(1), 1);  // totals a cent apart: no match
  // A settlement number kept in small letters on the journal and in capitals on
  // the statement, which the database itself takes as equal.
  const QStringList bankNumbers = Column(conn(), QStringLiteral("select cn_id from rp_bankrecp where ccode=?"), {code});
  QString lower;
  for (const QString& n : Column(conn(), QStringLiteral("select cn_id from gl_accvouch where ccode=?"), {code}))
    if (n != n.toUpper() && bankNumbers.contains(n.toUpper())) lower = n;
  ASSERT_FALSE(lower.isEmpty());
  EXPECT_EQ(Count(QStringLiteral("select count(*) from gl_accvouch j join rp_bankrecp b on b.cn_id = j.cn_id "
                                 "and b.ccode = j.ccode where j.cn_id = ?"), {lower}), 1);
  // Lines no list may show: a void voucher and one not yet posted.
  EXPECT_EQ(Count(QStringLiteral("select count(*) from gl_accvouch where ccode=? and iflag=1"), {code}), 1);
  EXPECT_EQ(Count(QStringLiteral("select count(*) from gl_accvouch where ccode=? and ibook=0"), {code}), 1);
}

TEST_F(DemoDataTest, EveryVoucherBalancesAndTheDollarAccountBooksDollarsWithTheirHomeValue) {
  EXPECT_EQ(Count(QStringLiteral("select count(*) from (select iperiod, csign, ino_id from gl_accvouch "
                                 "where csign is not null group by iperiod, csign, ino_id "
                                 "having sum(md) <> sum(mc) or count(*) <> 2) v")), 0);
  EXPECT_EQ(conn().QueryValue(QStringLiteral("select cexch_name from code where ccode=?"), {"100203"}).ToString(),
            QStringLiteral("美元"));
  const auto lines = conn().Query(QStringLiteral(
      "select iperiod, md, mc, md_f, mc_f, nfrat, cexch_name from gl_accvouch where ccode=? and iperiod<>20"),
      {"100203"});
  int dollarLines = 0, revaluations = 0, openingItems = 0;
  for (const auto& r : lines.rows) {
    const double home = (r[1].ToMoney() + r[2].ToMoney()).ToDouble();
    const double dollars = (r[3].ToMoney() + r[4].ToMoney()).ToDouble();
    if (r[0].ToInt() == 21) {
      // Keyed in the opening set-up of a dollar account: dollars only.
      ++openingItems;
      EXPECT_EQ(home, 0.0);
      EXPECT_GT(dollars, 0.0);
    } else if (dollars == 0.0) {
      ++revaluations;  // home amount only, so the dollar lists leave it out
      EXPECT_GT(home, 0.0);
    } else {
      ++dollarLines;
      EXPECT_EQ(r[6].ToString(), QStringLiteral("美元"));
      EXPECT_NEAR(home, dollars * r[5].ToDouble(), 0.006);
    }
  }
  EXPECT_GE(dollarLines, 30);
  EXPECT_EQ(revaluations, 2);
  EXPECT_EQ(openingItems, 1);
}

TEST_F(DemoDataTest, CalendarOptionsAndEveryReferencedCodeAreThere) {
  const auto periods = conn().Query(QStringLiteral("select iperiod, dbegin, dend from corvane_calendar "
                                                   "where iyear=? order by iperiod"), {2026});
  ASSERT_EQ(periods.rows.size(), 12u);
  QDate next(2026, 1, 1);
  for (const auto& p : periods.rows) {
    EXPECT_EQ(p[1].ToDate(), next);
    next = p[2].ToDate().addDays(1);
  }
  EXPECT_EQ(next, QDate(2027, 1, 1));
  EXPECT_EQ(conn().QueryValue(QStringLiteral("select cvalue from corvane_options where ckey=?"), {"usebankbooks"})
                .ToString(), QStringLiteral("0"));
  EXPECT_EQ(Count(QStringLiteral("select count(*) from PrintEx where cSystemName=? and cTableCode=?"),
                  {"GL", "GLYhDzd"}), 1);
  // Styles and signs the lines carry exist, so the editors' checks pass on them.
  for (const char* table : {"gl_accvouch", "RP_Flow", "rp_bankrecp", "rp_bankrecp_rp"}) {
    EXPECT_EQ(Count(QStringLiteral("select count(*) from %1 where csettle is not null and "
                                   "csettle not in (select cSSCode from settlestyle)").arg(table)), 0) << table;
    EXPECT_EQ(Count(QStringLiteral("select count(*) from %1 where ccode not in (select ccode from code)").arg(table)),
              0) << table;
  }
  EXPECT_EQ(Count(QStringLiteral("select count(*) from gl_accvouch where csign is not null and "
                                 "csign not in (select csign from dsign)")), 0);
  EXPECT_GE(Count(QStringLiteral("select count(*) from settlestyle where cSSCode in (?, ?, ?, ?)"),
                  {"1", "2", "201", "202"}), 4);
}

TEST_F(DemoDataTest, DatesReadBackAsDatesAndAmountsAsMoney) {
  struct Typed { const char* table; const char* date; const char* amount; };
  const Typed cases[] = {{"gl_accvouch", "dbill_date", "md"}, {"RP_Flow", "BillDate", "mc"},
                         {"rp_bankrecp", "dDate", "mmoney"},   {"rp_bankrecp_rp", "dDate", "mbalance"},
                         {"code", "dbegin", nullptr},          {"RP_Book", "dOpenDate", nullptr},
                         {"corvane_calendar", "dend", nullptr}};
  for (const Typed& t : cases) {
    SCOPED_TRACE(t.table);
    auto rs = conn().OpenRecordset(QStringLiteral("select * from %1 where %2 is not null").arg(t.table, t.date));
    ASSERT_FALSE(rs->Eof());
    EXPECT_TRUE(rs->Field(QString::fromLatin1(t.date)).IsDate());
    if (t.amount) {
      EXPECT_TRUE(rs->Field(QString::fromLatin1(t.amount)).IsMoney());
    }
  }
}

}  // namespace
}  // namespace corvane::suite
