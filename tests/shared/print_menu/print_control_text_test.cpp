#include "shared/print_control_text.h"
#include "session_fixture.h"

namespace corvane::shared {
namespace {

class PrintControlTextTest : public SessionTest {};

// The fake texts are the keys themselves, so a prompt shows which key a code
// picked, followed by the code-number text with the code as its argument.
TEST_F(PrintControlTextTest, EachCodeShowsItsDetailThenTheCode) {
  struct Case { int code; const char* detail; };
  const Case cases[] = {
      {-101, "Q9.CW.GL.ZWSQL.BAS.03902"}, {-100, "Q9.CW.GL.ZWSQL.BAS.03901"}, {-1, "Q9.CW.GL.ZWSQL.BAS.03900"},
      {1, "Q9.CW.GL.ZWSQL.BAS.03903"},    {5, "Q9.CW.GL.ZWSQL.BAS.03907"},    {7, "Q9.CW.GL.ZWSQL.BAS.03908"},
      {21, "Q9.CW.GL.ZWSQL.BAS.03922"},   {22, "Q9.GL.ZZPZ.00933"},           {23, "Q9.CW.GL.ZWSQL.BAS.03924"},
      {34, "Q9.CW.GL.ZWSQL.BAS.03935"},   {36, "Q9.CW.GL.ZWSQL.BAS.03936"},   {47, "Q9.CW.GL.ZWSQL.BAS.03947"},
      {48, "Type1ScareType"},             {49, "Q9.CW.GL.ZWSQL.BAS.03948"},   {51, "Q9.CW.GL.ZWSQL.BAS.03950"},
      {53, "Q9.CW.GL.ZWSQL.BAS.03951"},   {59, "Q9.CW.GL.ZWSQL.BAS.03957"},   {60, "WAGEBARSCAREELEMENT"},
      {61, "WAGEBARFITPRINT"},            {62, "Q9.CW.GL.ZWSQL.BAS.03958"},   {63, "Q9.CW.GL.ZWSQL.BAS.03959"},
      {64, "ScareBodyGrid"},              {65, "Q9.CW.GL.ZWSQL.BAS.03960"},   {66, "Q9.CW.GL.ZWSQL.BAS.03961"},
      {1001, "Q9.CW.GL.ZWSQL.BAS.03962"}, {68, "Q9.CW.GL.ZWSQL.BAS.03963"},   {-2, "Q9.CW.GL.ZWSQL.BAS.03963"},
      {999, "Q9.CW.GL.ZWSQL.BAS.03963"},  {-102, "Q9.CW.GL.ZWSQL.BAS.03963"}, {1004, "Q9.CW.GL.ZWSQL.BAS.03963"},
  };
  for (const Case& c : cases) {
    messages_.Clear();
    LocalizePrintControl(c.code);
    ASSERT_EQ(messages_.Count(), 1) << c.code;
    const platform::MessageRequest& m = messages_.Shown().front();
    EXPECT_EQ(m.prompt, QString::fromLatin1(c.detail) + QStringLiteral("Q9.GL.ZZPZ.02809|") + QString::number(c.code));
    EXPECT_EQ(m.buttons, 16) << c.code;
    EXPECT_EQ(m.title, QStringLiteral("Q9.CW.GL.ZWSQL.BAS.00427")) << c.code;
  }
}

TEST_F(PrintControlTextTest, SuccessAndQuietCodesShowNothing) {
  for (int code : {0, 6, 35, 52, 67, 1000, 1002, 1003}) {
    LocalizePrintControl(code);
    ShowPrintResult(code, kPrintModePreview);
    EXPECT_EQ(messages_.Count(), 0) << code;
  }
}

TEST_F(PrintControlTextTest, ShowPrintResultIsTheSameMessageInEveryMode) {
  for (int mode : {kPrintModePrint, kPrintModePreview, kPrintModeDataOut}) {
    messages_.Clear();
    ShowPrintResult(48, mode);
    ASSERT_EQ(messages_.Count(), 1);
    EXPECT_EQ(messages_.LastPrompt(), QStringLiteral("Type1ScareTypeQ9.GL.ZZPZ.02809|48"));
  }
}

// Without resource texts a code whose detail is a text shows nothing; one whose
// detail is the control's own word still shows it, without the code part.
TEST_F(PrintControlTextTest, MissingTextsLeaveOnlyTheControlsOwnWords) {
  common_->failStrings = true;
  LocalizePrintControl(5);
  LocalizePrintControl(999);
  EXPECT_EQ(messages_.Count(), 0);
  LocalizePrintControl(48);
  ASSERT_EQ(messages_.Count(), 1);
  EXPECT_EQ(messages_.LastPrompt(), QStringLiteral("Type1ScareType"));
}

TEST_F(PrintControlTextTest, RealTextsAreJoinedAsTheyStand) {
  common_->texts.insert(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03903"), QStringLiteral("打印机未就绪。"));
  common_->texts.insert(QStringLiteral("Q9.GL.ZZPZ.02809"), QStringLiteral("错误号：1"));
  LocalizePrintControl(1);
  EXPECT_EQ(messages_.LastPrompt(), QStringLiteral("打印机未就绪。错误号：1"));
}

}  // namespace
}  // namespace corvane::shared
