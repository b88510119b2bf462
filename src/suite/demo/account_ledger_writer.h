#pragma once

#include "platform/db/db_connection.h"
#include "suite/demo/batch_inserter.h"
#include "suite/demo/generated_counts.h"
#include "suite/demo/ledger_plan.h"

#include <QDate>
#include <QString>
#include <map>
#include <utility>

namespace corvane::suite {

// A bank account of the chart of accounts (a leaf under 1002).
struct BankAccountSpec {
  QString code;
  QString name;
  QString currency;            // empty: the home currency
  double rate = 1.0;           // home currency per unit, the year's middle rate
  bool debitDirection = false; // bd_c: the statement's balance direction
  QDate start;                 // dbegin
  QDate end;                   // dend, invalid for none
};

// Writes account mode: rows of code, the enterprise journal as voucher lines of
// gl_accvouch and the bank statement as rp_bankrecp, opening rows included.
class AccountLedgerWriter {
 public:
  // withVoucherPartners: every voucher also gets its other line, on the
  // counter-account (receivables, payables, cash, ...), as the general ledger has it.
  AccountLedgerWriter(platform::DbConnection& connection, bool withVoucherPartners);

  void AddChartAccount(const QString& code, const QString& name, int grade, bool bank, bool leaf);
  void AddBankAccount(const BankAccountSpec& account);
  // The period-20 journal opening row, the ibegin-0 statement opening row and
  // every planned line of the account.
  void WriteLedger(const BankAccountSpec& account, const LedgerPlan& plan);
  // Writes what is still collected and adds the row counts (once, at the end).
  void Finish(GeneratedCounts& counts);
  // Called as statement rows reach the database, with the number written so far.
  void OnStatementRowsWritten(std::function<void(long long rows)> f) { statement_.OnFlush(std::move(f)); }

 private:
  struct VoucherLine;
  void AddJournalRow(const VoucherLine& line);
  void WriteJournalLine(const BankAccountSpec& account, const PlannedJournalLine& line);
  void WriteStatementLine(const BankAccountSpec& account, const PlannedStatementLine& line);
  int NextVoucherNumber(const QString& sign, int period);

  bool partners_;
  BatchInserter accounts_;
  BatchInserter journal_;
  BatchInserter statement_;
  std::map<std::pair<QString, int>, int> lastVoucher_;
};

// The rate of a month of the demo year: the year's middle rate moving a little
// from month to month, as booked foreign amounts have it.
double MonthRate(double middleRate, const QDate& date);

}  // namespace corvane::suite
