#include "platform/controls/grid_base.h"

#include "platform/controls/column_twips.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace corvane::platform {

GridBase::GridBase(QWidget* parent) : QWidget(parent) {
  model_ = new GridModel(this);
  view_ = new GridView(this, this);
  view_->setModel(model_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  setFocusProxy(view_);

  // One fixed height for every row: the view then never measures rows, which is
  // what keeps very long grids quick.
  QHeaderView* rowsHeader = view_->verticalHeader();
  rowsHeader->hide();
  rowsHeader->setMinimumSectionSize(1);
  rowsHeader->setSectionResizeMode(QHeaderView::Fixed);
  rowsHeader->setDefaultSectionSize(GridTwipsToPixels(dataRowTwips_));

  QHeaderView* titles = view_->horizontalHeader();
  titles->setMinimumSectionSize(1);
  titles->setSectionResizeMode(QHeaderView::Interactive);
  titles->setSectionsClickable(false);
  titles->setHighlightSections(false);
  titles->setStretchLastSection(false);

  view_->setWordWrap(false);
  view_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);

  connect(model_, &GridModel::PresentationReset, this, &GridBase::OnPresentationReset);
  connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) { OnViewCurrentChanged(current); });
  connect(titles, &QHeaderView::sectionResized, this, [this](int col, int, int size) {
    // Keep a width the user dragged, so it survives the next reset of the rows.
    if (col < 0 || col >= static_cast<int>(colWidthTwips_.size()) || size <= 0) return;
    int& stored = colWidthTwips_[static_cast<size_t>(col)];
    if (stored < 0 || ColumnPixels(stored) != size) stored = ColumnTwips(size);
  });
  // Column widths follow the font the cells are drawn in.
  view_->installEventFilter(this);
}

GridBase::~GridBase() = default;

// --- Shape and content -------------------------------------------------------

void GridBase::SetRows(int rows) {
  model_->SetRows(rows);
  ClampCursor();
}

void GridBase::SetCols(int cols) {
  colWidthTwips_.resize(static_cast<size_t>(std::max(cols, 0)), -1);
  model_->SetCols(cols);
  ApplyColumnWidths();
  ClampCursor();
}

void GridBase::FillRows(std::vector<std::vector<QString>> rows, std::vector<QVariant> rowData) {
  model_->FillRows(std::move(rows), std::move(rowData));
  ClampCursor();
}

void GridBase::FillRows(GridColumns cells, std::vector<QVariant> rowData) {
  model_->FillRows(std::move(cells), std::move(rowData));
  ClampCursor();
}

int GridBase::AddRowFromText(const QString& tabJoined, const std::vector<QColor>& backColors) {
  return model_->AppendRow(tabJoined.split(QLatin1Char('\t')), backColors);
}

void GridBase::RemoveRow(int row) {
  if (!model_->IsDataRow(row)) return;
  model_->RemoveRow(row);
  // The rows below move up; a cursor below the removed row moves up with them.
  const int newRow = row_ > row ? row_ - 1 : row_;
  const int newSel = rowSel_ > row ? rowSel_ - 1 : rowSel_;
  SetCursor(newRow, col_, newSel, colSel_);
}

void GridBase::RemoveRows(int first, int last) {
  first = std::max(first, 1);
  last = std::min(last, Rows() - 1);
  if (first > last) return;
  model_->RemoveRows(first, last);
  const int count = last - first + 1;
  auto moved = [&](int r) { return r > last ? r - count : (r >= first ? std::max(first - 1, 0) : r); };
  SetCursor(moved(row_), col_, moved(rowSel_), colSel_);
}

// --- Sizes -------------------------------------------------------------------

int GridBase::RowHeight(int row) const {
  if (row == 0) return view_->horizontalHeader()->isHidden() ? 0 : titleTwips_;
  if (!model_->IsDataRow(row)) return 0;
  return model_->IsRowHidden(row) ? 0 : dataRowTwips_;
}

void GridBase::SetRowHeight(int row, int twips) {
  if (row == 0) {
    titleTwips_ = std::max(twips, 0);
    QHeaderView* titles = view_->horizontalHeader();
    titles->setHidden(twips < kHiddenRowTwips);
    if (twips >= kHiddenRowTwips) titles->setFixedHeight(GridTwipsToPixels(twips));
    return;
  }
  if (!model_->IsDataRow(row)) return;
  if (twips < kHiddenRowTwips) {
    model_->SetRowHidden(row, true);
    return;
  }
  SetDataRowHeight(twips);
  model_->SetRowHidden(row, false);
}

void GridBase::SetDataRowHeight(int twips) {
  if (twips < kHiddenRowTwips || twips == dataRowTwips_) return;
  dataRowTwips_ = twips;
  view_->verticalHeader()->setDefaultSectionSize(GridTwipsToPixels(twips));
}

int GridBase::ColWidth(int col) const {
  if (col < 0 || col >= Cols() || view_->isColumnHidden(col)) return 0;
  const int pixels = view_->columnWidth(col);
  const int stored = colWidthTwips_[static_cast<size_t>(col)];
  return stored >= 0 && ColumnPixels(stored) == pixels ? stored : ColumnTwips(pixels);
}

void GridBase::SetColPrintKind(int col, PrintColumnKind kind) {
  if (col < 0) return;
  if (static_cast<size_t>(col) >= printKinds_.size()) printKinds_.resize(static_cast<size_t>(col) + 1);
  printKinds_[static_cast<size_t>(col)] = kind;
}

PrintColumnKind GridBase::ColPrintKind(int col) const {
  return col >= 0 && static_cast<size_t>(col) < printKinds_.size() ? printKinds_[static_cast<size_t>(col)]
                                                                   : PrintColumnKind::Text;
}

int GridBase::ColumnPixels(int twips) const {
  return ColumnTwipsToPixels(twips, view_->font(), CellTextMargins(*view_));
}

int GridBase::ColumnTwips(int pixels) const {
  return ColumnPixelsToTwips(pixels, view_->font(), CellTextMargins(*view_));
}

bool GridBase::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_ && event->type() == QEvent::FontChange) ApplyColumnWidths();
  return QWidget::eventFilter(watched, event);
}

void GridBase::SetColWidth(int col, int twips) {
  if (col < 0 || col >= Cols()) return;
  colWidthTwips_[static_cast<size_t>(col)] = std::max(twips, 0);
  ApplyColumnWidth(col);
}

void GridBase::ApplyColumnWidths() {
  const int known = std::min(Cols(), static_cast<int>(colWidthTwips_.size()));
  for (int col = 0; col < known; ++col) ApplyColumnWidth(col);
}

void GridBase::ApplyColumnWidth(int col) {
  const int twips = colWidthTwips_[static_cast<size_t>(col)];
  if (twips < 0) return;
  const int pixels = ColumnPixels(twips);
  // A zero width hides the column outright, so it can neither show a sliver nor be
  // dragged open by accident.
  view_->setColumnHidden(col, pixels == 0);
  if (pixels > 0 && view_->columnWidth(col) != pixels) view_->setColumnWidth(col, pixels);
}

// --- Colours -----------------------------------------------------------------

QColor GridBase::BackColor() const { return view_->palette().color(QPalette::Base); }

QColor GridBase::ForeColor() const { return view_->palette().color(QPalette::Text); }

QColor GridBase::BackColorSel() const { return view_->palette().color(QPalette::Active, QPalette::Highlight); }

QColor GridBase::ForeColorSel() const { return view_->palette().color(QPalette::Active, QPalette::HighlightedText); }

void GridBase::SetSelectionColors(const QColor& back, const QColor& fore) {
  QPalette p = view_->palette();
  // The same in a window that has lost the focus: the row stays marked alike.
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    p.setColor(group, QPalette::Highlight, back);
    p.setColor(group, QPalette::HighlightedText, fore);
  }
  view_->setPalette(p);
}

QColor GridBase::CellBackColor(int row, int col) const {
  const QColor own = model_->BackColor(row, col);
  return own.isValid() ? own : BackColor();
}

QColor GridBase::CellForeColor(int row, int col) const {
  const QColor own = model_->ForeColor(row, col);
  return own.isValid() ? own : ForeColor();
}

// --- Redraw ------------------------------------------------------------------

void GridBase::SetRedraw(bool on) {
  if (on == Redraw()) return;
  if (!on) {
    view_->setUpdatesEnabled(false);
    model_->SetRedraw(false);
    return;
  }
  model_->SetRedraw(true);
  view_->setUpdatesEnabled(true);
  if (cursorPending_) SyncViewCursor();
  if (pendingTopRow_ >= 0) {
    const int top = pendingTopRow_;
    pendingTopRow_ = -1;
    SetTopRow(top);
  }
  if (pendingLeftCol_ >= 0) SetLeftCol(std::exchange(pendingLeftCol_, -1));
}

void GridBase::Refresh() { view_->viewport()->update(); }

void GridBase::OnPresentationReset() {
  ApplyColumnWidths();
  SyncViewCursor();
}

bool GridBase::IsEditing() const { return view_->IsEditing(); }

}  // namespace corvane::platform
