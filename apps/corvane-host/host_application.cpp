#include "host_application.h"

#include "shared/messages.h"

#include <cstdio>
#include <exception>

namespace {

using corvane::shared::GetResString;

// Says the failure in a message box, and on stderr for logs. The box is shown
// after the handler has ended, so the event loop it runs starts from a clean
// state; a failure of the box itself leaves the log line.
void ShowUncaught(const QString& text) {
  std::fprintf(stderr, "A command failed: %s\n", qPrintable(text));
  try {
    corvane::shared::ShowMsgBox(text, 16, GetResString(corvane::shared::kTitleKey));
  } catch (...) {
  }
}

}  // namespace

HostApplication::HostApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool HostApplication::notify(QObject* receiver, QEvent* event) {
  QString failure;
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    failure = corvane::shared::FailureText(e);
  } catch (...) {
    failure = GetResString(QStringLiteral("corvane.host.failed"));
    if (failure.isEmpty()) failure = QStringLiteral("corvane.host.failed");
  }
  ShowUncaught(failure);
  return false;
}
