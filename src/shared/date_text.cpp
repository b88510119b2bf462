#include "shared/date_text.h"

#include "platform/controls/date_text.h"

namespace corvane::shared {

QString NormalizeDateText(QString& s) {
  const std::optional<QDate> date = platform::DateText::Parse(s);
  const QString shown = date ? platform::DateText::Format(*date) : QString();
  // Year 100 is the suite's marker for "no date", never a day anyone books.
  if (shown.isEmpty() || shown == QLatin1String("0100.01.01")) return QString();
  s = shown;
  return s;
}

}  // namespace corvane::shared
