#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace corvane::suite {

// The entries of one resource text file and what was wrong with it.
//
// File format (UTF-8, one entry a line):
//   key<TAB>text        the text is everything after the first TAB, kept as written
//                       (leading blanks included: some texts are appended to a caption)
//   # comment           lines whose first non-blank character is '#', and blank lines,
//                       are skipped
// Escapes inside a text: "\n" line break, "\t" tab, "\\" a backslash. Arguments are
// written %1, %2, ... and filled later, in order (see FillArguments).
struct ResourceTextFile {
  QHash<QString, QString> entries;
  // One line per fault: a line without a TAB, an empty key, an empty text, a key that
  // appears twice (the first entry wins), an unknown escape. A shipped file has none.
  QStringList problems;
};

// Parses the content of a resource text file; sourceName only labels the problems.
ResourceTextFile ParseResourceTextFile(const QString& content, const QString& sourceName);

}  // namespace corvane::suite
