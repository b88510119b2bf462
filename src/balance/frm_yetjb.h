#pragma once

#include "balance/balance_calculator.h"
#include "shared/layout_helper.h"

#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

class QLabel;

namespace corvane::platform {
class GridPrintService;
class ListGrid;
class PrintControl;
class ToolbarHost;
}

namespace corvane::balance {

// The balance reconciliation statement of every bank account or book ("RP0306",
// not modal): one row per account with its journal and bank balances, the
// adjusted balance or the not-balanced marker, and (hidden) the four unmatched
// sums and both adjusted balances, which the two-sided statement reads.
class frmYETJB : public QWidget {
  Q_OBJECT

 public:
  explicit frmYETJB(QWidget* parent = nullptr);
  ~frmYETJB() override;

  // Lists the accounts and computes their rows. Hides the wait window however it
  // ends; a load that fails as a whole says why and closes the window.
  void LoadData();
  // The function the opener claimed for this window; given back once, on close.
  void SetHeldFunction(const QString& functionId) { heldFunction_ = functionId; }

  platform::ListGrid* MSGrid1() const { return grid_; }
  platform::ToolbarHost* Toolbar() const { return toolbar_; }
  QWidget* Picture2() const { return picture2_; }
  const std::vector<AccountStatement>& Statements() const { return statements_; }

  void Toolbar1_ButtonClick(const QString& key);
  void SetupGridPrint();
  void PrintGrid();
  void PreviewGrid();
  void OutputGrid();

 public slots:
  // The right-click menu's procedures. Page set-up, preview and data output are
  // those of the grid print, as on the toolbar.
  void rSetup() { SetupGridPrint(); }
  void rPrint();
  void rPreview() { PreviewGrid(); }
  void rDataOut() { OutputGrid(); }
  void rView3();
  void rHelp();
  void rExit();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void BuildControls();
  void SetUpGrid();
  // The name column takes the room the other columns leave, never less than its own width.
  void StretchFirstColumn();
  void AddRow(const AccountStatement& st);
  void ShowContextMenu();
  void AfterCommand();
  void RunGridPrint(int mode, const QString& title);

  platform::ToolbarHost* toolbar_ = nullptr;
  QWidget* picture2_ = nullptr;
  QLabel* lblHeader_ = nullptr;
  platform::ListGrid* grid_ = nullptr;
  platform::PrintControl* prnCtrl_ = nullptr;
  std::unique_ptr<platform::GridPrintService> gGridPrint;
  std::unique_ptr<shared::LayoutHelper> layout_;
  std::vector<AccountStatement> statements_;
  QString heldFunction_;
  bool captionsLoaded_ = false;
  int firstColTwips_ = 0;
  bool busy_ = false;
};

}  // namespace corvane::balance
