#include "platform/controls/list_grid.h"

namespace corvane::platform {

ListGrid::ListGrid(QWidget* parent) : GridBase(parent) { SetSelectionByRow(true); }

void ListGrid::SetSelectionByRow(bool byRow) {
  View()->setSelectionBehavior(byRow ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
  SyncViewCursor();
}

bool ListGrid::SelectionByRow() const {
  return View()->selectionBehavior() == QAbstractItemView::SelectRows;
}

}  // namespace corvane::platform
