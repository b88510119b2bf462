#pragma once

#include <functional>

namespace corvane::opening {

// Runs one command of a window: a failure (database, service) is shown to the
// user as a message and reported as false, so nothing escapes the event that
// started the command; the command's own transaction has already rolled back.
bool RunGuarded(const std::function<void()>& command);

}  // namespace corvane::opening
