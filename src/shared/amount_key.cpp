#include "shared/amount_key.h"

namespace corvane::shared {
namespace {

constexpr AmountKeyVerdict kRefused{0, false};

AmountKeyVerdict Pass(int key) { return {key, false}; }

bool HasSign(const QString& text) {
  return text.contains(QLatin1Char('+')) || text.contains(QLatin1Char('-'));
}

// Length of the part before the point once the key has replaced the selection.
int IntegerPartAfterTyping(const AmountBoxState& box, qsizetype dot) {
  const int end = box.selStart + box.selLength;
  if (dot < 0) return int(box.text.size()) - box.selLength + 1;
  if (box.selStart > dot) return int(dot);  // typed after the point
  const int selectedBeforeDot = int(qMin<qsizetype>(end, dot)) - box.selStart;
  return int(dot) - selectedBeforeDot + 1;
}

AmountKeyVerdict FilterDecimalPoint(const AmountBoxState& box, const AmountKeyOptions& o) {
  if (box.text.contains(QLatin1Char('.'))) return kRefused;
  // The digits after the caret become decimals: no more than the box takes.
  const int after = int(box.text.size()) - (box.selStart + box.selLength);
  if (after > o.decimals) return kRefused;
  return Pass('.');
}

AmountKeyVerdict FilterSign(int key, const AmountBoxState& box, const AmountKeyOptions& o) {
  if (o.bPositiveOnly || HasSign(box.text) || box.selStart != 0) return kRefused;
  return Pass(key);
}

AmountKeyVerdict FilterDigit(int key, const AmountBoxState& box, const AmountKeyOptions& o) {
  const int length = int(box.text.size());
  const qsizetype dot = box.text.indexOf(QLatin1Char('.'));
  const int longestIntegerPart = o.maxLen - o.decimals - 1;
  if (dot >= 0 && box.selStart > dot) {
    const bool decimalsFull = length - (dot + 1) >= o.decimals;
    if (box.selLength == 0 && decimalsFull) return kRefused;
    return Pass(key);
  }
  if (IntegerPartAfterTyping(box, dot) > longestIntegerPart) return kRefused;
  // The last digit of the integer part typed at the end brings its point with it.
  const bool atEnd = box.selLength == 0 && box.selStart == length;
  if (dot < 0 && atEnd && length == longestIntegerPart - 1) return {key, true};
  return Pass(key);
}

}  // namespace

AmountKeyVerdict FilterAmountKey(int keyAscii, const AmountBoxState& box,
                                 const AmountKeyOptions& options) {
  const bool control =
      keyAscii == kKeyEnter || keyAscii == kKeyBackspace || keyAscii == kKeyEscape;
  if (control) return Pass(keyAscii);
  if (box.text.size() - box.selLength >= options.maxLen) return kRefused;
  // Nothing goes in front of a sign: "5-12" is no amount.
  const bool signFirst =
      box.text.startsWith(QLatin1Char('+')) || box.text.startsWith(QLatin1Char('-'));
  if (signFirst && box.selStart == 0 && box.selLength == 0) return kRefused;

  if (keyAscii == '.') return FilterDecimalPoint(box, options);
  if (keyAscii == '+' || keyAscii == '-') return FilterSign(keyAscii, box, options);
  if (keyAscii < '0' || keyAscii > '9') return kRefused;
  return FilterDigit(keyAscii, box, options);
}

}  // namespace corvane::shared
