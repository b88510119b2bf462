#pragma once

#include <QString>

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
  // Returns the answer code: 1 OK, 2 Cancel, 6 Yes, 7 No.
  virtual int Show(const MessageRequest& request) = 0;

  // The presenter in use; a Qt message box unless one was installed.
  static MessagePresenter& Current();
  // Installs a presenter (not owned); nullptr restores the Qt message box.
  static void Install(MessagePresenter* presenter);
};

// Widens a message box so that the window manager shows its whole title.
void KeepTitleWhole(QMessageBox& box);

// The Qt message box with the buttons, icon and default button the value asks for.
class QtMessagePresenter : public MessagePresenter {
 public:
  int Show(const MessageRequest& request) override;
};

}  // namespace corvane::platform
