#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class QWidget;

namespace corvane::suite {

// The suite's resource texts: every caption, column title and message of the
// component is a text looked up by key (for example "Q9.GL.ZWSQL.CASHBANK.00046").
//
// One text file per language is compiled into the program (":/corvane/texts/zh-CN.txt",
// ":/corvane/texts/en-US.txt"; format in resource_text_file.h). Simplified Chinese is
// the base: a language without a file of its own shows Chinese, and a key that a
// language's file lacks falls back to its Chinese text. A key that no file holds
// comes back as the key itself, never as an empty text, so a missing entry is seen
// (and reported) instead of leaving an empty box or an empty message.
class ResourceTexts {
 public:
  static constexpr const char* kBaseLanguage = "zh-CN";

  // Loads the compiled-in texts of a language ("zh-CN", "en-US"; an empty or unknown
  // language gives the base language).
  explicit ResourceTexts(const QString& language = QString::fromLatin1(kBaseLanguage));
  // The same from a folder holding "zh-CN.txt" and further "<language>.txt" files (a
  // site that keeps its texts editable beside the program).
  ResourceTexts(const QString& language, const QString& folder);

  // The language whose file was found ("zh-CN" when the asked one has none).
  QString Language() const { return language_; }

  // Lays the entries of a further file over the loaded ones (a site's own wording);
  // false when the file cannot be read. Faults of the file go to LoadProblems().
  bool LoadFile(const QString& path);

  // The text of a key with its arguments filled in order (%1, %2, ...); args null means
  // "no arguments". A key that is not held gives the key itself.
  QString Text(const QString& key, const QStringList* args = nullptr) const;
  bool Contains(const QString& key) const { return texts_.contains(key); }
  QStringList Keys() const { return texts_.keys(); }

  // Display name of a function id ("GL040703", "RP0305", ...): the text of key
  // "corvane.function." + id; an unknown id gives the id itself.
  QString FunctionName(const QString& functionId) const;
  // Caption of a menu id of the host program: key "corvane.menu." + id, else the id.
  QString MenuCaption(const QString& menuId) const;

  // Sets a window's captions from the texts under a key prefix (the rule is told in
  // caption_localizer.h and docs/captions.md); returns how many captions were set.
  int LocalizeControls(QWidget* window, const QString& keyPrefix) const;

  // Faults found in the loaded files (lines without a TAB, duplicate keys, ...).
  QStringList LoadProblems() const { return problems_; }

 private:
  bool LoadInto(const QString& path, bool overlay);

  QString language_;
  QHash<QString, QString> texts_;
  QStringList problems_;
};

}  // namespace corvane::suite
