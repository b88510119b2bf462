#pragma once

#include <QString>

namespace corvane::shared {

// Widths of the suite's fixed-width texts (report headings, short codes) count
// bytes of its Chinese text encoding: an ASCII character takes one byte, any other
// character two.
int GetByteLength(const QString& s);

// The longest beginning of s that fits in width bytes. A character is never cut in
// half, so the result may be one byte short of width.
QString LeftBytes(const QString& s, int width);

// s cut or padded with blanks to exactly width bytes (nothing for a width below 1).
QString FitToWidth(const QString& s, int width);

}  // namespace corvane::shared
