#pragma once

#include <QDate>
#include <QString>

namespace corvane::shared {

// The facts of one bank account (account mode: a ccode of table code) or bank
// book (book mode: a cBookCode) that every window needs before it builds its
// queries. "No date" is an invalid QDate.

// Reconciliation start date: the account's own, else the account set's; in book
// mode the book's, else the book's default start date.
QDate GetStartDate(const QString& code);
// Cut-off of the latest automatic matching, or no date.
QDate GetEndDate(const QString& code);
// True for a debit-direction account. An account without a direction is a debit
// account, as the opening-item editor treats it. A missing account is reported
// and gives False.
bool GetAccountDirection(const QString& code);
// Writes the direction / start date of an account in table code; a missing
// account is reported and nothing is written.
void SetAccountDirection(const QString& ccode, bool bDebit);
void SetAccountStartDate(const QString& ccode, const QDate& dStart);
// The currency name, empty for the home currency. A non-empty name makes the
// callers work on the foreign-currency amounts md_f/mc_f.
QString GetCurrencyName(const QString& code);
// Whether a currency name as an account stores it (code.cexch_name) is foreign,
// for readers of many accounts at once: not empty and, trimmed, not the home
// currency's name (home), which an account may hold instead of nothing.
bool IsForeignCurrency(const QString& storedName, const QString& home);

}  // namespace corvane::shared
