#include "shared/settle_style_match.h"

#include "platform/controls/typed_value.h"
#include "platform/db/text_key.h"
#include "platform/services/common_services.h"
#include "shared/session.h"

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

CellSettleStyle SettleStyleOfCell(const QString& cell) {
  platform::CommonServices& common = Session::Current().Common();
  // A code typed full-width ("２０３") is the code in its plain form, not its first
  // character cut to the column's bytes.
  const QString text = platform::ReadCode(cell);
  if (text.isEmpty()) return {};
  if (common.SettleStyleExists(text)) return {text, true};
  const QString entryCode = common.GetSettleStyleCode(text);
  if (entryCode != text && common.SettleStyleExists(entryCode)) return {entryCode, true};
  const QString cut = common.LeftBytes(text, 3).trimmed();
  return {cut, cut == text ? false : common.SettleStyleExists(cut)};
}

}  // namespace corvane::shared
