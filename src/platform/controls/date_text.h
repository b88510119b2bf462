#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <optional>

namespace corvane::platform {

// Date texts as the windows show and accept them.
class DateText {
 public:
  // "yyyy.mm.dd", "yyyy-mm-dd" or "yyyy/mm/dd" (month and day may have one digit),
  // or "yyyymmdd". Surrounding blanks are ignored. Anything else, or a day that
  // does not exist, gives nothing.
  static std::optional<QDate> Parse(const QString& text);
  // "yyyy.mm.dd", or with another separator.
  static QString Format(const QDate& date, QChar separator = QLatin1Char('.'));
  // Whether a typed character can belong to a date text.
  static bool IsDateChar(QChar c);
};

}  // namespace corvane::platform
