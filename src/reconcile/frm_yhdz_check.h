#pragma once

#include <QDialog>

class QLabel;
class QFrame;
class QPushButton;

namespace corvane::platform {
class ListGrid;
}

namespace corvane::reconcile {

class frmYHDZ;

// The balance-check window "对账平衡检查": the ticked totals of the journal and of
// the statement in a 3 x 3 table (receipts and payments of each side, the
// statement side arranged by the account's direction) and a legend saying whether
// they balance. It reads the four totals from the reconciliation window's public
// variables, where a missing total becomes 0, and changes nothing else.
class frmYHDZCheck : public QDialog {
  Q_OBJECT

 public:
  explicit frmYHDZCheck(frmYHDZ& owner, QWidget* parent = nullptr);

  bool Balanced() const { return balanced_; }
  platform::ListGrid* MSGrid1() const { return grid_; }

 private:
  void BuildControls();
  void Form_Load();
  void FillTable();

  frmYHDZ& owner_;
  platform::ListGrid* grid_ = nullptr;
  QFrame* shape1_ = nullptr;
  QLabel* label1_ = nullptr;
  QFrame* shape2_ = nullptr;
  QLabel* label2_ = nullptr;
  QPushButton* command1_ = nullptr;
  bool balanced_ = false;
};

// The check command of the reconciliation window: sums the ticked lines of the
// account the window loaded (its account and book, never the last selection made
// elsewhere), puts the totals into ChkQyJf, ChkQyDf, ChkYhJf and ChkYhDf, and
// shows frmYHDZCheck. A failing sum is reported and shows no totals. Changes no
// stored data and none of the window's account state.
void RunBalanceCheck(frmYHDZ& window);

}  // namespace corvane::reconcile
