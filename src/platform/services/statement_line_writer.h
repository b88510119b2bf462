#pragma once

#include "platform/db/money.h"
#include "platform/services/statement_date_limits.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace corvane::platform {

class DbConnection;

// A statement line read from a bank file before it is checked: what could not be
// read is missing.
struct ImportLine {
  int lineNo = 0;  // where it stands in the source, for the refusal list
  QDate date;
  QString settle;
  QString number;
  std::optional<int> bd_c;  // 1 debit, 0 credit
  std::optional<Money> amount;
};

struct RefusedLine {
  int lineNo = 0;
  QString reasonKey;  // resource key of the reason
  QStringList args;   // what its %1, %2... stand for
};

struct ImportTarget {
  bool bookMode = false;
  QString accountCode;
  QString bookCode;  // book mode
  StatementDateLimits dates;  // of the window the lines are imported from
};

// The imported lines of one account (or book): checked, compared with what the
// account holds, and written in one transaction. Both imports of the statement
// window write through here.
class StatementLineWriter {
 public:
  StatementLineWriter(DbConnection& db, ImportTarget target) : db_(db), t_(std::move(target)) {}

  // Splits lines into those that can be written and those refused with a reason:
  // no date, a date outside the limits (as keying refuses it), no amount (or not
  // above zero), no direction, an amount above Money::LineMax(), a settlement
  // style or number longer than the statement window's column holds (20 and 30
  // bytes, a Chinese character taking two).
  static std::vector<ImportLine> Check(const std::vector<ImportLine>& lines, const StatementDateLimits& dates,
                                       std::vector<RefusedLine>& refused);

  // The positions in lines of those the account already holds: same date,
  // settlement number, direction and amount.
  std::vector<size_t> FindDuplicates(const std::vector<ImportLine>& lines);

  // Writes checked lines (ibegin 2, unticked, not cleared, mbalance 0) in one
  // transaction: all of them or, on any failure, none. progress(done, total) runs
  // between batches; a throw from it (a cancel) undoes everything too.
  using Progress = std::function<void(int done, int total)>;
  int Write(const std::vector<ImportLine>& lines, const Progress& progress = {});

 private:
  DbConnection& db_;
  ImportTarget t_;
};

}  // namespace corvane::platform
