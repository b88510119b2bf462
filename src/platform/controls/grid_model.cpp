#include "platform/controls/grid_model.h"

#include <algorithm>

namespace corvane::platform {

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

GridModel::~GridModel() = default;

GridModel::Row* GridModel::DataRow(int row) {
  return IsDataRow(row) ? &rows_[static_cast<size_t>(row - 1)] : nullptr;
}

const GridModel::Row* GridModel::DataRow(int row) const {
  return IsDataRow(row) ? &rows_[static_cast<size_t>(row - 1)] : nullptr;
}

// --- Shape -------------------------------------------------------------------

void GridModel::SetRows(int rows) {
  const int wanted = std::max(rows, 1) - 1;
  const int have = static_cast<int>(rows_.size());
  if (wanted == have) return;
  if (!redraw_) {
    rows_.resize(static_cast<size_t>(wanted));
    structurePending_ = true;
    return;
  }
  if (wanted > have) {
    const int first = VisibleRowCount();
    beginInsertRows(QModelIndex(), first, first + (wanted - have) - 1);
    rows_.resize(static_cast<size_t>(wanted));
    for (int i = have; i < wanted; ++i) visible_.push_back(i);
    endInsertRows();
    return;
  }
  const auto cut = std::lower_bound(visible_.begin(), visible_.end(), wanted);
  const int from = static_cast<int>(cut - visible_.begin());
  const bool viewLoses = cut != visible_.end();
  if (viewLoses) beginRemoveRows(QModelIndex(), from, VisibleRowCount() - 1);
  visible_.erase(cut, visible_.end());
  rows_.resize(static_cast<size_t>(wanted));
  if (viewLoses) endRemoveRows();
}

void GridModel::SetCols(int cols) {
  cols = std::max(cols, 0);
  if (cols == cols_) return;
  if (redraw_) beginResetModel();
  if (cols < cols_) {
    for (Row& r : rows_) {
      if (static_cast<int>(r.cells.size()) > cols) r.cells.resize(static_cast<size_t>(cols));
      if (r.styles && static_cast<int>(r.styles->size()) > cols) r.styles->resize(static_cast<size_t>(cols));
    }
  }
  cols_ = cols;
  titles_.resize(static_cast<size_t>(cols));
  colAlign_.resize(static_cast<size_t>(cols), Qt::AlignLeft | Qt::AlignVCenter);
  colReadOnly_.resize(static_cast<size_t>(cols), false);
  if (redraw_) {
    endResetModel();
    emit PresentationReset();
  } else {
    structurePending_ = true;
  }
}

// --- Texts and keys ----------------------------------------------------------

QString GridModel::Text(int row, int col) const {
  if (!IsCell(row, col)) return QString();
  if (row == 0) return titles_[static_cast<size_t>(col)];
  const Row& r = rows_[static_cast<size_t>(row - 1)];
  return col < static_cast<int>(r.cells.size()) ? r.cells[static_cast<size_t>(col)] : QString();
}

void GridModel::SetText(int row, int col, const QString& text) {
  if (!IsCell(row, col)) return;
  if (row == 0) {
    titles_[static_cast<size_t>(col)] = text;
    if (redraw_) emit headerDataChanged(Qt::Horizontal, col, col);
    else cellsPending_ = true;
    return;
  }
  Row& r = rows_[static_cast<size_t>(row - 1)];
  if (col >= static_cast<int>(r.cells.size())) {
    if (text.isEmpty()) return;
    r.cells.resize(static_cast<size_t>(col) + 1);
  }
  r.cells[static_cast<size_t>(col)] = text;
  NotifyCells(row, col, row, col);
}

QVariant GridModel::RowData(int row) const {
  const Row* r = DataRow(row);
  return r ? r->data : QVariant();
}

void GridModel::SetRowData(int row, const QVariant& value) {
  if (Row* r = DataRow(row)) r->data = value;
}

void GridModel::FillRows(std::vector<std::vector<QString>> rows, std::vector<QVariant> rowData) {
  if (redraw_) beginResetModel();
  rows_.clear();
  rows_.resize(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    Row& r = rows_[i];
    r.cells = std::move(rows[i]);
    if (static_cast<int>(r.cells.size()) > cols_) r.cells.resize(static_cast<size_t>(cols_));
    if (i < rowData.size()) r.data = std::move(rowData[i]);
  }
  if (redraw_) {
    RebuildVisible();
    endResetModel();
    emit PresentationReset();
  } else {
    structurePending_ = true;
  }
}

int GridModel::AppendRow(const QStringList& cells, const std::vector<QColor>& backColors) {
  Row r;
  const int n = std::min(static_cast<int>(cells.size()), cols_);
  r.cells.reserve(static_cast<size_t>(n));
  for (int c = 0; c < n; ++c) r.cells.push_back(cells[c]);
  for (int c = 0; c < std::min(static_cast<int>(backColors.size()), cols_); ++c) {
    if (!backColors[static_cast<size_t>(c)].isValid()) continue;
    if (!r.styles) r.styles = std::make_unique<std::vector<CellStyle>>(static_cast<size_t>(cols_));
    (*r.styles)[static_cast<size_t>(c)].back = backColors[static_cast<size_t>(c)].rgb();
  }
  const int index = static_cast<int>(rows_.size());
  if (!redraw_) {
    rows_.push_back(std::move(r));
    structurePending_ = true;
    return index + 1;
  }
  beginInsertRows(QModelIndex(), VisibleRowCount(), VisibleRowCount());
  rows_.push_back(std::move(r));
  visible_.push_back(index);
  endInsertRows();
  return index + 1;
}

void GridModel::RemoveRow(int row) {
  if (!IsDataRow(row)) return;
  const int index = row - 1;
  if (!redraw_) {
    rows_.erase(rows_.begin() + index);
    structurePending_ = true;
    return;
  }
  const auto at = std::lower_bound(visible_.begin(), visible_.end(), index);
  const bool shown = at != visible_.end() && *at == index;
  const int viewRow = static_cast<int>(at - visible_.begin());
  if (shown) beginRemoveRows(QModelIndex(), viewRow, viewRow);
  rows_.erase(rows_.begin() + index);
  auto next = shown ? visible_.erase(at) : at;
  for (; next != visible_.end(); ++next) --*next;
  if (shown) endRemoveRows();
}

void GridModel::RemoveRows(int first, int last) {
  first = std::max(first, 1);
  last = std::min(last, Rows() - 1);
  if (first > last) return;
  if (first == last) {
    RemoveRow(first);
    return;
  }
  const bool redraw = redraw_;
  SetRedraw(false);
  rows_.erase(rows_.begin() + (first - 1), rows_.begin() + last);
  structurePending_ = true;
  SetRedraw(redraw);
}

// --- Hidden rows -------------------------------------------------------------

bool GridModel::IsRowHidden(int row) const {
  const Row* r = DataRow(row);
  return r && r->hidden;
}

void GridModel::SetRowHidden(int row, bool hidden) {
  Row* r = DataRow(row);
  if (!r || r->hidden == hidden) return;
  if (!redraw_) {
    r->hidden = hidden;
    structurePending_ = true;
    return;
  }
  // One row with redraw on: move just that row in or out of the view.
  const int index = row - 1;
  const auto at = std::lower_bound(visible_.begin(), visible_.end(), index);
  const int viewRow = static_cast<int>(at - visible_.begin());
  if (hidden) {
    beginRemoveRows(QModelIndex(), viewRow, viewRow);
    r->hidden = true;
    visible_.erase(at);
    endRemoveRows();
  } else {
    beginInsertRows(QModelIndex(), viewRow, viewRow);
    r->hidden = false;
    visible_.insert(at, index);
    endInsertRows();
  }
}

// --- Redraw and mapping ------------------------------------------------------

void GridModel::SetRedraw(bool on) {
  if (on == redraw_) return;
  redraw_ = on;
  if (on) Present();
}

void GridModel::Present() {
  if (structurePending_) {
    beginResetModel();
    RebuildVisible();
    structurePending_ = false;
    cellsPending_ = false;
    endResetModel();
    emit PresentationReset();
    return;
  }
  if (cellsPending_) {
    cellsPending_ = false;
    NotifyAll();
  }
}

void GridModel::RebuildVisible() {
  visible_.clear();
  visible_.reserve(rows_.size());
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (!rows_[i].hidden) visible_.push_back(static_cast<int>(i));
  }
}

int GridModel::RowOfViewRow(int viewRow) const {
  if (viewRow < 0 || viewRow >= VisibleRowCount()) return -1;
  const int index = visible_[static_cast<size_t>(viewRow)];
  return index < static_cast<int>(rows_.size()) ? index + 1 : -1;
}

int GridModel::ViewRowOfRow(int row) const {
  if (structurePending_ || !IsDataRow(row) || rows_[static_cast<size_t>(row - 1)].hidden) return -1;
  const auto at = std::lower_bound(visible_.begin(), visible_.end(), row - 1);
  return at != visible_.end() && *at == row - 1 ? static_cast<int>(at - visible_.begin()) : -1;
}

int GridModel::ViewRowAtOrAfter(int row) const {
  if (structurePending_) return -1;
  const auto at = std::lower_bound(visible_.begin(), visible_.end(), std::max(row, 1) - 1);
  return at != visible_.end() ? static_cast<int>(at - visible_.begin()) : -1;
}

void GridModel::NotifyCells(int row1, int col1, int row2, int col2) {
  if (!redraw_ || structurePending_) {
    cellsPending_ = true;
    return;
  }
  const int first = ViewRowAtOrAfter(row1);
  if (first < 0) return;
  const auto end = std::upper_bound(visible_.begin(), visible_.end(), row2 - 1);
  const int last = static_cast<int>(end - visible_.begin()) - 1;
  if (last < first) return;
  emit dataChanged(index(first, col1), index(last, col2));
}

void GridModel::NotifyAll() {
  if (cols_ > 0) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
  if (cols_ > 0 && !visible_.empty()) emit dataChanged(index(0, 0), index(VisibleRowCount() - 1, cols_ - 1));
}

}  // namespace corvane::platform
