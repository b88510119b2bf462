#include "platform/services/service_error.h"
#include "services_fixture.h"

namespace corvane::suite::test {
namespace {

using CalendarTest = OneSessionTest;

// The periods run from the 26th to the 25th, so a calendar month would give wrong answers.
TEST_F(CalendarTest, DatesAndPeriodTextsFindTheirPeriods) {
  const std::pair<QDate, int> dates[] = {
      {QDate(2025, 12, 26), 1}, {QDate(2026, 1, 25), 1},   {QDate(2026, 1, 26), 2}, {QDate(2026, 2, 28), 3},
      {QDate(2026, 12, 25), 12}, {QDate(2026, 12, 26), 0}, {QDate(2025, 12, 25), 0}, {QDate(), 0},
  };
  for (const auto& [date, period] : dates)
    EXPECT_EQ(s_.common->GetDatePeriod(date), period) << date.toString(Qt::ISODate).toStdString();
  const std::pair<const char*, int> texts[] = {
      {"2026.03", 3}, {"3", 3},        {" 2026.12 ", 12}, {"2026-3", 3}, {"2026/03", 3}, {"2026年3月", 3},
      {"2025.03", 0}, {"2026.13", 0},  {"0", 0},          {"", 0},       {"abc", 0},     {"2026.03.01", 0},
  };
  for (const auto& [text, period] : texts) EXPECT_EQ(s_.common->GetPeriodNumber(QString::fromUtf8(text)), period) << text;

  const platform::AccountingCalendar cal = s_.common->GetCalendar();
  ASSERT_EQ(cal.PeriodCount(), 12);
  EXPECT_EQ(cal.GetPeriodDate(2, 0), QDate(2026, 2, 26));
  EXPECT_EQ(cal.GetPeriodDate(2, 1), QDate(2026, 3, 25));
  for (int i = 0; i < cal.PeriodCount(); ++i) EXPECT_EQ(s_.common->GetPeriodNumber(cal.GetPeriodText(i)), i + 1);
}

TEST_F(CalendarTest, CurrentPeriodIsThatOfTheLoginDateKeptWithinTheYear) {
  const std::pair<QDate, int> cases[] = {
      {QDate(2026, 3, 30), 4}, {QDate(2026, 3, 25), 3}, {QDate(2025, 6, 1), 1}, {QDate(2027, 1, 5), 12}, {QDate(), 1},
  };
  for (const auto& [login, period] : cases) {
    Session s = Open(Conn(), QStringLiteral("u1"), login);
    EXPECT_EQ(s.common->GetPeriodInfo().CurrentPeriod, period) << login.toString(Qt::ISODate).toStdString();
  }
}

TEST_F(CalendarTest, BrokenCalendarsAreRefused) {
  struct Case {
    const char* sql;
    platform::DbParams params;
  };
  const Case cases[] = {
      {"delete from corvane_calendar", {}},
      {"delete from corvane_calendar where iperiod = ?", {5}},
      {"update corvane_calendar set dbegin = ? where iperiod = ?", {QDate(2026, 4, 27), 5}},  // a gap
      {"update corvane_calendar set dend = ? where iperiod = ?", {QDate(2026, 4, 26), 4}},    // an overlap
      {"update corvane_calendar set dend = ? where iperiod = ?", {QDate(2026, 11, 1), 12}},   // reversed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    Conn().Execute(QStringLiteral("delete from corvane_calendar"));
    SeedCalendar();
    Conn().Execute(QString::fromLatin1(c.sql), c.params);
    EXPECT_THROW(Open(Conn()).common->GetCalendar(), platform::ServiceError);
  }
}

}  // namespace
}  // namespace corvane::suite::test
