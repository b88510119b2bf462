#include "suite/resources/fill_arguments.h"
#include "suite/resources/resource_texts.h"
#include "used_resource_keys.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace corvane::suite {
namespace {

const char* const kLanguages[] = {"zh-CN", "en-US"};
const QString kWindowPrefix = QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.");

TEST(ShippedTextsTest, FilesLoadCleanlyWithTheSameKeys) {
  const ResourceTexts chinese;
  const ResourceTexts english(QStringLiteral("en-US"));
  EXPECT_TRUE(chinese.LoadProblems().isEmpty()) << chinese.LoadProblems().join(u'\n').toStdString();
  EXPECT_TRUE(english.LoadProblems().isEmpty()) << english.LoadProblems().join(u'\n').toStdString();
  const QStringList keys = chinese.Keys();
  const QStringList englishKeys = english.Keys();
  EXPECT_EQ(QSet<QString>(keys.cbegin(), keys.cend()), QSet<QString>(englishKeys.cbegin(), englishKeys.cend()));
  // The English texts are really English: none may be the Chinese text left untranslated.
  for (const QString& key : keys) {
    if (chinese.Text(key).contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]")))) {
      EXPECT_NE(english.Text(key), chinese.Text(key)) << key.toStdString();
    }
  }
}

TEST(ShippedTextsTest, EveryUsedKeyHasATextWithItsArguments) {
  for (const char* language : kLanguages) {
    const ResourceTexts texts(QString::fromLatin1(language));
    for (const auto& used : UsedResourceKeys()) {
      const QString key = QString::fromLatin1(used.key);
      ASSERT_TRUE(texts.Contains(key)) << language << " " << used.key;
      EXPECT_FALSE(texts.Text(key).trimmed().isEmpty()) << language << " " << used.key;
      EXPECT_EQ(HighestPlaceholder(texts.Text(key)), used.arguments) << language << " " << used.key;
    }
  }
}

// A text that skips a placeholder (%2 without %1) would drop an argument silently.
TEST(ShippedTextsTest, PlaceholdersAreNumberedWithoutGapsAndAgreeAcrossLanguages) {
  const ResourceTexts chinese;
  const ResourceTexts english(QStringLiteral("en-US"));
  for (const QString& key : chinese.Keys()) {
    const QString text = chinese.Text(key);
    const int highest = HighestPlaceholder(text);
    for (int n = 1; n <= highest; ++n) {
      EXPECT_TRUE(text.contains(QStringLiteral("%") + QString::number(n))) << key.toStdString() << " %" << n;
    }
    EXPECT_EQ(HighestPlaceholder(english.Text(key)), highest) << key.toStdString();
  }
}

// The openers find an open window by comparing its localised caption with the text of
// a key; the two entries must stay equal in every language, or a second menu click
// opens a second window.
TEST(ShippedTextsTest, SingleInstanceCaptionsMatchTheirWindows) {
  struct Case {
    const char* captionKey;
    const char* window;
  };
  const Case cases[] = {
      {"Q9.CW.GL.ZWSQL.BAS.03536", "frmYHDZD"},
      {"Q9.CW.GL.ZWSQL.BAS.03548", "frmYETJB"},
      {"Q9.CW.GL.ZWSQL.BAS.03544", "frmYHDZCX"},
      {"Q9.CW.GL.ZWSQL.BAS.03550", "frmYHCQWD"},
  };
  for (const char* language : kLanguages) {
    const ResourceTexts texts(QString::fromLatin1(language));
    QStringList windowCaptions;
    for (const QString& key : texts.Keys()) {
      if (key.startsWith(kWindowPrefix + "frm") && !key.mid(kWindowPrefix.size()).contains(u'.')) {
        windowCaptions << texts.Text(key).toUpper();
      }
    }
    for (const auto& c : cases) {
      const QString caption = texts.Text(kWindowPrefix + c.window);
      EXPECT_EQ(caption, texts.Text(c.captionKey)) << language << " " << c.window;
      // The comparison ignores letter case; no other window may carry the same caption.
      EXPECT_EQ(windowCaptions.count(caption.toUpper()), 1) << language << " " << c.window;
    }
  }
}

TEST(ShippedTextsTest, ChineseTextsKeepTheWordingTheSystemGives) {
  struct Case {
    const char* key;
    const char* text;
  };
  const Case cases[] = {
      {"Q9.CW.GL.ZWSQL.CASHBANK.frmYhUnAuto", "银行反对账范围"},
      {"Q9.CW.GL.ZWSQL.CASHBANK.frmYHDZCheck.Label1", "平衡"},
      {"Q9.CW.GL.ZWSQL.CASHBANK.frmYHDZCheck.Label2", "不平衡"},
      {"Q9.GL.ZWSQL.CASHBANK.00912", "不平衡"},
      {"Q9.CW.GL.ZWSQL.CASHBANK.frmYHDZ", "银行对账"},
      {"Q9.CW.GL.ZWSQL.CASHBANK.frmYHFilter", "条件录入窗"},
      {"Q9.CW.GL.ZWSQL.CASHBANK.frmYHDZAuto.Check4", "方向相反，金额相同"},
      {"Q9.GL.ZWSQL.CASHBANK.01075", "方向相反，金额相同"},
      {"Q9.GL.ZWSQL.CASHBANK.00715", "对账单余额方向为借方"},
      {"Q9.CW.GL.ZWSQL.CASHBANK.frmYHDZQC.LABEL4", "加：银行已收     企业未收"},
  };
  const ResourceTexts texts;
  for (const auto& c : cases) EXPECT_EQ(texts.Text(c.key), QString::fromUtf8(c.text)) << c.key;
}

TEST(ShippedTextsTest, EveryFunctionAndMenuHasAName) {
  const char* const ids[] = {"GL040701", "GL040702", "GL040703", "GL040704", "GL040705", "GL040706", "GL0408",
                             "RP0303",   "RP0304",   "RP0305",   "RP0306",   "RP0307",   "RP0308",   "RP0309"};
  for (const char* language : kLanguages) {
    const ResourceTexts texts(QString::fromLatin1(language));
    for (const char* id : ids) {
      EXPECT_NE(texts.FunctionName(id), QString::fromLatin1(id)) << language << " " << id;
      if (id[0] == 'R') {
        EXPECT_NE(texts.MenuCaption(id), QString::fromLatin1(id)) << language << " " << id;
      }
    }
  }
}

}  // namespace
}  // namespace corvane::suite
