#include "shared/grid_editor_balance.h"

#include <algorithm>

using corvane::platform::Money;

namespace corvane::shared {

void RunningBalance::Reset(Money start, bool debitIncreases) {
  start_ = start;
  debitIncreases_ = debitIncreases;
  movement_.clear();
  balance_.clear();
}

Money RunningBalance::Append(Money debit, Money credit, bool isDebit) {
  const Money movement = isDebit ? debit : -credit;
  const Money balance = Step(balance_.empty() ? start_ : balance_.back(), movement);
  movement_.push_back(movement);
  balance_.push_back(balance);
  return balance;
}

void RunningBalance::SetAmounts(int row, Money debit, Money credit, bool isDebit) {
  if (row < 1 || row > Rows()) return;
  movement_[static_cast<size_t>(row - 1)] = isDebit ? debit : -credit;
}

void RunningBalance::InsertRow(int row) {
  row = std::clamp(row, 1, Rows() + 1);
  movement_.insert(movement_.begin() + (row - 1), Money());
  balance_.insert(balance_.begin() + (row - 1), Money());
}

void RunningBalance::RemoveRow(int row) {
  if (row < 1 || row > Rows()) return;
  movement_.erase(movement_.begin() + (row - 1));
  balance_.erase(balance_.begin() + (row - 1));
}

void RunningBalance::RemoveRows(int first, int last) {
  first = std::max(first, 1);
  last = std::min(last, Rows());
  if (first > last) return;
  movement_.erase(movement_.begin() + (first - 1), movement_.begin() + last);
  balance_.erase(balance_.begin() + (first - 1), balance_.begin() + last);
}

int RunningBalance::RecomputeFrom(int row) {
  row = std::max(row, 1);
  Money before = BalanceBefore(row);
  for (int i = row; i <= Rows(); ++i) {
    before = Step(before, movement_[static_cast<size_t>(i - 1)]);
    balance_[static_cast<size_t>(i - 1)] = before;
  }
  return row;
}

Money RunningBalance::BalanceAt(int row) const {
  if (row < 1) return start_;
  if (row > Rows()) return balance_.empty() ? start_ : balance_.back();
  return balance_[static_cast<size_t>(row - 1)];
}

}  // namespace corvane::shared
