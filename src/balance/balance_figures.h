#pragma once

#include "platform/db/money.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace corvane::balance {

// What the balance arithmetic needs to know of one bank account (account mode) or
// bank book (book mode) before it sums anything.
struct AccountFacts {
  QString code;      // ccode or cBookCode
  QString name;      // display name; the row shows name(code)
  QDate start;       // reconciliation start date
  QDate end;         // reconciled up to; invalid: no end date, no upper bound
  bool debit = true; // balance direction
  bool foreign = false;  // journal sums take md_f/mc_f
  QString currency;      // the foreign currency's name; empty for the home currency

  // "yyyy.mm.dd", empty without an end date.
  QString EndDateText() const;
};

// The twelve sums every figure of an account is built from, whichever way they
// were read (one query each for one account, or grouped for all accounts).
struct RawSums {
  platform::Money bankOpening;        // the statement's opening row
  // Cleared statement lines from the start date on (to the end date): bd_c 1
  // lines less bd_c 0 lines; the carried balance needs only their difference.
  platform::Money bankClearedNet;
  platform::Money journalOpening;     // the journal's period-20 row
  platform::Money journalClearedNet;  // cleared journal lines likewise: debits less credits
  platform::Money bankLiveSigned;     // live statement lines from the start to the end date, debit plus
  platform::Money journalLiveSigned;  // live journal lines from the start to the end date, debit minus credit
  platform::Money journalUnmatchedDebit;
  platform::Money journalUnmatchedCredit;
  platform::Money bankUnmatchedDebit;
  platform::Money bankUnmatchedCredit;
};

struct BalanceFigures {
  platform::Money bankCarried;
  platform::Money journalCarried;
  platform::Money bankBalance;
  platform::Money journalBalance;
  platform::Money journalUnmatchedDebit;
  platform::Money journalUnmatchedCredit;
  platform::Money bankUnmatchedDebit;
  platform::Money bankUnmatchedCredit;
  platform::Money adjustedJournalBalance;
  platform::Money adjustedBankBalance;
  // The adjusted balances differ by less than one cent.
  bool balanced = false;
};

// The arithmetic of the statement. The bank side follows the account's direction;
// the journal side is always debit minus credit.
BalanceFigures CombineSums(const RawSums& sums, bool debit);

// One row of the statement list: eleven columns (see frmYETJB), the fifth the
// adjusted balance when the account balances, else notBalancedText.
QStringList StatementRowColumns(const AccountFacts& facts, const BalanceFigures& figures,
                                const QString& notBalancedText);

}  // namespace corvane::balance
