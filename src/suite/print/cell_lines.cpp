#include "suite/print/cell_lines.h"

namespace corvane::suite {

namespace {

// Chinese and Japanese characters, their punctuation and the full-width forms:
// a line may break before and after each.
bool IsWide(QChar c) {
  const char16_t u = c.unicode();
  if ((u >= 0x3000 && u <= 0x303F) || (u >= 0xFF00 && u <= 0xFFEF) || c.isSurrogate()) return true;
  const QChar::Script s = c.script();
  return s == QChar::Script_Han || s == QChar::Script_Hiragana || s == QChar::Script_Katakana ||
         s == QChar::Script_Hangul;
}

bool IsClosing(QChar c) { return QStringView(u"、。，．：；？！）」』】〕》〉").contains(c); }
bool IsOpening(QChar c) { return QStringView(u"（「『【〔《〈").contains(c); }

// The end of the character at i (a surrogate pair is one character).
int NextChar(const QString& text, int i) {
  return text[i].isHighSurrogate() && i + 1 < text.size() ? i + 2 : i + 1;
}

}  // namespace

std::vector<TextSpan> CellWords(const QString& text) {
  std::vector<TextSpan> words;
  bool glue = false;  // the word before is an opening mark
  for (int i = 0; i < text.size();) {
    const QChar c = text[i];
    if (c.isSpace()) {
      glue = false;
      ++i;
      continue;
    }
    const bool wide = IsWide(c);
    int end = NextChar(text, i);
    if (!wide)
      while (end < text.size() && !text[end].isSpace() && !IsWide(text[end])) ++end;
    const bool joins = !words.empty() && words.back().end == i && (glue || (wide && IsClosing(c)));
    if (joins) words.back().end = end;
    else words.push_back({i, end});
    glue = wide && IsOpening(c);
    i = end;
  }
  return words;
}

std::vector<TextSpan> CellLines(const QString& text, double width,
                                const std::function<double(const QString&)>& measure) {
  std::vector<TextSpan> words = CellWords(text);
  std::vector<TextSpan> lines;
  auto fits = [&](int start, int end) { return measure(text.mid(start, end - start)) <= width; };
  for (size_t w = 0; w < words.size();) {
    const int start = words[w].start;
    if (!fits(start, words[w].end)) {
      int end = NextChar(text, start);
      while (end < words[w].end && fits(start, NextChar(text, end))) end = NextChar(text, end);
      lines.push_back({start, end});
      if (end >= words[w].end) ++w;
      else words[w].start = end;
      continue;
    }
    size_t last = w;
    while (last + 1 < words.size() && fits(start, words[last + 1].end)) ++last;
    lines.push_back({start, words[last].end});
    w = last + 1;
  }
  return lines;
}

}  // namespace corvane::suite
