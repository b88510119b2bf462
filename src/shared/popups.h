#pragma once

class QLineEdit;
class QWidget;

namespace corvane::shared {

// The suite's pop-ups under a text box. dx and dy (twips) shift the pop-up when
// the box sits inside a frame.

// A calculator starting from the box's amount; its result replaces the text.
// False when it was closed on an error (a division by zero, a result too large
// to show): the user is told that it was not taken and the text stays.
bool PopupCalculator(QLineEdit* txt, QWidget* frm, int dx = 0, int dy = 0);
// A free calculator (F9), its result not used.
void PopupCalculatorKey(QWidget* frm, int left = 0, int top = 0);
// A date picker; the chosen date replaces the text as "yyyy.mm.dd".
void PopupCalendar(QLineEdit* txt, QWidget* frm, int dx = 0, int dy = 0);
// The digest reference; the text travels through ParamObject (InputText in,
// Confirmed and Value2 out).
void PopupDigestReference();

// Lets the shared dialogs use these pop-ups and the wait window take the
// session's captions, icon and style, and keeps every window inside the screen.
// Run once the session has started.
void InstallSessionHooks();

}  // namespace corvane::shared
