#pragma once

#include "platform/print/grid_print_service.h"
#include "platform/print/printable_grid.h"
#include "shared/filter_conditions.h"
#include "shared/grid_filter.h"
#include "shared/grid_filter_command.h"

#include <QString>
#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

class QTabBar;
class QVBoxLayout;

namespace corvane::platform {
class GridBase;
class PrintControl;
class ListGrid;
class ToolbarHost;
}

namespace corvane::query {

// What the tick-status window and the audit window share: a toolbar of nine
// commands (setup, print, preview, dout | search | find, filt | help | exit), a
// two-page tab over the statement grid MSGrid1 and the journal grid MSGrid2, the
// right-click menu, filter and find on the grid of the page showing, grid print,
// and giving back on close exactly the function and the account lock its opener
// took for it.
class TwoGridWindow : public QWidget, public shared::FilterConditionOwner {
  Q_OBJECT

 public:
  // The filter and find conditions (ExecCom, ExecFilter, StartDate, EndDate,
  // CurCn_m, CurCn_id, CurBd_c, CurMmoney), kept for the life of the window.
  shared::FilterConditions Filter;
  shared::FilterConditions& Conditions() override { return Filter; }

  // What the opener holds for this window: the function id it claimed and, when
  // it locked an account, that account. Closing gives back exactly these.
  void SetHeld(const QString& functionId, const QString& lockedCode = QString());
  const QString& HeldFunction() const { return heldFunction_; }
  const QString& HeldLock() const { return heldLock_; }

  platform::ListGrid* MSGrid1() const { return grid1_; }
  platform::ListGrid* MSGrid2() const { return grid2_; }
  // The grid of the page showing.
  platform::ListGrid* CurrentGrid() const;
  QTabBar* TabS1() const { return tabs_; }
  platform::ToolbarHost* Toolbar() const { return toolbar_; }
  platform::PrintControl* prnCtrl() const { return prnCtrl_; }
  QWidget* Picture2() const { return picture2_; }
  bool IsBusy() const { return busy_; }

  // The toolbar dispatch by key.
  void Toolbar1_ButtonClick(const QString& key);
  // Page 0 shows the statement grid, any other the journal grid.
  virtual void TabS1_Click(int page);
  // The right-click menu at a point of the window.
  void ShowContextMenu(int x, int y);

  // The commands behind the toolbar keys.
  virtual void RequeryWithConditions() = 0;
  void FilterRows();
  void FindRows();

 public slots:
  void rSetup();
  void rPrint();
  void rPreview();
  void rDataOut();
  void rSearch();
  void rFind();
  void rFilt();
  void rHelp();
  void rExit();

 protected:
  // dialogMode: the condition dialog's mode; findMatch: the find's amount test;
  // searchApart: "search" and "exit" stand in groups of their own on the toolbar.
  TwoGridWindow(const QString& objectName, quint8 dialogMode, shared::AmountMatch findMatch, bool searchApart);
  ~TwoGridWindow() override;

  // The column map of a grid (1 statement, 2 journal) for filter and find.
  virtual shared::FilterColumns ColumnsOf(int grid) const = 0;
  // The menu id the window's help page is named by.
  virtual QString MenuId() const = 0;
  // Grid print: the report key, and the title key of each page.
  virtual QString PrintKey() const = 0;
  virtual QString PrintTitleKey(int page) const = 0;
  // What the printed pages say under the title, left and right (the title is the
  // caller's): what the grids list.
  virtual platform::GridPrintHead PrintHeadLine() const = 0;
  void SetDirectionTexts(const QString& debitText, const QString& creditText);
  // The width of a column under its title: the width given, never narrower than
  // the title; a hidden column (no width) stays hidden.
  static int TitledColumnWidth(const platform::GridBase* grid, int twips, const QString& title);
  // The grid emptied down to its title row: one column per title, each with its
  // width (TitledColumnWidth) and alignment, the titles centred, the selection in
  // the session's selection colours.
  static void SetTitleRow(platform::ListGrid* grid, const std::vector<QString>& titles, const std::vector<int>& widths,
                          const std::vector<Qt::Alignment>& alignments);
  // What a report prints the given columns as (dates, amounts, numbers and
  // codes print whole); the columns not named are texts.
  static void SetPrintKinds(platform::ListGrid* grid, const std::vector<std::pair<int, platform::PrintColumnKind>>& kinds);

  // Layout: the toolbar, then the top band, then the tab with the grids.
  QVBoxLayout* Body() const { return body_; }
  void SetBusy(bool busy);

  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

  platform::ToolbarHost* toolbar_ = nullptr;
  QWidget* picture2_ = nullptr;
  QTabBar* tabs_ = nullptr;
  platform::ListGrid* grid1_ = nullptr;
  platform::ListGrid* grid2_ = nullptr;

 private:
  void BuildToolbar(bool searchApart);
  // mode 0 print, 1 preview, 2 data output, 3 page set-up.
  void PrintCurrentGrid(int mode);

  QVBoxLayout* body_ = nullptr;
  platform::PrintControl* prnCtrl_ = nullptr;
  std::unique_ptr<platform::GridPrintService> gridPrint_;  // made at the first grid print
  std::unique_ptr<shared::GridFilterFind> filterFind_;
  QString heldFunction_, heldLock_;
  bool busy_ = false;
};

}  // namespace corvane::query
