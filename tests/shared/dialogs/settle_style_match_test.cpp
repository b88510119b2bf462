#include "shared/settle_style_match.h"

#include <gtest/gtest.h>

namespace corvane::shared {
namespace {

struct MatchCase {
  const char* line;
  QStringList codes;
  bool matches;
};

TEST(SettleStyleMatches, ComparesWholeCodesIgnoringCaseAndTrailingBlanks) {
  const MatchCase cases[] = {
      {"2", {QStringLiteral("201")}, false},
      {"201", {QStringLiteral("2")}, false},
      {"20", {QStringLiteral("201"), QStringLiteral("202")}, false},
      {"201", {QStringLiteral("2"), QStringLiteral("201")}, true},
      {"202  ", {QStringLiteral("201"), QStringLiteral("202")}, true},
      {"202", {QStringLiteral("202 ")}, true},
      {"zp", {QStringLiteral("ZP")}, true},
      {" 201", {QStringLiteral("201")}, false},
      {"", {QStringLiteral("201")}, false},
      {"", {QString()}, false},
      {"201", {}, false},
  };
  for (const MatchCase& c : cases) {
    EXPECT_EQ(SettleStyleMatches(QString::fromUtf8(c.line), c.codes), c.matches)
        << '"' << c.line << "\" in " << c.codes.join(QLatin1Char('|')).toStdString();
  }
}

struct ConditionCase {
  const char* line;
  QStringList codes;
  bool blankWanted;
  bool passes;
};

TEST(SettleStyleMatches, RowConditionTakesBlankLinesOnlyWhenWanted) {
  const ConditionCase cases[] = {
      {"203", {}, false, true},  // nothing chosen: no condition
      {"", {}, false, true},
      {"", {}, true, true},
      {"203", {}, true, false},  // only lines without a style wanted
      {"", {QStringLiteral("201")}, false, false},
      {"  ", {QStringLiteral("201")}, true, true},
      {"201", {QStringLiteral("201")}, true, true},
      {"203", {QStringLiteral("201"), QStringLiteral("202")}, true, false},
      {"2", {QStringLiteral("201")}, false, false},
  };
  for (const ConditionCase& c : cases) {
    EXPECT_EQ(SettleStyleMatches(QString::fromUtf8(c.line), c.codes, c.blankWanted), c.passes)
        << '"' << c.line << "\" codes " << c.codes.join(QLatin1Char('|')).toStdString() << " blank "
        << c.blankWanted;
  }
}

}  // namespace
}  // namespace corvane::shared
