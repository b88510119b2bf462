#include "platform/db/text_key.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace corvane::platform {
namespace {

// Every plain character: ASCII, its full-width forms, the ideographic space.
std::vector<char16_t> PlainCharacters() {
  std::vector<char16_t> out;
  for (char16_t c = 0; c < 0x80; ++c) out.push_back(c);
  for (char16_t c = 0xff01; c <= 0xff5e; ++c) out.push_back(c);
  out.push_back(0x3000);
  return out;
}

QString Of(char16_t c) { return QString(QChar(c)); }

// A fold is a shortcut to the collation's answer, so the collation is the judge:
// for every two plain characters, the same key exactly when the folds are equal.
TEST(TextKeyFoldTest, PlainCharactersFoldToTheSameTextExactlyWhenTheCollationCallsThemEqual) {
  const std::vector<char16_t> plain = PlainCharacters();
  int disagreements = 0;
  for (const char16_t a : plain) {
    const std::optional<QString> fa = TextKey::Fold(Of(a));
    ASSERT_TRUE(fa.has_value()) << int(a);
    for (const char16_t b : plain) {
      const bool equal = TextKey::Equal(Of(a), Of(b));
      if (equal != (*fa == *TextKey::Fold(Of(b))) && ++disagreements < 10)
        ADD_FAILURE() << std::hex << int(a) << " and " << int(b) << (equal ? " are" : " are not") << " one key";
    }
  }
  EXPECT_EQ(disagreements, 0);
}

// Texts of such characters: lower and upper case, full width, blanks and
// controls anywhere, each compared with a variant and with a random other text.
TEST(TextKeyFoldTest, PlainTextsFoldToTheSameTextExactlyWhenTheyAreOneKey) {
  const std::u16string alphabet = u"0123456789aAbBzZ-/'.#_ \t\x0001\x007f\x3000\xff10\xff11\xff41\xff21\xff0d\xff3f";
  std::mt19937 random(21);
  auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
  auto text = [&] {
    QString t;
    for (size_t i = 0, n = pick(7); i < n; ++i) t += QChar(alphabet[pick(alphabet.size())]);
    return t;
  };
  // The variant: each character in another of its forms, blanks added.
  auto variant = [&](const QString& t) {
    QString v;
    for (const QChar c : t) {
      const char16_t u = c.unicode();
      if (u >= u'a' && u <= u'z' && pick(2)) v += QChar(static_cast<char16_t>(u - 32));
      else if (u > u' ' && u < 0x7f && pick(2)) v += QChar(static_cast<char16_t>(u + 0xfee0));
      else v += c;
      if (pick(4) == 0) v += QLatin1Char(' ');
    }
    return v;
  };
  int sameKeys = 0;
  for (int i = 0; i < 20000; ++i) {
    const QString a = text();
    const QString b = i % 2 ? variant(a) : text();
    const std::optional<QString> fa = TextKey::Fold(a), fb = TextKey::Fold(b);
    ASSERT_TRUE(fa && fb) << a.toStdString() << " | " << b.toStdString();
    const bool equal = TextKey::Equal(a, b);
    sameKeys += equal;
    ASSERT_EQ(equal, *fa == *fb) << a.toStdString() << " | " << b.toStdString();
    ASSERT_TRUE(TextKey::Equal(a, *fa)) << a.toStdString();
  }
  EXPECT_GT(sameKeys, 2000);  // the variants really were the same keys
}

TEST(TextKeyFoldTest, FoldsAndRefusals) {
  struct Case {
    QString text;
    std::optional<QString> fold;
  };
  const Case cases[] = {
      {QStringLiteral("100234"), QStringLiteral("100234")},
      {QStringLiteral(" AB-12 "), QStringLiteral("ab-12")},
      {QStringLiteral("Ｋ００７\u3000"), QStringLiteral("k007")},
      {QStringLiteral("a\tb\u007fc"), QStringLiteral("abc")},
      {QStringLiteral("   "), QString()},
      {QString(), QString()},
      {QStringLiteral("①02"), std::nullopt},
      {QStringLiteral("12\u00a03"), std::nullopt},  // no-break space
      {QStringLiteral("1\u0080"), std::nullopt},        // the first character past ASCII
      {QStringLiteral("é1"), std::nullopt},
      {QStringLiteral("转账1"), std::nullopt},
      {QStringLiteral("1\uff5f"), std::nullopt},  // past the full-width ASCII forms
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextKey::Fold(c.text), c.fold) << c.text.toStdString();
    if (c.fold) {
      EXPECT_TRUE(TextKey::Equal(c.text, *c.fold)) << c.text.toStdString();
    }
  }
}

}  // namespace
}  // namespace corvane::platform

namespace corvane::platform {
namespace {

// Keys longer than the first buffer tried keep every byte: texts that differ only
// at their end order as the collation orders them.
TEST(TextKeyTest, LongTextsKeepTheirWholeKey) {
  const QString stem = QString(80, QLatin1Char('7'));
  const QString texts[] = {stem + QStringLiteral("a"), stem + QStringLiteral("B"), stem + QStringLiteral("é"),
                           stem, stem + QStringLiteral("b ")};
  for (const QString& a : texts)
    for (const QString& b : texts) {
      const int byKey = TextKey::Of(a) < TextKey::Of(b) ? -1 : (TextKey::Of(b) < TextKey::Of(a) ? 1 : 0);
      EXPECT_EQ(byKey, TextKey::Compare(a, b)) << a.toStdString() << " | " << b.toStdString();
    }
  EXPECT_GT(TextKey::Of(stem).size(), 64);
}

}  // namespace
}  // namespace corvane::platform
