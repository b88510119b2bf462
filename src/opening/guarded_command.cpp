#include "opening/guarded_command.h"

#include "shared/messages.h"

#include <exception>

namespace corvane::opening {

bool RunGuarded(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const std::exception& e) {
    shared::ShowMsgBox(shared::GetResString(QStringLiteral("corvane.opening.failed"), shared::FailureText(e)), 16,
                       shared::GetResString(shared::kCashTitleKey));
    return false;
  }
}

}  // namespace corvane::opening
