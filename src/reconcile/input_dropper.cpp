#include "reconcile/input_dropper.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace corvane::reconcile {

namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
      return true;
    default:
      return false;
  }
}

// Whether the object belongs to the modal dialog on top, if there is one.
bool InModalDialog(QObject* watched) {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return false;
  if (auto* widget = qobject_cast<QWidget*>(watched)) return widget->window() == modal;
  if (auto* window = qobject_cast<QWindow*>(watched)) return window == modal->windowHandle();
  return false;
}

}  // namespace

InputDropper::InputDropper() { qApp->installEventFilter(this); }

InputDropper::~InputDropper() { qApp->removeEventFilter(this); }

void InputDropper::KeepAlive() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

bool InputDropper::eventFilter(QObject* watched, QEvent* event) {
  if (!IsUserInput(event->type()) || InModalDialog(watched)) return false;
  event->accept();
  return true;
}

}  // namespace corvane::reconcile
