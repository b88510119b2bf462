#pragma once

#include <QString>

class QWidget;

namespace corvane::shared {

// Sets the captions of a window's controls from the resource texts under the key
// prefix (the rule is the text service's). A failing service leaves the design
// captions; the result is the service's and nobody relies on it.
int LocalizeForm(QWidget* frm, const QString& keyPrefix, const QString& text2 = QString(),
                 const QString& text3 = QString());

// Puts the window's toolbar host ("CTBCtrl1") at the top of the window in the
// suite's style and shows it. A window without one is left as it is; a host
// whose property "toolbarStyle" is 1 is left untouched.
void InitToolbar(QWidget* frm);

// Gives the window the component's icon.
void SetFormIcon(QWidget* frm);

// Takes the window's icon away: it shows none, neither its parent's nor the
// application's (an empty QIcon would fall back to those).
void ClearFormIcon(QWidget* frm);

}  // namespace corvane::shared
