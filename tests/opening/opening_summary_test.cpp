#include "opening/opening_summary.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "support/suite_session.h"

#include <gtest/gtest.h>

namespace corvane::opening {
namespace {

// Bytes as the suite counts them: a Chinese character takes two.
int Bytes(const QString& s) {
  int n = 0;
  for (QChar ch : s) n += ch.unicode() < 0x80 ? 1 : 2;
  return n;
}

TEST(UnitAndPreparerLine, PadsTheUnitToFortyBytesUnlessItIsLonger) {
  corvane::testing::SuiteSession session;
  const QString prefix = shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00053"));
  const QString preparer = shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00054"));
  struct Case {
    QString unit;
    int blanks;
  };
  const Case cases[] = {
      {QStringLiteral("演示公司"), 32},
      {QString(40, QLatin1Char('a')), 0},
      {QString(20, QChar(0x516C)), 0},       // exactly 40 bytes
      {QString(25, QChar(0x516C)), 0},       // 50 bytes: no padding, nothing cut
  };
  for (const Case& c : cases) {
    const QString line = UnitAndPreparerLine(c.unit, QStringLiteral("张三"), Bytes);
    EXPECT_EQ(line, prefix + c.unit + QString(c.blanks, QLatin1Char(' ')) + preparer + QStringLiteral("张三"));
  }
}

class SummaryWorkTableTest : public ::testing::TestWithParam<bool> {
 protected:
  corvane::testing::SuiteSession session_{GetParam()};
};

TEST_P(SummaryWorkTableTest, OneRowWithBothAdjustedBalancesAndTheCountField) {
  SummaryTexts t;
  t.account = QStringLiteral("工行(100201)");
  t.startDate = QStringLiteral("2026.01.01");
  t.journalOpening = QStringLiteral("1,000.00");
  t.bankOpening = QStringLiteral("900.00");
  t.journalAdd = QStringLiteral("200.00");
  t.journalLess = QStringLiteral("50.00");
  t.journalAdjusted = QStringLiteral("1,150.00");
  t.bankAdd = QStringLiteral("30.00");
  t.bankLess = QStringLiteral("80.00");
  t.bankAdjusted = QStringLiteral("850.00");
  // Two runs: the table is replaced, never appended to.
  for (int run = 0; run < 2; ++run)
    WriteSummaryWorkTable(SummaryWorkRow(t, GetParam(), QStringLiteral("unit"), QDate(2026, 12, 15)));
  platform::DbConnection* work = shared::Session::Current().Common().GetPrintWorkDb();
  const auto r = work->Query(QStringLiteral("select * from yhdzqc_H"));
  ASSERT_EQ(r.rows.size(), 1u);
  const auto& p = r.rows[0];
  ASSERT_EQ(p.size(), 30u);
  EXPECT_EQ(p[4].ToString(), t.journalAdjusted);   // P5
  EXPECT_EQ(p[24].ToString(), QString());          // P25 stays empty
  EXPECT_EQ(p[26].ToString(), t.bankAdjusted);     // P27
  EXPECT_EQ(p[8].ToString(), t.journalOpening);    // P9
  EXPECT_EQ(p[10].ToString(), t.bankOpening);      // P11
  EXPECT_EQ(p[12].ToString(), t.journalAdd);       // P13
  EXPECT_EQ(p[18].ToString(), t.bankLess);         // P19
  EXPECT_EQ(p[19].ToString(), QStringLiteral("unit"));
  EXPECT_TRUE(p[20].ToString().endsWith(QStringLiteral("2026.12.15")));
  EXPECT_TRUE(p[27].IsNull());
  EXPECT_TRUE(p[28].IsNull());
  EXPECT_EQ(p[29].ToInt(), 1);
  EXPECT_EQ(p[5].ToString(), JournalSideCaption(GetParam()));
  EXPECT_EQ(p[5].ToString() == QStringLiteral("单位流水账"), GetParam());
}

TEST_P(SummaryWorkTableTest, GridAndDataOutputCells) {
  SummaryTexts t;
  t.journalOpening = QStringLiteral("J0");
  t.bankOpening = QStringLiteral("K0");
  t.journalAdd = QStringLiteral("A");
  t.journalLess = QStringLiteral("B");
  t.journalAdjusted = QStringLiteral("J");
  t.bankAdd = QStringLiteral("C");
  t.bankLess = QStringLiteral("D");
  t.bankAdjusted = QStringLiteral("K");
  const TextGrid grid = SummaryGridCells(t);
  ASSERT_EQ(grid.size(), 3u);
  EXPECT_EQ((std::vector<QString>{grid[0][1], grid[1][1], grid[2][1], grid[0][3], grid[1][3], grid[2][3]}),
            (std::vector<QString>{"A", "B", "J", "C", "D", "K"}));
  const TextGrid out = DataOutputCells(t);
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ((std::vector<QString>{out[0][1], out[0][3], out[3][1], out[3][3]}),
            (std::vector<QString>{"J0", "K0", "J", "K"}));
  EXPECT_EQ(DataOutputCaptions(GetParam())[0] == QStringLiteral("单位流水账项目"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Modes, SummaryWorkTableTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

}  // namespace
}  // namespace corvane::opening
