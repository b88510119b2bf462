#include "suite/services/text_source.h"

namespace corvane::suite {

namespace {

// One pass over the text, so an argument that itself holds "%2" stays as it is.
QString FillArguments(const QString& text, const QStringList& args) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('%') && i + 1 < text.size() && text[i + 1].isDigit()) {
      qsizetype j = i + 1;
      int n = 0;
      while (j < text.size() && text[j].isDigit()) n = n * 10 + text[j++].digitValue();
      if (n >= 1 && n <= args.size()) {
        out += args[n - 1];
        i = j - 1;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

}  // namespace

QString TextOr(TextSource* source, const QString& key, const QString& fallback, const QStringList& args) {
  if (source) {
    const QString text = source->Text(key, args.isEmpty() ? nullptr : &args);
    if (!text.isEmpty() && text != key) return text;
  }
  return FillArguments(fallback, args);
}

}  // namespace corvane::suite
