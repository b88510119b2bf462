#pragma once

#include <QString>
#include <optional>

namespace corvane::platform {

// The readers of what a clerk types or pastes, beside ReadAmount (amount_reader.h)
// and DateText::Parse (date_text.h). Each reads full-width forms (what a Chinese
// input method types) as their plain forms before anything else, and refuses what
// it cannot read as meant rather than skipping characters.

// The text with full-width forms in their plain forms and blanks around it removed.
QString PlainForm(const QString& text);

// A whole number: an optional sign and digits. With roundFraction a fraction after
// one point is taken too, rounded half to the even neighbour ("2.5" is 2, "3.5" is
// 4), as counts of days are. Nothing for an empty text or anything else ("abc30",
// "3O", "30天", "1e5"); more than 18 digits read as the largest (smallest) number.
std::optional<qint64> ReadWholeNumber(const QString& text, bool roundFraction = false);

// A code (a settlement style): its plain form, so that "２０３" is the code 203.
QString ReadCode(const QString& text);

}  // namespace corvane::platform
