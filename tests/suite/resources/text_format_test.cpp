#include "suite/resources/fill_arguments.h"
#include "suite/resources/resource_text_file.h"

#include <gtest/gtest.h>

namespace corvane::suite {
namespace {

TEST(ResourceTextFileTest, ReadsEntriesAndSkipsCommentsAndBlankLines) {
  const QString content = QString::fromUtf8(
      "\xEF\xBB\xBF# heading\r\n"
      "K.1\t提示\r\n"
      "\n"
      "   # indented comment\n"
      " K.2 \t  币种：\n"
      "K.3\t第一行\\n第二行\\t制表\\\\反斜杠\n"
      "K.4\ta\tb");
  const ResourceTextFile file = ParseResourceTextFile(content, QStringLiteral("t.txt"));
  EXPECT_TRUE(file.problems.isEmpty()) << file.problems.join(u'\n').toStdString();
  ASSERT_EQ(file.entries.size(), 4);
  EXPECT_EQ(file.entries.value("K.1"), QString::fromUtf8("提示"));  // BOM and CR gone
  EXPECT_EQ(file.entries.value("K.2"), QString::fromUtf8("  币种："));  // key trimmed, text verbatim
  EXPECT_EQ(file.entries.value("K.3"), QString::fromUtf8("第一行\n第二行\t制表\\反斜杠"));
  EXPECT_EQ(file.entries.value("K.4"), QStringLiteral("a\tb"));  // only the first TAB separates
}

TEST(ResourceTextFileTest, ReportsFaultyLinesWithTheirLineNumber) {
  struct Case {
    const char* content;
    const char* problem;  // part of the single expected problem
    int entries;
  };
  const Case cases[] = {
      {"K.1 no tab", "t.txt:1: no TAB", 0},
      {"\tlonely text", "t.txt:1: empty key", 0},
      {"K.1\t   ", "empty text for K.1", 0},
      {"K.1\tfirst\nK.1\tsecond", "t.txt:2: duplicate key K.1", 1},
      {"K.1\tbad \\q escape", "unknown escape \\q", 1},
  };
  for (const auto& c : cases) {
    const ResourceTextFile file = ParseResourceTextFile(QString::fromUtf8(c.content), QStringLiteral("t.txt"));
    ASSERT_EQ(file.problems.size(), 1) << c.content;
    EXPECT_TRUE(file.problems.first().contains(QString::fromUtf8(c.problem))) << file.problems.first().toStdString();
    EXPECT_EQ(file.entries.size(), c.entries) << c.content;
  }
  // The first of two entries wins, so a later copy cannot silently change a text.
  EXPECT_EQ(ParseResourceTextFile(QStringLiteral("K\tfirst\nK\tsecond"), "t").entries.value("K"), "first");
}

TEST(FillArgumentsTest, FillsPlaceholdersInOrderOnce) {
  struct Case {
    const char* text;
    QStringList args;
    const char* expected;
  };
  const Case cases[] = {
      {"科目 %1 不存在！", {"1002"}, "科目 1002 不存在！"},
      {"%1 - %2", {"a", "b"}, "a - b"},
      {"%2 before %1", {"a", "b"}, "b before a"},
      {"%1 and %1", {"x"}, "x and x"},
      {"%1 of %2", {"only"}, "only of %2"},           // a missing value stays visible
      {"no placeholder", {"ignored"}, "no placeholder"},
      {"%1", {"%2 literal"}, "%2 literal"},           // an argument is never filled again
      {"100%% done by %1", {"me"}, "100% done by me"},
      {"ends with %", {}, "ends with %"},
      {"%0 and %a", {"x"}, "%0 and %a"},
      {"%10/%1", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "ten"}, "ten/1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FillArguments(QString::fromUtf8(c.text), c.args), QString::fromUtf8(c.expected)) << c.text;
  }
}

TEST(FillArgumentsTest, FindsTheHighestPlaceholder) {
  struct Case {
    const char* text;
    int highest;
  };
  const Case cases[] = {
      {"no arguments", 0}, {"%1", 1}, {"%2 then %1", 2}, {"100%% sure", 0}, {"%%1 is literal", 0}, {"%12", 12},
  };
  for (const auto& c : cases) EXPECT_EQ(HighestPlaceholder(QString::fromUtf8(c.text)), c.highest) << c.text;
}

}  // namespace
}  // namespace corvane::suite
