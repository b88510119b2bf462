#pragma once

#include "opening/opening_item_window.h"
#include "shared/grid_editor_balance.h"

namespace corvane::opening {

// The bank side's opening items ("银行方期初"): the statement lines dated before
// the start date with their running balance from the statement's opening
// balance. Lines keyed here are statement lines with ibegin 2.
class frmYHFQC : public OpeningItemWindow {
  Q_OBJECT

 public:
  frmYHFQC();
  void LoadData(const ItemContext& context);
  // Rewrites the balance column from a row down (row 1: from the opening balance).
  void RecalcBalances(int row);
  const shared::RunningBalance& Balance() const { return balance_; }

 protected:
  bool EnterpriseSide() const override { return false; }
  CellCheck CheckCell(int col, const QString& text) override { return CheckBankCell(col, text, context_); }
  RowCheck CheckRow(std::vector<QString>& cells) override { return CheckBankRow(cells, context_); }
  WriteOutcome Save(ItemRow& row) override { return SaveBankRow(row, context_); }
  WriteOutcome Remove(const ItemRow& row) override { return DeleteBankRow(row, context_); }
  void AfterSave(int row) override { RecalcBalances(row); }
  void AfterDelete(int row) override { RecalcBalances(row); }
  shared::FilterColumns FilterMap() const override { return {kYhDate, kYhSettle, kYhNumber, kYhDebit, kYhCredit}; }
  QString PageKey() const override { return QStringLiteral("GLYhQcDzd"); }
  QString GridPrintKey() const override { return QStringLiteral("RPDZDQCReport"); }
  std::vector<shared::GridColumnSpec> ColumnSpecs() const override;

 private:
  void Movement(const std::vector<QString>& cells, int row);
  shared::RunningBalance balance_;
};

}  // namespace corvane::opening
