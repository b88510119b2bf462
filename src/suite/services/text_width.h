#pragma once

#include <QString>

namespace corvane::suite {

// Field widths of the suite count bytes of its Chinese text encoding: a
// character outside ASCII takes two bytes, an ASCII character one.
int ByteLength(const QString& text);

// The longest start of the text that fits in width bytes. A two-byte
// character that would be cut in half is left out whole.
QString LeftBytes(const QString& text, int width);

// An amount as a grid shows it ("1,234.50", "-1,234.50", "(1,234.50)",
// full-width commas, blanks) as a plain number text ("1234.50", "-1234.50").
// Text that is no amount comes back with only blanks and separators removed,
// so a leading-number reading of it behaves as before.
QString AmountTextToNumberText(const QString& displayAmount);

}  // namespace corvane::suite
