// Per-cell looks, editability and the QAbstractTableModel face of GridModel.
#include "platform/controls/grid_model.h"

#include <algorithm>

namespace corvane::platform {

const GridModel::CellStyle* GridModel::Style(int row, int col) const {
  const Row* r = DataRow(row);
  if (!r || !r->styles || col < 0 || col >= static_cast<int>(r->styles->size())) return nullptr;
  return &(*r->styles)[static_cast<size_t>(col)];
}

GridModel::CellStyle& GridModel::StyleForWrite(int row, int col) {
  Row& r = rows_[static_cast<size_t>(row - 1)];
  if (!r.styles) r.styles = std::make_unique<std::vector<CellStyle>>(static_cast<size_t>(cols_));
  if (static_cast<int>(r.styles->size()) < cols_) r.styles->resize(static_cast<size_t>(cols_));
  return (*r.styles)[static_cast<size_t>(col)];
}

QColor GridModel::BackColor(int row, int col) const {
  const CellStyle* s = Style(row, col);
  return s && s->back ? QColor::fromRgb(s->back) : QColor();
}

QColor GridModel::ForeColor(int row, int col) const {
  const CellStyle* s = Style(row, col);
  return s && s->fore ? QColor::fromRgb(s->fore) : QColor();
}

void GridModel::SetBackColor(int row1, int col1, int row2, int col2, const QColor& color) {
  SetColor(row1, col1, row2, col2, color, true);
}

void GridModel::SetForeColor(int row1, int col1, int row2, int col2, const QColor& color) {
  SetColor(row1, col1, row2, col2, color, false);
}

void GridModel::SetColor(int row1, int col1, int row2, int col2, const QColor& color, bool back) {
  // Ranges may be given from either corner; the title row keeps the header's look.
  if (row1 > row2) std::swap(row1, row2);
  if (col1 > col2) std::swap(col1, col2);
  row1 = std::max(row1, 1);
  row2 = std::min(row2, Rows() - 1);
  col1 = std::max(col1, 0);
  col2 = std::min(col2, cols_ - 1);
  if (row1 > row2 || col1 > col2) return;
  const QRgb value = color.isValid() ? (color.rgb() | 0xFF000000u) : 0;
  for (int row = row1; row <= row2; ++row) {
    if (!value && !rows_[static_cast<size_t>(row - 1)].styles) continue;
    for (int col = col1; col <= col2; ++col) {
      CellStyle& s = StyleForWrite(row, col);
      (back ? s.back : s.fore) = value;
    }
  }
  NotifyCells(row1, col1, row2, col2);
}

Qt::Alignment GridModel::ColAlignment(int col) const {
  return col >= 0 && col < cols_ ? colAlign_[static_cast<size_t>(col)] : Qt::Alignment();
}

void GridModel::SetColAlignment(int col, Qt::Alignment alignment) {
  if (col < 0 || col >= cols_) return;
  colAlign_[static_cast<size_t>(col)] = alignment;
  NotifyCells(1, col, Rows() - 1, col);
}

void GridModel::SetCellAlignment(int row, int col, Qt::Alignment alignment) {
  if (!IsDataRow(row) || col < 0 || col >= cols_) return;
  StyleForWrite(row, col).align = static_cast<int>(alignment);
  NotifyCells(row, col, row, col);
}

// --- Editing -----------------------------------------------------------------

void GridModel::SetColumnReadOnly(int col, bool readOnly) {
  if (col >= 0 && col < cols_) colReadOnly_[static_cast<size_t>(col)] = readOnly;
}

bool GridModel::IsColumnReadOnly(int col) const {
  return col >= 0 && col < cols_ && colReadOnly_[static_cast<size_t>(col)];
}

void GridModel::SetRowReadOnly(int row, bool readOnly) {
  if (Row* r = DataRow(row)) r->readOnly = readOnly;
}

bool GridModel::IsRowReadOnly(int row) const {
  const Row* r = DataRow(row);
  return r && r->readOnly;
}

void GridModel::AddProtectedColor(const QColor& color) {
  if (color.isValid()) protectedColors_.insert(color.rgb() | 0xFF000000u);
}

bool GridModel::IsProtectedColor(const QColor& color) const {
  return color.isValid() && protectedColors_.contains(color.rgb() | 0xFF000000u);
}

bool GridModel::IsCellEditable(int row, int col) const {
  if (!editable_ || !IsDataRow(row) || col < 0 || col >= cols_) return false;
  if (colReadOnly_[static_cast<size_t>(col)] || IsRowReadOnly(row)) return false;
  const CellStyle* s = Style(row, col);
  return !(s && s->back && protectedColors_.contains(s->back));
}

bool GridModel::IsRowDirty(int row) const {
  const Row* r = DataRow(row);
  return r && r->dirty;
}

void GridModel::SetRowDirty(int row, bool dirty) {
  if (Row* r = DataRow(row)) r->dirty = dirty;
}

// --- QAbstractTableModel -----------------------------------------------------

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : VisibleRowCount();
}

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

QVariant GridModel::data(const QModelIndex& index, int role) const {
  const int row = RowOfViewRow(index.row());
  const int col = index.column();
  if (row < 0 || col < 0 || col >= cols_) return QVariant();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return Text(row, col);
    case Qt::BackgroundRole: {
      const CellStyle* s = Style(row, col);
      return s && s->back ? QVariant(QColor::fromRgb(s->back)) : QVariant();
    }
    case Qt::ForegroundRole: {
      const CellStyle* s = Style(row, col);
      return s && s->fore ? QVariant(QColor::fromRgb(s->fore)) : QVariant();
    }
    case Qt::TextAlignmentRole: {
      const CellStyle* s = Style(row, col);
      return s && s->align ? s->align : static_cast<int>(colAlign_[static_cast<size_t>(col)]);
    }
    default:
      return QVariant();
  }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= cols_) return QVariant();
  if (role == Qt::DisplayRole) return titles_[static_cast<size_t>(section)];
  if (role == Qt::TextAlignmentRole) return static_cast<int>(Qt::AlignCenter);
  return QVariant();
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  const int row = RowOfViewRow(index.row());
  if (row < 0) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (IsCellEditable(row, index.column())) f |= Qt::ItemIsEditable;
  return f;
}

}  // namespace corvane::platform
