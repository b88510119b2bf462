#include "shared/messages.h"

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

}  // namespace corvane::shared
