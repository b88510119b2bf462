#include "../session_fakes.h"

#include "shared/print_control_text.h"

namespace corvane::shared {
namespace {

class PrintControlTextTest : public testing::SessionTest {};

// The fake texts are the keys themselves, so a prompt shows which detail a code
// picked, followed by the code-number text with the code as its argument. A code
// without a text of its own shows the general one (03963); an empty detail none.
TEST_F(PrintControlTextTest, EachCodeShowsItsDetailThenTheCode) {
  struct Case { int code; const char* detail; };
  const Case cases[] = {
      {0, nullptr},       {6, nullptr},       {1000, nullptr},    {-101, "Q9.CW.GL.ZWSQL.BAS.03902"},
      {1, "Q9.CW.GL.ZWSQL.BAS.03903"},        {22, "Q9.GL.ZZPZ.00933"},         {48, "Type1ScareType"},
      {64, "ScareBodyGrid"},                  {1001, "Q9.CW.GL.ZWSQL.BAS.03962"}, {-2, "Q9.CW.GL.ZWSQL.BAS.03963"},
      {999, "Q9.CW.GL.ZWSQL.BAS.03963"},
  };
  for (const Case& c : cases) {
    messages.Clear();
    ShowPrintResult(c.code, kPrintModePreview);
    ASSERT_EQ(messages.Count(), c.detail ? 1 : 0) << c.code;
    if (!c.detail) continue;
    const platform::MessageRequest& m = messages.Shown().front();
    EXPECT_EQ(m.prompt, c.detail + QStringLiteral("Q9.GL.ZZPZ.02809|") + QString::number(c.code));
    EXPECT_EQ(m.buttons, 16) << c.code;
    EXPECT_EQ(m.title, "Q9.CW.GL.ZWSQL.BAS.00427") << c.code;
  }
}

// Without resource texts a code whose detail is a text shows nothing; one whose
// detail is the control's own word still shows it, without the code part.
TEST_F(PrintControlTextTest, MissingTextsLeaveOnlyTheControlsOwnWords) {
  common->failStrings = true;
  LocalizePrintControl(5);
  LocalizePrintControl(999);
  EXPECT_EQ(messages.Count(), 0);
  LocalizePrintControl(48);
  ASSERT_EQ(messages.Count(), 1);
  EXPECT_EQ(messages.LastPrompt(), "Type1ScareType");
}

}  // namespace
}  // namespace corvane::shared
