#pragma once

#include <QString>

namespace corvane::shared {

// Rewrites s into the display form "yyyy.mm.dd" and returns it; the forms read
// are those of platform::DateText. A text that is no date, or the suite's text for
// no date "0100.01.01", gives the empty text and leaves s as it was typed, so a
// box that refuses it still shows what the user has to correct.
QString NormalizeDateText(QString& s);

}  // namespace corvane::shared
