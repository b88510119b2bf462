#pragma once

#include "platform/db/db_connection.h"
#include "suite/demo/batch_inserter.h"
#include "suite/demo/generated_counts.h"
#include "suite/demo/ledger_plan.h"

#include <QDate>
#include <QString>

namespace corvane::suite {

// A book of the cash-management part.
struct BankBookSpec {
  QString code;                // letters first, so the number part of a flow id is what follows it
  QString name;
  int bookType = 2;            // 2 bank book, 1 cash book
  QString account;             // its account in code
  QString bankAccountNo;
  QString currency;            // currency name, the home currency's too
  bool foreign = false;        // kept in a currency other than the home one
  double rate = 1.0;           // home currency per unit (foreign books)
  bool debitDirection = false;
  QDate openDate;              // invalid: not opened
  bool closed = false;
  QDate start;                 // reconciliation start date
  QDate end;                   // invalid for none
};

// Writes book mode: the RP_Book row, the flows of RP_Flow (flow ids: the book
// code followed by a six-digit number) and the statement lines of rp_bankrecp_rp.
class BookLedgerWriter {
 public:
  explicit BookLedgerWriter(platform::DbConnection& connection);

  // plan may be null for a book without lines.
  void WriteBook(const BankBookSpec& book, const LedgerPlan* plan);
  // Writes what is still collected and adds the row counts (once, at the end).
  void Finish(GeneratedCounts& counts);

 private:
  QString NextFlowId(const BankBookSpec& book);
  void AddFlow(const BankBookSpec& book, const PlannedJournalLine& line);

  BatchInserter books_;
  BatchInserter flows_;
  BatchInserter statement_;
  int lastFlowNo_ = 0;
};

}  // namespace corvane::suite
