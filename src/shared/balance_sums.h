#pragma once

#include "platform/db/money.h"

#include <QDate>
#include <QString>
#include <optional>

namespace corvane::shared {

// The two opening balances and the four sums every balance of the component is
// built from, in both modes (code is an account code in account mode, a book
// code in book mode). Each sum is one aggregate query; no matching line gives 0.
//
// Shared parameters:
//   bDeleted  no value: cleared or not; true: cleared lines only; false: not cleared
//   dateMode  1 before startDate; 2 on or after startDate; other: no date condition
//   bTicked   no value: ticked or not; true: ticked only; false: unticked only
//   endDate   a date text; empty or blank: no upper bound

// The bank statement's opening balance (its ibegin 0 row), rounded to cents.
platform::Money GetBankOpeningBalance(const QString& code);
void SaveBankOpeningBalance(const QString& ccode, const QString& bookCode, platform::Money amount);
// The journal's opening balance (its period-20 row), rounded to cents.
platform::Money GetJournalOpening(const QString& code);
void SaveJournalOpening(const QString& ccode, const QString& bookCode, platform::Money amount);

// Throws DbError (Kind::Unreadable, naming it) when a line of the account (book)
// on either side holds a date the layer cannot read: the sums below place every
// line by its date, and would count or drop such a line unseen.
void RefuseUnreadableLineDates(const QString& code);

// Statement lines of one direction.
platform::Money SumBankStatement(const QString& code, const QDate& startDate, bool bDebit,
                                 std::optional<bool> bDeleted = std::nullopt, int dateMode = 1,
                                 std::optional<bool> bTicked = std::nullopt, const QString& endDate = QString());
// One amount column of the journal (md or mc; md_f or mc_f for foreign currency).
// Opening unreconciled items (period 21) count before the start date, not after.
platform::Money SumJournal(const QString& code, const QDate& startDate, bool bDebit, bool bForeign,
                           std::optional<bool> bDeleted = std::nullopt, int dateMode = 1,
                           std::optional<bool> bTicked = std::nullopt, const QString& endDate = QString());
// Statement lines, debit plus and credit minus.
platform::Money SumBankSigned(const QString& code, const QDate& startDate, const QString& endDate,
                              std::optional<bool> bDeleted = std::nullopt, int dateMode = 1);
// Journal debit minus credit; before the start date only the period-21 items count.
platform::Money SumJournalSigned(const QString& code, const QDate& startDate, const QString& endDate, bool bForeign,
                                 std::optional<bool> bDeleted = std::nullopt, int dateMode = 1);

}  // namespace corvane::shared
