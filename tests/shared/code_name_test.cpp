#include "session_fakes.h"
#include "shared/code_name.h"

#include <gtest/gtest.h>

namespace corvane::shared {
namespace {

class SplitCodeNameTest : public testing::SessionTest {};

// A text without "(" is said (the text itself, critical) and leaves the outputs.
TEST_F(SplitCodeNameTest, NameAndCodeOfAListEntry) {
  struct Case { const char* text; bool split; const char* name; const char* code; };
  const Case cases[] = {
      {"Bank(1002)", true, "Bank", "1002"},
      {"工商银行(朝阳)(100201)", true, "工商银行(朝阳)", "100201"},
      {"A(B(C))", true, "A", "B(C)"},
      {"建设银行（东城）(100202)", true, "建设银行（东城）", "100202"},
      {"Bank()", true, "Bank", ""},
      {"Bank(1002", true, "Bank", "1002"},
      {"Bank 1002", false, "keep", "keep"},  // no bracket: the outputs stay
  };
  for (const Case& c : cases) {
    QString name = QStringLiteral("keep");
    QString code = QStringLiteral("keep");
    EXPECT_EQ(SplitCodeName(QString::fromUtf8(c.text), name, code), c.split) << c.text;
    EXPECT_EQ(name, QString::fromUtf8(c.name)) << c.text;
    EXPECT_EQ(code, QString::fromUtf8(c.code)) << c.text;
    if (c.split) continue;
    ASSERT_EQ(messages.Count(), 1) << c.text;
    EXPECT_EQ(messages.Shown().back().prompt, QString::fromUtf8(c.text));
    EXPECT_EQ(messages.Shown().back().buttons, 16);
    EXPECT_EQ(messages.Shown().back().title, QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03568"));
  }
  EXPECT_EQ(messages.Count(), 1);
}

}  // namespace
}  // namespace corvane::shared
