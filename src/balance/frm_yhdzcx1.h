#pragma once

#include "balance/detail_statement.h"

#include <QString>
#include <QWidget>

class QLabel;

namespace corvane::platform {
class SplitGrid;
class ToolbarHost;
}

namespace corvane::balance {

// The detailed reconciliation statement of one account (not modal): the
// outstanding items of both sides in four sections of a split grid, under the
// figures the two-sided statement handed over, with the totals and the adjusted
// balances at the bottom. A double click on a journal item shows its voucher.
class frmYHDZCX1 : public QWidget {
  Q_OBJECT

 public:
  // --- Handed over by the two-sided statement before Qr.
  QString sQyYe, sYhYe, sTzQyYe, sTzYhYe, sYsQs, sYfQf, sQsYs, sQfYf;
  int Smode = 1;    // 1 unticked items only, 2 ticked only, other: all
  QString CurYHKM;  // the account or book code

  explicit frmYHDZCX1(QWidget* parent = nullptr);

  QLabel* LblKm() const { return lblKm_; }
  QLabel* LblRq() const { return lblRq_; }
  platform::SplitGrid* ZqgridSP1() const { return grid_; }
  platform::ToolbarHost* Toolbar() const { return toolbar_; }
  const DetailSections& Sections() const { return sections_; }

  // Builds the grid and loads the account's items, with the wait window up. A
  // failure is said to the user; false then.
  bool Qr();
  void InitZqgridSP();
  void LoadData(const QString& code);
  // The voucher of the journal item in the cell, when it has one.
  void ZqgridSP1_DblClick(int row, int col);
  void Toolbar1_ButtonClick(const QString& key);
  void OutputStatementReport(int mode);
  // The function claimed for this window: given back once, when it closes or when
  // another claim replaces it.
  void TakeHeldFunction(const QString& functionId);
  const QString& HeldFunction() const { return heldFunction_; }

 public slots:
  void rSetup();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void GiveBackFunction();

  platform::ToolbarHost* toolbar_ = nullptr;
  QWidget* picture2_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* lblKm_ = nullptr;
  QLabel* label5_ = nullptr;
  QLabel* lblRq_ = nullptr;
  QWidget* picture3_ = nullptr;
  platform::SplitGrid* grid_ = nullptr;
  DetailSections sections_;
  QString heldFunction_;
};

}  // namespace corvane::balance
