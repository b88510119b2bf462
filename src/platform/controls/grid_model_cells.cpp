// Per-cell looks, editability and the QAbstractTableModel face of GridModel.
#include "platform/controls/grid_model.h"

#include <algorithm>
#include <unordered_map>

namespace corvane::platform {

const GridModel::CellStyle* GridModel::Style(int row, int col) const {
  const Row* r = DataRow(row);
  if (!r || !r->look) return nullptr;
  const std::vector<CellStyle>& look = looks_[r->look];
  return col >= 0 && col < static_cast<int>(look.size()) ? &look[static_cast<size_t>(col)] : nullptr;
}

template <typename Edit>
quint32 GridModel::Restyled(quint32 from, const Edit& edit) {
  std::vector<CellStyle> look = from ? looks_[from] : std::vector<CellStyle>();
  look.resize(static_cast<size_t>(cols_));
  edit(look);
  return InternLook(std::move(look));
}

quint32 GridModel::InternLook(std::vector<CellStyle> look) {
  if (std::all_of(look.begin(), look.end(), [](const CellStyle& s) { return !s.back && !s.fore && !s.align; }))
    return 0;
  if (looks_.empty()) looks_.emplace_back();
  const QByteArray key(reinterpret_cast<const char*>(look.data()), static_cast<qsizetype>(look.size() * sizeof(CellStyle)));
  if (const auto it = lookIndex_.constFind(key); it != lookIndex_.constEnd()) return it.value();
  const auto id = static_cast<quint32>(looks_.size());
  looks_.push_back(std::move(look));
  lookIndex_.insert(key, id);
  return id;
}

void GridModel::ResetLooks() {
  looks_.clear();
  lookIndex_.clear();
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
  // Rows that looked alike look alike afterwards: each old look is restyled once.
  // The last pair is kept aside: a single row or a range of alike rows needs no map.
  std::unordered_map<quint32, quint32> restyled;
  quint32 lastFrom = 0, lastTo = 0;
  bool haveLast = false;
  for (int row = row1; row <= row2; ++row) {
    quint32& look = rows_[static_cast<size_t>(row - 1)].look;
    if (!value && !look) continue;
    if (haveLast && look == lastFrom) {
      look = lastTo;
      continue;
    }
    quint32 to = 0;
    if (const auto at = restyled.find(look); at != restyled.end()) {
      to = at->second;
    } else {
      to = Restyled(look, [&](std::vector<CellStyle>& styles) {
        for (int col = col1; col <= col2; ++col) (back ? styles[static_cast<size_t>(col)].back : styles[static_cast<size_t>(col)].fore) = value;
      });
      if (haveLast) restyled.emplace(lastFrom, lastTo);
    }
    lastFrom = look;
    lastTo = look = to;
    haveLast = true;
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
  quint32& look = rows_[static_cast<size_t>(row - 1)].look;
  look = Restyled(look, [&](std::vector<CellStyle>& styles) { styles[static_cast<size_t>(col)].align = static_cast<int>(alignment); });
  NotifyCells(row, col, row, col);
}

// --- Editing -----------------------------------------------------------------

void GridModel::SetColumnReadOnly(int col, bool readOnly) {
  if (col >= 0 && col < cols_) colReadOnly_[static_cast<size_t>(col)] = readOnly;
}

bool GridModel::IsColumnReadOnly(int col) const {
  return col >= 0 && col < cols_ && colReadOnly_[static_cast<size_t>(col)];
}

void GridModel::SetRowReadOnly(int row, bool readOnly) { SetFlag(row, kReadOnly, readOnly); }

bool GridModel::IsRowReadOnly(int row) const { return HasFlag(row, kReadOnly); }

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

bool GridModel::IsRowDirty(int row) const { return HasFlag(row, kDirty); }

void GridModel::SetRowDirty(int row, bool dirty) { SetFlag(row, kDirty, dirty); }

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
    case Qt::ToolTipRole: {
      const QString tip = rowTips_ ? rowTips_(row) : QString();
      return tip.isEmpty() ? QVariant() : QVariant(tip);
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
