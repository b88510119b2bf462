#include "shared/amount_key_filter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace corvane::shared {
namespace {

AmountBoxState StateOf(const QLineEdit* box) {
  AmountBoxState state;
  state.text = box->text();
  if (box->hasSelectedText()) {
    state.selStart = box->selectionStart();
    state.selLength = int(box->selectedText().size());
  } else {
    state.selStart = box->cursorPosition();
  }
  return state;
}

void PostDecimalPoint(QLineEdit* box) {
  QCoreApplication::postEvent(
      box, new QKeyEvent(QEvent::KeyPress, Qt::Key_Period, Qt::NoModifier, QStringLiteral(".")));
}

// The character code a key press types, or -1 for a key that types nothing
// (arrows, Delete, Tab), which the filter lets through like the suite's boxes do.
int KeyCodeOf(const QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Backspace: return kKeyBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kKeyEnter;
    case Qt::Key_Escape: return kKeyEscape;
    default: break;
  }
  const QString text = key->text();
  if (text.isEmpty()) return -1;
  return text.size() == 1 ? text.at(0).unicode() : 0xFFFF;  // several characters: refused
}

AmountKeyVerdict Judge(int keyAscii, QLineEdit* box, const AmountKeyOptions& options) {
  AmountKeyVerdict verdict = FilterAmountKey(keyAscii, StateOf(box), options);
  if (verdict.queueDecimalPoint) PostDecimalPoint(box);
  return verdict;
}

}  // namespace

AmountKeyFilter::AmountKeyFilter(QLineEdit* box, AmountKeyOptions options)
    : QObject(box), options_(options) {
  box->installEventFilter(this);
}

bool AmountKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (box == nullptr) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->matches(QKeySequence::Paste)) return true;
  const auto shortcut = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  if (key->modifiers() & shortcut) return false;
  const int code = KeyCodeOf(key);
  if (code < 0) return false;
  return Judge(code, box, options_).keyAscii == 0;
}

void FilterAmountKey(int& keyAscii, QLineEdit* txt, bool bPositiveOnly, int maxLen, int decimals) {
  if (txt == nullptr) return;
  keyAscii = Judge(keyAscii, txt, AmountKeyOptions{bPositiveOnly, maxLen, decimals}).keyAscii;
}

}  // namespace corvane::shared
