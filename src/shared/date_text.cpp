#include "shared/date_text.h"

#include "platform/controls/date_text.h"

namespace corvane::shared {

QString NormalizeDateText(QString& s) {
  const std::optional<QDate> date = platform::DateText::Parse(s);
  // What the text reads as, in the display form; a text that is no date reads as
  // the suite's text for no date (year 100, never a day anyone books).
  s = date ? platform::DateText::Format(*date) : QString();
  if (s.isEmpty()) s = kNoDateText;
  return s == kNoDateText ? QString() : s;
}

}  // namespace corvane::shared
