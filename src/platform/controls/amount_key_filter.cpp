#include "platform/controls/amount_key_filter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>

namespace corvane::platform {

namespace {

bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool IsSign(QChar c) { return c == QLatin1Char('+') || c == QLatin1Char('-'); }

}  // namespace

AmountKeyVerdict FilterAmountKey(QChar key, const QString& text, int selStart, int selLength,
                                 const AmountKeyRules& rules) {
  const int length = static_cast<int>(text.size());
  selStart = std::clamp(selStart, 0, length);
  selLength = std::clamp(selLength, 0, length - selStart);
  const bool control = key == kKeyEnter || key == kKeyBackspace || key == kKeyEscape;
  if (!control && length - selLength >= rules.maxLength) return AmountKeyVerdict::Refuse;
  if (control) return AmountKeyVerdict::Pass;

  // What stays of the text once the key replaces the selection, split at the caret.
  const QString before = text.left(selStart);
  const QString after = text.mid(selStart + selLength);
  const QString rest = before + after;
  const qsizetype point = rest.indexOf(QLatin1Char('.'));

  if (key == QLatin1Char('.')) {
    if (point >= 0 || rules.decimals <= 0) return AmountKeyVerdict::Refuse;
    // A point typed in front of the sign or with more digits behind it than the
    // decimals allow would make an amount the box cannot keep.
    if (!after.isEmpty() && IsSign(after[0])) return AmountKeyVerdict::Refuse;
    return after.size() <= rules.decimals ? AmountKeyVerdict::Pass : AmountKeyVerdict::Refuse;
  }
  if (IsSign(key)) {
    const bool hasSign = rest.contains(QLatin1Char('+')) || rest.contains(QLatin1Char('-'));
    return !rules.positiveOnly && !hasSign && selStart == 0 ? AmountKeyVerdict::Pass
                                                            : AmountKeyVerdict::Refuse;
  }
  if (!IsAsciiDigit(key)) return AmountKeyVerdict::Refuse;
  // Nothing goes in front of the sign.
  if (before.isEmpty() && !after.isEmpty() && IsSign(after[0])) return AmountKeyVerdict::Refuse;

  // The integer part (a sign included) holds at most maxLength - decimals - 1
  // characters, wherever the caret is, so that the decimals always keep their room.
  const int integerRoom = rules.maxLength - rules.decimals - 1;
  if (point >= 0) {
    const bool caretInDecimals = selStart > point;
    if (!caretInDecimals) return point >= integerRoom ? AmountKeyVerdict::Refuse : AmountKeyVerdict::Pass;
    // Decimals full and the caret among them: no further decimal digit.
    const int decimalsNow = static_cast<int>(rest.size() - point - 1);
    return decimalsNow >= rules.decimals ? AmountKeyVerdict::Refuse : AmountKeyVerdict::Pass;
  }
  // No point yet: typing the last character of the integer part at the end puts
  // the point in by itself.
  const int restLength = static_cast<int>(rest.size());
  if (restLength >= integerRoom) return AmountKeyVerdict::Refuse;
  if (restLength == integerRoom - 1 && after.isEmpty()) return AmountKeyVerdict::PassThenPoint;
  return AmountKeyVerdict::Pass;
}

bool IsAmountTextAllowed(const QString& text, const AmountKeyRules& rules) {
  QString t = text;
  t.remove(QLatin1Char(','));
  if (t.size() > rules.maxLength) return false;
  int i = 0;
  if (i < t.size() && IsSign(t[i])) {
    if (rules.positiveOnly) return false;
    ++i;
  }
  int decimals = -1;  // -1: no point yet
  for (; i < t.size(); ++i) {
    const QChar c = t[i];
    if (c == QLatin1Char('.')) {
      if (decimals >= 0) return false;
      decimals = 0;
    } else if (IsAsciiDigit(c)) {
      if (decimals >= 0 && ++decimals > rules.decimals) return false;
    } else {
      return false;
    }
  }
  return true;
}

QChar ToHalfWidth(QChar c) {
  const char16_t u = c.unicode();
  if (u >= 0xFF01 && u <= 0xFF5E) return QChar(char16_t(u - 0xFEE0));
  if (u == 0x3000) return QLatin1Char(' ');
  if (u == 0x3002) return QLatin1Char('.');  // the full stop typed for "." in Chinese punctuation
  return c;
}

QString ToHalfWidth(const QString& text) {
  QString ascii = text;
  for (QChar& c : ascii) c = ToHalfWidth(c);
  return ascii;
}

bool RetypeCommittedText(QWidget* box, QInputMethodEvent* event) {
  if (box == nullptr || event->commitString().isEmpty()) return false;
  for (QChar c : ToHalfWidth(event->commitString())) {
    const int key = c.unicode() < 0x80 ? QChar(c).toUpper().unicode() : int(Qt::Key_unknown);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(box, &press);
  }
  if (!event->preeditString().isEmpty()) {
    QInputMethodEvent composing(event->preeditString(), event->attributes());
    QCoreApplication::sendEvent(box, &composing);
  }
  return true;
}

}  // namespace corvane::platform
