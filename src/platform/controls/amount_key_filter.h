#pragma once

#include <QChar>
#include <QString>

namespace corvane::platform {

// The rules of an amount box: at most maxLength characters, at most `decimals`
// digits after the point, at most maxLength - decimals - 1 characters before it (a
// sign included), and a leading sign unless only positive amounts are wanted.
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
// and selLength characters selected (the key replaces them).
AmountKeyVerdict FilterAmountKey(QChar key, const QString& text, int selStart, int selLength,
                                 const AmountKeyRules& rules = AmountKeyRules());

// Whether a whole text (typed, pasted or set) is a possible amount under the rules:
// an optional sign, digits, one point, no more decimals than allowed, thousands
// separators ignored. An empty text, a lone sign or a lone point count as possible
// (the user is still typing).
bool IsAmountTextAllowed(const QString& text, const AmountKeyRules& rules = AmountKeyRules());

}  // namespace corvane::platform
