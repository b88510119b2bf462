#include "shared/wait_window.h"

#include "platform/services/message_presenter.h"
#include "shared/frm_message.h"
#include "shared/wait_spinner.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

namespace corvane::shared {
namespace {

// Lets the wait window paint while the caller's long query holds the thread. User
// input waits: a click now must not start a second command inside the first.
void LetWindowPaint() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

// Over the window the user works in, or in the middle of the screen.
void Centre(QWidget* window) {
  QRect area;
  if (const QWidget* active = QApplication::activeWindow(); active != nullptr && active != window) {
    area = active->frameGeometry();
  } else if (const QScreen* screen = window->screen()) {
    area = screen->availableGeometry();
  }
  if (area.isValid()) window->move(area.center() - window->rect().center());
}

// The wait window stays on top; a message shown while it is up would lie under
// it. Every message takes it down first, whichever window or service shows it.
void HideWaitForMessage() {
  if (frmMessage::IsLoaded() && frmMessage::Instance()->isVisible()) HideWait();
}

}  // namespace

void ShowWait(const QString& text) {
  static const bool hooked = (platform::MessagePresenter::SetBeforeShow(HideWaitForMessage), true);
  Q_UNUSED(hooked);
  if (QApplication::overrideCursor() != nullptr) {
    QApplication::changeOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  frmMessage* window = frmMessage::Instance();
  window->lblMsg()->setText(text);
  window->adjustSize();
  LetWindowPaint();
  if (!window->isVisible()) Centre(window);
  window->show();
  window->AnimationPlay()->Play();
  LetWindowPaint();
}

void HideWait() {
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
  frmMessage* window = frmMessage::Instance();
  window->AnimationPlay()->Stop();
  LetWindowPaint();
  window->hide();
}

}  // namespace corvane::shared
