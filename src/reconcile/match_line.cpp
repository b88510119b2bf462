#include "reconcile/match_line.h"

namespace corvane::reconcile {

QString MatchText(const QString& text) { return text.trimmed().toCaseFolded(); }

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
