#include "platform/controls/entry_grid.h"

#include "platform/controls/entry_grid_delegate.h"

#include <QKeyEvent>
#include <algorithm>

namespace corvane::platform {

EntryGrid::EntryGrid(QWidget* parent) : GridBase(parent) {
  Model()->SetEditable(true);
  delegate_ = new EntryGridDelegate(this);
  View()->setItemDelegate(delegate_);
  View()->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed);
  View()->setSelectionBehavior(QAbstractItemView::SelectItems);
}

EntryGrid::~EntryGrid() = default;

// --- Columns -----------------------------------------------------------------

void EntryGrid::SetColumnEditor(int col, const ColumnEditor& editor) {
  if (col < 0 || col >= Cols()) return;
  if (static_cast<int>(editors_.size()) < Cols()) editors_.resize(static_cast<size_t>(Cols()));
  editors_[static_cast<size_t>(col)] = editor;
  Model()->SetColumnReadOnly(col, editor.kind == ColumnKind::ReadOnly);
}

ColumnEditor EntryGrid::ColumnEditorOf(int col) const {
  return col >= 0 && col < static_cast<int>(editors_.size()) ? editors_[static_cast<size_t>(col)] : ColumnEditor();
}

void EntryGrid::SetColumnList(int col, const QStringList& items) {
  if (col < 0 || col >= Cols()) return;
  if (static_cast<int>(lists_.size()) < Cols()) lists_.resize(static_cast<size_t>(Cols()));
  lists_[static_cast<size_t>(col)] = items;
}

QStringList EntryGrid::ColumnList(int col) const {
  return col >= 0 && col < static_cast<int>(lists_.size()) ? lists_[static_cast<size_t>(col)] : QStringList();
}

// --- Editing -----------------------------------------------------------------

bool EntryGrid::StartEdit(int row, int col) {
  if (IsEditing()) CommitEdit();
  SetCurrentCell(row, col);
  if (!IsCellEditable(row, col)) return false;
  const int viewRow = Model()->ViewRowOfRow(row);
  if (viewRow < 0) return false;
  View()->edit(Model()->index(viewRow, col));
  return ActiveEditor() != nullptr;
}

QWidget* EntryGrid::ActiveEditor() const { return delegate_->ActiveEditor(); }

bool EntryGrid::CommitEdit() {
  if (!ActiveEditor()) return true;
  delegate_->Finish(true);
  return lastSubmitAccepted_;
}

void EntryGrid::CancelEdit() { delegate_->Finish(false); }

bool EntryGrid::SubmitEdit(int row, int col, const QString& text) {
  if (submitting_) return false;
  if (!IsCellEditable(row, col)) {
    lastSubmitAccepted_ = false;
    return false;
  }
  // While the window is asked, the cell already holds the typed text, so a check
  // that reads the cell sees what the user typed; a refusal puts the old text back.
  const QString old = TextMatrix(row, col);
  QString value = text;
  SetTextMatrix(row, col, text);
  submitting_ = true;
  const EditAnswer answer = acceptHook_ ? acceptHook_(row, col, value) : EditAnswer::Accept;
  submitting_ = false;
  lastSubmitAccepted_ = answer == EditAnswer::Accept;
  if (!lastSubmitAccepted_) {
    SetTextMatrix(row, col, old);
    return false;
  }
  SetTextMatrix(row, col, value);
  if (value != old) SetRowDirty(row, true);
  emit CellEdited(row, col);
  return true;
}

void EntryGrid::NotifyEditorOpened(int row, int col, QWidget* editor) { emit ButtonClick(row, col, editor); }

void EntryGrid::NotifyEditKey(int row, int col, const QString& text) { emit EditKeyPress(row, col, text); }

// --- Leaving rows ------------------------------------------------------------

bool EntryGrid::AskLeave(int row, int& col) {
  if (!leaveHook_ || !IsRowDirty(row)) return true;
  if (asking_) return false;  // a move while the window is still answering waits
  asking_ = true;
  const LeaveAnswer answer = leaveHook_(row, col);
  asking_ = false;
  if (answer == LeaveAnswer::Leave) {
    SetRowDirty(row, false);
    return true;
  }
  col = std::clamp(col, 0, std::max(Cols() - 1, 0));
  return false;
}

bool EntryGrid::RequestLeaveRow() {
  if (IsEditing()) CommitEdit();
  int col = Col();
  if (AskLeave(Row(), col)) return true;
  SetCol(col);
  return false;
}

bool EntryGrid::RowChangeNeedsConsent(int viewRow) const {
  return leaveHook_ && IsRowDirty(Model()->RowOfViewRow(viewRow));
}

bool EntryGrid::AllowRowChange(int fromViewRow, int, int& stayCol) {
  return AskLeave(Model()->RowOfViewRow(fromViewRow), stayCol);
}

// --- Keys --------------------------------------------------------------------

bool EntryGrid::ViewKeyPress(QKeyEvent* event) {
  const int key = event->key();
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  const bool vertical = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
  // An edit still open when the cursor leaves its row is kept first, so that the
  // row's check sees it.
  if (vertical && IsEditing()) CommitEdit();
  GridBase::ViewKeyPress(event);
  if (key == refKey_ && plain) {
    RunRefRequest();
    return true;
  }
  if (key == Qt::Key_Down && plain && IsLastVisibleRow(Row())) {
    RequestNewRow();
    return true;
  }
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && plain && !IsEditing()) return EditOrMoveRight();
  return false;
}

void EntryGrid::RunRefRequest() {
  const int row = Row();
  const int col = Col();
  if (!refHook_ || !Model()->IsDataRow(row)) return;
  QWidget* editor = ActiveEditor();
  QString text = editor ? EntryGridDelegate::EditorText(editor) : TextMatrix(row, col);
  if (!refHook_(row, col, text)) return;
  if ((editor = ActiveEditor())) {
    EntryGridDelegate::SetEditorText(editor, text);
    return;
  }
  if (!IsCellEditable(row, col) || text == TextMatrix(row, col)) return;
  SetTextMatrix(row, col, text);
  SetRowDirty(row, true);
  emit CellEdited(row, col);
}

void EntryGrid::RequestNewRow() {
  if (!RequestLeaveRow()) return;
  const int before = Rows();
  emit AddRowRequest();
  if (Rows() <= before) return;
  const int row = Rows() - 1;
  const int col = FirstEditableCol(row);
  SetCurrentCell(row, col >= 0 ? col : Col());
}

bool EntryGrid::EditOrMoveRight() {
  const int row = Row();
  if (IsCellEditable(row, Col())) return StartEdit(row, Col());
  for (int col = Col() + 1; col < Cols(); ++col) {
    if (!View()->isColumnHidden(col)) {
      SetCol(col);
      break;
    }
  }
  return true;
}

bool EntryGrid::IsLastVisibleRow(int row) const {
  if (VisibleRowCount() == 0) return true;
  const int viewRow = Model()->ViewRowOfRow(row);
  return viewRow >= 0 && viewRow == VisibleRowCount() - 1;
}

int EntryGrid::FirstEditableCol(int row) const {
  for (int col = 0; col < Cols(); ++col) {
    if (!View()->isColumnHidden(col) && IsCellEditable(row, col)) return col;
  }
  return -1;
}

}  // namespace corvane::platform
