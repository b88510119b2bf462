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

  // Only the whole part is held to the box's room, so that the decimals keep
  // theirs. Any other key goes in as typed (a comma, a bracket, a second point or
  // sign, a letter, a third decimal): dropped, it would leave another number
  // ("(100)" as 100, "1e5" as 15, "1.005" as 1.00); kept, the amount's reader
  // refuses the text with its reason when the box is read.
  const int integerRoom = rules.maxLength - rules.decimals - 1;
  if (!IsAsciiDigit(key) || (point >= 0 && selStart > point)) return AmountKeyVerdict::Pass;
  if (point >= 0) return point >= integerRoom ? AmountKeyVerdict::Refuse : AmountKeyVerdict::Pass;
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
