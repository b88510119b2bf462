#include "reconcile/match_line.h"

#include "platform/db/text_key.h"

#include <algorithm>
#include <optional>

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

void SetMatchNumber(MatchLine& line, const platform::DbValue& value) {
  line.numberNull = value.IsNull();
  line.numberFolded = false;
  if (line.numberNull) {
    line.number = QString();
    return;
  }
  const QString text = value.ToString();
  if (std::optional<QString> fold = platform::TextKey::Fold(text)) {
    line.number = std::move(*fold);
    line.numberFolded = true;
  } else {
    line.number = MatchText(text);
  }
}

void AlignNumberKeys(MatchCandidates& lines) {
  auto unfolded = [](const MatchLine& l) { return !l.numberNull && !l.numberFolded; };
  const bool mixed = std::any_of(lines.journal.begin(), lines.journal.end(), unfolded) ||
                     std::any_of(lines.statement.begin(), lines.statement.end(), unfolded);
  if (!mixed) return;
  for (std::vector<MatchLine>* side : {&lines.journal, &lines.statement})
    for (MatchLine& l : *side)
      if (l.numberFolded) {
        l.number = MatchText(l.number);
        l.numberFolded = false;
      }
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
