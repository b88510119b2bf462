#include "opening/opening_setup.h"
#include "opening/opening_summary.h"
#include "shared/messages.h"
#include "opening_fixture.h"
#include "shared/session.h"
#include "suite/services/suite_settings.h"

#include <gtest/gtest.h>

namespace corvane::opening {
namespace {

using platform::Money;
using testing::OpeningFixture;

Money M(double v) { return Money::FromDouble(v); }
std::vector<Money> Ms(const std::vector<double>& v) {
  std::vector<Money> m;
  for (double d : v) m.push_back(M(d));
  return m;
}

using OpeningSetupTest = testing::OpeningTest;

// The journal side swaps its add and less with the direction; the statement side does not.
TEST_P(OpeningSetupTest, FiguresOfTheHandWorkedFixture) {
  struct Case {
    bool debit, foreign;
    std::vector<double> sums;      // openings J0 K0, statement A B, journal C D
    std::vector<double> adjusted;  // journal add less balance, statement add less balance
  };
  const Case cases[] = {
      {true, false, {1000, 900, 200, 50, 30, 80}, {200, 50, 1150, 30, 80, 850}},
      {false, false, {1000, 900, 200, 50, 30, 80}, {50, 200, 850, 30, 80, 850}},
      {true, true, {1000, 900, 200, 50, 3, 8}, {200, 50, 1150, 3, 8, 895}},
  };
  for (const Case& c : cases) {
    corvane::testing::SuiteSession session(Book());
    OpeningFixture fx(session, Book(), c.debit, c.foreign);
    const OpeningFigures f = LoadOpeningFigures(fx.Target());
    SCOPED_TRACE(::testing::Message() << "debit " << c.debit << " foreign " << c.foreign);
    EXPECT_EQ(f.startDate, OpeningFixture::start_);
    EXPECT_EQ(f.debitDirection, c.debit);
    EXPECT_EQ(f.foreign, c.foreign);
    EXPECT_EQ((std::vector<Money>{f.journalOpening, f.bankOpening, f.bankDebitBefore, f.bankCreditBefore,
                                  f.journalDebitBefore, f.journalCreditBefore}), Ms(c.sums));
    const AdjustedBalances b = ComputeAdjusted(f);
    EXPECT_EQ((std::vector<Money>{b.journalAdd, b.journalLess, b.journalAdjusted, b.bankAdd, b.bankLess,
                                  b.bankAdjusted}), Ms(c.adjusted));
  }
}

TEST_P(OpeningSetupTest, WithoutAStartDateOfItsOwnTheAccountSetsIsTaken) {
  suite::SuiteSettings(fx_.Db(), QStringLiteral("001")).Set(QStringLiteral("StartDate"), QStringLiteral("2026-02-01"));
  fx_.Db().Execute(QStringLiteral("update RP_Book set dBeginDate=null where cBookCode=?"), {fx_.Key()});
  fx_.Db().Execute(QStringLiteral("update code set dbegin=null where ccode=?"), {OpeningFixture::account_});
  // Neither the book's open date (2025-01-01) nor the year's first day.
  EXPECT_EQ(LoadOpeningFigures(fx_.Target()).startDate, QDate(2026, 2, 1));
}

TEST_P(OpeningSetupTest, AStatementLineWithoutADirectionCountsAsCredit) {
  fx_.AddStatement(QDate(2026, 2, 14), platform::DbValue(), 7);
  const OpeningFigures f = LoadOpeningFigures(fx_.Target());
  EXPECT_EQ((std::vector<Money>{f.bankDebitBefore, f.bankCreditBefore}), Ms({200, 57}));
}

TEST_P(OpeningSetupTest, SaveWritesTheThreeRowsAndALoadReadsThemBack) {
  const QDate newStart(2026, 2, 12);
  SaveOpeningSetup(fx_.Target(), newStart, M(1234.5), M(99));
  const OpeningFigures f = LoadOpeningFigures(fx_.Target());
  EXPECT_EQ(f.startDate, newStart);
  // Lines dated from the new start on no longer count.
  EXPECT_EQ((std::vector<Money>{f.journalOpening, f.bankOpening, f.bankDebitBefore, f.bankCreditBefore}),
            Ms({1234.5, 99, 200, 0}));
  EXPECT_EQ(fx_.Db().QueryValue(QStringLiteral("select count(*) from %1 where %2=? and iperiod=20")
                                   .arg(fx_.JournalTable(), fx_.KeyColumn()), {fx_.Key()}).ToInt(), 1);
  EXPECT_EQ(fx_.Db().QueryValue(QStringLiteral("select count(*) from %1 where %2=? and ibegin=0")
                                   .arg(fx_.StatementTable(), fx_.KeyColumn()), {fx_.Key()}).ToInt(), 1);
  // The start date is kept where the mode reads it; the other place is untouched.
  const QDate account = fx_.Db().QueryValue(QStringLiteral("select dbegin from code where ccode=?"),
                                           {OpeningFixture::account_}).ToDate();
  const QDate book = fx_.Db().QueryValue(QStringLiteral("select dBeginDate from RP_Book where cBookCode=?"),
                                        {QStringLiteral("YH009")}).ToDate();
  EXPECT_EQ(Book() ? book : account, newStart);
  EXPECT_EQ(Book() ? account : book, OpeningFixture::start_);
}

TEST_P(OpeningSetupTest, AWriteFailingAfterTheFirstRowsLeavesAllThreeAsTheyWere) {
  // The journal opening row, written last, cannot be written.
  fx_.Db().Execute(QStringLiteral("alter table %1 rename to gone_journal").arg(fx_.JournalTable()));
  EXPECT_THROW(SaveOpeningSetup(fx_.Target(), QDate(2026, 2, 12), M(1234.5), M(99)), std::exception);
  fx_.Db().Execute(QStringLiteral("alter table gone_journal rename to %1").arg(fx_.JournalTable()));
  const OpeningFigures f = LoadOpeningFigures(fx_.Target());
  EXPECT_EQ(f.startDate, OpeningFixture::start_);
  EXPECT_EQ((std::vector<Money>{f.journalOpening, f.bankOpening}), Ms({1000, 900}));
}

TEST_P(OpeningSetupTest, DirectionChangesOnlyWithoutTicksAndReadsBackChanged) {
  EXPECT_TRUE(HasTickedLines(fx_.Target()));  // a ticked statement line and a ticked journal line
  fx_.Db().Execute(QStringLiteral("update %1 set iflag=null where %2=?").arg(fx_.StatementTable(), fx_.KeyColumn()), {fx_.Key()});
  EXPECT_TRUE(HasTickedLines(fx_.Target()));
  fx_.Db().Execute(QStringLiteral("update %1 set iflagbank=null where %2=?").arg(fx_.JournalTable(), fx_.KeyColumn()), {fx_.Key()});
  EXPECT_FALSE(HasTickedLines(fx_.Target()));
  // A tick on an opening item alone still refuses; one on the opening rows does not.
  fx_.AddStatement(QDate(2026, 2, 1), 1, 5, 14);
  EXPECT_TRUE(HasTickedLines(fx_.Target()));
  fx_.Db().Execute(QStringLiteral("update %1 set iflag=null where %2=?").arg(fx_.StatementTable(), fx_.KeyColumn()), {fx_.Key()});
  fx_.Db().Execute(QStringLiteral("update %1 set iflagbank=3 where %2=? and iperiod=20").arg(fx_.JournalTable(), fx_.KeyColumn()),
                  {fx_.Key()});
  EXPECT_FALSE(HasTickedLines(fx_.Target()));

  WriteDirection(fx_.Target(), false);
  EXPECT_FALSE(LoadOpeningFigures(fx_.Target()).debitDirection);
  WriteDirection(fx_.Target(), true);
  EXPECT_TRUE(LoadOpeningFigures(fx_.Target()).debitDirection);
}

INSTANTIATE_TEST_SUITE_P(Modes, OpeningSetupTest, ::testing::Values(false, true), testing::ModeName);

// Bytes as the suite counts them: a Chinese character takes two.
int Bytes(const QString& s) {
  int n = 0;
  for (QChar ch : s) n += ch.unicode() < 0x80 ? 1 : 2;
  return n;
}

TEST(UnitAndPreparerLine, PadsTheUnitToFortyBytesUnlessItIsLonger) {
  corvane::testing::SuiteSession session;
  const std::pair<QString, int> cases[] = {
      {QStringLiteral("演示公司"), 32},
      {QString(40, QLatin1Char('a')), 0},
      {QString(20, QChar(0x516C)), 0},  // exactly 40 bytes
      {QString(25, QChar(0x516C)), 0},  // 50 bytes: no padding, nothing cut
  };
  for (const auto& [unit, blanks] : cases) {
    EXPECT_EQ(UnitAndPreparerLine(unit, QStringLiteral("张三"), Bytes),
              testing::Cash("00053") + unit + QString(blanks, QLatin1Char(' ')) + testing::Cash("00054") + QStringLiteral("张三"));
  }
}

using SummaryCellsTest = testing::OpeningTest;

// Each figure has a text of its own, so a figure in another's field or cell shows.
TEST_P(SummaryCellsTest, EachFigureGoesToItsOwnFieldAndCell) {
  const SummaryTexts t{"工行(100201)", "2026.01.01", "J0", "K0", "A", "B", "J", "C", "D", "K"};
  const std::vector<QVariant> p = SummaryWorkRow(t, GetParam(), QStringLiteral("unit"), QDate(2026, 12, 15));
  ASSERT_EQ(p.size(), 30u);
  QStringList fields;
  for (int i : {4, 8, 10, 12, 14, 16, 18, 19, 24, 26}) fields << p[i].toString();
  EXPECT_EQ(fields, (QStringList{"J", "J0", "K0", "A", "C", "B", "D", "unit", "", "K"}));
  EXPECT_TRUE(p[1].toString().endsWith(t.account));
  EXPECT_TRUE(p[2].toString().endsWith(t.startDate));
  EXPECT_TRUE(p[20].toString().endsWith(QStringLiteral("2026.12.15")));
  EXPECT_TRUE(p[27].isNull() && p[28].isNull());
  EXPECT_EQ(p[29].toInt(), 1);
  EXPECT_EQ(p[5].toString() == QStringLiteral("单位流水账"), GetParam());
  const TextGrid grid = SummaryGridCells(t), out = DataOutputCells(t);
  ASSERT_EQ(grid.size(), 3u);
  ASSERT_EQ(out.size(), 4u);
  QStringList cells;
  for (const TextGrid* g : {&grid, &out})
    for (const auto& row : *g) cells << row[1] << row[3];
  EXPECT_EQ(cells, (QStringList{"A", "C", "B", "D", "J", "K", "J0", "K0", "A", "C", "B", "D", "J", "K"}));
  EXPECT_EQ(DataOutputCaptions(GetParam())[0] == QStringLiteral("单位流水账项目"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Modes, SummaryCellsTest, ::testing::Values(false, true), testing::ModeName);

}  // namespace
}  // namespace corvane::opening
