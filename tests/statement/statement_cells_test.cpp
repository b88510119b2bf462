#include "statement/statement_cells.h"

#include <gtest/gtest.h>

namespace corvane::statement {
namespace {

using platform::Money;

struct DateCase {
  const char* name;
  QDate end;  // of the end period; none: no upper limit
  QString typed;
  QString key;   // message key, empty when accepted
  QString cell;  // the text afterwards
};

const QDate kEnd(2026, 12, 31);

// The start and end bounds, an empty cell and a refusal's message are rows of the
// window's own cell table; here the forms a date may take.
class DateCell : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateCell, ComparedAsDatesWithinStartAndEndPeriod) {
  const DateCase& c = GetParam();
  QString text = c.typed;
  EXPECT_EQ(CheckDateCell(text, QDate(2026, 7, 1), c.end), c.key);
  EXPECT_EQ(text, c.cell);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DateCell,
    ::testing::Values(DateCase{"OtherForm", kEnd, "2026-7-2", "", "2026.07.02"},
                      DateCase{"NoUpperLimitWithoutAnEnd", QDate(), "2099.01.01", "", "2099.01.01"},
                      DateCase{"NoDate", kEnd, "2026.02.30", "corvane.read.date", "2026.02.30"},
                      DateCase{"Text", kEnd, "abc", "corvane.read.date", "abc"},
                      DateCase{"FullWidth", kEnd, "２０２６－７－２", "", "2026.07.02"}),
    [](const auto& info) { return std::string(info.param.name); });

struct AmountCase {
  const char* name;
  QString typed;
  bool ok;
  QString cell;
  qint64 cents;
};

class AmountCell : public ::testing::TestWithParam<AmountCase> {};

TEST_P(AmountCell, NumbersAboveZeroWithTwoDecimals) {
  const AmountCase& c = GetParam();
  QString text = c.typed;
  Money amount;
  EXPECT_EQ(CheckAmountCell(text, amount).isEmpty(), c.ok);
  if (c.ok) {
    EXPECT_EQ(text, c.cell);
    EXPECT_EQ(amount, Money::FromCents(c.cents));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, AmountCell,
                         ::testing::Values(AmountCase{"Plain", "1234.5", true, "1,234.50", 123450},
                                           AmountCase{"Grouped", "1,234.56", true, "1,234.56", 123456},
                                           AmountCase{"ZeroIsEmpty", "0.00", true, "", 0},
                                           AmountCase{"Empty", " ", true, "", 0},
                                           AmountCase{"Negative", "-3", false, "", 0},
                                           AmountCase{"ThreeDecimals", "0.001", false, "", 0},
                                           AmountCase{"LargestLineAmount", "9999999999.99", true, "9,999,999,999.99", 999999999999},
                                           AmountCase{"BeyondWhatSumsHold", "922337203685477.58", false, "", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CellDate, OnlyTheFormTheChecksLeave) {
  EXPECT_EQ(CellDate("2026.07.05"), QDate(2026, 7, 5));
  EXPECT_EQ(CellDate(" 2026.12.31 "), QDate(2026, 12, 31));
  EXPECT_FALSE(CellDate("2026-07-05").isValid());
  EXPECT_FALSE(CellDate("2026.02.30").isValid());
  EXPECT_FALSE(CellDate("2026.0a.05").isValid());
  EXPECT_FALSE(CellDate("").isValid());
}

// The settlement number in the load's progress: numbers padded to four digits.
TEST(FourDigitNumber, NumbersPaddedOtherTextsAsTheyAre) {
  const struct {
    QString number, shown;
  } cases[] = {{"12", "0012"},      {"7", "0007"},       {"0", "0000"},     {"12345", "12345"}, {" 42 ", "0042"},
               {"12.4", "0012"},    {"12.5", "0013"},    {"-3", "-0003"},   {"+8", "0008"},     {"", ""},
               {"A-12", "A-12"},    {"12A", "12A"},      {"1 2", "1 2"},    {"１２", "１２"}};
  for (const auto& c : cases) EXPECT_EQ(FourDigitNumber(c.number), c.shown) << c.number.toStdString();
}

}  // namespace
}  // namespace corvane::statement
