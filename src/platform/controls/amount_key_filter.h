#pragma once

#include <QChar>
#include <QString>

class QInputMethodEvent;
class QWidget;

namespace corvane::platform {

// The rules of an amount box: at most maxLength characters, at most `decimals`
// digits after the point, at most maxLength - decimals - 1 characters before it (a
// sign included). positiveOnly no longer refuses the sign key (a dropped sign
// would leave another number): the check that reads such a box refuses a negative
// amount with its reason.
struct AmountKeyRules {
  bool positiveOnly = false;
  int maxLength = 16;
  int decimals = 2;
};

enum class AmountKeyVerdict {
  Refuse,
  Pass,
  // Pass the digit and close the integer part with a point right after it, so that a
  // long amount never runs out of room for its decimals.
  PassThenPoint,
};

// Control keys as the filter knows them.
inline constexpr QChar kKeyEnter = QChar(13);
inline constexpr QChar kKeyBackspace = QChar(8);
inline constexpr QChar kKeyEscape = QChar(27);

// Decides one typed key of an amount box holding `text`, with the caret at selStart
// and selLength characters selected (the key replaces them). Only a digit of the
// whole part can be refused (the box is full, or the whole part is); every other
// key is typed, for the reader (ReadAmount) to judge the whole text.
AmountKeyVerdict FilterAmountKey(QChar key, const QString& text, int selStart, int selLength,
                                 const AmountKeyRules& rules = AmountKeyRules());

// Whether a whole text (typed, pasted or set) is a possible amount under the rules:
// an optional sign, digits, one point, no more decimals than allowed, thousands
// separators ignored. An empty text, a lone sign or a lone point count as possible
// (the user is still typing).
bool IsAmountTextAllowed(const QString& text, const AmountKeyRules& rules = AmountKeyRules());

// The ASCII form of what a Chinese input method types in its full-width mode
// (digits, signs, point, separators, the ideographic space and full stop), so that
// amount and date boxes take "７７７．７７" as "777.77"; any other character as it is.
QChar ToHalfWidth(QChar c);
QString ToHalfWidth(const QString& text);

// Hands the text an input method commits to box as typed keys, one a character in
// its ASCII form, so that it meets the box's key rules like any key; what is being
// composed stays the input method's. False when the event commits nothing (the box
// takes it as it is).
bool RetypeCommittedText(QWidget* box, QInputMethodEvent* event);

}  // namespace corvane::platform
