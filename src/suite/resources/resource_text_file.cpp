#include "suite/resources/resource_text_file.h"

namespace corvane::suite {
namespace {

// Turns the written escapes into characters; an unknown escape stays as written and
// is reported, so a typo shows up in the file check instead of on a user's screen.
QString Unescape(const QString& text, QString* fault) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c != u'\\' || i + 1 == text.size()) {
      out.append(c);
      continue;
    }
    const QChar next = text.at(++i);
    if (next == u'n') {
      out.append(u'\n');
    } else if (next == u't') {
      out.append(u'\t');
    } else if (next == u'\\') {
      out.append(u'\\');
    } else {
      out.append(c).append(next);
      *fault = QStringLiteral("unknown escape \\%1").arg(next);
    }
  }
  return out;
}

bool IsCommentOrBlank(const QString& line) {
  const QString trimmed = line.trimmed();
  return trimmed.isEmpty() || trimmed.startsWith(u'#');
}

}  // namespace

ResourceTextFile ParseResourceTextFile(const QString& content, const QString& sourceName) {
  ResourceTextFile file;
  const QStringList lines = content.split(u'\n');
  for (qsizetype n = 0; n < lines.size(); ++n) {
    QString line = lines.at(n);
    if (line.endsWith(u'\r')) line.chop(1);
    if (n == 0 && line.startsWith(QChar(0xFEFF))) line.remove(0, 1);
    if (IsCommentOrBlank(line)) continue;

    const QString where = QStringLiteral("%1:%2: ").arg(sourceName).arg(n + 1);
    const qsizetype tab = line.indexOf(u'\t');
    if (tab < 0) {
      file.problems << where + QStringLiteral("no TAB between key and text");
      continue;
    }
    const QString key = line.left(tab).trimmed();
    QString fault;
    const QString text = Unescape(line.mid(tab + 1), &fault);
    if (key.isEmpty()) {
      file.problems << where + QStringLiteral("empty key");
      continue;
    }
    if (!fault.isEmpty()) file.problems << where + fault;
    if (text.trimmed().isEmpty()) {
      // An empty text would show an empty box; the key itself is the better fallback.
      file.problems << where + QStringLiteral("empty text for %1").arg(key);
      continue;
    }
    if (file.entries.contains(key)) {
      file.problems << where + QStringLiteral("duplicate key %1").arg(key);
      continue;
    }
    file.entries.insert(key, text);
  }
  return file;
}

}  // namespace corvane::suite
