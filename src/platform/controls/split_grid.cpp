#include "platform/controls/split_grid.h"

#include "platform/controls/column_twips.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace corvane::platform {

namespace {
constexpr int kRowPixels = 20;
const QColor kHeaderBack(0xE8, 0xE8, 0xE8);
}  // namespace

class SplitGridModel : public QAbstractTableModel {
 public:
  explicit SplitGridModel(SplitGrid* grid) : QAbstractTableModel(grid), grid_(grid) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : cols_; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const int r = index.row(), c = index.column();
    switch (role) {
      case Qt::DisplayRole:
        return Text(r, c);
      case Qt::TextAlignmentRole:
        if (r < grid_->FixedRows()) return int(Qt::AlignCenter);
        return int((grid_->IsAmountColumn(c) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
      case Qt::BackgroundRole: {
        if (r < grid_->FixedRows()) return kHeaderBack;
        const QColor color = grid_->RowColor(r);
        return color.isValid() ? QVariant(color) : QVariant();
      }
      case Qt::FontRole:
        if (r < grid_->FixedRows() && headerFont_) return *headerFont_;
        return {};
      default:
        return {};
    }
  }

  QString Text(int r, int c) const {
    if (r < 0 || c < 0 || r >= rows_ || c >= cols_) return {};
    return cells_[static_cast<size_t>(r) * cols_ + c];
  }
  void SetText(int r, int c, const QString& text, bool notify) {
    if (r < 0 || c < 0 || r >= rows_ || c >= cols_) return;
    cells_[static_cast<size_t>(r) * cols_ + c] = text;
    if (notify) emit dataChanged(index(r, c), index(r, c));
  }
  void Reshape(int rows, int cols) {
    beginResetModel();
    std::vector<QString> next(static_cast<size_t>(rows) * cols);
    for (int r = 0; r < std::min(rows, rows_); ++r)
      for (int c = 0; c < std::min(cols, cols_); ++c)
        next[static_cast<size_t>(r) * cols + c] = std::move(cells_[static_cast<size_t>(r) * cols_ + c]);
    cells_ = std::move(next);
    rows_ = rows;
    cols_ = cols;
    endResetModel();
  }
  void ClearFrom(int from) {
    for (size_t i = static_cast<size_t>(std::max(from, 0)) * cols_; i < cells_.size(); ++i) cells_[i].clear();
  }
  void Refresh() {
    beginResetModel();
    endResetModel();
  }
  int Rows() const { return rows_; }
  int Cols() const { return cols_; }
  void SetHeaderFont(const QFont& f) { headerFont_ = f; }

 private:
  SplitGrid* grid_;
  int rows_ = 0;
  int cols_ = 0;
  std::vector<QString> cells_;
  std::optional<QFont> headerFont_;
};

namespace {

QTableView* MakeView(QWidget* parent, QAbstractItemModel* model) {
  auto* v = new QTableView(parent);
  v->setModel(model);
  v->setEditTriggers(QAbstractItemView::NoEditTriggers);
  v->setSelectionMode(QAbstractItemView::SingleSelection);
  v->setSelectionBehavior(QAbstractItemView::SelectItems);
  v->horizontalHeader()->hide();
  v->verticalHeader()->hide();
  v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  v->verticalHeader()->setDefaultSectionSize(kRowPixels);
  v->setWordWrap(false);
  return v;
}

}  // namespace

SplitGrid::SplitGrid(QWidget* parent) : QWidget(parent), headerRowPixels_(kRowPixels) {
  model_ = new SplitGridModel(this);
  header_ = MakeView(this, model_);
  header_->setObjectName(QStringLiteral("header"));
  header_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  header_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  header_->setFocusPolicy(Qt::NoFocus);
  header_->setSelectionMode(QAbstractItemView::NoSelection);
  body_ = MakeView(this, model_);
  body_->setObjectName(QStringLiteral("body"));
  body_->setContextMenuPolicy(Qt::CustomContextMenu);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(header_);
  layout->addWidget(body_, 1);
  connect(body_->horizontalScrollBar(), &QScrollBar::valueChanged, header_->horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(body_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& i) { emit DblClick(i.row(), i.column()); });
  connect(body_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { emit RightClick(body_->viewport()->mapToGlobal(p)); });
  ApplyShape();
}

SplitGrid::~SplitGrid() = default;

int SplitGrid::Rows() const { return model_->Rows(); }
int SplitGrid::Cols() const { return model_->Cols(); }

void SplitGrid::SetRows(int rows) {
  model_->Reshape(std::max(rows, 0), model_->Cols());
  ApplyShape();
}

void SplitGrid::SetCols(int cols) {
  cols = std::max(cols, 0);
  model_->Reshape(model_->Rows(), cols);
  widths_.resize(cols, 1000);
  amount_.resize(cols, false);
  printKinds_.resize(cols, PrintColumnKind::Text);
  ApplyShape();
}

void SplitGrid::SetFixedRows(int rows) {
  fixedRows_ = std::max(rows, 0);
  ApplyShape();
}

QString SplitGrid::TextMatrix(int row, int col) const { return model_->Text(row, col); }

void SplitGrid::SetTextMatrix(int row, int col, const QString& text) { model_->SetText(row, col, text, redraw_); }

void SplitGrid::ClearRows(int from) {
  model_->ClearFrom(from);
  if (redraw_) model_->Refresh(), ApplyShape();
}

int SplitGrid::ColWidth(int col) const {
  return col >= 0 && col < static_cast<int>(widths_.size()) ? widths_[col] : 0;
}

void SplitGrid::SetColWidth(int col, int twips) {
  if (col < 0 || col >= static_cast<int>(widths_.size())) return;
  widths_[col] = std::max(twips, 0);
  ApplyWidths();
}

bool SplitGrid::IsAmountColumn(int col) const {
  return col >= 0 && col < static_cast<int>(amount_.size()) && amount_[col];
}

void SplitGrid::SetAmountColumn(int col, bool amount) {
  if (col >= 0 && col < static_cast<int>(amount_.size())) amount_[col] = amount;
}

void SplitGrid::SetPrintKind(int col, PrintColumnKind kind) {
  if (col >= 0 && col < static_cast<int>(printKinds_.size())) printKinds_[col] = kind;
}

PrintColumnKind SplitGrid::PrintColumnKindOf(int col) const {
  if (IsAmountColumn(col)) return PrintColumnKind::Amount;
  return col >= 0 && col < static_cast<int>(printKinds_.size()) ? printKinds_[col] : PrintColumnKind::Text;
}

void SplitGrid::MergeCells(int row1, int col1, int row2, int col2) {
  merges_.push_back({row1, col1, row2, col2});
  header_->setSpan(row1, col1, row2 - row1 + 1, col2 - col1 + 1);
}

void SplitGrid::SetBodyFont(const QFont& font) {
  body_->setFont(font);
  header_->setFont(font);
  ApplyWidths();
}

void SplitGrid::SetHeaderFont(const QFont& font) {
  model_->SetHeaderFont(font);
  // A header font larger than the body's gets rows tall enough for its line.
  headerRowPixels_ = std::max(kRowPixels, QFontMetrics(font).height() + 4);
  header_->verticalHeader()->setDefaultSectionSize(headerRowPixels_);
  ApplyShape();
}

QColor SplitGrid::RowColor(int row) const {
  QColor color;
  if (rowColor_) rowColor_(row, color);
  return color;
}

void SplitGrid::SetRedraw(bool on) {
  if (redraw_ == on) return;
  redraw_ = on;
  if (on) {
    model_->Refresh();
    ApplyShape();
  }
}

int SplitGrid::Row() const {
  const QModelIndex i = body_->currentIndex();
  return i.isValid() ? i.row() : -1;
}

int SplitGrid::Col() const {
  const QModelIndex i = body_->currentIndex();
  return i.isValid() ? i.column() : -1;
}

void SplitGrid::SetCurrentCell(int row, int col) { body_->setCurrentIndex(model_->index(row, col)); }

// A model reset forgets spans and hidden rows: both views are set up again.
void SplitGrid::ApplyShape() {
  for (int r = 0; r < fixedRows_ && r < model_->Rows(); ++r) body_->setRowHidden(r, true);
  header_->clearSpans();
  for (const auto& m : merges_) header_->setSpan(m[0], m[1], m[2] - m[0] + 1, m[3] - m[1] + 1);
  const int shown = std::min(fixedRows_, model_->Rows());
  header_->setFixedHeight(shown * headerRowPixels_ + 2 * header_->frameWidth());
  header_->setVisible(shown > 0);
  ApplyWidths();
}

void SplitGrid::ApplyWidths() {
  for (int c = 0; c < static_cast<int>(widths_.size()); ++c) {
    const int px = ColumnTwipsToPixels(widths_[c], body_->font(), CellTextMargins(*body_));
    for (QTableView* v : {header_, body_}) {
      v->setColumnHidden(c, px == 0);
      if (px > 0) v->setColumnWidth(c, px);
    }
  }
}

Qt::Alignment SplitGrid::PrintColumnAlignment(int col) const {
  return (IsAmountColumn(col) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

std::vector<GridSpan> SplitGrid::PrintHeaderSpans() const {
  std::vector<GridSpan> spans;
  for (const auto& m : merges_) spans.push_back({m[0], m[1], m[2], m[3]});
  return spans;
}

QFont SplitGrid::PrintFont() const { return body_->font(); }

}  // namespace corvane::platform
