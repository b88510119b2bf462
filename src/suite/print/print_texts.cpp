#include "suite/print/print_texts.h"

namespace corvane::suite {

QString PrintText(const PrintTexts& texts, const char* key, const char* fallbackUtf8) {
  const QString k = QString::fromLatin1(key);
  const QString text = texts ? texts(k) : QString();
  return text.isEmpty() || text == k ? QString::fromUtf8(fallbackUtf8) : text;
}

}  // namespace corvane::suite
