#include "opening/opening_items.h"
#include "opening/opening_setup.h"
#include "opening_fixture.h"
#include "shared/session.h"

#include <gtest/gtest.h>

namespace corvane::opening {
namespace {

using platform::Money;
using testing::OpeningFixture;

class OpeningItemsTest : public ::testing::TestWithParam<bool> {
 protected:
  bool Book() const { return GetParam(); }
  ItemContext Context(OpeningFixture& fx, bool debit = true) {
    ItemContext c;
    c.target = fx.Target();
    c.startDate = OpeningFixture::start_;
    c.debitDirection = debit;
    c.bankOpening = Money::FromCents(10000);
    return c;
  }
  long long Count(OpeningFixture& fx, const QString& where, const platform::DbParams& extra = {}) {
    platform::DbParams p{fx.Key()};
    p.insert(p.end(), extra.begin(), extra.end());
    return fx.Db().QueryValue(QStringLiteral("select count(*) from %1 where %2=? and %3")
                                  .arg(fx.JournalTable(), fx.KeyColumn(), where), p).ToInt();
  }
  corvane::testing::SuiteSession session_{GetParam()};
};

// An enterprise row as a user keys it: a date, a debit, nothing else.
std::vector<QString> NewJournalCells(const QString& date = QStringLiteral("2026.02.20"),
                                     const QString& debit = QStringLiteral("12.5"), const QString& credit = QString()) {
  std::vector<QString> cells(kQyColumns);
  cells[kQyDate] = date;
  cells[kQyDebit] = debit;
  cells[kQyCredit] = credit;
  return cells;
}

TEST_P(OpeningItemsTest, EnterpriseRowsCarryTheirStates) {
  OpeningFixture fx(session_, Book());
  fx.AddJournal(QDate(2026, 2, 6), 21, 7, 0, 0, 1);   // a cleared opening item
  fx.AddJournal(QDate(2026, 2, 7), 21, 8, 0, 9);      // a ticked opening item
  const std::vector<ItemRow> rows = LoadEnterpriseItems(Context(fx));
  std::map<QString, int> stateByDebit;
  for (const ItemRow& r : rows) stateByDebit[r.cells[kQyDebit] + QLatin1Char('/') + r.cells[kQyCredit]] = r.state;
  EXPECT_EQ(stateByDebit[QStringLiteral("30.00/")], kOpen);
  EXPECT_EQ(stateByDebit[QStringLiteral("/50.00")], kRegular);
  EXPECT_EQ(stateByDebit[QStringLiteral("/30.00")], kRegularLocked);
  EXPECT_EQ(stateByDebit[QStringLiteral("7.00/")], kCleared);
  EXPECT_EQ(stateByDebit[QStringLiteral("8.00/")], kTicked);
  // Neither the opening row, the lines on the start date nor the void line.
  EXPECT_EQ(rows.size(), 5u);
  for (const ItemRow& r : rows) EXPECT_FALSE(r.key.isEmpty());
}

TEST_P(OpeningItemsTest, ForeignAccountsShowTheirOwnCurrencyAndHideHomeOnlyLines) {
  corvane::testing::SuiteSession session(Book());
  OpeningFixture fx(session, Book(), true, /*foreign=*/true);
  fx.AddJournal(QDate(2026, 2, 9), 2, 0.004 * 10, 0);  // a home amount whose own-currency tenth rounds below a cent
  ItemContext c = Context(fx);
  c.foreign = true;
  const std::vector<ItemRow> rows = LoadEnterpriseItems(c);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].cells[kQyCredit], QStringLiteral("5.00"));
  EXPECT_EQ(rows[1].cells[kQyDebit], QStringLiteral("3.00"));
}

TEST_P(OpeningItemsTest, BankRowsRunTheBalanceAndReadAMissingDirectionAsCredit) {
  OpeningFixture fx(session_, Book());
  fx.AddStatement(QDate(2026, 2, 14), platform::DbValue(), 5);
  for (bool debit : {true, false}) {
    const std::vector<ItemRow> rows = LoadBankItems(Context(fx, debit));
    ASSERT_EQ(rows.size(), 5u);
    // Opening 100; +150 +50 -30 -20 -5 with a debit direction, the reverse with a credit one.
    const QStringList expected = debit ? QStringList{"250.00", "300.00", "270.00", "250.00", "245.00"}
                                       : QStringList{"-50.00", "-100.00", "-70.00", "-50.00", "-45.00"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(rows[i].cells[kYhBalance], expected[i]) << i << debit;
    EXPECT_EQ(rows[4].cells[kYhDebit], QString());
    EXPECT_EQ(rows[4].cells[kYhCredit], QStringLiteral("5.00"));
    EXPECT_EQ(rows[1].state, kTicked);
    EXPECT_EQ(rows[2].state, kCleared);
  }
}

TEST_P(OpeningItemsTest, EnterpriseCellChecks) {
  OpeningFixture fx(session_, Book());
  const ItemContext c = Context(fx);
  struct Case {
    int col;
    QString text;
    bool ok;
    QString kept;
  };
  const Case cases[] = {
      {kQyDate, "", false, ""},
      {kQyDate, "2026.13.40", false, ""},
      {kQyDate, "2026.03.01", false, ""},  // the start date itself
      {kQyDate, " 2026-2-28 ", true, "2026.02.28"},
      {kQySign, "记 记账凭证", true, "记"},
      {kQyNo, "32767", true, "32767"},
      {kQyNo, "32768", Book(), "32768"},  // voucher numbers are limited in account mode only
      {kQySettle, "202 转账支票", true, "202"},
      {kQyDebit, "1234.5", true, "1,234.50"},
      {kQyDebit, "12abc", false, ""},
      {kQyDebit, "-9,999,999,999.99", true, "-9,999,999,999.99"},
      {kQyCredit, "922337203685477.58", false, ""},  // beyond what the sums hold
      {kQyCredit, "", true, ""},
      {kQyBillDate, "", true, ""},
      {kQyBillDate, "no date", false, ""},
      {kQyDigest, "  期初  ", true, "期初"},
  };
  for (const Case& k : cases) {
    const CellCheck r = CheckEnterpriseCell(k.col, k.text, c);
    EXPECT_EQ(r.ok, k.ok) << k.col << " " << k.text.toStdString();
    if (r.ok) { EXPECT_EQ(r.text, k.kept) << k.col << " " << k.text.toStdString(); }
    if (!r.ok) { EXPECT_FALSE(r.prompt.isEmpty()); }
  }
}

TEST_P(OpeningItemsTest, EnterpriseRowChecksIncludeADateNeverTyped) {
  OpeningFixture fx(session_, Book());
  const ItemContext c = Context(fx);
  struct Case {
    std::vector<QString> cells;
    bool ok;
    int col;
  };
  auto withBill = [](QString bill) { auto v = NewJournalCells(); v[kQyBillDate] = bill; return v; };
  const Case cases[] = {
      {NewJournalCells(), true, 0},
      {NewJournalCells(QString()), false, kQyDate},  // the date cell was never typed
      {NewJournalCells(QStringLiteral("2026.02.20"), QString(), QString()), false, kQyDebit},
      {NewJournalCells(QStringLiteral("2026.02.20"), QStringLiteral("1"), QStringLiteral("2")), false, kQyDebit},
      {NewJournalCells(QStringLiteral("2026.02.20"), QStringLiteral("0"), QString()), true, 0},
      {withBill(QStringLiteral("2026.02.21")), false, kQyBillDate},
      {withBill(QStringLiteral("2026.02.20")), true, 0},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    std::vector<QString> cells = cases[i].cells;
    const RowCheck r = CheckEnterpriseRow(cells, c);
    EXPECT_EQ(r.ok, cases[i].ok) << i;
    if (!r.ok) { EXPECT_EQ(r.col, cases[i].col) << i; }
  }
}

TEST_P(OpeningItemsTest, BankCellAndRowChecks) {
  OpeningFixture fx(session_, Book());
  const ItemContext c = Context(fx);
  struct Case {
    QString date, debit, credit;
    bool ok;
    int col;
  };
  const Case cases[] = {
      {"2026.02.28", "10", "", true, 0},
      {"2026.03.01", "10", "", false, kYhDate},
      {"", "10", "", false, kYhDate},
      {"2026.02.28", "", "", false, kYhDebit},
      {"2026.02.28", "0.00", "", false, kYhDebit},   // a zero item
      {"2026.02.28", "", "0", false, kYhCredit},
      {"2026.02.28", "5", "6", false, kYhDebit},
      {"2026.02.28", "x5", "", false, kYhDebit},
      {"2026.02.28", "0", "7", true, 0},            // stored as a credit of 7
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    std::vector<QString> cells(kYhColumns);
    cells[kYhDate] = cases[i].date;
    cells[kYhSettle] = QStringLiteral("999 不存在");
    cells[kYhDebit] = cases[i].debit;
    cells[kYhCredit] = cases[i].credit;
    const RowCheck r = CheckBankRow(cells, c);
    EXPECT_EQ(r.ok, cases[i].ok) << i;
    if (!r.ok) { EXPECT_EQ(r.col, cases[i].col) << i; }
    if (r.ok) { EXPECT_EQ(cells[kYhSettle], QStringLiteral("999")); }  // no look-up
  }
}

TEST_P(OpeningItemsTest, EnterpriseSaveReadsItsKeyBackAndUpdatesTheSameLine) {
  OpeningFixture fx(session_, Book());
  const ItemContext c = Context(fx);
  ItemRow row{NewJournalCells(), {}, kOpen};
  ASSERT_TRUE(CheckEnterpriseRow(row.cells, c).ok);
  ASSERT_EQ(SaveEnterpriseRow(row, c), WriteOutcome::Written);
  ASSERT_FALSE(row.key.isEmpty());
  EXPECT_EQ(Count(fx, QStringLiteral("iperiod=21 and md=? and cdigest=' '"), {Money::FromCents(1250)}), 1);
  if (Book()) { EXPECT_EQ(row.cells[kQyNo], row.key); }  // the flow number shown is the one stored
  row.cells[kQyDebit] = QStringLiteral("13.00");
  ASSERT_EQ(SaveEnterpriseRow(row, c), WriteOutcome::Written);
  EXPECT_EQ(Count(fx, QStringLiteral("iperiod=21 and md=?"), {Money::FromCents(1300)}), 1);
  EXPECT_EQ(Count(fx, QStringLiteral("iperiod=21 and md=?"), {Money::FromCents(1250)}), 0);
  // The reload finds the row under the same key.
  bool found = false;
  for (const ItemRow& r : LoadEnterpriseItems(c)) found |= r.key == row.key && r.cells[kQyDebit] == QStringLiteral("13.00");
  EXPECT_TRUE(found);
  // A line removed meanwhile is reported, not written again.
  fx.Db().Execute(QStringLiteral("delete from %1 where iperiod=21 and md=?").arg(fx.JournalTable()), {Money::FromCents(1300)});
  EXPECT_EQ(SaveEnterpriseRow(row, c), WriteOutcome::Vanished);
  EXPECT_EQ(Count(fx, QStringLiteral("md=?"), {Money::FromCents(1300)}), 0);
}

// Flow ids exist in book mode only.
TEST(OpeningItemsBookTest, BookCodesInsideFlowIdsKeepRowsApart) {
  corvane::testing::SuiteSession session(true);
  OpeningFixture fx(session, true, true, false, QStringLiteral("01"));
  // The next flow ids are 01000010 and 01000011: "01" occurs twice in the first.
  fx.Db().Execute(QStringLiteral("update RP_Book set iLastFlowNo=9 where cBookCode='01'"));
  fx.Db().Execute(QStringLiteral("update RP_Flow set cFlowID='01000009' where cBookCode='01' and iperiod=21"));
  ItemContext c;
  c.target = fx.Target();
  c.startDate = OpeningFixture::start_;
  ItemRow first{NewJournalCells(), {}, kOpen}, second{NewJournalCells(QStringLiteral("2026.02.21")), {}, kOpen};
  ASSERT_EQ(SaveEnterpriseRow(first, c), WriteOutcome::Written);
  ASSERT_EQ(SaveEnterpriseRow(second, c), WriteOutcome::Written);
  EXPECT_NE(first.key, second.key);
  first.cells[kQyCredit] = QString();
  first.cells[kQyDebit] = QStringLiteral("99.00");
  ASSERT_EQ(SaveEnterpriseRow(first, c), WriteOutcome::Written);
  auto count = [&](const QString& where, const platform::DbParams& p) {
    return fx.Db().QueryValue(QStringLiteral("select count(*) from RP_Flow where cBookCode='01' and ") + where, p).ToInt();
  };
  EXPECT_EQ(count(QStringLiteral("iperiod=21"), {}), 3);  // the fixture's item and the two keyed here
  EXPECT_EQ(count(QStringLiteral("cFlowID=? and md=?"), {first.key, Money::FromCents(9900)}), 1);
}

TEST_P(OpeningItemsTest, BankSaveWritesAStatementLineBeforeTheStart) {
  OpeningFixture fx(session_, Book());
  const ItemContext c = Context(fx);
  ItemRow row;
  row.cells.resize(kYhColumns);
  row.cells[kYhDate] = QStringLiteral("2026.02.27");
  row.cells[kYhCredit] = QStringLiteral("8");
  ASSERT_TRUE(CheckBankRow(row.cells, c).ok);
  ASSERT_EQ(SaveBankRow(row, c), WriteOutcome::Written);
  EXPECT_EQ(row.cells[kYhId], QStringLiteral("%1").arg(row.key.toLongLong(), 6, 10, QLatin1Char('0')));
  const auto line = fx.Db().Query(QStringLiteral("select bd_c, mmoney, ibegin, mbalance, ccode from %1 where i_id=?")
                                      .arg(fx.StatementTable()), {row.key.toLongLong()});
  ASSERT_EQ(line.rows.size(), 1u);
  EXPECT_EQ(line.rows[0][0].ToInt(), 0);
  EXPECT_EQ(line.rows[0][1].ToMoney(), Money::FromCents(800));
  EXPECT_EQ(line.rows[0][2].ToInt(), 2);
  EXPECT_EQ(line.rows[0][4].ToString(), OpeningFixture::account_);
  EXPECT_EQ(DeleteBankRow(row, c), WriteOutcome::Written);
  EXPECT_EQ(DeleteBankRow(row, c), WriteOutcome::Vanished);
}

TEST_P(OpeningItemsTest, DeleteMarksRegularLinesAndRemovesOpeningItems) {
  OpeningFixture fx(session_, Book());
  const ItemContext c = Context(fx);
  std::vector<ItemRow> rows = LoadEnterpriseItems(c);
  const long long before = Count(fx, QStringLiteral("1=1"));
  for (const ItemRow& r : rows) {
    if (r.state == kRegular) { EXPECT_EQ(DeleteEnterpriseRow(r, c), WriteOutcome::Written); }
    if (r.state == kOpen) { EXPECT_EQ(DeleteEnterpriseRow(r, c), WriteOutcome::Written); }
  }
  EXPECT_EQ(Count(fx, QStringLiteral("1=1")), before - 1);  // the period-21 item is gone
  EXPECT_EQ(Count(fx, QStringLiteral("bdelete=1 and iperiod=1")), 1);
  // States that refuse a delete.
  EXPECT_EQ(DeleteRefusalKey(kCleared, true), QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00110"));
  EXPECT_EQ(DeleteRefusalKey(kTicked, false), QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00112"));
  EXPECT_EQ(DeleteRefusalKey(kRegularLocked, true), QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00112"));
  EXPECT_EQ(DeleteRefusalKey(kRegularLocked, false), QString());
  EXPECT_EQ(DeleteRefusalKey(kRegular, true), QString());
}

INSTANTIATE_TEST_SUITE_P(Modes, OpeningItemsTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

}  // namespace
}  // namespace corvane::opening
