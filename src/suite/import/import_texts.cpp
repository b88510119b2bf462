#include "suite/import/import_texts.h"

#include "suite/services/text_source.h"

namespace corvane::suite {

namespace {
TextSource* g_texts = nullptr;
}

void SetImportTexts(TextSource* texts) { g_texts = texts; }

QString ImportText(const QString& key) {
  const QString text = g_texts ? g_texts->Text(key, nullptr) : QString();
  return text.isEmpty() ? key : text;
}

}  // namespace corvane::suite
