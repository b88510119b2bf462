#include "suite/services/date_codec.h"

#include "platform/controls/date_text.h"

namespace corvane::suite {

// The component's own reading, so that the suite and the windows take the same
// texts as the same dates.
QDate ParseDateText(const QString& text) { return platform::DateText::Parse(text).value_or(QDate()); }

QString FormatDateText(const QDate& date) {
  if (!date.isValid()) return QString::fromLatin1(kNoDateText);
  return date.toString(QStringLiteral("yyyy.MM.dd"));
}

}  // namespace corvane::suite
