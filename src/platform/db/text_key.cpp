#include "platform/db/text_key.h"

#include "platform/db/db_error.h"

#include <unicode/ucol.h>
#include <unicode/uloc.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace corvane::platform {

namespace {

struct CollatorCloser {
  void operator()(UCollator* c) const { ucol_close(c); }
};
using CollatorPtr = std::unique_ptr<UCollator, CollatorCloser>;

CollatorPtr OpenCollator() {
  UErrorCode status = U_ZERO_ERROR;
  char locale[ULOC_FULLNAME_CAPACITY];
  uloc_forLanguageTag(TextKey::kLocale, locale, sizeof(locale), nullptr, &status);
  if (U_FAILURE(status)) throw DbError(QStringLiteral("ICU does not know the locale %1").arg(QLatin1String(TextKey::kLocale)));
  CollatorPtr c(ucol_open(locale, &status));
  if (U_FAILURE(status) || !c)
    throw DbError(QStringLiteral("ICU cannot open the collation %1: %2")
                      .arg(QLatin1String(TextKey::kLocale), QLatin1String(u_errorName(status))));
  return c;
}

// ICU collators are not meant to be shared between threads while in use; each
// thread gets its own.
const UCollator* Collator() {
  thread_local const CollatorPtr collator = OpenCollator();
  return collator.get();
}

}  // namespace

QByteArray TextKey::Of(const QString& text) {
  const UCollator* c = Collator();
  const auto* s = reinterpret_cast<const UChar*>(text.utf16());
  const int32_t n = static_cast<int32_t>(text.size());
  QByteArray key(64, Qt::Uninitialized);
  int32_t needed = ucol_getSortKey(c, s, n, reinterpret_cast<uint8_t*>(key.data()), static_cast<int32_t>(key.size()));
  if (needed > key.size()) {
    key.resize(needed);
    needed = ucol_getSortKey(c, s, n, reinterpret_cast<uint8_t*>(key.data()), needed);
  }
  key.resize(needed > 0 ? needed - 1 : 0);  // without the closing zero byte
  return key;
}

int TextKey::Compare(const QString& a, const QString& b) {
  const UCollationResult r = ucol_strcoll(Collator(), reinterpret_cast<const UChar*>(a.utf16()),
                                          static_cast<int32_t>(a.size()),
                                          reinterpret_cast<const UChar*>(b.utf16()), static_cast<int32_t>(b.size()));
  return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}

int TextKey::CompareUtf8(const char* a, int aLength, const char* b, int bLength) {
  UErrorCode status = U_ZERO_ERROR;
  const UCollationResult r = ucol_strcollUTF8(Collator(), a, aLength, b, bLength, &status);
  if (U_FAILURE(status)) {  // malformed UTF-8: fall back to the bytes, so the order stays total
    const int c = std::memcmp(a, b, static_cast<size_t>(std::min(aLength, bLength)));
    return c != 0 ? c : aLength - bLength;
  }
  return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}

namespace {

constexpr char16_t kIdeographicSpace = 0x3000;
constexpr char16_t kFullWidthFirst = 0xff01;  // full-width '!'
constexpr char16_t kFullWidthLast = 0xff5e;   // full-width '~'
constexpr char16_t kFullWidthOffset = kFullWidthFirst - u'!';

// A plain character as its fold: 0 for one the rule ignores (blanks, controls),
// -1 for a character that is not plain.
int FoldOf(char16_t c) {
  if (c >= kFullWidthFirst && c <= kFullWidthLast) c = static_cast<char16_t>(c - kFullWidthOffset);
  else if (c == kIdeographicSpace) return 0;
  else if (c >= 0x80) return -1;
  if (c <= u' ' || c == 0x7f) return 0;
  if (c >= u'A' && c <= u'Z') return c + (u'a' - u'A');
  return c;
}

}  // namespace

std::optional<QString> TextKey::Fold(const QString& text) {
  // Most texts (settlement numbers in digits) fold to themselves: no copy.
  qsizetype i = 0;
  for (; i < text.size(); ++i) {
    const int f = FoldOf(text[i].unicode());
    if (f < 0) return std::nullopt;
    if (f == 0 || f != text[i].unicode()) break;  // left out or changed
  }
  if (i == text.size()) return text;
  QString out = text.left(i);
  for (; i < text.size(); ++i) {
    const int f = FoldOf(text[i].unicode());
    if (f < 0) return std::nullopt;
    if (f > 0) out += QChar(static_cast<char16_t>(f));
  }
  return out;
}

}  // namespace corvane::platform
