#pragma once

#include "platform/controls/grid_base.h"
#include "platform/controls/grid_types.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace corvane::platform {

class EntryGridDelegate;

// An editable grid for statement lines and opening items. Cells are typed in place
// with an editor chosen by the column (text, amount, date, list). A cell can be
// typed in unless its column or row is read-only or its back colour is one of the
// protected colours (the windows paint ticked, cleared and pre-start rows in those).
//
// Two questions go to the window:
//  - before an edited cell is kept: the accept-edit hook gets the typed text (an
//    amount in "#,0.00" form) and may change it; Accept keeps it, Refuse drops the
//    edit and the cell keeps its old text;
//  - before the cursor leaves a row the user has changed (by key or mouse): the
//    leave-row hook answers Leave (the row stays unchanged afterwards, the window
//    having saved it) or Stay, naming the column to go to.
// Without hooks every edit is kept and every row may be left.
//
// Keys: typing starts an edit; Enter opens the current cell or, in an open editor,
// keeps the text and moves to the next cell; Esc drops an edit; Down on the last row
// asks for a new row (AddRowRequest); the reference key (F2) asks the ref hook for a
// text, which becomes the cell's value.
class EntryGrid : public GridBase {
  Q_OBJECT

 public:
  using AcceptEditHook = std::function<EditAnswer(int row, int col, QString& text)>;
  using LeaveRowHook = std::function<LeaveAnswer(int row, int& col)>;
  // Returns true when text holds a value for the cell.
  using RefRequestHook = std::function<bool(int row, int col, QString& text)>;
  // The length of a text as the columns' maximum lengths count it.
  using LengthCounter = std::function<int(const QString& text)>;

  explicit EntryGrid(QWidget* parent = nullptr);
  ~EntryGrid() override;

  // --- Columns and protection.
  void SetColumnEditor(int col, const ColumnEditor& editor);
  ColumnEditor ColumnEditorOf(int col) const;
  void SetColumnList(int col, const QStringList& items);
  QStringList ColumnList(int col) const;
  void AddProtectedColor(const QColor& color) { Model()->AddProtectedColor(color); }
  void ClearProtectedColors() { Model()->ClearProtectedColors(); }
  void SetRowReadOnly(int row, bool readOnly) { Model()->SetRowReadOnly(row, readOnly); }
  bool IsCellEditable(int row, int col) const { return Model()->IsCellEditable(row, col); }

  // --- The window's answers.
  void SetBeforeAcceptEdit(AcceptEditHook hook) { acceptHook_ = std::move(hook); }
  void SetBeforeLeaveRow(LeaveRowHook hook) { leaveHook_ = std::move(hook); }
  void SetRefRequest(RefRequestHook hook) { refHook_ = std::move(hook); }
  void SetRefKey(int key) { refKey_ = key; }
  // Counts the maximum length of text and list columns (the suite's bytes, say).
  // Typing stops at it; a pasted text goes to the accept-edit hook whole, for the
  // window to refuse with a message rather than losing its end. Without a counter
  // the length is in characters and the editor cuts a paste.
  void SetLengthCounter(LengthCounter counter) { lengthCounter_ = std::move(counter); }
  const LengthCounter& LengthCounterOf() const { return lengthCounter_; }

  // --- Editing.
  // Makes the cell current and opens its editor; false when it cannot be typed in.
  bool StartEdit(int row, int col);
  QWidget* ActiveEditor() const;
  // Ends the open edit as Enter would, without moving; true when the text was kept
  // (or nothing was open).
  bool CommitEdit();
  // Drops the open edit.
  void CancelEdit();
  bool IsRowDirty(int row) const { return Model()->IsRowDirty(row); }
  void SetRowDirty(int row, bool dirty) { Model()->SetRowDirty(row, dirty); }
  // Asks the leave-row hook about the current row when it has changes (as leaving it
  // would); true when the row may be left. On Stay the cursor goes to the named column.
  bool RequestLeaveRow();
  // The first shown column of the row that can be typed in, or -1.
  int FirstEditableCol(int row) const;

  // Called by the editors' delegate.
  bool SubmitEdit(int row, int col, const QString& text);
  bool IsSubmitting() const { return submitting_; }
  bool LastSubmitAccepted() const { return lastSubmitAccepted_; }
  void NotifyEditorOpened(int row, int col, QWidget* editor);
  void NotifyEditKey(int row, int col, const QString& text);

 signals:
  // A character typed into a cell (also the one that opens the editor).
  void EditKeyPress(int row, int col, const QString& text);
  // The cursor wants to go below the last row.
  void AddRowRequest();
  // The editor of a list or date column opened: the window may fill its list.
  void ButtonClick(int row, int col, QWidget* editor);
  // An edit was kept.
  void CellEdited(int row, int col);

 protected:
  bool ViewKeyPress(QKeyEvent* event) override;
  bool RowChangeNeedsConsent(int viewRow) const override;
  bool AllowRowChange(int fromViewRow, int toViewRow, int& stayCol) override;

 private:
  bool AskLeave(int row, int& col);
  void RunRefRequest();
  void RequestNewRow();
  bool EditOrMoveRight();
  bool IsLastVisibleRow(int row) const;

  EntryGridDelegate* delegate_;
  std::vector<ColumnEditor> editors_;
  std::vector<QStringList> lists_;
  AcceptEditHook acceptHook_;
  LeaveRowHook leaveHook_;
  RefRequestHook refHook_;
  LengthCounter lengthCounter_;
  int refKey_ = Qt::Key_F2;
  bool submitting_ = false;
  bool asking_ = false;
  bool lastSubmitAccepted_ = true;
};

}  // namespace corvane::platform
