#include "shared/code_name.h"

#include "shared/messages.h"

namespace corvane::shared {
namespace {

// Position of the "(" that the closing ")" at the end of text pairs with, or -1
// when the brackets do not pair.
qsizetype MatchingOpen(const QString& text) {
  int depth = 0;
  for (qsizetype i = text.size() - 1; i >= 0; --i) {
    if (text.at(i) == QLatin1Char(')')) ++depth;
    if (text.at(i) == QLatin1Char('(') && --depth == 0) return i;
  }
  return -1;
}

}  // namespace

bool SplitCodeName(const QString& text, QString& outName, QString& outCode) {
  const qsizetype last = text.lastIndexOf(QLatin1Char('('));
  if (last < 0) {
    ShowMsgBox(text, 16, GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03568")));
    return false;
  }
  qsizetype open = last;
  qsizetype codeEnd = text.size();
  if (text.endsWith(QLatin1Char(')'))) {
    codeEnd = text.size() - 1;
    if (const qsizetype matched = MatchingOpen(text); matched >= 0) open = matched;
  }
  outName = text.left(open);
  outCode = text.mid(open + 1, qMax<qsizetype>(0, codeEnd - open - 1));
  return true;
}

}  // namespace corvane::shared
