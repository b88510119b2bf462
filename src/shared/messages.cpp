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

QString FailureText(const std::exception& e) {
  const auto* db = dynamic_cast<const platform::DbError*>(&e);
  if (!db || db->ErrorKind() == platform::DbError::Kind::Other) return QString::fromUtf8(e.what());
  const QString text = GetResString(db->IsBusy() ? QStringLiteral("corvane.host.busy") : QStringLiteral("corvane.host.unreadable"),
                                    db->Message());
  return text.isEmpty() ? db->Message() : text;
}

}  // namespace corvane::shared
