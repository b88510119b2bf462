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
  t.journalAdjusted = QStringLiteral("1,150.00");
  t.bankAdjusted = QStringLiteral("850.00");
  t.journalOpening = QStringLiteral("1,000.00");
  t.journalAdd = QStringLiteral("200.00");
  t.bankLess = QStringLiteral("80.00");
  const std::vector<QVariant> p = SummaryWorkRow(t, GetParam(), QStringLiteral("unit"), QDate(2026, 12, 15));
  ASSERT_EQ(p.size(), 30u);
  EXPECT_EQ(p[4].toString(), t.journalAdjusted);   // P5
  EXPECT_EQ(p[24].toString(), QString());          // P25 stays empty
  EXPECT_EQ(p[26].toString(), t.bankAdjusted);     // P27
  EXPECT_EQ(p[8].toString(), t.journalOpening);    // P9
  EXPECT_EQ(p[12].toString(), t.journalAdd);       // P13
  EXPECT_EQ(p[18].toString(), t.bankLess);         // P19
  EXPECT_EQ(p[19].toString(), QStringLiteral("unit"));
  EXPECT_TRUE(p[1].toString().endsWith(t.account));
  EXPECT_TRUE(p[20].toString().endsWith(QStringLiteral("2026.12.15")));
  EXPECT_TRUE(p[27].isNull());
  EXPECT_TRUE(p[28].isNull());
  EXPECT_EQ(p[29].toInt(), 1);
  EXPECT_EQ(p[5].toString() == QStringLiteral("单位流水账"), GetParam());
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
