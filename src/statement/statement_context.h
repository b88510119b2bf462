#pragma once

#include "platform/services/statement_date_limits.h"

#include <QDate>
#include <QString>

namespace corvane::statement {

// What the statement window works on, fixed when the opener loads it: the
// account, the book (book mode), the reconciliation start date, the period range
// of the selection and the balance direction. Reloads, saves, imports and the
// balance recompute use only this snapshot, never the shared ParamObject again,
// so a choice made meanwhile in another window cannot change which lines this
// window writes.
struct StatementContext {
  bool bookMode = false;
  QString accountCode;      // CurYHKM: the account, in book mode the book's account
  QString bookCode;         // book mode only
  QDate startDate;          // BDate: lines before it are protected
  QString startPeriodText;  // Value2 of the selection
  QString endPeriodText;    // Value3 of the selection (strDateEnd)
  QDate lowerBound;         // first day of the start period; invalid: none
  QDate upperBound;         // last day of the end period; invalid: none
  bool debitDirection = true;

  // The dates a line of the window may carry, keyed or imported.
  platform::StatementDateLimits DateLimits() const { return {startDate, upperBound}; }
  // The code the lines are selected by: the book in book mode, else the account.
  QString LineKey() const { return bookMode ? bookCode : accountCode; }
  QString Table() const { return bookMode ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp"); }
  QString KeyColumn() const { return bookMode ? QStringLiteral("cBookCode") : QStringLiteral("ccode"); }
};

// Builds the snapshot from the selection just made (the session's ParamObject,
// calendar and account facts). code is the account code of the choice.
StatementContext ContextFromSelection(const QString& code, const QDate& startDate);

}  // namespace corvane::statement
