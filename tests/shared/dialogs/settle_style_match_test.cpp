#include "shared/settle_style_match.h"

#include <gtest/gtest.h>

namespace corvane::shared {
namespace {

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

}  // namespace
}  // namespace corvane::shared
