#pragma once

#include "platform/controls/amount_reader.h"

#include "opening/opening_target.h"
#include "platform/db/money.h"

#include <QDate>
#include <QString>
#include <optional>

namespace corvane::opening {

// The figures of the opening set-up as stored: start date, balance direction,
// both opening balances and the four sums of the lines dated before the start.
struct OpeningFigures {
  QDate startDate;
  bool debitDirection = true;  // statement balance direction: true debit
  QString currencyName;        // empty for the home currency
  bool foreign = false;        // journal sums on md_f/mc_f
  platform::Money journalOpening;
  platform::Money bankOpening;
  platform::Money bankDebitBefore;     // A: statement debit lines before the start
  platform::Money bankCreditBefore;    // B: statement credit lines before the start
  platform::Money journalDebitBefore;  // C: journal debits before the start
  platform::Money journalCreditBefore; // D: journal credits before the start
  // Why the four sums could not be made (a line whose date cannot be read, which
  // they would count or drop unseen), as the user is told; empty when they were.
  // What is built on them is then not computed; the rest stays usable.
  QString sumsFailure;
};

// The two columns of the opening reconciliation statement.
struct AdjustedBalances {
  platform::Money journalAdd;   // shown as "加：银行已收 企业未收"
  platform::Money journalLess;  // "减：银行已付 企业未付"
  platform::Money journalAdjusted;
  platform::Money bankAdd;      // "加：企业已收 银行未收"
  platform::Money bankLess;     // "减：企业已付 银行未付"
  platform::Money bankAdjusted;
};

// Reads the figures of the target. Database failures throw, but for a line whose
// date cannot be read, which only the sums need (sumsFailure).
OpeningFigures LoadOpeningFigures(const OpeningTarget& target);

// The journal side adjusts by the statement lines before the start, the
// statement side by the journal lines. With a debit direction the statement's
// debits are what the bank received; with a credit direction its credits are.
AdjustedBalances ComputeAdjusted(platform::Money journalOpening, platform::Money bankOpening,
                                 platform::Money bankDebit, platform::Money bankCredit, platform::Money journalDebit,
                                 platform::Money journalCredit, bool debitDirection);
AdjustedBalances ComputeAdjusted(const OpeningFigures& f);

// An opening balance as typed into its box or left there by the calculator: empty
// is 0; otherwise an amount ("1234.5", "-1,234.50", "(12.00)") within what one
// line of the statement or journal may carry, Money::LineMax() either way, since
// the balance is kept as such a line and summed with the others. Anything else
// (a larger figure, an exponent, "inf", an error text) gives nothing.
// A refusal says why (AmountRefusal::Range beyond that limit).
platform::AmountReading ReadOpeningBalance(const QString& typed);

// Writes the start date, the statement opening row and the journal opening row in
// one transaction (all or nothing). In book mode the start date belongs to the
// book, in account mode to the account.
void SaveOpeningSetup(const OpeningTarget& target, const QDate& startDate, platform::Money journalOpening,
                      platform::Money bankOpening);

// Whether any journal or statement line of the target other than the two opening
// rows carries a tick; the direction may only change while none does.
bool HasTickedLines(const OpeningTarget& target);

// Stores the balance direction where the loading reads it back: the account in
// account mode, the book in book mode.
void WriteDirection(const OpeningTarget& target, bool debit);

}  // namespace corvane::opening
