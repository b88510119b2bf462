#include "platform/services/service_error.h"
#include "services_fixture.h"

#include <QComboBox>
#include <QLineEdit>

namespace corvane::suite::test {
namespace {

using platform::ServiceError;

class CalendarTest : public ServicesTest {
 protected:
  CalendarTest() : s_(Open(Conn())) {}
  Session s_;
};

TEST_F(CalendarTest, DatesFallInTheirPeriodsAtBothEdges) {
  const std::pair<QDate, int> cases[] = {
      {QDate(2025, 12, 26), 1}, {QDate(2026, 1, 1), 1},   {QDate(2026, 1, 25), 1}, {QDate(2026, 1, 26), 2},
      {QDate(2026, 2, 28), 3},  {QDate(2026, 12, 25), 12}, {QDate(2026, 12, 26), 0}, {QDate(2025, 12, 25), 0},
      {QDate(), 0},
  };
  for (const auto& [date, period] : cases) {
    SCOPED_TRACE(date.toString(Qt::ISODate).toStdString());
    EXPECT_EQ(s_.common->GetDatePeriod(date), period);
  }
}

TEST_F(CalendarTest, PeriodTextsNameTheirPeriod) {
  const std::pair<const char*, int> cases[] = {
      {"2026.03", 3}, {"3", 3},        {"03", 3},         {" 2026.12 ", 12}, {"2026-3", 3}, {"2026/03", 3},
      {"2026年3月", 3}, {"2025.03", 0}, {"2026.13", 0},    {"13", 0},         {"0", 0},     {"", 0},
      {"abc", 0},     {"2026.03.01", 0},
  };
  for (const auto& [text, period] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(s_.common->GetPeriodNumber(QString::fromUtf8(text)), period);
  }
}

TEST_F(CalendarTest, CalendarGivesPeriodBoundsAndTexts) {
  const platform::AccountingCalendar cal = s_.common->GetCalendar();
  ASSERT_EQ(cal.PeriodCount(), 12);
  EXPECT_EQ(cal.GetPeriodDate(2, 0), QDate(2026, 2, 26));
  EXPECT_EQ(cal.GetPeriodDate(2, 1), QDate(2026, 3, 25));
  EXPECT_EQ(cal.GetPeriodText(2), QStringLiteral("2026.03"));
  // The text of every period names that period again.
  for (int i = 0; i < cal.PeriodCount(); ++i) EXPECT_EQ(s_.common->GetPeriodNumber(cal.GetPeriodText(i)), i + 1);
}

TEST_F(CalendarTest, CurrentPeriodIsThatOfTheLoginDateKeptWithinTheYear) {
  const std::pair<QDate, int> cases[] = {
      {QDate(2026, 3, 30), 4}, {QDate(2026, 3, 25), 3}, {QDate(2025, 6, 1), 1}, {QDate(2027, 1, 5), 12}, {QDate(), 1},
  };
  for (const auto& [login, period] : cases) {
    SCOPED_TRACE(login.toString(Qt::ISODate).toStdString());
    Session s = Open(Conn(), QStringLiteral("u1"), login);
    EXPECT_EQ(s.common->GetPeriodInfo().CurrentPeriod, period);
  }
}

TEST_F(CalendarTest, BrokenOrMissingCalendarsAreRefusedByName) {
  struct Case {
    const char* what;
    const char* sql;
    platform::DbParams params;
  };
  const Case cases[] = {
      {"no periods", "delete from corvane_calendar", {}},
      {"missing period", "delete from corvane_calendar where iperiod = ?", {5}},
      {"gap", "update corvane_calendar set dbegin = ? where iperiod = ?", {QDate(2026, 4, 27), 5}},
      {"overlap", "update corvane_calendar set dend = ? where iperiod = ?", {QDate(2026, 4, 26), 4}},
      {"reversed", "update corvane_calendar set dend = ? where iperiod = ?", {QDate(2026, 11, 1), 12}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Conn().Execute(QStringLiteral("delete from corvane_calendar"));
    SeedCalendar();
    Conn().Execute(QString::fromLatin1(c.sql), c.params);
    Session s = Open(Conn());
    EXPECT_THROW(s.common->GetCalendar(), ServiceError);
  }
}

TEST_F(CalendarTest, PeriodListHoldsPeriodKAtPositionKMinusOne) {
  QComboBox box;
  box.addItem(QStringLiteral("left over"));
  s_.common->FillPeriodCombo(&box, true);
  ASSERT_EQ(box.count(), 12);
  EXPECT_EQ(box.itemText(0), QStringLiteral("2026.01"));
  EXPECT_EQ(box.itemText(11), QStringLiteral("2026.12"));
  EXPECT_EQ(box.currentIndex(), 3);  // the login date 2026-03-30 lies in period 4
  s_.common->FillPeriodCombo(&box, false);
  EXPECT_EQ(box.count(), 12);
  EXPECT_EQ(box.currentIndex(), 0);
}

TEST_F(CalendarTest, EndListStartsAtTheStartPeriodAndKeepsALaterEnd) {
  struct Case {
    int start, end;     // positions chosen before the sync
    int firstEntry;     // period of the end list's first entry after it
    const char* chosen; // end list's text after it
  };
  const Case cases[] = {
      {4, 7, 5, "2026.08"},  // end after start: kept
      {4, 2, 5, "2026.05"},  // end before start: the start period alone
      {4, 4, 5, "2026.05"},
      {0, 11, 1, "2026.12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start * 100 + c.end);
    QComboBox start, end;
    s_.common->FillPeriodCombo(&start, false);
    s_.common->FillPeriodCombo(&end, false);
    start.setCurrentIndex(c.start);
    end.setCurrentIndex(c.end);
    s_.common->SyncPeriodCombos(&start, &end);
    EXPECT_EQ(end.count(), 12 - (c.firstEntry - 1));
    EXPECT_EQ(s_.common->GetPeriodNumber(end.itemText(0)), c.firstEntry);
    EXPECT_EQ(end.currentText(), QString::fromLatin1(c.chosen));
  }
}

TEST_F(CalendarTest, DateBoxIsCheckedWithoutMessageAndShownInDisplayForm) {
  QLineEdit box(QStringLiteral("20260305"));
  EXPECT_TRUE(s_.common->CheckDateBox(&box));
  EXPECT_EQ(box.text(), QStringLiteral("2026.03.05"));
  box.setText(QStringLiteral("2026.02.30"));
  EXPECT_FALSE(s_.common->CheckDateBox(&box));
  EXPECT_EQ(box.text(), QStringLiteral("2026.02.30"));
  EXPECT_FALSE(s_.common->CheckDateBox(nullptr));
}

}  // namespace
}  // namespace corvane::suite::test
