#pragma once

#include "platform/db/money.h"

#include <QString>

#include <vector>

namespace corvane::shared {

// The running balance of an edited grid, kept as numbers beside the grid's texts:
// one signed movement per data row (a debit positive, a credit negative) and the
// balance after it. Rows are numbered as the grid numbers them (1 = first data
// row). A change of one row recomputes from that row down, never by reading back
// cell texts.
//
// debitIncreases: a debit raises the balance (a debit-direction account); with
// false a credit does.
//
// A balance that leaves the range of amounts (stored lines beyond what a line may
// carry) is no figure: from the first such row down the balances are unknown,
// FaultRow() names that row and BalanceText() gives them empty, so the lines still
// show and nothing wrong is shown as a balance.
class RunningBalance {
 public:
  using Money = platform::Money;

  void Reset(Money start, bool debitIncreases);
  void SetStart(Money start) { start_ = start; }
  Money Start() const { return start_; }
  bool DebitIncreases() const { return debitIncreases_; }
  int Rows() const { return static_cast<int>(movement_.size()); }

  // Appends a row at the end with its amounts and returns its balance text (the
  // load builds the column this way in one pass).
  QString Append(Money debit, Money credit, bool isDebit);
  // Moves the start by the amount of a line before the first row; false (and every
  // balance unknown) when the start leaves the range.
  bool CarryIntoStart(Money amount, bool isDebit);
  // The start itself could not be worked out: every balance is unknown.
  void MarkStartUnknown() { fault_ = 1; }
  // A row's amounts; isDebit picks which one counts (a row carrying both counts
  // as a debit, as it is saved).
  void SetAmounts(int row, Money debit, Money credit, bool isDebit);
  void InsertRow(int row);
  void RemoveRow(int row);
  void RemoveRows(int first, int last);

  // Balances from row down to the end; returns the first row recomputed.
  int RecomputeFrom(int row);
  Money BalanceAt(int row) const;
  Money BalanceBefore(int row) const { return row <= 1 ? start_ : BalanceAt(row - 1); }
  // "#,0.00", or empty for an unknown balance.
  QString BalanceText(int row) const;
  // The first row whose balance is unknown (1 when the start is), 0 when none is.
  int FaultRow() const { return fault_; }

 private:
  Money Step(Money before, Money movement) const { return debitIncreases_ ? before + movement : before - movement; }
  // The balance after row (1-based) from before, or a fault from that row on.
  void StepInto(int row, Money before);

  Money start_;
  bool debitIncreases_ = true;
  std::vector<Money> movement_;
  std::vector<Money> balance_;
  int fault_ = 0;
};

}  // namespace corvane::shared
