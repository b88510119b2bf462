#pragma once

#include <QDate>
#include <QString>

namespace corvane::suite {

// The display text of "no date" in the suite's date boxes and reports.
inline constexpr const char* kNoDateText = "0100.01.01";

// Reads a date typed or shown in the suite: "yyyy.mm.dd", "yyyy-mm-dd",
// "yyyy/mm/dd" (month and day with one or two digits) or "yyyymmdd", blanks
// around it ignored. Anything else, an impossible day, a year before 1900 and
// the no-date text give an invalid date.
QDate ParseDateText(const QString& text);

// "yyyy.mm.dd"; an invalid date gives the no-date text.
QString FormatDateText(const QDate& date);

}  // namespace corvane::suite
