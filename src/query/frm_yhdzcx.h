#pragma once

#include "query/tick_status_load.h"
#include "query/two_grid_window.h"

#include <QDate>
#include <QString>

class QComboBox;
class QLabel;

namespace corvane::query {

// The tick-status query window ("RP0307", caption "查询银行勾对情况"): for one bank
// account (book mode: one bank book) the statement lines on the first page and
// the journal lines on the second, each with its tick mark, ticked lines
// coloured, and a total row per grid. The list at the top switches the account
// or book; search asks the show mode again.
class frmYHDZCX : public TwoGridWindow {
  Q_OBJECT

 public:
  // Show mode: 1 unticked lines, 2 ticked lines, any other value all lines.
  quint8 Smode = 0;
  // The account the selection dialog returned (book mode: the book's account).
  QString CurYHKM;

  frmYHDZCX();

  // The window's own load: captions, the account or book list, and the first
  // load of the grids on the entry the selection dialog chose.
  void Form_Load();
  // Loads both grids for an account code (book mode: a book code).
  void LoadData(const QString& code);
  // The list's current entry changed: load its account or book.
  void Combo1_Click();
  void RequeryWithConditions() override;
  void TabS1_Click(int page) override;

  QComboBox* Combo1() const { return combo1_; }
  QLabel* Label1() const { return label1_; }
  QLabel* Label2() const { return label2_; }
  // The code last loaded.
  const QString& LoadedCode() const { return loadedCode_; }

 protected:
  shared::FilterColumns ColumnsOf(int grid) const override;
  QString MenuId() const override { return QStringLiteral("RP0307"); }
  QString PrintKey() const override { return QStringLiteral("RPYHDZCX"); }
  QString PrintTitleKey(int page) const override;
  // The account (book) loaded, and the currency of its amounts.
  platform::GridPrintHead PrintHeadLine() const override;

 private:
  void BuildTopBand();
  void StyleWindow();
  // Fills the list from the database; false when there is no account or book.
  bool FillList();
  void SetUpGrid(platform::ListGrid* grid, const std::vector<QString>& titles, const std::vector<int>& widths,
                 const std::vector<Qt::Alignment>& alignments);
  void ShowRows(platform::ListGrid* grid, StatusRows& rows, int tickColumn, int debitColumn);

  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QLabel* label5_ = nullptr;
  QLabel* label6_ = nullptr;
  QDate startDate_;
  QString currency_;  // the loaded account's foreign currency; empty: the home currency
  QString loadedCode_;
  int totalRow_[2] = {-1, -1};  // each grid's total row, -1 when it shows none
};

}  // namespace corvane::query
