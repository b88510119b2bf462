#include "reconcile/row_filter.h"
#include "reconcile/tick_mark.h"

#include <gtest/gtest.h>

namespace corvane::reconcile {
namespace {

using platform::Money;

LineFacts Line() { return LineFacts{QDate(2026, 1, 5), QStringLiteral("201"), QStringLiteral("A123"), true, Money::FromCents(10000)}; }

TEST(RowFilterTest, EachConditionAlone) {
  struct Case {
    const char* name;
    std::function<void(RowConditions&)> set;
    std::function<void(LineFacts&)> change;
    const char* mark;
    bool passes;
  };
  const Case cases[] = {
      {"no conditions", [](RowConditions&) {}, [](LineFacts&) {}, "", true},
      {"start bound passes", [](RowConditions& c) { c.startDate = QDate(2026, 1, 1); }, [](LineFacts&) {}, "", true},
      {"end bound fails", [](RowConditions& c) { c.endDate = QDate(2026, 1, 4); }, [](LineFacts&) {}, "", false},
      {"end bound is inclusive", [](RowConditions& c) { c.endDate = QDate(2026, 1, 5); }, [](LineFacts&) {}, "", true},
      {"no date never passes a bound", [](RowConditions& c) { c.startDate = QDate(2026, 1, 1); }, [](LineFacts& l) { l.date = QDate(); }, "", false},
      {"style chosen", [](RowConditions& c) { c.styles = {QStringLiteral("201"), QStringLiteral("202")}; }, [](LineFacts&) {}, "", true},
      {"style not chosen", [](RowConditions& c) { c.styles = {QStringLiteral("202")}; }, [](LineFacts&) {}, "", false},
      {"a code is no prefix", [](RowConditions& c) { c.styles = {QStringLiteral("2")}; }, [](LineFacts&) {}, "", false},
      {"blank style unwanted", [](RowConditions& c) { c.styles = {QStringLiteral("201")}; }, [](LineFacts& l) { l.style.clear(); }, "", false},
      {"blank style wanted", [](RowConditions& c) { c.selNull = true; }, [](LineFacts& l) { l.style.clear(); }, "", true},
      {"only blank styles wanted", [](RowConditions& c) { c.selNull = true; }, [](LineFacts&) {}, "", false},
      {"number in any case", [](RowConditions& c) { c.number = QStringLiteral("a123"); }, [](LineFacts&) {}, "", true},
      {"other number", [](RowConditions& c) { c.number = QStringLiteral("A124"); }, [](LineFacts&) {}, "", false},
      {"debit wanted", [](RowConditions& c) { c.direction = 1; }, [](LineFacts&) {}, "", true},
      {"credit wanted", [](RowConditions& c) { c.direction = 2; }, [](LineFacts&) {}, "", false},
      {"same amount", [](RowConditions& c) { c.amount = Money::FromCents(10000); }, [](LineFacts&) {}, "", true},
      {"a cent off", [](RowConditions& c) { c.amount = Money::FromCents(10001); }, [](LineFacts&) {}, "", false},
      {"unmarked wanted", [](RowConditions& c) { c.markMode = 1; }, [](LineFacts&) {}, " ", true},
      {"unmarked wanted, marked", [](RowConditions& c) { c.markMode = 1; }, [](LineFacts&) {}, "Y", false},
      {"automatic wanted", [](RowConditions& c) { c.markMode = 2; }, [](LineFacts&) {}, "○", true},
      {"manual wanted, automatic", [](RowConditions& c) { c.markMode = 3; }, [](LineFacts&) {}, "○", false},
  };
  for (const Case& k : cases) {
    RowConditions c;
    c.execFilter = true;
    k.set(c);
    LineFacts line = Line();
    k.change(line);
    EXPECT_EQ(RowPasses(line, QString::fromUtf8(k.mark), c), k.passes) << k.name;
    c.execFilter = false;
    EXPECT_TRUE(RowPasses(line, QString::fromUtf8(k.mark), c)) << k.name << " (filter off)";
  }
}

TEST(RowFilterTest, ReferencePairsDirectionsByTheBalanceDirection) {
  EXPECT_EQ(PairedDirection(true, false), 2);
  EXPECT_EQ(PairedDirection(false, false), 1);
  EXPECT_EQ(PairedDirection(true, true), 1);
  EXPECT_EQ(PairedDirection(false, true), 2);
}

TEST(TickMarkTest, MarksByTickValue) {
  struct Case { long long tick; const char* mark; };
  for (const Case& c : {Case{-1, ""}, Case{0, ""}, Case{1, "○"}, Case{12, "○"}, Case{13, "Y"}, Case{24, "Y"}})
    EXPECT_EQ(TickMarkOf(c.tick), QString::fromUtf8(c.mark)) << c.tick;
  EXPECT_EQ(TickMarkOf(platform::DbValue()), QString());
  EXPECT_EQ(ManualTickValue(1), 13);
  EXPECT_EQ(ManualTickValue(12), 24);
  EXPECT_FALSE(IsMarked(QStringLiteral("  ")));
}

}  // namespace
}  // namespace corvane::reconcile
