#include "shared/messages.h"

#include "platform/db/db_error.h"
#include "shared/session.h"

#include <exception>

namespace corvane::shared {

QString GetResStringWith(const QString& key, const QStringList* args) {
  try {
    return Session::Current().Common().GetString(key, args);
  } catch (const std::exception&) {
    return QString();
  }
}

int ShowMsgBox(const QString& prompt, int buttons, const QString& title, const QString& helpFile, int context) {
  return Session::Current().Cash().ShowMessage(prompt, buttons, title, helpFile, context);
}

namespace {

// The value an Unreadable failure names, in the session's language where the
// layer said which value it was (and where it was); otherwise the database's words.
QString UnreadDetail(const platform::DbError& e) {
  using As = platform::DbError::Unread::As;
  const auto& u = e.UnreadValue();
  if (!u) return e.Message();
  const QString text = GetResString(u->as == As::Date     ? QStringLiteral("corvane.host.unreadable.date")
                                    : u->as == As::Amount ? QStringLiteral("corvane.host.unreadable.amount")
                                                          : QStringLiteral("corvane.host.unreadable.range"),
                                    u->column, u->value);
  return text.isEmpty() ? e.Message() : text;
}

}  // namespace

QString FailureText(const std::exception& e) {
  const auto* db = dynamic_cast<const platform::DbError*>(&e);
  if (!db || db->ErrorKind() == platform::DbError::Kind::Other) return QString::fromUtf8(e.what());
  // The client library's words and the statement mean nothing to the user.
  if (db->IsConnectionLost()) {
    const QString text = GetResString(QStringLiteral("corvane.host.connectionlost"));
    return text.isEmpty() ? db->Message() : text;
  }
  const QString detail = db->IsBusy() ? db->Message() : UnreadDetail(*db);
  const QString text = GetResString(db->IsBusy() ? QStringLiteral("corvane.host.busy") : QStringLiteral("corvane.host.unreadable"),
                                    detail);
  return text.isEmpty() ? detail : text;
}

}  // namespace corvane::shared
