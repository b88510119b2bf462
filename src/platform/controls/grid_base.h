#pragma once

#include "platform/controls/grid_model.h"
#include "platform/controls/grid_view.h"
#include "platform/print/printable_grid.h"

#include <QColor>
#include <QPoint>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <vector>

namespace corvane::platform {

// What the list grid and the entry grid have in common: the suite grid's way of
// addressing cells (row 0 is the title row, shown as the horizontal header; data
// rows from 1), texts, row keys, row heights where 0 hides a row, colours, column
// widths in twips, a redraw switch, and the current cell and selection.
//
// Row and Col are the current cell (the anchor of a selection); RowSel and ColSel
// the other corner. Setting Row or Col collapses the selection onto the new cell,
// as in the suite's grids. The current row may be a hidden row (a find may land on
// one); it is then simply not highlighted.
//
// Data rows share one height (a uniform, fixed row height keeps 100,000-row grids
// fast): giving any data row a height of 20 twips or more shows it and makes that
// the height of every shown row; a lower height hides it.
//
// RowColChange and SelChange follow every change of the current cell, made by code
// as well as by the user, as in the suite's grids; a handler that must ignore the
// moves of a fill tests Redraw(), which fills switch off.
//
// Mouse positions in the signals are pixels in this widget's coordinates.
class GridBase : public QWidget, protected GridViewHost {
  Q_OBJECT

 public:
  explicit GridBase(QWidget* parent = nullptr);
  ~GridBase() override;

  // --- Shape and content.
  int Rows() const { return model_->Rows(); }
  void SetRows(int rows);
  int Cols() const { return model_->Cols(); }
  void SetCols(int cols);
  QString TextMatrix(int row, int col) const { return model_->Text(row, col); }
  void SetTextMatrix(int row, int col, const QString& text) { model_->SetText(row, col, text); }
  QVariant RowData(int row) const { return model_->RowData(row); }
  void SetRowData(int row, const QVariant& value) { model_->SetRowData(row, value); }
  // The text shown over every cell of a row (see GridModel::SetRowToolTips).
  void SetRowToolTips(GridModel::RowToolTips tips) { model_->SetRowToolTips(std::move(tips)); }
  // Replaces all data rows in one pass (one view reset): the way to load big lists.
  void FillRows(std::vector<std::vector<QString>> rows, std::vector<QVariant> rowData = {});
  // The same from cells built column by column, with their types (see GridColumns).
  void FillRows(GridColumns cells, std::vector<QVariant> rowData = {});
  // Date and amount columns keep values and write texts only to show them.
  void SetColType(int col, CellType type) { model_->SetColType(col, type); }
  CellType ColType(int col) const { return model_->ColType(col); }
  // What a report prints the column as; date and amount columns (by type or
  // editor) need not say so.
  void SetColPrintKind(int col, PrintColumnKind kind);
  PrintColumnKind ColPrintKind(int col) const;
  // Appends a row from its cell texts joined by tabs; backColors gives one colour per
  // column (an invalid colour keeps the grid's own). Returns the new row number.
  int AddRowFromText(const QString& tabJoined, const std::vector<QColor>& backColors = {});
  void RemoveRow(int row);
  // Removes the data rows first..last at once; the cursor moves up with the rows below.
  void RemoveRows(int first, int last);

  // --- Sizes in twips.
  int RowHeight(int row) const;
  void SetRowHeight(int row, int twips);
  bool IsRowHidden(int row) const { return model_->IsRowHidden(row); }
  // The height every shown data row has (300 twips unless set).
  int DataRowHeight() const { return dataRowTwips_; }
  void SetDataRowHeight(int twips);
  // Column widths keep the digits they hold in any font (see column_twips.h).
  int ColWidth(int col) const;
  void SetColWidth(int col, int twips);
  // A column width of this grid's font in pixels, and back.
  int ColumnPixels(int twips) const;
  int ColumnTwips(int pixels) const;
  Qt::Alignment ColAlignment(int col) const { return model_->ColAlignment(col); }
  void SetColAlignment(int col, Qt::Alignment alignment) { model_->SetColAlignment(col, alignment); }
  void SetCellAlignment(int row, int col, Qt::Alignment alignment) { model_->SetCellAlignment(row, col, alignment); }

  // --- Colours. A cell without a colour of its own reports the grid's colour.
  QColor CellBackColor(int row, int col) const;
  QColor CellForeColor(int row, int col) const;
  void SetCellBackColor(int row, int col, const QColor& color) { model_->SetBackColor(row, col, row, col, color); }
  void SetCellForeColor(int row, int col, const QColor& color) { model_->SetForeColor(row, col, row, col, color); }
  void SetRangeBackColor(int row1, int col1, int row2, int col2, const QColor& color) {
    model_->SetBackColor(row1, col1, row2, col2, color);
  }
  void SetRangeForeColor(int row1, int col1, int row2, int col2, const QColor& color) {
    model_->SetForeColor(row1, col1, row2, col2, color);
  }
  void SetRowBackColor(int row, const QColor& color) { SetRangeBackColor(row, 0, row, Cols() - 1, color); }
  QColor BackColor() const;
  QColor ForeColor() const;
  // The colours of selected cells; they win over the cells' own colours.
  QColor BackColorSel() const;
  QColor ForeColorSel() const;
  void SetSelectionColors(const QColor& back, const QColor& fore);

  // --- Redraw: while off, changes are collected and shown in one go when it is
  // switched back on.
  bool Redraw() const { return model_->Redraw(); }
  void SetRedraw(bool on);
  void Refresh();

  // --- Current cell, selection, scrolling.
  int Row() const { return row_; }
  void SetRow(int row);
  int Col() const { return col_; }
  void SetCol(int col);
  void SetCurrentCell(int row, int col);
  int RowSel() const { return rowSel_; }
  void SetRowSel(int row);
  int ColSel() const { return colSel_; }
  void SetColSel(int col);
  int TopRow() const;
  void SetTopRow(int row);
  // The leftmost shown column. Setting it scrolls that column to the left edge as
  // far as the scroll range allows (a grid whose columns all fit does not scroll).
  int LeftCol() const;
  void SetLeftCol(int col);
  int VisibleRowCount() const { return model_->VisibleRowCount(); }
  bool IsEditing() const;

  GridModel* Model() const { return model_; }
  GridView* View() const { return view_; }

 signals:
  void RowColChange();
  void SelChange();
  // A double click on a data cell (not on the header or the empty area).
  void DblClick();
  // A key pressed while the grid has the focus, before the grid acts on it.
  void KeyPressed(int key, Qt::KeyboardModifiers modifiers, const QString& text);
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& pos);
  void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& pos);
  void RightClick(const QPoint& pos, const QPoint& globalPos);
  void GotFocus();

 protected:
  bool ViewKeyPress(QKeyEvent* event) override;
  void ViewMouseEvent(QMouseEvent* event) override;
  void ViewFocusIn() override;
  bool RowChangeNeedsConsent(int viewRow) const override;
  bool AllowRowChange(int fromViewRow, int toViewRow, int& stayCol) override;

  void SyncViewCursor();
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyColumnWidths();
  void ApplyColumnWidth(int col);
  void OnPresentationReset();
  void OnViewCurrentChanged(const QModelIndex& current);
  void ClampCursor();
  void SetCursor(int row, int col, int rowSel, int colSel);
  int LastViewRowAtOrBefore(int row) const;

  GridModel* model_;
  GridView* view_;
  std::vector<int> colWidthTwips_;  // -1: the view's default
  std::vector<PrintColumnKind> printKinds_;
  int titleTwips_ = 300;
  int dataRowTwips_ = 300;
  int row_ = 0;
  int col_ = 0;
  int rowSel_ = 0;
  int colSel_ = 0;
  int pendingTopRow_ = -1;
  int pendingLeftCol_ = -1;
  bool cursorPending_ = false;
  bool syncing_ = false;
};

}  // namespace corvane::platform
