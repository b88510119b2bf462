#pragma once

#include "shared/filter_conditions.h"
#include "shared/grid_editor.h"
#include "shared/grid_editor_balance.h"
#include "statement/statement_context.h"
#include "statement/statement_store.h"

#include <QDate>
#include <QString>
#include <QWidget>
#include <memory>

class QLabel;

namespace corvane::platform {
class EntryGrid;
class ToolbarHost;
}

namespace corvane::statement {


// The bank statement window ("RP0304", caption "银行对账单"): the statement lines
// of one bank account or book, keyed in place with a running balance, with add,
// delete, filter, print and the two imports.
//
// What it works on is fixed at LoadData (StatementContext); reloads after an
// import use that snapshot. Rows are written through the shared grid editor:
// each cell is checked as it is typed, the row is checked and saved when the
// cursor leaves it and before every command on the rows and the closing, as the
// editor settles it (an invalid row asks whether to drop its changes or stay).
// The balance column is kept from numbers beside the texts and recomputed from
// the changed row down.
//
// While a command runs the window is busy: other commands are refused and
// input made meanwhile is dropped; closing waits for the end of the run. While
// the lines load, "setup", "help", "import1" and "exit" stay usable: a close
// stops the load after the current line, "import1" stops it and runs then.
class frmYHDZD : public QWidget, public shared::FilterConditionOwner, private shared::GridEditorHost {
  Q_OBJECT

 public:
  // --- Public variables.
  QString CurYHKM;
  QDate BDate;
  QString strDateEnd;
  QString strBookCode;
  shared::FilterConditions Filter;  // ExecCom, ExecFilter, StartDate, EndDate, CurCn_m, CurCn_id, CurBd_c, CurMmoney

  explicit frmYHDZD(QWidget* parent = nullptr);
  ~frmYHDZD() override;

  // Loads the lines of the account chosen in the selection just made.
  void LoadData(const QString& code, const QDate& startDate);
  // Loads again what LoadData chose (after an import).
  void Reload();
  // The function id and lock the opener took; given back exactly on close.
  void SetHeld(const QString& functionId, const QString& lockedCode);

  const StatementContext& Context() const { return context_; }
  bool IsBusy() const { return busy_; }
  bool IsLoading() const { return loading_; }
  // How often, at most, a load shows its progress and lets window events run.
  static void SetPumpInterval(int milliseconds);
  platform::EntryGrid* MsGrid1() const { return grid_; }
  platform::ToolbarHost* Toolbar() const { return toolbar_; }
  shared::GridEditor& Editor() { return *editor_; }
  const shared::RunningBalance& Balances() const { return balance_; }
  QLabel* Label1() const { return label1_; }
  QLabel* Label3() const { return label3_; }
  QLabel* lblBook() const { return lblBook_; }

  shared::FilterConditions& Conditions() override { return Filter; }

  // Toolbar dispatch by key; hot keys (Ctrl means exactly Ctrl).
  void Toolbar1_ButtonClick(const QString& key);
  void ZqKeyHookCtrl1_KeyUp(int key, Qt::KeyboardModifiers modifiers);
  void SetRowColor(int row, int state);

  void AddRow();
  void DeleteRow();
  void FilterRows();
  void ApplyFilter();
  // The report: 1 print, 2 preview, 3 data output.
  void OutputReport(int mode);
  void ImportStatement();
  void ImportNetBankStatement();
  // F7: the selection dialog again; a confirmed choice loads that account (or
  // book) and period range here, as the opening choice did. Cancel changes nothing.
  void ChooseAgain();

 public slots:
  void rSetup();
  void rPrint();
  void rPreview();
  void rDataOut();
  void rAdd();
  void rSave();
  void rDel();
  void rFilt();
  void rHelp();
  void rExit();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class StatementBusy;
  friend class StatementLoading;
  void StopLoadFor(const QString& key);
  void BuildControls();
  void KeepSelectionDialog();
  void BuildToolbar();
  void SetUpGrid();
  void LoadRows();
  void EnableToolbarButtons(bool enabled);
  void ShowContextMenu();
  // Runs the current row's leave path; false when the user chose to stay.
  bool SettleCurrentRow();
  // GridEditorHost.
  bool ValidateCell(int row, int col, QString& text) override;
  bool ValidateRow(int row, int& col) override;
  bool SaveRow(int row) override;
  void OnEditKey(int row, int col);
  StatementLine RowLine(int row) const;
  bool DeleteRowsTested(int from, int to);
  bool RowDeletable(int row);
  void RemoveLines(int from, int to);

  platform::ToolbarHost* toolbar_ = nullptr;
  QWidget* picture2_ = nullptr;
  QLabel* lblHeader_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel* lblBook_ = nullptr;
  QLabel* lblBookName_ = nullptr;
  QWidget* picture4_ = nullptr;
  platform::EntryGrid* grid_ = nullptr;
  std::unique_ptr<shared::GridEditor> editor_;
  shared::RunningBalance balance_;
  StatementContext context_;
  QString heldFunction_, heldCode_;
  bool busy_ = false;
  bool loading_ = false;  // the lines are being read
  QString afterLoad_;     // the command that stopped the load, run after it
  int loads_ = 0;         // loads begun
  static int pumpIntervalMs_;
  bool closePending_ = false;
  bool closing_ = false;
};

// One command's busy state: the toolbar is off, other commands are refused, input
// that arrives meanwhile is dropped when the command ends, and a close asked for
// meanwhile happens then.
class StatementBusy {
 public:
  explicit StatementBusy(frmYHDZD& w);
  ~StatementBusy();

 private:
  frmYHDZD& w_;
};

// The load's state: the commands a load does not allow are disabled, input to the
// window other than its toolbar is dropped, and a close or command asked for
// meanwhile happens when the walk has stopped.
class StatementLoading {
 public:
  explicit StatementLoading(frmYHDZD& w);
  ~StatementLoading();

 private:
  frmYHDZD& w_;
};

}  // namespace corvane::statement
