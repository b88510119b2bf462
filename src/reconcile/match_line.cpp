#include "reconcile/match_line.h"

#include "platform/db/text_key.h"

namespace corvane::reconcile {

QString MatchText(const QString& text) {
  // The sort key's bytes as Latin-1 characters: equal exactly when the keys are,
  // and QString's order is the bytes' order, which is the databases' order.
  static const QByteArray kNoKey = platform::TextKey::Of(QString());
  const QByteArray key = platform::TextKey::Of(text);
  return key == kNoKey ? QString() : QString::fromLatin1(key);
}

QString MatchText(const platform::DbValue& value) {
  if (value.IsNull()) return QString();
  return MatchText(value.ToString());
}

FacingAmounts FacingAmountsOf(const MatchLine& line, MatchSide side, bool bankFx) {
  if (side == MatchSide::Journal && !bankFx) return {line.debit, line.credit};
  return {line.credit, line.debit};
}

int AutoTickValue(const PeriodOf& periodOf, const QDate& journalDate, const QDate& statementDate) {
  QDate later = journalDate;
  if (!later.isValid() || (statementDate.isValid() && statementDate >= later)) later = statementDate;
  const int period = later.isValid() ? periodOf(later) : 0;
  return period < 1 ? 1 : period;
}

}  // namespace corvane::reconcile
