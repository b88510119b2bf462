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

bool GridModel::HasFlag(int row, RowFlag flag) const {
  const Row* r = DataRow(row);
  return r && (r->flags & flag);
}

void GridModel::SetFlag(int row, RowFlag flag, bool on) {
  if (Row* r = DataRow(row)) r->flags = on ? (r->flags | flag) : (r->flags & ~flag);
}

// --- Shape -------------------------------------------------------------------

void GridModel::SetRows(int rows) {
  const int wanted = std::max(rows, 1) - 1;
  const int have = static_cast<int>(rows_.size());
  if (wanted == have) return;
  if (!redraw_) {
    ResizeRows(wanted);
    structurePending_ = true;
    return;
  }
  if (wanted > have) {
    const int first = VisibleRowCount();
    beginInsertRows(QModelIndex(), first, first + (wanted - have) - 1);
    ResizeRows(wanted);
    for (int i = have; i < wanted; ++i) visible_.push_back(i);
    endInsertRows();
    return;
  }
  const auto cut = std::lower_bound(visible_.begin(), visible_.end(), wanted);
  const int from = static_cast<int>(cut - visible_.begin());
  const bool viewLoses = cut != visible_.end();
  if (viewLoses) beginRemoveRows(QModelIndex(), from, VisibleRowCount() - 1);
  visible_.erase(cut, visible_.end());
  ResizeRows(wanted);
  if (viewLoses) endRemoveRows();
}

void GridModel::ResizeRows(int rows) {
  rows_.resize(static_cast<size_t>(rows));
  cells_.SetRowCount(rows);
  if (rows == 0) {
    otherKeys_.clear();
    ResetLooks();
  }
}

void GridModel::SetCols(int cols) {
  cols = std::max(cols, 0);
  if (cols == cols_) return;
  if (redraw_) beginResetModel();
  cells_.SetColCount(cols);
  if (cols < cols_) {
    // Looks lose the removed columns; looks that became alike stay as they are.
    lookIndex_.clear();
    for (size_t i = 1; i < looks_.size(); ++i) {
      if (static_cast<int>(looks_[i].size()) > cols) looks_[i].resize(static_cast<size_t>(cols));
      lookIndex_.insert(QByteArray(reinterpret_cast<const char*>(looks_[i].data()),
                                   static_cast<qsizetype>(looks_[i].size() * sizeof(CellStyle))),
                        static_cast<quint32>(i));
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
  return cells_.Text(row - 1, col);
}

void GridModel::SetText(int row, int col, const QString& text) {
  if (!IsCell(row, col)) return;
  if (row == 0) {
    titles_[static_cast<size_t>(col)] = text;
    if (redraw_) emit headerDataChanged(Qt::Horizontal, col, col);
    else cellsPending_ = true;
    return;
  }
  cells_.SetText(row - 1, col, text);
  NotifyCells(row, col, row, col);
}

void GridModel::SetColType(int col, CellType type) {
  cells_.SetColType(col, type);
  NotifyCells(1, col, Rows() - 1, col);
}

void GridModel::SetDate(int row, int col, const QDate& date) {
  if (!IsDataRow(row)) return;
  cells_.SetDate(row - 1, col, date);
  NotifyCells(row, col, row, col);
}

void GridModel::SetAmount(int row, int col, Money amount) {
  if (!IsDataRow(row)) return;
  cells_.SetAmount(row - 1, col, amount);
  NotifyCells(row, col, row, col);
}

QVariant GridModel::RowData(int row) const {
  const Row* r = DataRow(row);
  if (!r) return QVariant();
  switch (r->keyKind) {
    case KeyKind::None: return QVariant();
    case KeyKind::Int: return QVariant(static_cast<int>(r->key));
    case KeyKind::LongLong: return QVariant(static_cast<qlonglong>(r->key));
    case KeyKind::Other: return otherKeys_[static_cast<size_t>(r->key)];
  }
  return QVariant();
}

void GridModel::SetRowData(int row, const QVariant& value) {
  if (Row* r = DataRow(row)) SetKey(*r, value);
}

void GridModel::SetKey(Row& r, const QVariant& value) {
  const int type = value.metaType().id();
  if (r.keyKind == KeyKind::Other && type != QMetaType::Int && type != QMetaType::LongLong && value.isValid()) {
    otherKeys_[static_cast<size_t>(r.key)] = value;  // the row's slot serves again
    return;
  }
  if (!value.isValid()) {
    r.keyKind = KeyKind::None;
  } else if (type == QMetaType::Int || type == QMetaType::LongLong) {
    r.keyKind = type == QMetaType::Int ? KeyKind::Int : KeyKind::LongLong;
    r.key = value.toLongLong();
  } else {
    r.keyKind = KeyKind::Other;
    r.key = static_cast<qint64>(otherKeys_.size());
    otherKeys_.push_back(value);
  }
}

void GridModel::FillRows(std::vector<std::vector<QString>> rows, std::vector<QVariant> rowData) {
  if (redraw_) beginResetModel();
  cells_.SetRowCount(0);
  cells_.SetRowCount(static_cast<int>(rows.size()));
  for (size_t i = 0; i < rows.size(); ++i) {
    const int n = std::min(static_cast<int>(rows[i].size()), cols_);
    for (int c = 0; c < n; ++c) cells_.SetNewText(static_cast<int>(i), c, rows[i][static_cast<size_t>(c)]);
    std::vector<QString>().swap(rows[i]);
  }
  AfterFill(std::move(rowData));
}

void GridModel::FillRows(GridColumns cells, std::vector<QVariant> rowData) {
  if (redraw_) beginResetModel();
  cells_ = std::move(cells);
  cells_.SetColCount(cols_);
  AfterFill(std::move(rowData));
}

void GridModel::AfterFill(std::vector<QVariant> rowData) {
  cells_.Squeeze();
  rows_.clear();
  otherKeys_.clear();
  ResetLooks();
  rows_.resize(static_cast<size_t>(cells_.RowCount()));
  rows_.shrink_to_fit();
  for (size_t i = 0; i < std::min(rowData.size(), rows_.size()); ++i) SetKey(rows_[i], rowData[i]);
  std::vector<QVariant>().swap(rowData);
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
  const int index = cells_.AppendRow();
  const int n = std::min(static_cast<int>(cells.size()), cols_);
  for (int c = 0; c < n; ++c) cells_.SetText(index, c, cells[c]);
  std::vector<CellStyle> look(static_cast<size_t>(cols_));
  for (int c = 0; c < std::min(static_cast<int>(backColors.size()), cols_); ++c) {
    if (backColors[static_cast<size_t>(c)].isValid())
      look[static_cast<size_t>(c)].back = backColors[static_cast<size_t>(c)].rgb() | 0xFF000000u;
  }
  r.look = InternLook(std::move(look));
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
    cells_.EraseRows(index, 1);
    structurePending_ = true;
    return;
  }
  const auto at = std::lower_bound(visible_.begin(), visible_.end(), index);
  const bool shown = at != visible_.end() && *at == index;
  const int viewRow = static_cast<int>(at - visible_.begin());
  if (shown) beginRemoveRows(QModelIndex(), viewRow, viewRow);
  rows_.erase(rows_.begin() + index);
  cells_.EraseRows(index, 1);
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
  cells_.EraseRows(first - 1, last - first + 1);
  structurePending_ = true;
  SetRedraw(redraw);
}

// --- Hidden rows -------------------------------------------------------------

bool GridModel::IsRowHidden(int row) const { return HasFlag(row, kHidden); }

void GridModel::SetRowHidden(int row, bool hidden) {
  if (!IsDataRow(row) || IsRowHidden(row) == hidden) return;
  if (!redraw_) {
    SetFlag(row, kHidden, hidden);
    structurePending_ = true;
    return;
  }
  // One row with redraw on: move just that row in or out of the view.
  const int index = row - 1;
  const auto at = std::lower_bound(visible_.begin(), visible_.end(), index);
  const int viewRow = static_cast<int>(at - visible_.begin());
  if (hidden) {
    beginRemoveRows(QModelIndex(), viewRow, viewRow);
    SetFlag(row, kHidden, true);
    visible_.erase(at);
    endRemoveRows();
  } else {
    beginInsertRows(QModelIndex(), viewRow, viewRow);
    SetFlag(row, kHidden, false);
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
    if (!(rows_[i].flags & kHidden)) visible_.push_back(static_cast<int>(i));
  }
}

int GridModel::RowOfViewRow(int viewRow) const {
  if (viewRow < 0 || viewRow >= VisibleRowCount()) return -1;
  const int index = visible_[static_cast<size_t>(viewRow)];
  return index < static_cast<int>(rows_.size()) ? index + 1 : -1;
}

int GridModel::ViewRowOfRow(int row) const {
  if (structurePending_ || !IsDataRow(row) || (rows_[static_cast<size_t>(row - 1)].flags & kHidden)) return -1;
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
