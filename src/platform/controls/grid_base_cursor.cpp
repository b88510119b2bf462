// Current cell, selection, scrolling and the view's events of GridBase.
#include "platform/controls/grid_base.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace corvane::platform {

namespace {
int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }
}  // namespace

void GridBase::SetRow(int row) { SetCursor(row, col_, row, col_); }

void GridBase::SetCol(int col) { SetCursor(row_, col, row_, col); }

void GridBase::SetCurrentCell(int row, int col) { SetCursor(row, col, row, col); }

void GridBase::SetRowSel(int row) { SetCursor(row_, col_, row, colSel_); }

void GridBase::SetColSel(int col) { SetCursor(row_, col_, rowSel_, col); }

void GridBase::ClampCursor() { SetCursor(row_, col_, rowSel_, colSel_); }

void GridBase::SetCursor(int row, int col, int rowSel, int colSel) {
  const int lastRow = Rows() - 1;
  const int lastCol = std::max(Cols() - 1, 0);
  row = Clamp(row, 0, lastRow);
  rowSel = Clamp(rowSel, 0, lastRow);
  col = Clamp(col, 0, lastCol);
  colSel = Clamp(colSel, 0, lastCol);
  const bool cellChanged = row != row_ || col != col_;
  const bool selChanged = cellChanged || rowSel != rowSel_ || colSel != colSel_;
  row_ = row;
  col_ = col;
  rowSel_ = rowSel;
  colSel_ = colSel;
  SyncViewCursor();
  if (cellChanged) emit RowColChange();
  if (selChanged) emit SelChange();
}

int GridBase::LastViewRowAtOrBefore(int row) const {
  if (row < 1) return -1;
  const int after = model_->ViewRowAtOrAfter(row + 1);
  return after < 0 ? model_->VisibleRowCount() - 1 : after - 1;
}

// Shows the current cell and selection in the view. While redraw is off (or the
// view still shows an older set of rows) this waits for redraw to come back, so a
// loop that walks 100,000 rows does not move the view 100,000 times.
void GridBase::SyncViewCursor() {
  if (!model_->Redraw() || model_->PresentationPending()) {
    cursorPending_ = true;
    return;
  }
  cursorPending_ = false;
  QItemSelectionModel* selection = view_->selectionModel();
  syncing_ = true;
  const int viewRow = model_->ViewRowOfRow(row_);
  if (viewRow >= 0 && col_ < Cols()) {
    selection->setCurrentIndex(model_->index(viewRow, col_), QItemSelectionModel::NoUpdate);
  } else {
    // The title row or a hidden row: nothing in the view is current.
    selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  }
  QItemSelection range;
  const int top = model_->ViewRowAtOrAfter(std::min(row_, rowSel_));
  const int bottom = LastViewRowAtOrBefore(std::max(row_, rowSel_));
  if (top >= 0 && top <= bottom && Cols() > 0 && std::min(row_, rowSel_) >= 1) {
    const bool wholeRows = view_->selectionBehavior() == QAbstractItemView::SelectRows;
    const int left = wholeRows ? 0 : std::min(col_, colSel_);
    const int right = wholeRows ? Cols() - 1 : std::max(col_, colSel_);
    range.select(model_->index(top, left), model_->index(bottom, right));
  }
  selection->select(range, QItemSelectionModel::ClearAndSelect);
  syncing_ = false;
}

void GridBase::OnViewCurrentChanged(const QModelIndex& current) {
  if (syncing_ || !current.isValid()) return;
  const int row = model_->RowOfViewRow(current.row());
  if (row < 0) return;
  const int col = current.column();
  const bool extending = view_->IsExtending();
  const int anchorRow = extending ? row_ : row;
  const int anchorCol = extending ? col_ : col;
  const bool cellChanged = anchorRow != row_ || anchorCol != col_;
  const bool selChanged = cellChanged || row != rowSel_ || col != colSel_;
  row_ = anchorRow;
  col_ = anchorCol;
  rowSel_ = row;
  colSel_ = col;
  if (cellChanged) emit RowColChange();
  if (selChanged) emit SelChange();
}

int GridBase::TopRow() const {
  const int row = model_->RowOfViewRow(view_->TopViewRow());
  if (row >= 0) return row;
  return Rows() > 1 ? 1 : 0;
}

void GridBase::SetTopRow(int row) {
  if (!model_->Redraw() || model_->PresentationPending()) {
    pendingTopRow_ = row;
    return;
  }
  const int viewRow = model_->ViewRowAtOrAfter(row);
  if (viewRow >= 0) view_->ScrollViewRowToTop(viewRow);
}

int GridBase::LeftCol() const { return std::max(0, view_->columnAt(0)); }

void GridBase::SetLeftCol(int col) {
  if (!model_->Redraw() || model_->PresentationPending()) {
    pendingLeftCol_ = col;
    return;
  }
  if (col >= 0 && col < Cols()) view_->ScrollColToLeft(col);
}

// --- Events from the view ----------------------------------------------------

bool GridBase::ViewKeyPress(QKeyEvent* event) {
  emit KeyPressed(event->key(), event->modifiers(), event->text());
  return false;
}

void GridBase::ViewMouseEvent(QMouseEvent* event) {
  const QPoint inView = event->position().toPoint();
  const QPoint pos = view_->viewport()->mapTo(this, inView);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      emit MouseDown(event->button(), event->modifiers(), pos);
      break;
    case QEvent::MouseButtonRelease:
      emit MouseUp(event->button(), event->modifiers(), pos);
      if (event->button() == Qt::RightButton) emit RightClick(pos, event->globalPosition().toPoint());
      break;
    case QEvent::MouseButtonDblClick:
      // Only a double click on a row counts: one on the empty area below the last
      // row must not act on whatever row happens to be current.
      if (view_->indexAt(inView).isValid()) emit DblClick();
      break;
    default:
      break;
  }
}

void GridBase::ViewFocusIn() { emit GotFocus(); }

bool GridBase::RowChangeNeedsConsent(int) const { return false; }

bool GridBase::AllowRowChange(int, int, int&) { return true; }

}  // namespace corvane::platform
