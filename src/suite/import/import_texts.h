#pragma once

#include <QString>

namespace corvane::suite {

class TextSource;

// The resource texts of the importer's dialogs; without a text source (or a
// text) the key itself shows, never an empty caption.
void SetImportTexts(TextSource* texts);
QString ImportText(const QString& key);

}  // namespace corvane::suite
