#pragma once

#include <QChar>
#include <QDate>
#include <QDialog>
#include <QPoint>

class QCalendarWidget;
class QLineEdit;

namespace corvane::platform {

// The calendar pop-up under a date box. It opens on the date the box holds (today
// when it holds none); a click, Enter or PickDate chooses a date and closes it with
// Accepted; Esc or a click elsewhere closes it without a choice.
class DatePicker : public QDialog {
  Q_OBJECT

 public:
  explicit DatePicker(QWidget* parent = nullptr);

  void SetSeparator(QChar separator) { separator_ = separator; }
  void SetCaption(const QString& caption) { setWindowTitle(caption); }
  // Preselects the date of a text ("yyyy.mm.dd", "yyyy-mm-dd", ...).
  void SetText(const QString& text);
  // The chosen date as "yyyy.mm.dd" (with the separator); empty until one is chosen.
  QString Text() const;
  QDate SelectedDate() const { return chosen_; }
  void PlaceUnder(const QWidget* box, const QPoint& offset = QPoint());

  // Chooses a date and closes, as a click on it would.
  void PickDate(const QDate& date);
  QCalendarWidget* Calendar() const { return calendar_; }

  // The whole round for a text box: opens under it (through the modal runner), and
  // on a choice writes "yyyy.mm.dd" into it. The focus goes back to the box. True
  // when a date was chosen.
  static bool PopupUnder(QLineEdit* box, const QString& caption = QString(), const QPoint& offset = QPoint());

 private:
  QCalendarWidget* calendar_;
  QDate chosen_;
  QChar separator_ = QLatin1Char('.');
};

}  // namespace corvane::platform
