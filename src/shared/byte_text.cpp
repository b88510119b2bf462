#include "shared/byte_text.h"

namespace corvane::shared {
namespace {

// Calls visit(units, bytes) for each character of s, where units is the number of
// UTF-16 code units it takes (2 for a surrogate pair) and bytes its encoded width;
// stops when visit returns false.
template <typename Visit>
void ForEachCharacter(const QString& s, Visit visit) {
  const qsizetype n = s.size();
  for (qsizetype i = 0; i < n;) {
    const QChar c = s.at(i);
    const int units = (c.isHighSurrogate() && i + 1 < n && s.at(i + 1).isLowSurrogate()) ? 2 : 1;
    const int bytes = (units == 1 && c.unicode() < 0x80) ? 1 : 2;
    if (!visit(units, bytes)) return;
    i += units;
  }
}

}  // namespace

int GetByteLength(const QString& s) {
  int total = 0;
  ForEachCharacter(s, [&](int, int bytes) {
    total += bytes;
    return true;
  });
  return total;
}

QString LeftBytes(const QString& s, int width) {
  qsizetype units = 0;
  int bytes = 0;
  ForEachCharacter(s, [&](int charUnits, int charBytes) {
    if (bytes + charBytes > width) return false;
    bytes += charBytes;
    units += charUnits;
    return true;
  });
  return s.left(units);
}

QString FitToWidth(const QString& s, int width) {
  if (width <= 0) return QString();
  // A Chinese character straddling the edge is dropped whole; the blank that takes
  // its place keeps the columns after it where they belong.
  const QString fitted = LeftBytes(s, width);
  return fitted + QString(width - GetByteLength(fitted), QLatin1Char(' '));
}

}  // namespace corvane::shared
