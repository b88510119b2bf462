#include "suite/resources/resource_texts.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace corvane::suite {
namespace {

const QString kMissingAccount = QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03556");
const QString kLoading = QStringLiteral("Q9.GL.ZWSQL.CASHBANK.loading");

void WriteFile(const QString& path, const char* utf8) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(utf8);
}

TEST(ResourceTextsTest, GivesTextsWithAndWithoutArguments) {
  const ResourceTexts texts;
  EXPECT_EQ(texts.Text("Q9.CW.GL.ZWSQL.BAS.00427"), QString::fromUtf8("提示"));
  const QStringList account{"1002"};
  EXPECT_EQ(texts.Text(kMissingAccount, &account), QString::fromUtf8("科目 1002 不存在！"));
  const QStringList line{"2026-03-05", "201 - 0042"};
  EXPECT_EQ(texts.Text(kLoading, &line), QString::fromUtf8("正在调入银行对账单：2026-03-05  201 - 0042"));
  // Without arguments the placeholder stays, so a caller that forgot them is noticed.
  EXPECT_TRUE(texts.Text(kMissingAccount).contains(QStringLiteral("%1")));
}

TEST(ResourceTextsTest, AMissingKeyGivesTheKeyItself) {
  const ResourceTexts texts;
  const QStringList args{"x"};
  for (const QString& key : {QStringLiteral("Q9.GL.ZWSQL.CASHBANK.99999"), QStringLiteral("no.such.key")}) {
    EXPECT_FALSE(texts.Contains(key));
    EXPECT_EQ(texts.Text(key), key);
    EXPECT_EQ(texts.Text(key, &args), key);
  }
}

TEST(ResourceTextsTest, ChoosesTheLanguageAndFallsBackToChinese) {
  struct Case {
    const char* asked;
    const char* language;
    const char* title;
  };
  const Case cases[] = {
      {"zh-CN", "zh-CN", "提示"}, {"en-US", "en-US", "Information"}, {"fr-FR", "zh-CN", "提示"},
      {"", "zh-CN", "提示"},       {"zh-TW", "zh-CN", "提示"},
  };
  for (const auto& c : cases) {
    const ResourceTexts texts(QString::fromUtf8(c.asked));
    EXPECT_EQ(texts.Language(), QString::fromUtf8(c.language)) << c.asked;
    EXPECT_EQ(texts.Text("Q9.CW.GL.ZWSQL.BAS.00427"), QString::fromUtf8(c.title)) << c.asked;
  }
}

TEST(ResourceTextsTest, AKeyMissingInALanguageShowsItsChineseText) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  WriteFile(folder.filePath("zh-CN.txt"), "A\t甲\nB\t乙\n");
  WriteFile(folder.filePath("en-US.txt"), "A\tAlpha\n");
  const ResourceTexts english(QStringLiteral("en-US"), folder.path());
  EXPECT_EQ(english.Text("A"), QStringLiteral("Alpha"));
  EXPECT_EQ(english.Text("B"), QString::fromUtf8("乙"));
  EXPECT_EQ(english.Text("C"), QStringLiteral("C"));
  EXPECT_TRUE(english.LoadProblems().isEmpty());

  const ResourceTexts missingFolder(QStringLiteral("en-US"), folder.filePath("nothing-here"));
  EXPECT_EQ(missingFolder.Text("A"), QStringLiteral("A"));
  EXPECT_FALSE(missingFolder.LoadProblems().isEmpty());
}

TEST(ResourceTextsTest, ASiteFileOverridesAndAddsTexts) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  WriteFile(folder.filePath("site.txt"), "Q9.CW.GL.ZWSQL.BAS.00427\t注意\nSITE.1\t本单位文字\nbroken line\n");
  ResourceTexts texts;
  ASSERT_TRUE(texts.LoadFile(folder.filePath("site.txt")));
  EXPECT_EQ(texts.Text("Q9.CW.GL.ZWSQL.BAS.00427"), QString::fromUtf8("注意"));
  EXPECT_EQ(texts.Text("SITE.1"), QString::fromUtf8("本单位文字"));
  EXPECT_EQ(texts.LoadProblems().size(), 1);
  EXPECT_FALSE(texts.LoadFile(folder.filePath("absent.txt")));
}

TEST(ResourceTextsTest, NamesFunctionsAndMenus) {
  const ResourceTexts chinese;
  const ResourceTexts english(QStringLiteral("en-US"));
  struct Case {
    const char* id;
    const char* zh;
  };
  const Case functions[] = {
      {"GL040701", "银行对账期初录入"}, {"RP0303", "银行对账期初录入"}, {"GL040703", "银行对账"},
      {"RP0305", "银行对账"},           {"GL0408", "长期未达账审计"},     {"RP0309", "长期未达账审计"},
  };
  for (const auto& c : functions) {
    EXPECT_EQ(chinese.FunctionName(c.id), QString::fromUtf8(c.zh)) << c.id;
    EXPECT_NE(english.FunctionName(c.id), QString::fromUtf8(c.zh)) << c.id;
  }
  EXPECT_EQ(chinese.FunctionName("GL999999"), QStringLiteral("GL999999"));
  EXPECT_EQ(chinese.MenuCaption("RP0306"), QString::fromUtf8("余额调节表查询"));
  EXPECT_EQ(english.MenuCaption("RP0306"), QStringLiteral("Balance Reconciliation Statements"));
  EXPECT_EQ(chinese.MenuCaption("RP0104"), QStringLiteral("RP0104"));
}

}  // namespace
}  // namespace corvane::suite
