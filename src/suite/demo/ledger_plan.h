#pragma once

#include "platform/db/money.h"

#include <QDate>
#include <QString>
#include <vector>

namespace corvane::suite {

// One line the enterprise booked on a bank account or book, before it is given
// its table's shape (a voucher line of gl_accvouch or a flow of RP_Flow).
struct PlannedJournalLine {
  QDate date;
  int period = 0;               // 1..12 from the calendar; 21 for an opening unreconciled item
  bool moneyIn = true;          // debit (md): money came in; credit (mc): money went out
  platform::Money amount;       // in the ledger's own currency
  QString settle;               // settlement style code, empty for none
  QString number;               // settlement or cheque number, empty for none
  QDate billDate;               // dt_date, invalid for none
  QString digest;
  QString counterAccount;       // account of the voucher's other line
  bool posted = true;           // ibook
  bool voided = false;          // iflag 1
  bool homeAmountOnly = false;  // exchange revaluation: home amount, no foreign amount
  bool keyedOpening = false;    // keyed in the opening set-up rather than taken from a voucher
};

// One line the bank reported, seen from the enterprise: moneyIn is a deposit. The
// writer turns it into bd_c by the account's statement direction.
struct PlannedStatementLine {
  QDate date;
  bool moneyIn = true;
  platform::Money amount;
  QString settle;
  QString number;
};

// Everything one bank account or book holds, with the two opening balances at
// the reconciliation start date.
struct LedgerPlan {
  platform::Money bankOpening;
  platform::Money journalOpening;
  std::vector<PlannedJournalLine> journal;
  std::vector<PlannedStatementLine> bank;
};

// The demo and benchmark calendar: one year whose periods are its months.
constexpr int kDemoYear = 2026;
// Accounting period of a date of the demo year; 0 outside it.
int DemoPeriodOf(const QDate& date);

}  // namespace corvane::suite
