#pragma once

#include <QString>
#include <functional>

namespace corvane::suite {

// The resource texts the print objects show (captions of the preview, the file
// and page dialogs), looked up by key; a lookup gives the key itself when the
// texts lack it.
using PrintTexts = std::function<QString(const QString& key)>;

// The text of a key, or the fallback when there are no texts or they lack the
// key, so that no dialog shows a bare key.
QString PrintText(const PrintTexts& texts, const char* key, const char* fallbackUtf8);

}  // namespace corvane::suite
