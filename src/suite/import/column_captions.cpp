#include "suite/import/column_captions.h"

#include "suite/import/import_texts.h"
#include "suite/resources/resource_texts.h"

#include <QHash>

namespace corvane::suite {

namespace {

const char* const kCaptionKeys[kCsvFields] = {
    "corvane.import.col.date",   "corvane.import.col.style",  "corvane.import.col.number",
    "corvane.import.col.debit",  "corvane.import.col.credit", "corvane.import.col.amount",
    "corvane.import.col.direction", "corvane.import.col.balance"};

// A name as it is compared: full-width forms as their plain ones, no blanks, no case.
QString Folded(const QString& name) {
  QString out;
  for (const QChar c : name.normalized(QString::NormalizationForm_KC))
    if (!c.isSpace()) out += c;
  return out.toCaseFolded();
}

// The captions in every language compiled into the suite.
const QHash<QString, int>& ShippedCaptions() {
  static const QHash<QString, int> captions = [] {
    QHash<QString, int> out;
    for (const char* language : {"zh-CN", "en-US"}) {
      const ResourceTexts texts{QString::fromLatin1(language)};
      for (int f = 0; f < kCsvFields; ++f) {
        const QString key = QString::fromLatin1(kCaptionKeys[f]);
        if (texts.Contains(key)) out.insert(Folded(texts.Text(key)), f);
      }
    }
    return out;
  }();
  return captions;
}

}  // namespace

const char* CsvFieldCaptionKey(int field) { return field >= 0 && field < kCsvFields ? kCaptionKeys[field] : ""; }

std::optional<int> CsvFieldOfCaption(const QString& name) {
  const QString folded = Folded(name);
  if (folded.isEmpty()) return std::nullopt;
  // The wording the session shows first: a site may have its own.
  for (int f = 0; f < kCsvFields; ++f)
    if (Folded(ImportText(QString::fromLatin1(kCaptionKeys[f]))) == folded) return f;
  const auto it = ShippedCaptions().constFind(folded);
  if (it == ShippedCaptions().cend()) return std::nullopt;
  return *it;
}

}  // namespace corvane::suite
