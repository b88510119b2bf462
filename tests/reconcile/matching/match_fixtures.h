#pragma once

#include "reconcile/match_line.h"

#include <QDate>
#include <functional>

namespace corvane::reconcile::test {

inline platform::Money Yuan(const char* text) { return *platform::Money::Parse(QString::fromLatin1(text)); }

// The demo calendar: the months of 2026 are periods 1 to 12, other dates have none.
inline int Month2026(const QDate& d) { return d.year() == 2026 ? d.month() : 0; }
inline const PeriodOf kPeriods = Month2026;

// A journal debit of 100.00 on 2026-03-10, number "A1", style "202", and the
// statement credit that faces it when the account's direction is credit.
inline MatchLine JournalLine(long long key = 1) {
  MatchLine l;
  l.key = key;
  l.date = QDate(2026, 3, 10);
  l.number = MatchText(QStringLiteral("A1"));
  l.style = MatchText(QStringLiteral("202"));
  l.debit = Yuan("100");
  return l;
}

inline MatchLine StatementLine(long long key = 1) {
  MatchLine l = JournalLine(key);
  l.debit = {};
  l.credit = Yuan("100");
  return l;
}

inline MatchLine With(MatchLine l, const std::function<void(MatchLine&)>& change) {
  change(l);
  return l;
}

inline void SetNumber(MatchLine& l, const platform::DbValue& number) {
  l.number = MatchText(number);
  l.numberNull = number.IsNull();
}

}  // namespace corvane::reconcile::test
