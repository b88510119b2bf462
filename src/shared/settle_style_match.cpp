#include "shared/settle_style_match.h"

#include "platform/db/text_key.h"

namespace corvane::shared {

QString TrimSettleStyle(const QString& code) {
  qsizetype end = code.size();
  while (end > 0 && code.at(end - 1).isSpace()) --end;
  return code.left(end);
}

bool SettleStyleMatches(const QString& lineStyle, const QStringList& codes) {
  const QString style = TrimSettleStyle(lineStyle);
  if (style.isEmpty()) return false;
  for (const QString& code : codes) {
    if (platform::TextKey::Equal(style, TrimSettleStyle(code))) return true;
  }
  return false;
}

bool SettleStyleMatches(const QString& lineStyle, const QStringList& codes, bool blankWanted) {
  if (codes.isEmpty() && !blankWanted) return true;
  if (TrimSettleStyle(lineStyle).isEmpty()) return blankWanted;
  return SettleStyleMatches(lineStyle, codes);
}

}  // namespace corvane::shared
