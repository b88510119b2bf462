#include "suite/services/text_width.h"

namespace corvane::suite {

namespace {

// Bytes of the character starting at position i, and how many UTF-16 units it
// spans (a surrogate pair is one character).
struct CharWidth {
  int bytes;
  int units;
};

CharWidth WidthAt(const QString& text, qsizetype i) {
  const QChar c = text[i];
  if (c.unicode() < 0x80) return {1, 1};
  if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) return {2, 2};
  return {2, 1};
}

}  // namespace

int ByteLength(const QString& text) {
  int bytes = 0;
  for (qsizetype i = 0; i < text.size();) {
    const CharWidth w = WidthAt(text, i);
    bytes += w.bytes;
    i += w.units;
  }
  return bytes;
}

QString LeftBytes(const QString& text, int width) {
  int bytes = 0;
  qsizetype i = 0;
  while (i < text.size()) {
    const CharWidth w = WidthAt(text, i);
    if (bytes + w.bytes > width) break;
    bytes += w.bytes;
    i += w.units;
  }
  return text.left(i);
}

QString AmountTextToNumberText(const QString& displayAmount) {
  QString t;
  t.reserve(displayAmount.size());
  for (QChar c : displayAmount) {
    if (c.isSpace() || c == QLatin1Char(',') || c == QChar(0xFF0C)) continue;  // blanks, "," and "，"
    t += c;
  }
  // Accountants' negative: "(1234.50)" is -1234.50.
  if (t.size() >= 2 && t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')')))
    t = QLatin1Char('-') + t.mid(1, t.size() - 2);
  return t;
}

}  // namespace corvane::suite
