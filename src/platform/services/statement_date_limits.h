#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace corvane::platform {

// The dates a statement line of a window may carry, however it arrives (keyed,
// read from a bank file or fetched from the bank): not before the account's
// reconciliation start date, since a line before it is an opening item that only
// the opening set-up keeps, and not after the last day of the end period the
// window was opened for, since the window would never show it. A limit left
// invalid bounds nothing.
struct StatementDateLimits {
  QDate startDate;
  QDate lastDay;

  enum class Verdict { Ok, BeforeStart, AfterLastDay };
  Verdict Check(const QDate& date) const;

  // Why an imported line of that date is refused, as a resource key and what its
  // %1 (the line's date) and %2 (the limit it passes) stand for; an empty key when
  // the date is within the limits.
  QString ReasonKey(const QDate& date, QStringList& args) const;
};

}  // namespace corvane::platform
