#pragma once

#include <QString>
#include <optional>
#include <stdexcept>

namespace corvane::platform {

// A failed database operation: a statement the engine refused, a lost connection,
// a column that is not there. Carries the engine's own text so the message the
// user sees says what went wrong.
class DbError : public std::runtime_error {
 public:
  enum class Kind {
    Other,
    // Another session held what the statement needed for longer than the wait
    // allowed (5 s on both engines: SQLite's busy timeout, PostgreSQL's
    // lock_timeout; a deadlock counts too). Nothing of the statement was written;
    // the caller says that another user is working on the same data.
    Busy,
    // A value the layer cannot read as its column's kind (text or a fraction in
    // an amount column, an amount beyond the range of amounts, a date that is no
    // calendar day or an endless date). A stored one was
    // written around the layer, by another program. The text names the value for
    // the developer; a window tells the user in the session's language.
    Unreadable,
    // The connection to the server broke (the server stopped or restarted, the
    // network went). The statement and any transaction open on the connection
    // were lost with it, so nothing of them was written; the next statement
    // outside a transaction connects again. The text is the client library's,
    // without the statement.
    ConnectionLost,
  };

  // The stored value an Unreadable error could not read, so that a window can
  // name it in the session's language. column is empty where the engine does
  // not say which column the value came from.
  struct Unread {
    enum class As { Date, Amount, AmountRange };
    As as = As::Date;
    QString column;
    QString value;
  };

  explicit DbError(const QString& message, Kind kind = Kind::Other)
      : std::runtime_error(message.toStdString()), message_(message), kind_(kind) {}
  // An Unreadable error naming its value.
  DbError(const QString& message, Unread unread)
      : std::runtime_error(message.toStdString()), message_(message), kind_(Kind::Unreadable), unread_(std::move(unread)) {}
  const QString& Message() const { return message_; }
  Kind ErrorKind() const { return kind_; }
  bool IsBusy() const { return kind_ == Kind::Busy; }
  bool IsConnectionLost() const { return kind_ == Kind::ConnectionLost; }
  // A date column's value that is no calendar day (the column empty where the
  // engine cannot tell which): the one wording of every layer that refuses one.
  static DbError UnreadableDate(const QString& column, const QString& value) {
    return DbError(QStringLiteral("The date column %1 holds \"%2\", which is no calendar day").arg(column, value),
                   Unread{Unread::As::Date, column, value});
  }
  const std::optional<Unread>& UnreadValue() const { return unread_; }
  bool IsUnreadableDate() const { return unread_ && unread_->as == Unread::As::Date; }

 private:
  QString message_;
  Kind kind_;
  std::optional<Unread> unread_;
};

}  // namespace corvane::platform
