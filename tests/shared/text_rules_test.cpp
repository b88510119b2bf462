// Small rules over texts: dates, byte widths, list entries, style codes and captions.
#include "session_fakes.h"

#include "shared/byte_text.h"
#include "shared/code_name.h"
#include "shared/date_text.h"
#include "shared/form_lookup.h"
#include "shared/settle_style_match.h"
#include "suite/services/text_width.h"

namespace corvane::shared {
namespace {

// An empty result: no date, and the text becomes the suite's text for no date.
TEST(NormalizeDateTextTest, RewritesDatesAndTurnsTheRestIntoNoDate) {
  struct Case { const char* typed; const char* shown; };
  const Case cases[] = {
      {"2026.1.5", "2026.01.05"},  {"2026-1-5", "2026.01.05"}, {"2026/12/31", "2026.12.31"},
      {" 2026.1.5 ", "2026.01.05"}, {"20260105", "2026.01.05"}, {"2024.2.29", "2024.02.29"},
      {"", ""},                    {"abc", ""},                {"2023.2.29", ""},
      {"2026.13.1", ""},           {"2026.1-5", ""},           {"26.1.5", ""},
      {"0100.01.01", ""},          {"2026.1.5x", ""},          {"2026年1月5日", ""},
  };
  for (const Case& c : cases) {
    QString text = QString::fromUtf8(c.typed);
    EXPECT_EQ(NormalizeDateText(text), QString::fromUtf8(c.shown)) << c.typed;
    EXPECT_EQ(text, *c.shown ? QString::fromUtf8(c.shown) : QStringLiteral("0100.01.01")) << c.typed;
  }
}

// The suite's own byte widths behind the session's common services.
class ByteWidths : public testing::FakeCommonServices {
 public:
  int GetByteLength(const QString& t) override { return suite::ByteLength(t); }
  QString LeftBytes(const QString& t, int w) override { return suite::LeftBytes(t, w); }
};

TEST(FitToWidthTest, CutsOrPadsToExactlyTheWidth) {
  Session::Current().gCommonServices = std::make_unique<ByteWidths>();
  struct Case { const char* text; int width; const char* expected; };
  const Case cases[] = {
      {"abc", 5, "abc  "},      {"abcdef", 4, "abcd"},      {"abc", 3, "abc"},
      {"银行存款", 5, "银行 "},  // the character across the edge gives way to a blank
      {"银行", 7, "银行   "},   {"abc", 0, ""},             {"abc", -3, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitToWidth(QString::fromUtf8(c.text), c.width), QString::fromUtf8(c.expected)) << c.text << c.width;
  }
  Session::Current().gCommonServices.reset();
}

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
    QString name = QStringLiteral("keep"), code = QStringLiteral("keep");
    EXPECT_EQ(SplitCodeName(QString::fromUtf8(c.text), name, code), c.split) << c.text;
    EXPECT_EQ((QStringList{name, code}), (QStringList{QString::fromUtf8(c.name), QString::fromUtf8(c.code)})) << c.text;
  }
  ASSERT_EQ(messages.Count(), 1);
  const platform::MessageRequest& said = messages.Shown().back();
  EXPECT_EQ(said.prompt, QStringLiteral("Bank 1002"));
  EXPECT_EQ(said.buttons, 16);
  EXPECT_EQ(said.title, QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03568"));
}

// Codes are compared whole ("2" is not "201"), ignoring letter case and trailing
// blanks; with no code chosen, blankWanted alone decides for lines with a style.
TEST(SettleStyleMatchesTest, ComparesWholeCodesAndTakesBlankLinesOnlyWhenWanted) {
  struct Case { const char* line; QStringList codes; bool blankWanted; bool passes; };
  const Case cases[] = {
      {"2", {"201"}, false, false},
      {"201", {"2"}, false, false},
      {"20", {"201", "202"}, false, false},
      {"201", {"2", "201"}, false, true},
      {"202  ", {"201", "202"}, false, true},
      {"202", {"202 "}, false, true},
      {"zp", {"ZP"}, false, true},
      {" 201", {"201"}, false, true},   // blanks are no part of a key
      {"Ｚｐ", {"zp"}, false, true},     // nor letter case or width
      {"", {QString()}, false, false},
      {"203", {}, false, true},  // nothing chosen: no condition
      {"203", {}, true, false},  // only lines without a style wanted
      {"", {}, true, true},
      {"", {"201"}, false, false},
      {"  ", {"201"}, true, true},
      {"203", {"201", "202"}, true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SettleStyleMatches(QString::fromUtf8(c.line), c.codes, c.blankWanted), c.passes)
        << '"' << c.line << "\" in " << c.codes.join('|').toStdString() << " blank " << c.blankWanted;
  }
}

TEST(FormLookupTest, FindsALoadedWindowByCaptionWhateverTheLetterCase) {
  auto statement = std::make_unique<QWidget>();  // loaded, not shown
  statement->setWindowTitle("Bank Statement");
  QWidget untitled;
  untitled.show();
  EXPECT_EQ(FindOpenForm("BANK statement"), statement.get());
  EXPECT_FALSE(IsFormOpen("Bank Statements"));
  EXPECT_FALSE(IsFormOpen("  "));  // not the untitled window
  statement.reset();
  EXPECT_FALSE(IsFormOpen("Bank Statement"));
}

}  // namespace
}  // namespace corvane::shared
