#pragma once

#include <QTableView>

class QKeyEvent;
class QMouseEvent;

namespace corvane::platform {

// What a grid widget answers for its table view: keys first, mouse events after the
// view has moved the current cell (so a handler reads the cell under the pointer),
// and consent before the cursor leaves a row.
class GridViewHost {
 public:
  virtual ~GridViewHost() = default;
  // True when the key was used up and the view must not see it.
  virtual bool ViewKeyPress(QKeyEvent* event) = 0;
  virtual void ViewMouseEvent(QMouseEvent* event) = 0;
  virtual void ViewFocusIn() = 0;
  // Whether leaving this view row needs the owner's consent at all.
  virtual bool RowChangeNeedsConsent(int viewRow) const = 0;
  // Asked before the cursor moves to another view row by key or mouse. On refusal,
  // stayCol names the column of the current row to go to instead.
  virtual bool AllowRowChange(int fromViewRow, int toViewRow, int& stayCol) = 0;
};

// The table view inside the list and entry grids.
class GridView : public QTableView {
  Q_OBJECT

 public:
  GridView(GridViewHost* host, QWidget* parent);

  // True while the user is stretching a selection (Shift held or dragging), so the
  // anchor cell stays and only the selection end follows the cursor.
  bool IsExtending() const { return extending_; }
  // Scrolls so that the view row is the top one, laying the rows out first when a
  // reset has left the scroll range stale.
  void ScrollViewRowToTop(int viewRow);
  int TopViewRow() const;
  // Scrolls so that the column is the leftmost one, as far as the range allows.
  void ScrollColToLeft(int col);
  bool IsEditing() const { return state() == EditingState; }
  // Typing a letter does not jump to a row starting with it: in these grids the
  // current row is a command's target, and it moves only where the user points.
  void keyboardSearch(const QString&) override {}

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

 private:
  bool LeavingRowRefused(const QModelIndex& target);

  GridViewHost* host_;
  bool extending_ = false;
};

}  // namespace corvane::platform
