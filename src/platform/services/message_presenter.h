#pragma once

#include <QString>

#include <functional>

class QMessageBox;

namespace corvane::platform {

// What a message box asks the user.
struct MessageRequest {
  QString prompt;
  int buttons = 0;  // Windows values, see CashServices::ShowMessage
  QString title;
  QString helpFile;
  int context = 0;
};

// Shows message boxes. The suite's cash services show every message through the
// current presenter, so tests can answer them with a script instead of a person.
class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  // Clears the screen for the message (see SetBeforeShow), then presents it.
  // Returns the answer code: 1 OK, 2 Cancel, 6 Yes, 7 No.
  int Show(const MessageRequest& request);

  // What runs before any message shows, whoever shows it: a window that stays on
  // top (the wait window) must never stand over a message and hide its end.
  static void SetBeforeShow(std::function<void()> clear);

  // The presenter in use; a Qt message box unless one was installed.
  static MessagePresenter& Current();
  // Installs a presenter (not owned); nullptr restores the Qt message box.
  static void Install(MessagePresenter* presenter);

 protected:
  virtual int Present(const MessageRequest& request) = 0;
};

// Widens a message box so that the window manager shows its whole title.
void KeepTitleWhole(QMessageBox& box);

// The Qt message box with the buttons, icon and default button the value asks for.
class QtMessagePresenter : public MessagePresenter {
 protected:
  int Present(const MessageRequest& request) override;
};

}  // namespace corvane::platform
