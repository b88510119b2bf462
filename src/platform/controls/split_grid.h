#pragma once

#include "platform/print/printable_grid.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

class QTableView;

namespace corvane::platform {

class SplitGridModel;

// A read-only grid whose first FixedRows() rows stay at the top while the rest
// scroll under them, with merged header ranges, hidden columns (width 0), amount
// columns aligned right, and a back colour asked row by row. Rows and columns
// count from 0, header rows included. Built for long lists: cells live in one
// flat array, and while Redraw is off writing a cell costs no view update.
class SplitGrid : public QWidget, public PrintableGrid {
  Q_OBJECT

 public:
  // Asked for every shown body row; may change the proposed colour.
  using RowColorFn = std::function<void(int row, QColor& color)>;

  explicit SplitGrid(QWidget* parent = nullptr);
  ~SplitGrid() override;

  int Rows() const;
  // Keeps the cells of rows that stay; new rows are empty.
  void SetRows(int rows);
  int Cols() const;
  void SetCols(int cols);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int rows);

  QString TextMatrix(int row, int col) const;
  void SetTextMatrix(int row, int col, const QString& text);
  // Empties the cells of the rows from `from` on.
  void ClearRows(int from);

  int ColWidth(int col) const;  // twips, shown as column_twips.h says
  void SetColWidth(int col, int twips);
  // Amount columns: right-aligned.
  bool IsAmountColumn(int col) const;
  void SetAmountColumn(int col, bool amount);
  // What a report prints a column as; an amount column needs not say so.
  void SetPrintKind(int col, PrintColumnKind kind);
  // Merges a range of header cells into one; cells keep their texts.
  void MergeCells(int row1, int col1, int row2, int col2);
  // The header ranges merged so far: {row1, col1, row2, col2}.
  const std::vector<std::array<int, 4>>& Merges() const { return merges_; }

  void SetBodyFont(const QFont& font);
  // The font of the fixed rows; their height follows it.
  void SetHeaderFont(const QFont& font);
  int HeaderRowHeight() const { return headerRowPixels_; }  // pixels
  void SetRowColorFn(RowColorFn fn) { rowColor_ = std::move(fn); }
  QColor RowColor(int row) const;

  bool Redraw() const { return redraw_; }
  void SetRedraw(bool on);

  int Row() const;
  int Col() const;
  void SetCurrentCell(int row, int col);

  QTableView* Body() const { return body_; }

  // What a report prints: the fixed rows as header (with the merges), the rest as
  // body; zero-width columns are left out by the engine.
  int PrintColumnCount() const override { return Cols(); }
  int PrintColumnWidth(int col) const override { return ColWidth(col); }
  Qt::Alignment PrintColumnAlignment(int col) const override;
  PrintColumnKind PrintColumnKindOf(int col) const override;
  int PrintHeaderRowCount() const override { return std::min(fixedRows_, Rows()); }
  QString PrintHeaderText(int headerRow, int col) const override { return TextMatrix(headerRow, col); }
  std::vector<GridSpan> PrintHeaderSpans() const override;
  int PrintBodyRowCount() const override { return std::max(Rows() - fixedRows_, 0); }
  bool PrintBodyRowHidden(int) const override { return false; }
  QString PrintBodyText(int row, int col) const override { return TextMatrix(row + fixedRows_, col); }
  QFont PrintFont() const override;
  QTableView* Header() const { return header_; }

 signals:
  // A double click on a body cell.
  void DblClick(int row, int col);
  void RightClick(const QPoint& globalPos);

 private:
  void ApplyShape();
  void ApplyWidths();

  SplitGridModel* model_;
  QTableView* header_;
  QTableView* body_;
  int fixedRows_ = 0;
  int headerRowPixels_;  // the body's row height until a header font asks for more
  bool redraw_ = true;
  std::vector<int> widths_;
  std::vector<bool> amount_;
  std::vector<PrintColumnKind> printKinds_;
  std::vector<std::array<int, 4>> merges_;
  RowColorFn rowColor_;
};

}  // namespace corvane::platform
