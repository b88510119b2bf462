#include "platform/controls/date_edit.h"

#include "platform/controls/amount_key_filter.h"

#include "platform/controls/date_picker.h"
#include "platform/controls/date_text.h"

#include <QAction>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QStyle>

namespace corvane::platform {

DateEdit::DateEdit(QWidget* parent) : QLineEdit(parent) {
  setMaxLength(10);
  pickerButton_ = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
  connect(pickerButton_, &QAction::triggered, this, [this] { OpenPicker(); });
}

std::optional<QDate> DateEdit::Date() const { return DateText::Parse(text()); }

void DateEdit::SetDate(const QDate& date) { setText(DateText::Format(date)); }

bool DateEdit::OpenPicker() {
  if (!DatePicker::PopupUnder(this, pickerCaption_)) return false;
  if (const std::optional<QDate> date = Date()) emit DatePicked(*date);
  return true;
}

void DateEdit::keyPressEvent(QKeyEvent* event) {
  const bool altDown = event->key() == Qt::Key_Down && event->modifiers().testFlag(Qt::AltModifier);
  if (event->key() == Qt::Key_F4 || altDown) {
    OpenPicker();
    return;
  }
  const QString text = event->text();
  const bool typed = !text.isEmpty() && text[0].isPrint() && !event->modifiers().testFlag(Qt::ControlModifier);
  const QChar key = typed ? ToHalfWidth(text[0]) : QChar();
  if (typed && !DateText::IsDateChar(key)) {
    event->accept();
    return;
  }
  // A full-width digit or separator goes in as its ASCII form.
  if (typed && key != text[0]) insert(QString(key));
  else QLineEdit::keyPressEvent(event);
}

void DateEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (!RetypeCommittedText(this, event)) QLineEdit::inputMethodEvent(event);
}

void DateEdit::focusOutEvent(QFocusEvent* event) {
  if (event->reason() != Qt::PopupFocusReason) {
    if (const std::optional<QDate> date = Date()) SetDate(*date);
  }
  QLineEdit::focusOutEvent(event);
}

}  // namespace corvane::platform
