#include "platform/controls/date_picker.h"

#include "platform/controls/date_text.h"
#include "platform/controls/popup_placement.h"
#include "platform/services/modal_runner.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QVBoxLayout>

namespace corvane::platform {

DatePicker::DatePicker(QWidget* parent) : QDialog(parent, Qt::Popup) {
  setObjectName(QStringLiteral("DatePicker"));
  calendar_ = new QCalendarWidget(this);
  calendar_->setGridVisible(true);
  calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->addWidget(calendar_);
  connect(calendar_, &QCalendarWidget::clicked, this, &DatePicker::PickDate);
  connect(calendar_, &QCalendarWidget::activated, this, &DatePicker::PickDate);
  calendar_->setSelectedDate(QDate::currentDate());
}

void DatePicker::SetText(const QString& text) {
  const std::optional<QDate> date = DateText::Parse(text);
  calendar_->setSelectedDate(date ? *date : QDate::currentDate());
}

QString DatePicker::Text() const { return DateText::Format(chosen_, separator_); }

void DatePicker::PlaceUnder(const QWidget* box, const QPoint& offset) { PlacePopupUnder(this, box, offset); }

void DatePicker::PickDate(const QDate& date) {
  if (!date.isValid()) return;
  chosen_ = date;
  calendar_->setSelectedDate(date);
  accept();
}

bool DatePicker::PopupUnder(QLineEdit* box, const QString& caption, const QPoint& offset) {
  if (!box) return false;
  DatePicker picker(box);
  picker.SetCaption(caption);
  picker.SetText(box->text());
  picker.PlaceUnder(box, offset);
  const bool chosen = RunModal(picker) == QDialog::Accepted && picker.SelectedDate().isValid();
  if (chosen) box->setText(picker.Text());
  box->setFocus(Qt::OtherFocusReason);
  return chosen;
}

}  // namespace corvane::platform
