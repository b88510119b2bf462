#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane::platform {
class DateEdit;
}

namespace corvane::reconcile {

class frmYHDZ;

// The matching-conditions dialog "自动对账": a cut-off date and the conditions a
// journal line and a statement line must meet to be paired (dates within a number
// of days, same settlement style, same settlement number; opposite or same side
// and equal amount always). OK hands them to the reconciliation window's public
// variables ExecAuto, AutoEndDate, DateLimit, chkDate, ChkCn_m and ChkCn_id.
//
// Nothing is written until both boxes are accepted: a refused date or day count
// leaves the window's variables as they were and the dialog open. Cancel, Esc and
// the close box all set ExecAuto to false, so a dismissed dialog never reruns the
// previous conditions.
class frmYHDZAuto : public QDialog {
  Q_OBJECT

 public:
  // The widest date window the day box takes: the window's day count is a 16-bit
  // number, and a negative width would pair nothing sensibly.
  static constexpr int kMaxDays = 32767;

  explicit frmYHDZAuto(frmYHDZ& owner, QWidget* parent = nullptr);

  // OK and Cancel, as the buttons run them.
  void Command1_Click();
  void Command2_Click();
  // The date picker under the cut-off box (F2 in the box).
  void Command3_Click();

  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void Form_Load();
  bool AcceptCutOff(QString& cutOff);
  bool AcceptDays(int& days);

  frmYHDZ& owner_;
  QLabel* label1_ = nullptr;
  platform::DateEdit* text1_ = nullptr;
  QPushButton* command3_ = nullptr;
  QGroupBox* frame1_ = nullptr;
  QCheckBox* check1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QLabel* label2_ = nullptr;
  QCheckBox* check2_ = nullptr;
  QCheckBox* check3_ = nullptr;
  QCheckBox* check4_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  QLabel* image1_ = nullptr;
};

// The day count a typed text gives: a number (blanks around it and a sign
// allowed; an empty box gives 0), rounded to the nearest integer with halves to
// the even neighbour. Nothing when the text holds anything else (letters) or the
// number lies outside 0 to frmYHDZAuto::kMaxDays.
std::optional<int> ParseDayCount(const QString& text);

// Shows the conditions dialog for the window. ExecAuto is set to false first, so
// only an OK of this showing lets the matching run; the result is ExecAuto.
bool ShowAutoConditions(frmYHDZ& window);

}  // namespace corvane::reconcile
