#include "suite/resources/resource_texts.h"

#include "suite/resources/caption_localizer.h"
#include "suite/resources/fill_arguments.h"
#include "suite/resources/resource_text_file.h"

#include <QFile>

namespace corvane::suite {
namespace {

const QString kCompiledFolder = QStringLiteral(":/corvane/texts");

QString FilePath(const QString& folder, const QString& language) {
  return QStringLiteral("%1/%2.txt").arg(folder, language);
}

QString NamedText(const ResourceTexts& texts, const QString& prefix, const QString& id) {
  const QString key = prefix + id;
  return texts.Contains(key) ? texts.Text(key) : id;
}

}  // namespace

ResourceTexts::ResourceTexts(const QString& language) : ResourceTexts(language, kCompiledFolder) {}

ResourceTexts::ResourceTexts(const QString& language, const QString& folder)
    : language_(QString::fromLatin1(kBaseLanguage)) {
  LoadInto(FilePath(folder, language_), false);
  if (!language.isEmpty() && language != language_ && QFile::exists(FilePath(folder, language))) {
    // The language's own texts lie over the Chinese ones, so its gaps show Chinese.
    if (LoadInto(FilePath(folder, language), true)) language_ = language;
  }
}

bool ResourceTexts::LoadFile(const QString& path) { return LoadInto(path, true); }

bool ResourceTexts::LoadInto(const QString& path, bool overlay) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    problems_ << QStringLiteral("%1: cannot be read").arg(path);
    return false;
  }
  const ResourceTextFile parsed = ParseResourceTextFile(QString::fromUtf8(file.readAll()), path);
  problems_ << parsed.problems;
  for (auto it = parsed.entries.cbegin(); it != parsed.entries.cend(); ++it) {
    if (overlay || !texts_.contains(it.key())) texts_.insert(it.key(), it.value());
  }
  return true;
}

QString ResourceTexts::Text(const QString& key, const QStringList* args) const {
  const auto it = texts_.constFind(key);
  if (it == texts_.cend()) return key;
  // Filled even without arguments, so that "%%" always shows as one percent sign.
  return FillArguments(*it, args != nullptr ? *args : QStringList());
}

QString ResourceTexts::FunctionName(const QString& functionId) const {
  return NamedText(*this, QStringLiteral("corvane.function."), functionId);
}

QString ResourceTexts::MenuCaption(const QString& menuId) const {
  return NamedText(*this, QStringLiteral("corvane.menu."), menuId);
}

int ResourceTexts::LocalizeControls(QWidget* window, const QString& keyPrefix) const {
  return ApplyCaptions(window, keyPrefix, [this](const QString& key) -> std::optional<QString> {
    const auto it = texts_.constFind(key);
    if (it == texts_.cend()) return std::nullopt;
    return *it;
  });
}

}  // namespace corvane::suite
