#pragma once

#include <QString>

namespace corvane::shared {

// Key codes of the suite's key-press filter.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;

// What an amount box holds when a key arrives: its text, the caret (or the start of
// the selection) and the length of the selection, in characters.
struct AmountBoxState {
  QString text;
  int selStart = 0;
  int selLength = 0;
};

// maxLen counts every character of the box; decimals is the number of digits the
// box takes after the decimal point. With the defaults an amount has at most 13
// characters before the point (a sign included) and 2 after it.
struct AmountKeyOptions {
  bool bPositiveOnly = false;
  int maxLen = 16;
  int decimals = 2;
};

// keyAscii is the key to let through, 0 when the key is refused. When
// queueDecimalPoint is set, the key passes and a "." is to follow it: the integer
// part has reached its longest, so the point is typed for the user.
struct AmountKeyVerdict {
  int keyAscii = 0;
  bool queueDecimalPoint = false;
};

// The key filter of a money box: digits, one decimal point, one leading sign (unless
// only positive amounts are taken), Backspace, Enter and Esc; the box never holds
// more characters than maxLen, more digits after the point than decimals, or more
// characters before the point than maxLen - decimals - 1, wherever the caret is.
AmountKeyVerdict FilterAmountKey(int keyAscii, const AmountBoxState& box,
                                 const AmountKeyOptions& options = {});

}  // namespace corvane::shared
