#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <exception>

namespace corvane::shared {

// Title keys of the message boxes.
inline const QString kTitleKey = QStringLiteral("Q9.CW.GL.ZWSQL.BAS.00427");
inline const QString kCashTitleKey = QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00046");

// Arguments of a resource text, as text.
inline QString ToArgText(const QString& v) { return v; }
inline QString ToArgText(const char* v) { return QString::fromUtf8(v); }
template <class T>
QString ToArgText(const T& v) { return QVariant::fromValue(v).toString(); }

// The resource text of a key with its arguments placed in order. A failing text
// service gives the empty text and shows nothing.
QString GetResStringWith(const QString& key, const QStringList* args);

template <class... Args>
QString GetResString(const QString& key, const Args&... args) {
  if constexpr (sizeof...(Args) == 0) {
    return GetResStringWith(key, nullptr);
  } else {
    const QStringList list{ToArgText(args)...};
    return GetResStringWith(key, &list);
  }
}

// The suite's message box; returns the Windows answer code (1 OK, 2 Cancel, 6 Yes, 7 No).
int ShowMsgBox(const QString& prompt, int buttons = 0, const QString& title = QString(),
               const QString& helpFile = QString(), int context = 0);

// The usual case: the text of a message key with arguments, under the usual title.
template <class... Args>
int ShowResMessage(int buttons, const QString& key, const Args&... args) {
  return ShowMsgBox(GetResString(key, args...), buttons, GetResString(kTitleKey));
}

// What the user is told of a failure: a wait for another session that ran out,
// or a stored value the layer cannot read, is said in the component's own words,
// in the session's language, with the value named (in that language where the
// layer said which value it was, else in the database's words) as a detail; a
// lost connection to the server by the component's words alone; any other
// failure by its own text.
QString FailureText(const std::exception& e);

}  // namespace corvane::shared
