#include "shared/amount_key_filter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace corvane::shared {
namespace {

using platform::AmountKeyVerdict;

// The character code a key press types, or -1 for a key that types nothing
// (arrows, Delete, Tab), which the filter lets through like the suite's boxes do.
int KeyCodeOf(const QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Backspace: return platform::kKeyBackspace.unicode();
    case Qt::Key_Return:
    case Qt::Key_Enter: return platform::kKeyEnter.unicode();
    case Qt::Key_Escape: return platform::kKeyEscape.unicode();
    default: break;
  }
  const QString text = key->text();
  if (text.isEmpty()) return -1;
  // A full-width key counts as its ASCII form; several characters are refused.
  return text.size() == 1 ? platform::ToHalfWidth(text.at(0)).unicode() : 0xFFFF;
}

// Whether the box takes the key as it stands; a point that has to follow the key
// is posted to the box.
bool Takes(QLineEdit* box, int keyCode, const platform::AmountKeyRules& rules) {
  if (keyCode < 0 || keyCode > 0xFFFF) return false;
  const bool selected = box->hasSelectedText();
  const int selStart = selected ? box->selectionStart() : box->cursorPosition();
  const int selLength = selected ? int(box->selectedText().size()) : 0;
  const AmountKeyVerdict verdict = platform::FilterAmountKey(QChar(keyCode), box->text(), selStart, selLength, rules);
  if (verdict == AmountKeyVerdict::PassThenPoint) {
    QCoreApplication::postEvent(
        box, new QKeyEvent(QEvent::KeyPress, Qt::Key_Period, Qt::NoModifier, QStringLiteral(".")));
  }
  return verdict != AmountKeyVerdict::Refuse;
}

}  // namespace

AmountKeyFilter::AmountKeyFilter(QLineEdit* box, platform::AmountKeyRules rules) : QObject(box), rules_(rules) {
  box->installEventFilter(this);
}

bool AmountKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (box == nullptr) return false;
  if (event->type() == QEvent::InputMethod)
    return platform::RetypeCommittedText(box, static_cast<QInputMethodEvent*>(event));
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->matches(QKeySequence::Paste)) return true;
  const auto shortcut = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  if (key->modifiers() & shortcut) return false;
  const int code = KeyCodeOf(key);
  if (code < 0) return false;
  if (!Takes(box, code, rules_)) return true;
  return TypeAsAscii(box, key->text(), code);
}

bool TypeAsAscii(QLineEdit* box, const QString& typed, int KeyAscii) {
  if (KeyAscii <= 0 || typed.isEmpty() || typed.at(0).unicode() == KeyAscii) return false;
  box->insert(QString(QChar(KeyAscii)));
  return true;
}

void FilterAmountKey(int& KeyAscii, QLineEdit* txt, bool bPositiveOnly, int maxLen, int decimals) {
  if (txt == nullptr) return;
  if (KeyAscii > 0 && KeyAscii <= 0xFFFF) KeyAscii = platform::ToHalfWidth(QChar(KeyAscii)).unicode();
  if (!Takes(txt, KeyAscii, platform::AmountKeyRules{bPositiveOnly, maxLen, decimals})) KeyAscii = 0;
}

}  // namespace corvane::shared
