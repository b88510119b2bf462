#pragma once

#include "platform/controls/grid_model_columns.h"
#include "platform/controls/grid_types.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace corvane::platform {

// The data behind the list and entry grids. Callers address cells as the suite's
// grids do: row 0 is the title row (shown as the horizontal header), data rows run
// from 1 to Rows() - 1. The cells are kept column by column (GridColumns): dates and
// amounts as values in columns typed so, other texts shared or packed, and made into
// text only when a cell is read or drawn. Each data row adds its key and the number
// of its look in a table of the distinct per-cell looks (colours, alignment) the
// grid has, so a million rows cost tens of bytes each.
//
// Rows hidden by height 0 stay in the model; the view sees only the visible ones,
// through a vector of visible row numbers. While redraw is off every change is only
// recorded, and switching redraw back on presents all of them at once (one reset
// when rows came, went or changed visibility), since hiding rows one by one through
// the view costs seconds on large grids.
class GridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit GridModel(QObject* parent = nullptr);
  ~GridModel() override;

  // --- Shape; Rows() counts the title row.
  int Rows() const { return static_cast<int>(rows_.size()) + 1; }
  void SetRows(int rows);
  int Cols() const { return cols_; }
  void SetCols(int cols);
  bool IsDataRow(int row) const { return row >= 1 && row < Rows(); }
  bool IsCell(int row, int col) const { return row >= 0 && row < Rows() && col >= 0 && col < cols_; }

  // --- Texts and keys.
  QString Text(int row, int col) const;
  void SetText(int row, int col, const QString& text);
  QVariant RowData(int row) const;
  void SetRowData(int row, const QVariant& value);
  // Column types (text unless set); setting one keeps every cell's text.
  CellType ColType(int col) const { return cells_.ColType(col); }
  void SetColType(int col, CellType type);
  // Values of cells of date and amount columns (see GridColumns).
  void SetDate(int row, int col, const QDate& date);
  void SetAmount(int row, int col, Money amount);
  std::optional<QDate> Date(int row, int col) const { return cells_.Date(row - 1, col); }
  std::optional<Money> Amount(int row, int col) const { return cells_.Amount(row - 1, col); }

  // Replaces every data row at once. rowData may be shorter than rows (missing keys
  // are empty). Cell styles and hidden marks of the old rows are dropped; the
  // column types stay.
  void FillRows(std::vector<std::vector<QString>> rows, std::vector<QVariant> rowData = {});
  // The same from cells built beforehand, with their column types (the way to load
  // large lists: no text is made for a value).
  void FillRows(GridColumns cells, std::vector<QVariant> rowData = {});
  // Appends one row; cells beyond the column count are dropped. backColors holds one
  // colour per column, an invalid colour meaning the grid's own. Returns the new row.
  int AppendRow(const QStringList& cells, const std::vector<QColor>& backColors = {});
  void RemoveRow(int row);
  // Removes the data rows first..last in one pass (one reset of the view).
  void RemoveRows(int first, int last);

  // --- Hidden rows.
  bool IsRowHidden(int row) const;
  void SetRowHidden(int row, bool hidden);

  // --- Colours and alignment. An invalid colour clears the cell's own colour.
  QColor BackColor(int row, int col) const;  // invalid when the cell has none
  QColor ForeColor(int row, int col) const;
  void SetBackColor(int row1, int col1, int row2, int col2, const QColor& color);
  void SetForeColor(int row1, int col1, int row2, int col2, const QColor& color);
  Qt::Alignment ColAlignment(int col) const;
  void SetColAlignment(int col, Qt::Alignment alignment);
  void SetCellAlignment(int row, int col, Qt::Alignment alignment);

  // --- Redraw.
  bool Redraw() const { return redraw_; }
  void SetRedraw(bool on);
  // True while the view still shows an older set of rows (redraw off after a change).
  bool PresentationPending() const { return structurePending_; }

  // --- Mapping between grid rows and the rows the view shows.
  int VisibleRowCount() const { return static_cast<int>(visible_.size()); }
  int RowOfViewRow(int viewRow) const;  // -1 when out of range
  int ViewRowOfRow(int row) const;      // -1 when hidden or not yet presented
  // The first presented view row at or after the grid row (for ranges over hidden rows).
  int ViewRowAtOrAfter(int row) const;

  // --- Editing (entry grid). A cell is editable when the model is, its column and
  // row are not read-only and its back colour is none of the protected colours.
  void SetEditable(bool on) { editable_ = on; }
  void SetColumnReadOnly(int col, bool readOnly);
  bool IsColumnReadOnly(int col) const;
  void SetRowReadOnly(int row, bool readOnly);
  bool IsRowReadOnly(int row) const;
  void AddProtectedColor(const QColor& color);
  void ClearProtectedColors() { protectedColors_.clear(); }
  bool IsProtectedColor(const QColor& color) const;
  bool IsCellEditable(int row, int col) const;
  // A row the user changed since it was last left with the grid's consent.
  bool IsRowDirty(int row) const;
  void SetRowDirty(int row, bool dirty);

  // --- Tooltips. Asked for the text shown over any cell of a data row; an empty
  // text shows none. Asked only when the pointer rests, so nothing is kept per row.
  using RowToolTips = std::function<QString(int row)>;
  void SetRowToolTips(RowToolTips tips) { rowTips_ = std::move(tips); }

  // --- QAbstractTableModel.
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 signals:
  // The view's rows were rebuilt; the owner restores the current cell and column widths.
  void PresentationReset();

 private:
  struct CellStyle {
    QRgb back = 0;  // 0: none (set colours always carry full alpha)
    QRgb fore = 0;
    int align = 0;  // 0: the column's
  };
  enum RowFlag : quint8 { kHidden = 1, kReadOnly = 2, kDirty = 4 };
  // How a row's key is kept: none, an int or a qlonglong in key, or any other value
  // at otherKeys_[key].
  enum class KeyKind : quint8 { None, Int, LongLong, Other };
  struct Row {
    qint64 key = 0;
    quint32 look = 0;  // index in looks_; 0: no look of its own
    quint8 flags = 0;
    KeyKind keyKind = KeyKind::None;
  };

  Row* DataRow(int row);
  const Row* DataRow(int row) const;
  void ResizeRows(int rows);
  bool HasFlag(int row, RowFlag flag) const;
  void SetFlag(int row, RowFlag flag, bool on);
  void SetKey(Row& r, const QVariant& value);
  const CellStyle* Style(int row, int col) const;
  // The look that is `from` with edit applied to its cell styles.
  template <typename Edit>
  quint32 Restyled(quint32 from, const Edit& edit);
  quint32 InternLook(std::vector<CellStyle> look);
  void ResetLooks();
  void SetColor(int row1, int col1, int row2, int col2, const QColor& color, bool back);
  void AfterFill(std::vector<QVariant> rowData);
  void NotifyCells(int row1, int col1, int row2, int col2);
  void NotifyAll();
  void Present();
  void RebuildVisible();

  GridColumns cells_;
  std::vector<Row> rows_;
  std::vector<QVariant> otherKeys_;
  std::vector<std::vector<CellStyle>> looks_;  // looks_[0]: none
  QHash<QByteArray, quint32> lookIndex_;
  std::vector<QString> titles_;
  std::vector<Qt::Alignment> colAlign_;
  std::vector<bool> colReadOnly_;
  QSet<QRgb> protectedColors_;
  RowToolTips rowTips_;
  std::vector<int> visible_;  // data-row indexes (row - 1) the view shows, ascending
  int cols_ = 0;
  bool redraw_ = true;
  bool structurePending_ = false;
  bool cellsPending_ = false;
  bool editable_ = false;
};

}  // namespace corvane::platform
