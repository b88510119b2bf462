#include "suite/print/name_code_line.h"

namespace corvane::suite {

namespace {

bool IsClose(QChar c) { return c == QLatin1Char(')') || c == QChar(0xFF09); }
bool IsOpen(QChar c) { return c == QLatin1Char('(') || c == QChar(0xFF08); }

// Where the code's opening bracket is: the last bracketed word without blanks
// (a name's own brackets, "（2019.03.01 开户）", hold blanks or come before it).
int CodeStart(const QString& text) {
  for (int close = static_cast<int>(text.size()) - 1; close > 0; --close) {
    if (!IsClose(text[close])) continue;
    int open = close - 1;
    while (open >= 0 && !IsOpen(text[open]) && !IsClose(text[open]) && !text[open].isSpace()) --open;
    if (open >= 0 && IsOpen(text[open]) && open + 1 < close) return open;
  }
  return -1;
}

}  // namespace

QString ShortenedNameLine(const QString& text, double width, const std::function<double(const QString&)>& measure) {
  const int code = CodeStart(text);
  if (code <= 0) return {};
  int nameStart = 0;
  for (QChar colon : {QChar(0xFF1A), QChar(u':')}) {
    const qsizetype at = text.left(code).indexOf(colon);
    if (at >= 0 && (nameStart == 0 || at + 1 < nameStart)) nameStart = static_cast<int>(at) + 1;
  }
  while (nameStart < code && text[nameStart].isSpace()) ++nameStart;
  if (nameStart >= code) return {};
  const QString label = text.left(nameStart), tail = text.mid(code);
  const QString name = text.mid(nameStart, code - nameStart);
  auto line = [&](int keep) { return label + name.left(keep).trimmed() + QChar(0x2026) + tail; };
  // The longest start of the name that fits.
  int low = 0, high = static_cast<int>(name.size()) - 1;
  while (low < high) {
    const int mid = (low + high + 1) / 2;
    if (measure(line(mid)) <= width) low = mid;
    else high = mid - 1;
  }
  return line(low);
}

}  // namespace corvane::suite
