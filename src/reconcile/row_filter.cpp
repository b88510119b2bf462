#include "reconcile/row_filter.h"

#include "platform/db/text_key.h"
#include "reconcile/tick_mark.h"

namespace corvane::reconcile {

namespace {

bool HasStyle(const QStringList& styles, const QString& style) {
  for (const QString& s : styles)
    if (platform::TextKey::Equal(s, style)) return true;
  return false;
}

bool MarkPasses(const QString& mark, int markMode) {
  const QString m = mark.trimmed();
  switch (markMode) {
    case 1: return m.isEmpty();
    case 2: return m == kAutoMark;
    case 3: return m == kManualMark;
    default: return true;
  }
}

}  // namespace

bool RowPasses(const LineFacts& line, const QString& mark, const RowConditions& c) {
  if (!c.execFilter) return true;
  if (c.startDate.isValid() && (!line.date.isValid() || line.date < c.startDate)) return false;
  if (c.endDate.isValid() && (!line.date.isValid() || line.date > c.endDate)) return false;
  if (!c.styles.isEmpty() || c.selNull) {
    if (line.style.isEmpty()) {
      if (!c.selNull) return false;
    } else if (!HasStyle(c.styles, line.style)) {
      return false;
    }
  }
  if (!MarkPasses(mark, c.markMode)) return false;
  if (!c.number.trimmed().isEmpty() && !platform::TextKey::Equal(line.number, c.number)) return false;
  if (c.direction == 1 && !line.debit) return false;
  if (c.direction == 2 && line.debit) return false;
  if (c.amount && line.amount != *c.amount) return false;
  return true;
}

std::vector<bool> HiddenRows(const std::vector<LineFacts>& lines, const std::vector<QString>& marks,
                             const RowConditions& c) {
  std::vector<bool> hidden(lines.size(), false);
  for (size_t i = 0; i < lines.size(); ++i) hidden[i] = !RowPasses(lines[i], marks[i], c);
  return hidden;
}

int PairedDirection(bool lineIsDebit, bool bankDirectionDebit) {
  const bool pairDebit = bankDirectionDebit ? lineIsDebit : !lineIsDebit;
  return pairDebit ? 1 : 2;
}

}  // namespace corvane::reconcile
