#pragma once

#include "platform/db/money.h"
#include "statement/statement_context.h"

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

namespace corvane::platform {
class DbConnection;
}

namespace corvane::statement {

// One statement line as the window keys it. debit false is a credit; a stored
// NULL direction reads as credit, as everywhere else in the component.
struct StatementLine {
  qint64 id = 0;
  QDate date;
  QString settle;  // empty: NULL
  QString number;  // empty: NULL
  bool debit = false;
  platform::Money amount;
  bool ticked = false;
};

// The statement lines of one account or book: every statement the window runs,
// each value bound. Failures throw DbError.
class StatementStore {
 public:
  StatementStore(platform::DbConnection& db, StatementContext context) : db_(db), c_(std::move(context)) {}

  // The balance before the first line: the bank opening balance moved back by
  // the uncleared lines dated before the start date, so that after the last of
  // those lines the running balance equals the opening balance.
  platform::Money BalanceBeforeStart();

  // The window's lines (not cleared, not the opening row) by date and id.
  void ForEachLine(const std::function<void(StatementLine&)>& visit);

  // A new line (ibegin 2, mbalance 0, unticked, not cleared); returns its id.
  qint64 Insert(const StatementLine& line);

  enum class UpdateResult { Updated, Vanished, Ticked };
  // Changes an open line; refused when another session removed or ticked it.
  UpdateResult Update(const StatementLine& line);

  struct DeleteResult {
    bool refused = false;         // a line was ticked or cleared meanwhile: nothing deleted
    std::vector<qint64> missing;  // lines already gone (the rest were deleted)
  };
  // Deletes the lines in one transaction.
  DeleteResult Delete(const std::vector<qint64>& ids);

 private:
  platform::DbConnection& db_;
  StatementContext c_;
};

}  // namespace corvane::statement
