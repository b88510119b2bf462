#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QPushButton;

namespace corvane::reconcile {

class frmYHDZ;

// The cancel-range dialog "银行反对账范围": the first accounting period whose ticks
// are cancelled (Combo1, position k = period k + 1) and which ticks go (Combo2: all,
// automatic, manual). OK hands them to the reconciliation window's ExecAuto,
// UnAutoMonth and iCancelType. Cancel, Esc and the close box set ExecAuto to false
// and change nothing else.
class frmYhUnAuto : public QDialog {
  Q_OBJECT

 public:
  explicit frmYhUnAuto(frmYHDZ& owner, QWidget* parent = nullptr);

  void Command1_Click();
  void Command2_Click();
  void reject() override;

 private:
  void BuildControls();
  void Form_Load();

  frmYHDZ& owner_;
  QGroupBox* frame1_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QComboBox* combo2_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
};

// Shows the cancel-range dialog for the window. ExecAuto is set to false first, so
// only an OK of this showing lets the cancel go on; the result is ExecAuto.
bool ShowCancelRange(frmYHDZ& window);

}  // namespace corvane::reconcile
