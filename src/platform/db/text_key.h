#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace corvane::platform {

// The one rule for "the same key" (account and book codes, settlement styles and
// numbers, flow ids, voucher signs): ICU's root collation at secondary strength
// with blanks ignorable. Letter case and full-/half-width forms do not count
// ("Ａ１" is "a1", "１００２" is "1002"), accents do, blanks do not (so trailing
// blanks never make a second key), and characters ICU ignores (a soft hyphen)
// are ignored. PostgreSQL's collation "ci" and the SQLite collation "ci" the
// layer registers on every open are built from the same locale, so the
// databases' =, GROUP BY, ORDER BY and unique keys agree with Of() and Compare().
class TextKey {
 public:
  // The BCP 47 locale of the collation on every engine.
  static constexpr const char* kLocale = "und-u-ks-level2-ka-shifted-kv-space";

  // The ICU sort key of a text: two texts are the same key exactly when their
  // sort keys are equal, and the bytes order as the databases order the texts.
  static QByteArray Of(const QString& text);
  // <0, 0, >0 in the databases' order.
  static int Compare(const QString& a, const QString& b);
  static bool Equal(const QString& a, const QString& b) { return Compare(a, b) == 0; }
  // The same comparison over UTF-8 bytes (the SQLite collation's callback).
  static int CompareUtf8(const char* a, int aLength, const char* b, int bLength);

  // A plain text (ASCII, the full-width forms of ASCII, the ideographic space)
  // folded by the same rule without ICU: blanks and control characters left out,
  // full-width forms as their ASCII ones, letters in lower case. Two plain texts
  // are the same key exactly when their folds are equal, and a fold is the same
  // key as its text. Nothing for any other text. Much cheaper than Of(), for
  // callers that only need to know which texts are the same key.
  static std::optional<QString> Fold(const QString& text);
};

}  // namespace corvane::platform
