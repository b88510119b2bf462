#include "suite/resources/fill_arguments.h"

namespace corvane::suite {
namespace {

// Reads the placeholder number that starts at text[pos] (just after '%'); returns 0
// and leaves length 0 when no digit 1-9 starts there.
int ReadNumber(const QString& text, qsizetype pos, qsizetype* length) {
  *length = 0;
  int number = 0;
  while (pos + *length < text.size() && *length < 2) {
    const QChar c = text.at(pos + *length);
    if (!c.isDigit() || (*length == 0 && c == u'0')) break;
    number = number * 10 + c.digitValue();
    ++*length;
  }
  return number;
}

}  // namespace

QString FillArguments(const QString& text, const QStringList& args) {
  QString out;
  out.reserve(text.size() + 16 * args.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c != u'%' || i + 1 == text.size()) {
      out.append(c);
      continue;
    }
    if (text.at(i + 1) == u'%') {
      out.append(u'%');
      ++i;
      continue;
    }
    qsizetype length = 0;
    const int number = ReadNumber(text, i + 1, &length);
    if (length > 0 && number <= args.size()) {
      out.append(args.at(number - 1));
      i += length;
    } else {
      out.append(c);
    }
  }
  return out;
}

int HighestPlaceholder(const QString& text) {
  int highest = 0;
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text.at(i) != u'%') continue;
    if (text.at(i + 1) == u'%') {
      ++i;
      continue;
    }
    qsizetype length = 0;
    const int number = ReadNumber(text, i + 1, &length);
    if (number > highest) highest = number;
    i += length;
  }
  return highest;
}

}  // namespace corvane::suite
