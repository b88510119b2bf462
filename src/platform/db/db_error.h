#pragma once

#include <QString>
#include <stdexcept>

namespace corvane::platform {

// A failed database operation: a statement the engine refused, a lost connection,
// a column that is not there. Carries the engine's own text so the message the
// user sees says what went wrong.
class DbError : public std::runtime_error {
 public:
  explicit DbError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& Message() const { return message_; }

 private:
  QString message_;
};

}  // namespace corvane::platform
