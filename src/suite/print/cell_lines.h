#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace corvane::suite {

// A part of a text, by character positions [start, end).
struct TextSpan {
  int start = 0;
  int end = 0;
};

// Where a printed text may break onto a further line: between its words. A
// word is a run of letters, digits and signs between blanks, or one Chinese
// character (a closing mark stays with what it follows, an opening mark with
// what it opens), so a date, an amount or a code inside a digest is one word.
std::vector<TextSpan> CellWords(const QString& text);

// The lines a text takes in a width: as many words to a line as fit; a word
// wider than the width alone is broken between its characters.
std::vector<TextSpan> CellLines(const QString& text, double width,
                                const std::function<double(const QString&)>& measure);

}  // namespace corvane::suite
