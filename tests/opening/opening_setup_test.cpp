#include "opening/opening_setup.h"
#include "opening_fixture.h"
#include "shared/session.h"
#include "suite/services/suite_settings.h"

#include <gtest/gtest.h>

namespace corvane::opening {
namespace {

using platform::Money;
using testing::OpeningFixture;

Money M(double v) { return Money::FromDouble(v); }

TEST(ComputeAdjusted, JournalSideSwapsWithTheDirectionStatementSideDoesNot) {
  struct Case {
    bool debit;
    double add, less, journalAdjusted;
  };
  // J0 1000, A 200, B 50, K0 900, C 30, D 80.
  for (const Case& c : {Case{true, 200, 50, 1150}, Case{false, 50, 200, 850}}) {
    const AdjustedBalances b = ComputeAdjusted(M(1000), M(900), M(200), M(50), M(30), M(80), c.debit);
    EXPECT_EQ(b.journalAdd, M(c.add)) << c.debit;
    EXPECT_EQ(b.journalLess, M(c.less)) << c.debit;
    EXPECT_EQ(b.journalAdjusted, M(c.journalAdjusted)) << c.debit;
    EXPECT_EQ(b.bankAdd, M(30));
    EXPECT_EQ(b.bankLess, M(80));
    EXPECT_EQ(b.bankAdjusted, M(850));
  }
}

class OpeningSetupTest : public ::testing::TestWithParam<bool> {
 protected:
  bool Book() const { return GetParam(); }
  corvane::testing::SuiteSession session_{GetParam()};
};

TEST_P(OpeningSetupTest, FiguresOfTheHandWorkedFixture) {
  struct Case {
    bool debit, foreign;
    double journalDebit, journalCredit, journalAdjusted, bankAdjusted;
  };
  const Case cases[] = {
      {true, false, 30, 80, 1150, 850},
      {false, false, 30, 80, 850, 850},
      {true, true, 3, 8, 1150, 895},
  };
  for (const Case& c : cases) {
    corvane::testing::SuiteSession session(Book());
    OpeningFixture fx(session, Book(), c.debit, c.foreign);
    const OpeningFigures f = LoadOpeningFigures(fx.Target());
    SCOPED_TRACE(::testing::Message() << "debit " << c.debit << " foreign " << c.foreign);
    EXPECT_EQ(f.startDate, OpeningFixture::start_);
    EXPECT_EQ(f.debitDirection, c.debit);
    EXPECT_EQ(f.foreign, c.foreign);
    EXPECT_EQ(f.journalOpening, M(1000));
    EXPECT_EQ(f.bankOpening, M(900));
    EXPECT_EQ(f.bankDebitBefore, M(200));
    EXPECT_EQ(f.bankCreditBefore, M(50));
    EXPECT_EQ(f.journalDebitBefore, M(c.journalDebit));
    EXPECT_EQ(f.journalCreditBefore, M(c.journalCredit));
    const AdjustedBalances b = ComputeAdjusted(f);
    EXPECT_EQ(b.journalAdjusted, M(c.journalAdjusted));
    EXPECT_EQ(b.bankAdjusted, M(c.bankAdjusted));
  }
}

TEST_P(OpeningSetupTest, WithoutAStartDateOfItsOwnTheAccountSetsIsTaken) {
  OpeningFixture fx(session_, Book());
  suite::SuiteSettings(fx.Db(), QStringLiteral("001")).Set(QStringLiteral("StartDate"), QStringLiteral("2026-02-01"));
  fx.Db().Execute(QStringLiteral("update RP_Book set dBeginDate=null where cBookCode=?"), {fx.Key()});
  fx.Db().Execute(QStringLiteral("update code set dbegin=null where ccode=?"), {OpeningFixture::account_});
  // Neither the book's open date (2025-01-01) nor the year's first day.
  EXPECT_EQ(LoadOpeningFigures(fx.Target()).startDate, QDate(2026, 2, 1));
}

TEST_P(OpeningSetupTest, AStatementLineWithoutADirectionCountsAsCredit) {
  OpeningFixture fx(session_, Book());
  fx.AddStatement(QDate(2026, 2, 14), platform::DbValue(), 7);
  const OpeningFigures f = LoadOpeningFigures(fx.Target());
  EXPECT_EQ(f.bankDebitBefore, M(200));
  EXPECT_EQ(f.bankCreditBefore, M(57));
}

TEST_P(OpeningSetupTest, SaveWritesTheThreeRowsAndALoadReadsThemBack) {
  OpeningFixture fx(session_, Book());
  const QDate newStart(2026, 2, 12);
  SaveOpeningSetup(fx.Target(), newStart, M(1234.5), M(99));
  const OpeningFigures f = LoadOpeningFigures(fx.Target());
  EXPECT_EQ(f.startDate, newStart);
  EXPECT_EQ(f.journalOpening, M(1234.5));
  EXPECT_EQ(f.bankOpening, M(99));
  // Lines dated from the new start on no longer count.
  EXPECT_EQ(f.bankDebitBefore, M(200));
  EXPECT_EQ(f.bankCreditBefore, M(0));
  EXPECT_EQ(fx.Db().QueryValue(QStringLiteral("select count(*) from %1 where %2=? and iperiod=20")
                                   .arg(fx.JournalTable(), fx.KeyColumn()), {fx.Key()}).ToInt(), 1);
  EXPECT_EQ(fx.Db().QueryValue(QStringLiteral("select count(*) from %1 where %2=? and ibegin=0")
                                   .arg(fx.StatementTable(), fx.KeyColumn()), {fx.Key()}).ToInt(), 1);
  // The start date is kept where the mode reads it; the other place is untouched.
  const QDate account = fx.Db().QueryValue(QStringLiteral("select dbegin from code where ccode=?"),
                                           {OpeningFixture::account_}).ToDate();
  const QDate book = fx.Db().QueryValue(QStringLiteral("select dBeginDate from RP_Book where cBookCode=?"),
                                        {QStringLiteral("YH009")}).ToDate();
  EXPECT_EQ(Book() ? book : account, newStart);
  EXPECT_EQ(Book() ? account : book, OpeningFixture::start_);
}

TEST_P(OpeningSetupTest, AWriteFailingAfterTheFirstRowsLeavesAllThreeAsTheyWere) {
  OpeningFixture fx(session_, Book());
  // The journal opening row, written last, cannot be written.
  fx.Db().Execute(QStringLiteral("alter table %1 rename to gone_journal").arg(fx.JournalTable()));
  EXPECT_THROW(SaveOpeningSetup(fx.Target(), QDate(2026, 2, 12), M(1234.5), M(99)), std::exception);
  fx.Db().Execute(QStringLiteral("alter table gone_journal rename to %1").arg(fx.JournalTable()));
  const OpeningFigures f = LoadOpeningFigures(fx.Target());
  EXPECT_EQ(f.startDate, OpeningFixture::start_);
  EXPECT_EQ(f.bankOpening, M(900));
  EXPECT_EQ(f.journalOpening, M(1000));
}

TEST_P(OpeningSetupTest, DirectionChangesOnlyWithoutTicksAndReadsBackChanged) {
  OpeningFixture fx(session_, Book());
  EXPECT_TRUE(HasTickedLines(fx.Target()));  // a ticked statement line and a ticked journal line
  fx.Db().Execute(QStringLiteral("update %1 set iflag=null where %2=?").arg(fx.StatementTable(), fx.KeyColumn()), {fx.Key()});
  EXPECT_TRUE(HasTickedLines(fx.Target()));
  fx.Db().Execute(QStringLiteral("update %1 set iflagbank=null where %2=?").arg(fx.JournalTable(), fx.KeyColumn()), {fx.Key()});
  EXPECT_FALSE(HasTickedLines(fx.Target()));
  // A tick on an opening item alone still refuses; one on the opening rows does not.
  fx.AddStatement(QDate(2026, 2, 1), 1, 5, 14);
  EXPECT_TRUE(HasTickedLines(fx.Target()));
  fx.Db().Execute(QStringLiteral("update %1 set iflag=null where %2=?").arg(fx.StatementTable(), fx.KeyColumn()), {fx.Key()});
  fx.Db().Execute(QStringLiteral("update %1 set iflagbank=3 where %2=? and iperiod=20").arg(fx.JournalTable(), fx.KeyColumn()),
                  {fx.Key()});
  EXPECT_FALSE(HasTickedLines(fx.Target()));

  WriteDirection(fx.Target(), false);
  EXPECT_FALSE(LoadOpeningFigures(fx.Target()).debitDirection);
  WriteDirection(fx.Target(), true);
  EXPECT_TRUE(LoadOpeningFigures(fx.Target()).debitDirection);
}

INSTANTIATE_TEST_SUITE_P(Modes, OpeningSetupTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

}  // namespace
}  // namespace corvane::opening
