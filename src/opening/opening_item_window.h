#pragma once

#include "opening/opening_items.h"
#include "platform/controls/grid_types.h"
#include "shared/filter_conditions.h"
#include "shared/grid_editor.h"
#include "shared/grid_filter.h"

#include <array>
#include <functional>
#include <memory>

#include <QDialog>
#include <QString>

class QLabel;

namespace corvane::platform {
class GridPrintService;
class PrintControl;
class RTPrn;
}

namespace corvane::platform {
class EntryGrid;
class ToolbarHost;
}

namespace corvane::opening {

class OpeningMenu;

// What the two opening-item windows share: a toolbar, the header strip, the
// entry grid of the items under the shared grid editor (which keeps each row's
// key and state), and the commands add, delete, save, filter, help and exit. A
// row is checked and written when the cursor leaves it, and before a command
// or the closing as the grid editor settles it; a failing write or delete is
// shown, the pending change is dropped and the stored data stays.
class OpeningItemWindow : public QDialog, public shared::FilterConditionOwner, public shared::GridEditorHost {
  Q_OBJECT

 public:
  QString CurYHKM;
  QDate BDate;
  QString strBookCode;
  QString strCode;
  shared::FilterConditions Filter;

  shared::FilterConditions& Conditions() override { return Filter; }
  platform::EntryGrid* MsGrid1() const { return grid_; }
  platform::ToolbarHost* Toolbar() const { return toolbar_; }
  QLabel* Label1() const { return label1_; }
  QLabel* Label3() const { return label3_; }
  QLabel* lblBook() const { return lblBook_; }
  QLabel* lblHeader() const { return lblHeader_; }
  const ItemContext& Context() const { return context_; }
  shared::GridEditor* Editor() const { return editor_; }
  OpeningMenu* Menu() const { return menu_; }

  // The row's stored key (empty while unsaved) and state.
  QString RowKey(int row) const;
  int RowState(int row) const;
  std::vector<QString> RowCells(int row) const;

  void Toolbar1_ButtonClick(const QString& key);
  // The set-up window that shows this one, and how it turns to another account
  // or book (loading this window again for it); false when it stays where it is.
  void SetOpener(QWidget* opener, std::function<bool(const OpeningTarget&)> retarget);
  // F7: the selection dialog again; a confirmed choice turns the set-up window
  // and this one to it. Cancel changes nothing.
  void ChooseAgain();
  void AddRow();
  void DeleteRow();
  void FilterRows();
  void SetRowColor(int row, int state);

  // The grid editor's three questions.
  bool ValidateCell(int row, int col, QString& text) override;
  bool ValidateRow(int row, int& col) override;
  bool SaveRow(int row) override;

 public slots:
  void rAdd() { AddRow(); }
  void rDel() { DeleteRow(); }
  void rSave();
  void rFilt() { FilterRows(); }
  void rHelp();
  void rExit() { close(); }
  void rSetup();
  void rPrint() { Output(1); }
  void rPreview() { Output(2); }
  void rDataOut() { Output(3); }

 protected:
  OpeningItemWindow(const QString& objectName, int columns);
  ~OpeningItemWindow() override;
  // The two windows' own parts.
  virtual bool EnterpriseSide() const = 0;
  virtual CellCheck CheckCell(int col, const QString& text) = 0;
  virtual RowCheck CheckRow(std::vector<QString>& cells) = 0;
  virtual WriteOutcome Save(ItemRow& row) = 0;
  virtual WriteOutcome Remove(const ItemRow& row) = 0;
  virtual void AfterSave(int row) {}
  virtual void AfterDelete(int row) {}
  virtual std::vector<shared::GridColumnSpec> ColumnSpecs() const = 0;
  // The cells a new row starts with (missing cells empty).
  virtual QStringList NewRowCells() const { return {}; }
  // Where the row filter finds date, settlement, number, debit and credit.
  virtual shared::FilterColumns FilterMap() const = 0;
  // Print (1), preview (2) or data output (3): the grid print in book mode, the
  // report engine otherwise.
  void OutputReport(int mode);
  // The same once the current row is settled.
  void Output(int mode);
  // The print-format code and page-settings key of the report path, and the
  // report key of the grid print (also its page set-up).
  virtual QString PageKey() const = 0;
  virtual QString GridPrintKey() const = 0;

  void SetUpGrid();
  void ShowRows(std::vector<ItemRow>&& rows);
  shared::GridRowKey KeyFor(const QString& key) const;
  void Caption(const QString& header, const QString& account, const QString& balance);
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void HotKey(int key, Qt::KeyboardModifiers modifiers);

  ItemContext context_;
  platform::EntryGrid* grid_ = nullptr;
  platform::ToolbarHost* toolbar_ = nullptr;
  QLabel* lblHeader_ = nullptr;
  QLabel* lblBook_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label3_ = nullptr;
  shared::GridEditor* editor_ = nullptr;
  platform::RTPrn* rtprn_ = nullptr;
  platform::PrintControl* prnCtrl_ = nullptr;
  std::unique_ptr<platform::GridPrintService> gridPrint_;  // made on first use

 private:
  QWidget* opener_ = nullptr;
  std::function<bool(const OpeningTarget&)> retarget_;
  std::vector<QString> checked_;  // the row's texts as the last row check kept them
  OpeningMenu* menu_ = nullptr;
  void BuildControls(int columns);
  void BuildMenu();
};

}  // namespace corvane::opening
