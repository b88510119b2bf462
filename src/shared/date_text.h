#pragma once

#include <QString>

namespace corvane::shared {

// The suite's text for "no date".
inline const QString kNoDateText = QStringLiteral("0100.01.01");

// Rewrites s into the display form "yyyy.mm.dd" and returns it; the forms read
// are those of platform::DateText. A text that is no date becomes the suite's
// text for no date, kNoDateText, and the result is then the empty text.
QString NormalizeDateText(QString& s);

}  // namespace corvane::shared
