#pragma once

#include "platform/services/accounting_calendar.h"

#include <QString>

namespace corvane::platform {
class DbConnection;
}

namespace corvane::suite {

class TextSource;

// Reads the accounting periods of a year from corvane_calendar. The periods
// must be numbered 1, 2, … without a gap and follow each other day after day,
// since every period lookup and every range of the windows rests on that; a
// year without periods or with broken ones throws ServiceError naming the fault
// in the language of the texts (Chinese without texts).
platform::AccountingCalendar LoadCalendar(platform::DbConnection& connection, int year, TextSource* texts = nullptr);

// The period a period text names: "2026.03" (as the period lists show it; also
// "2026-03", "2026/3", "2026年3月") or a bare number "3". 0 for an empty text, a
// text of another year, or a period the calendar does not have.
int PeriodNumberOfText(const platform::AccountingCalendar& calendar, const QString& text);

// The period of a date, with dates before the year in its first period and
// dates after it in its last; 1 for no date. What the "current period" of a
// session whose login date lies outside the account-set year is.
int PeriodOfDateClamped(const platform::AccountingCalendar& calendar, const QDate& date);

}  // namespace corvane::suite
