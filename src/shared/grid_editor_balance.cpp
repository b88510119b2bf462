#include "shared/grid_editor_balance.h"

#include "platform/db/db_error.h"

#include <algorithm>

using corvane::platform::Money;

namespace corvane::shared {

void RunningBalance::Reset(Money start, bool debitIncreases) {
  start_ = start;
  debitIncreases_ = debitIncreases;
  movement_.clear();
  balance_.clear();
  fault_ = 0;
}

void RunningBalance::StepInto(int row, Money before) {
  Money& balance = balance_[static_cast<size_t>(row - 1)];
  balance = Money();
  if (fault_ != 0 && fault_ <= row) return;
  try {
    balance = Step(before, movement_[static_cast<size_t>(row - 1)]);
  } catch (const platform::DbError&) {
    fault_ = row;
  }
}

QString RunningBalance::Append(Money debit, Money credit, bool isDebit) {
  Money movement;
  try {
    movement = isDebit ? debit : -credit;
  } catch (const platform::DbError&) {
    if (fault_ == 0) fault_ = Rows() + 1;
  }
  const Money before = balance_.empty() ? start_ : balance_.back();
  movement_.push_back(movement);
  balance_.push_back(Money());
  StepInto(Rows(), before);
  return BalanceText(Rows());
}

bool RunningBalance::CarryIntoStart(Money amount, bool isDebit) {
  try {
    start_ = Step(start_, isDebit ? amount : -amount);
    return true;
  } catch (const platform::DbError&) {
    fault_ = 1;
    return false;
  }
}

QString RunningBalance::BalanceText(int row) const {
  if (fault_ != 0 && row >= fault_) return QString();
  return BalanceAt(row).ToDisplayText();
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
  // Above the first unknown balance every figure is right; recompute from there.
  if (fault_ != 0) row = std::min(row, fault_);
  row = std::max(row, 1);
  if (fault_ > 1) fault_ = 0;  // rows above row are known; a start fault stays
  for (int i = row; i <= Rows(); ++i) StepInto(i, BalanceBefore(i));
  return row;
}

Money RunningBalance::BalanceAt(int row) const {
  if (row < 1) return start_;
  if (row > Rows()) return balance_.empty() ? start_ : balance_.back();
  return balance_[static_cast<size_t>(row - 1)];
}

}  // namespace corvane::shared
