#pragma once

#include <QDate>
#include <QLineEdit>
#include <optional>

class QAction;

namespace corvane::platform {

// A text box for a date. It takes digits and the separators ". - /" (typed
// full-width, in their ASCII forms), reads
// "yyyy.mm.dd" and "yyyy-mm-dd" (and "yyyymmdd"), and shows a readable date as
// "yyyy.mm.dd" once it loses the focus; a text that is no date stays as typed for
// the window's check to report. The button at its right edge (or F4, Alt+Down)
// opens the calendar pop-up.
class DateEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit DateEdit(QWidget* parent = nullptr);

  std::optional<QDate> Date() const;
  void SetDate(const QDate& date);
  void SetPickerCaption(const QString& caption) { pickerCaption_ = caption; }
  // Opens the calendar under the box; true when a date was chosen.
  bool OpenPicker();
  QAction* PickerButton() const { return pickerButton_; }

 signals:
  void DatePicked(const QDate& date);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QAction* pickerButton_;
  QString pickerCaption_;
};

}  // namespace corvane::platform
