#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <optional>

namespace corvane::platform {

// Date texts as the windows show and accept them.
class DateText {
 public:
  // The first year a date can carry.
  static constexpr int kFirstYear = 1900;
  // The one reading of a date, typed, pasted or stored as text: "yyyy.mm.dd",
  // "yyyy-mm-dd" or "yyyy/mm/dd" (month and day may have one digit), or
  // "yyyymmdd", full-width forms read as their plain forms, blanks around it
  // ignored. Anything else, a year before kFirstYear or a day that does not exist
  // gives nothing.
  static std::optional<QDate> Parse(const QString& text);
  // "yyyy.mm.dd", or with another separator.
  static QString Format(const QDate& date, QChar separator = QLatin1Char('.'));
  // Whether a typed character can belong to a date text.
  static bool IsDateChar(QChar c);
};

}  // namespace corvane::platform
