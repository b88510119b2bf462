#include "query/audit_load.h"

#include <gtest/gtest.h>

namespace corvane::query {
namespace {

TEST(AuditCutOff, AuditDateLessTheDays) {
  struct Case { QDate audit; int days; QDate cutOff; };
  const Case cases[] = {
      {{2024, 3, 31}, 30, {2024, 3, 1}},   // the example of the audit conditions
      {{2024, 3, 31}, 0, {2024, 3, 31}},   // no age: the audit date itself
      {{2024, 3, 31}, -5, {2024, 4, 5}},   // a negative age lies after the audit date
      {{2024, 3, 1}, 1, {2024, 2, 29}},    // across a leap day
      {{2026, 1, 1}, 32767, {1936, 4, 16}},
      {{2026, 1, 1}, -32768, {2115, 9, 20}},
  };
  for (const Case& c : cases) {
    const std::optional<QDate> cut = AuditCutOff(c.audit, c.days);
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(*cut, c.cutOff) << c.days;
  }
  EXPECT_FALSE(AuditCutOff(QDate(), 30).has_value());  // no audit date, no bound
}

TEST(AuditDays, TypedAgeAsAWholeNumberWithinSixteenBits) {
  struct Case { const char* typed; std::optional<int> days; };
  const Case cases[] = {
      {"30", 30},         {"", 0},          {"abc", 0},        {"-5", -5},        {" 45 ", 45},
      {"30天", 30},       {"2.5", 2},       {"3.5", 4},        {"-2.5", -2},      {"32767", 32767},
      {"-32768", -32768}, {"32768", std::nullopt},             {"-32769", std::nullopt},
      {"99999999999", std::nullopt},        {"+7", 7},         {"1.2.3", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(AuditDays(QString::fromUtf8(c.typed)), c.days) << c.typed;
}

}  // namespace
}  // namespace corvane::query
