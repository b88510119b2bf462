#include "shared/code_name.h"

#include <gtest/gtest.h>

namespace corvane::shared {
namespace {

TEST(SplitCodeNameTest, NameAndCodeOfAListEntry) {
  struct Case { QString text; QString name; QString code; };
  const Case cases[] = {
      {"Bank(1002)", "Bank", "1002"},
      {QString::fromUtf8("工商银行(朝阳)(100201)"), QString::fromUtf8("工商银行(朝阳)"), "100201"},
      {"A(B(C))", "A", "B(C)"},
      {"Bank()", "Bank", ""},
      {"(1002)", "", "1002"},
      {"Bank(", "Bank", ""},
      {"Bank(1002", "Bank", "1002"},
      {QString::fromUtf8("建设银行（东城）(100202)"), QString::fromUtf8("建设银行（东城）"), "100202"},
  };
  for (const Case& c : cases) {
    QString name = "keep";
    QString code = "keep";
    EXPECT_TRUE(SplitCodeName(c.text, name, code)) << c.text.toStdString();
    EXPECT_EQ(name, c.name) << c.text.toStdString();
    EXPECT_EQ(code, c.code) << c.text.toStdString();
  }
}

TEST(SplitCodeNameTest, TextWithoutBracketLeavesTheOutputs) {
  QString name = "old name";
  QString code = "old code";
  EXPECT_FALSE(SplitCodeName("Bank 1002", name, code));
  EXPECT_EQ(name, "old name");
  EXPECT_EQ(code, "old code");
}

}  // namespace
}  // namespace corvane::shared
