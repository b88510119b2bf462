#pragma once

#include <QString>
#include <stdexcept>

namespace corvane::platform {

// A call on one of the suite's service objects that failed (no connection, a
// missing calendar, a refused argument). Callers test for it where they call.
class ServiceError : public std::runtime_error {
 public:
  explicit ServiceError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& Message() const { return message_; }

 private:
  QString message_;
};

}  // namespace corvane::platform
