#include "opening/opening_items.h"
#include "opening_fixture.h"

#include <gtest/gtest.h>

namespace corvane::opening {
namespace {

using platform::Money;
using testing::OpeningFixture;

ItemContext Context(const OpeningFixture& fx, bool debit = true) {
  return {fx.Target(), OpeningFixture::start_, false, debit, Money::FromCents(10000)};
}

class OpeningItemsTest : public testing::OpeningTest {
 protected:
  long long Count(const QString& where, const platform::DbParams& extra = {}) {
    return fx_.Count(fx_.JournalTable(), where, extra);
  }
  const ItemContext c_ = Context(fx_);
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
  fx_.AddJournal(QDate(2026, 2, 6), 21, 7, 0, 0, 1);  // a cleared opening item
  fx_.AddJournal(QDate(2026, 2, 7), 21, 8, 0, 9);     // a ticked opening item
  const std::vector<ItemRow> rows = LoadEnterpriseItems(c_);
  std::map<QString, int> stateByAmounts;
  for (const ItemRow& r : rows) {
    EXPECT_FALSE(r.key.isEmpty());
    stateByAmounts[r.cells[kQyDebit] + QLatin1Char('/') + r.cells[kQyCredit]] = r.state;
  }
  // Neither the opening row, the lines on the start date nor the void line.
  EXPECT_EQ(rows.size(), 5u);
  EXPECT_EQ(stateByAmounts, (std::map<QString, int>{{"30.00/", kOpen}, {"/50.00", kRegular}, {"/30.00", kRegularLocked},
                                                     {"7.00/", kCleared}, {"8.00/", kTicked}}));
}

TEST_P(OpeningItemsTest, ForeignAccountsShowTheirOwnCurrencyAndHideHomeOnlyLines) {
  corvane::testing::SuiteSession session(Book());
  OpeningFixture fx(session, Book(), true, /*foreign=*/true);
  fx.AddJournal(QDate(2026, 2, 9), 2, 0.004 * 10, 0);  // a home amount whose own-currency tenth rounds below a cent
  ItemContext c = Context(fx);
  c.foreign = true;
  const std::vector<ItemRow> rows = LoadEnterpriseItems(c);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ((QStringList{rows[0].cells[kQyCredit], rows[1].cells[kQyDebit]}), (QStringList{"5.00", "3.00"}));
}

TEST_P(OpeningItemsTest, BankRowsRunTheBalanceAndReadAMissingDirectionAsCredit) {
  fx_.AddStatement(QDate(2026, 2, 14), platform::DbValue(), 5);
  for (bool debit : {true, false}) {
    const std::vector<ItemRow> rows = LoadBankItems(Context(fx_, debit));
    ASSERT_EQ(rows.size(), 5u);
    // Opening 100; +150 +50 -30 -20 -5 with a debit direction, the reverse with a credit one.
    QStringList balances;
    for (const ItemRow& r : rows) balances << r.cells[kYhBalance];
    EXPECT_EQ(balances, (debit ? QStringList{"250.00", "300.00", "270.00", "250.00", "245.00"}
                               : QStringList{"-50.00", "-100.00", "-70.00", "-50.00", "-45.00"}));
    EXPECT_EQ((QStringList{rows[4].cells[kYhDebit], rows[4].cells[kYhCredit]}), (QStringList{"", "5.00"}));
    EXPECT_EQ((std::pair<int, int>{rows[1].state, rows[2].state}), (std::pair<int, int>{kTicked, kCleared}));
  }
}

TEST_P(OpeningItemsTest, EnterpriseCellChecks) {
  struct Case { int col; QString text; bool ok; QString kept; };
  const Case cases[] = {
      {kQyDate, "", false, ""},
      {kQyDate, "2026.13.40", false, ""},
      {kQyDate, "2026.03.01", false, ""},  // the start date itself
      {kQyDate, " 2026-2-28 ", true, "2026.02.28"},
      {kQySign, "记 记账凭证", true, "记"},
      {kQyNo, "32767", true, "32767"},
      {kQyNo, "32768", Book(), Book() ? "32768" : ""},  // voucher numbers are limited in account mode only
      {kQyNo, "１２", true, Book() ? "１２" : "12"},       {kQyNo, "12abc", Book(), Book() ? "12abc" : ""},
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
    SCOPED_TRACE(::testing::Message() << k.col << " " << k.text.toStdString());
    const CellCheck r = CheckEnterpriseCell(k.col, k.text, c_);
    EXPECT_EQ(r.ok, k.ok);
    EXPECT_EQ(r.ok ? r.text : QString(), k.kept);
    EXPECT_EQ(r.prompt.isEmpty(), r.ok);
  }
}

// The row checks name the column the cursor goes to; a bank row's style is not looked up.
TEST_P(OpeningItemsTest, RowChecksNameTheColumnAtFaultIncludingADateNeverTyped) {
  // col -1: the row is kept, a bank row with these debit/credit texts
  struct Case { bool bank; QString date, debit, credit, billDate; int col; QString kept = {}; };
  const Case cases[] = {
      {false, "2026.02.20", "12.5", "", "", -1},
      {false, "", "12.5", "", "", kQyDate},  // the date cell was never typed
      {false, "2026.02.20", "", "", "", kQyDebit},
      {false, "2026.02.20", "1", "2", "", kQyDebit},
      {false, "2026.02.20", "0", "", "", -1},
      {false, "2026.02.20", "12.5", "", "2026.02.21", kQyBillDate},
      {false, "2026.02.20", "12.5", "", "2026.02.20", -1},
      {true, "2026.02.28", "10", "", "", -1, "10.00/"},
      {true, "2026.03.01", "10", "", "", kYhDate},
      {true, "", "10", "", "", kYhDate},
      {true, "2026.02.28", "", "", "", kYhDebit},
      {true, "2026.02.28", "0.00", "", "", -1, "0.00/"},  // "0.00" is filled: a debit of 0
      {true, "2026.02.28", "", "0", "", -1, "/0.00"},
      {true, "2026.02.28", "0", "0", "", -1, "0.00/"},
      {true, "2026.02.28", "5", "6", "", kYhDebit},
      {true, "2026.02.28", "x5", "", "", kYhDebit},
      {true, "2026.02.28", "0", "7", "", -1, "/7.00"},  // stored as a credit of 7
      {true, "2026.02.28", "7", "0", "", -1, "7.00/"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(::testing::Message() << k.bank << " " << k.date.toStdString() << " " << k.debit.toStdString() << "/"
                                      << k.credit.toStdString() << " " << k.billDate.toStdString());
    std::vector<QString> cells = NewJournalCells(k.date, k.debit, k.credit);
    cells[kQyBillDate] = k.billDate;
    if (k.bank) {
      cells.assign(kYhColumns, QString());
      cells[kYhDate] = k.date;
      cells[kYhSettle] = QStringLiteral("999 不存在");
      cells[kYhDebit] = k.debit;
      cells[kYhCredit] = k.credit;
    }
    const RowCheck r = k.bank ? CheckBankRow(cells, c_) : CheckEnterpriseRow(cells, c_);
    EXPECT_EQ(r.ok ? -1 : r.col, k.col);
    if (r.ok && k.bank) {
      EXPECT_EQ(cells[kYhSettle], QStringLiteral("999"));
      EXPECT_EQ(cells[kYhDebit] + QLatin1Char('/') + cells[kYhCredit], k.kept);
    }
  }
}

// What is keyed is what a reload shows, under the key the save read back.
TEST_P(OpeningItemsTest, EnterpriseSaveReadsItsKeyBackAndUpdatesTheSameLine) {
  ItemRow row{NewJournalCells(), {}, kOpen};
  row.cells[kQySettle] = QStringLiteral("202");
  row.cells[kQyNumber] = QStringLiteral("A-7");
  row.cells[kQyBillDate] = QStringLiteral("2026.02.19");
  ASSERT_EQ(SaveEnterpriseRow(row, c_), WriteOutcome::Written);
  if (Book()) { EXPECT_EQ(row.cells[kQyNo], row.key); }  // the flow number shown is the one stored
  EXPECT_EQ(Count(QStringLiteral("iperiod=21 and cdigest=' '")), 1);  // a digest never typed is a blank
  row.cells[kQyDebit] = QStringLiteral("13.00");
  row.cells[kQyDigest] = QStringLiteral("手工");
  ASSERT_EQ(SaveEnterpriseRow(row, c_), WriteOutcome::Written);
  EXPECT_EQ(Count(QStringLiteral("iperiod=21")), 2);  // the fixture's item and this one, updated
  int found = 0;
  for (const ItemRow& r : LoadEnterpriseItems(c_)) {
    if (r.key != row.key) continue;
    ++found;
    const auto& k = r.cells;
    EXPECT_EQ((QStringList{k[kQyDate], k[kQySettle], k[kQyNumber], k[kQyBillDate], k[kQyDigest], k[kQyDebit], k[kQyCredit]}),
              (QStringList{"2026.02.20", "202", "A-7", "2026.02.19", "手工", "13.00", ""}));
  }
  EXPECT_EQ(found, 1);
  // A line removed meanwhile is reported, not written again.
  fx_.Db().Execute(QStringLiteral("delete from %1 where iperiod=21 and md=?").arg(fx_.JournalTable()), {Money::FromCents(1300)});
  EXPECT_EQ(SaveEnterpriseRow(row, c_), WriteOutcome::Vanished);
  EXPECT_EQ(Count(QStringLiteral("md=?"), {Money::FromCents(1300)}), 0);
}

// Flow ids exist in book mode only.
TEST(OpeningItemsBookTest, BookCodesInsideFlowIdsKeepRowsApart) {
  corvane::testing::SuiteSession session(true);
  OpeningFixture fx(session, true, true, false, QStringLiteral("01"));
  // The next flow ids are 01000010 and 01000011: "01" occurs twice in the first.
  fx.Db().Execute(QStringLiteral("update RP_Book set iLastFlowNo=9 where cBookCode='01'"));
  fx.Db().Execute(QStringLiteral("update RP_Flow set cFlowID='01000009' where cBookCode='01' and iperiod=21"));
  const ItemContext c = Context(fx);
  ItemRow first{NewJournalCells(), {}, kOpen}, second{NewJournalCells(QStringLiteral("2026.02.21")), {}, kOpen};
  ASSERT_EQ(SaveEnterpriseRow(first, c), WriteOutcome::Written);
  ASSERT_EQ(SaveEnterpriseRow(second, c), WriteOutcome::Written);
  EXPECT_NE(first.key, second.key);
  first.cells[kQyDebit] = QStringLiteral("99.00");
  ASSERT_EQ(SaveEnterpriseRow(first, c), WriteOutcome::Written);
  // The fixture's item and the two keyed here; the change went to the first alone.
  EXPECT_EQ(fx.Count(fx.JournalTable(), QStringLiteral("iperiod=21")), 3);
  EXPECT_EQ(fx.Count(fx.JournalTable(), QStringLiteral("cFlowID=? and md=?"), {first.key, Money::FromCents(9900)}), 1);
}

TEST_P(OpeningItemsTest, BankSaveWritesAStatementLineBeforeTheStartAndDeleteRemovesIt) {
  ItemRow row;
  row.cells.resize(kYhColumns);
  row.cells[kYhDate] = QStringLiteral("2026.02.27");
  row.cells[kYhCredit] = QStringLiteral("8");
  ASSERT_EQ(SaveBankRow(row, c_), WriteOutcome::Written);
  EXPECT_EQ(row.cells[kYhId], QStringLiteral("%1").arg(row.key.toLongLong(), 6, 10, QLatin1Char('0')));
  const auto line = fx_.Db().Query(QStringLiteral("select bd_c, mmoney, ibegin, ccode from %1 where i_id=?")
                                       .arg(fx_.StatementTable()), {row.key.toLongLong()});
  ASSERT_EQ(line.rows.size(), 1u);
  const auto& l = line.rows[0];
  EXPECT_EQ((QStringList{l[0].ToString(), l[1].ToMoney().ToPlainText(), l[2].ToString(), l[3].ToString()}),
            (QStringList{"0", "8.0000", "2", OpeningFixture::account_}));
  EXPECT_EQ(DeleteBankRow(row, c_), WriteOutcome::Written);
  EXPECT_EQ(DeleteBankRow(row, c_), WriteOutcome::Vanished);
}

TEST_P(OpeningItemsTest, DeleteMarksRegularLinesAndRemovesOpeningItems) {
  const long long before = Count(QStringLiteral("1=1"));
  for (const ItemRow& r : LoadEnterpriseItems(c_)) {
    if (r.state == kRegular || r.state == kOpen) { EXPECT_EQ(DeleteEnterpriseRow(r, c_), WriteOutcome::Written); }
  }
  EXPECT_EQ(Count(QStringLiteral("1=1")), before - 1);  // the period-21 item is gone
  EXPECT_EQ(Count(QStringLiteral("bdelete=1 and iperiod=1")), 1);
  // States that refuse a delete; a regular line ticked is refused on the enterprise side only.
  EXPECT_EQ((QStringList{DeleteRefusalKey(kCleared, true), DeleteRefusalKey(kTicked, false),
                         DeleteRefusalKey(kRegularLocked, true), DeleteRefusalKey(kRegularLocked, false),
                         DeleteRefusalKey(kRegular, true)}),
            (QStringList{"Q9.GL.ZWSQL.CASHBANK.00110", "Q9.GL.ZWSQL.CASHBANK.00112", "Q9.GL.ZWSQL.CASHBANK.00112", "", ""}));
}

INSTANTIATE_TEST_SUITE_P(Modes, OpeningItemsTest, ::testing::Values(false, true), testing::ModeName);

}  // namespace
}  // namespace corvane::opening
