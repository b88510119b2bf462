#pragma once

#include "platform/db/db_value.h"

#include <QString>

namespace corvane::reconcile {

// Tick values: NULL or 0 unticked; 1 to 12 ticked by the automatic matching (the
// accounting period of the pair); 13 to 24 ticked by hand (current period + 12).
inline const QString kAutoMark = QStringLiteral("○");
inline const QString kManualMark = QStringLiteral("Y");

inline const QString& TickMarkOf(long long tick) {
  static const QString none;
  if (tick <= 0) return none;
  return tick < 13 ? kAutoMark : kManualMark;
}
inline const QString& TickMarkOf(const platform::DbValue& tick) { return TickMarkOf(tick.IsNull() ? 0 : tick.ToInt()); }

// A mark cell counts as ticked when it holds anything but blanks.
inline bool IsMarked(const QString& markCell) { return !markCell.trimmed().isEmpty(); }

// The value a manual tick stores.
inline int ManualTickValue(int currentPeriod) { return currentPeriod + 12; }

}  // namespace corvane::reconcile
