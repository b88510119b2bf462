#include "platform/controls/grid_view.h"

#include <QHeaderView>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace corvane::platform {

GridView::GridView(GridViewHost* host, QWidget* parent) : QTableView(parent), host_(host) {}

void GridView::ScrollViewRowToTop(int viewRow) {
  executeDelayedItemsLayout();
  updateGeometries();
  if (verticalScrollMode() == ScrollPerItem) {
    verticalScrollBar()->setValue(viewRow);
  } else {
    verticalScrollBar()->setValue(rowViewportPosition(viewRow) + verticalOffset());
  }
}

int GridView::TopViewRow() const { return rowAt(0); }

void GridView::ScrollColToLeft(int col) {
  executeDelayedItemsLayout();
  updateGeometries();
  if (horizontalScrollMode() == ScrollPerPixel) {
    horizontalScrollBar()->setValue(columnViewportPosition(col) + horizontalOffset());
    return;
  }
  // Per item the scroll value counts the shown columns left of the target.
  int shown = 0;
  for (int visual = 0; visual < horizontalHeader()->visualIndex(col); ++visual)
    if (!horizontalHeader()->isSectionHidden(horizontalHeader()->logicalIndex(visual))) ++shown;
  horizontalScrollBar()->setValue(shown);
}

bool GridView::LeavingRowRefused(const QModelIndex& target) {
  const QModelIndex current = currentIndex();
  if (!target.isValid() || !current.isValid() || target.row() == current.row()) return false;
  if (!host_->RowChangeNeedsConsent(current.row())) return false;
  int stayCol = current.column();
  if (host_->AllowRowChange(current.row(), target.row(), stayCol)) return false;
  setCurrentIndex(model()->index(current.row(), stayCol));
  return true;
}

void GridView::keyPressEvent(QKeyEvent* event) {
  extending_ = event->modifiers().testFlag(Qt::ShiftModifier);
  if (host_->ViewKeyPress(event)) {
    extending_ = false;
    return;
  }
  QTableView::keyPressEvent(event);
  extending_ = false;
}

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex target = QTableView::moveCursor(action, modifiers);
  const QModelIndex current = currentIndex();
  if (!target.isValid() || !current.isValid() || target.row() == current.row()) return target;
  if (!host_->RowChangeNeedsConsent(current.row())) return target;
  int stayCol = current.column();
  if (host_->AllowRowChange(current.row(), target.row(), stayCol)) return target;
  return model()->index(current.row(), stayCol);
}

void GridView::mousePressEvent(QMouseEvent* event) {
  extending_ = event->modifiers().testFlag(Qt::ShiftModifier);
  if (LeavingRowRefused(indexAt(event->position().toPoint()))) {
    event->accept();
    return;
  }
  QTableView::mousePressEvent(event);
  host_->ViewMouseEvent(event);
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() == Qt::NoButton) {
    QTableView::mouseMoveEvent(event);
    return;
  }
  // A drag must not carry the cursor out of a row that still waits for its check.
  const QModelIndex target = indexAt(event->position().toPoint());
  const QModelIndex current = currentIndex();
  if (target.isValid() && current.isValid() && target.row() != current.row() &&
      host_->RowChangeNeedsConsent(current.row())) {
    return;
  }
  extending_ = true;
  QTableView::mouseMoveEvent(event);
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
  QTableView::mouseReleaseEvent(event);
  extending_ = false;
  host_->ViewMouseEvent(event);
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  host_->ViewMouseEvent(event);
}

void GridView::focusInEvent(QFocusEvent* event) {
  QTableView::focusInEvent(event);
  host_->ViewFocusIn();
}

}  // namespace corvane::platform
