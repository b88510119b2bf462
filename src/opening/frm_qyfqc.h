#pragma once

#include "opening/opening_item_window.h"

namespace corvane::opening {

// The enterprise side's opening items ("企业方期初"; in book mode "流水账期初"):
// the journal lines dated before the start date. Items keyed here are journal
// lines of period 21; a line of the journal's own periods is shown read-only and
// a delete only takes it out of reconciliation.
class frmQYFQC : public OpeningItemWindow {
  Q_OBJECT

 public:
  frmQYFQC();
  // Loads the items of the set-up window's account or book.
  void LoadData(const ItemContext& context, const QString& currencyName);
  // The digest reference on the digest column; true when a digest was chosen.
  bool RefRequest(int row, int col, QString& text);

 protected:
  bool EnterpriseSide() const override { return true; }
  CellCheck CheckCell(int col, const QString& text) override { return CheckEnterpriseCell(col, text, context_); }
  RowCheck CheckRow(std::vector<QString>& cells) override { return CheckEnterpriseRow(cells, context_); }
  WriteOutcome Save(ItemRow& row) override { return SaveEnterpriseRow(row, context_); }
  WriteOutcome Remove(const ItemRow& row) override { return DeleteEnterpriseRow(row, context_); }
  shared::FilterColumns FilterMap() const override { return {kQyDate, kQySettle, kQyNumber, kQyDebit, kQyCredit}; }
  QString PageKey() const override { return QStringLiteral("GLYhQcRjz"); }
  QString GridPrintKey() const override { return QStringLiteral("RPQYFQCReport"); }
  std::vector<shared::GridColumnSpec> ColumnSpecs() const override;
  QStringList NewRowCells() const override;

 private:
  QString currencyName_;
};

}  // namespace corvane::opening
