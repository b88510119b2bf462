#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace corvane::query {

// The audit conditions dialog "长期未达账审计条件": the audit date and the age in
// days of the long-outstanding audit. OK hands back, in the session's
// ParamObject, Confirmed True, Value1 the audit date trimmed (empty: no date
// bound) and Value2 the days as a whole number; Cancel only Confirmed False.
// A date the suite refuses keeps the dialog open with the focus in the date box;
// an age beyond -32768..32767 days is refused with a message.
class frmYHCQWDTJ : public QDialog {
  Q_OBJECT

 public:
  explicit frmYHCQWDTJ(QWidget* parent = nullptr);

  // Shows the dialog modally; true when it was closed with OK.
  bool ShowModal();

  void Command1_Click();
  void Command2_Click();
  void Command3_Click();

  QLineEdit* Text1() const { return text1_; }
  QLineEdit* Text2() const { return text2_; }
  QPushButton* Command1() const { return command1_; }
  QPushButton* Command2() const { return command2_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void StepDays(int step);

  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QToolButton* upDown_[2] = {};
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
};

}  // namespace corvane::query
