#include "platform/controls/amount_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>
#include <cstdlib>

namespace corvane::platform {

namespace {

// Pasted and dropped text goes in whole, in its plain forms: the reader judges it
// as it judges typed text, and a refusal says why.
class AmountValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    input = ToHalfWidth(input);
    return Acceptable;
  }
};

QChar FilterKeyOf(const QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyEnter;
    case Qt::Key_Backspace:
      return kKeyBackspace;
    case Qt::Key_Escape:
      return kKeyEscape;
    default:
      break;
  }
  const QString text = event->text();
  // Navigation, Delete and shortcuts (no text, or with Ctrl) are not typed characters.
  if (text.isEmpty() || event->modifiers().testFlag(Qt::ControlModifier) || !text[0].isPrint()) return QChar();
  return ToHalfWidth(text[0]);
}

}  // namespace

AmountEdit::AmountEdit(QWidget* parent) : QLineEdit(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setValidator(new AmountValidator(this));
  setMaxLength(rules_.maxLength + rules_.maxLength / 3);  // room for separators in the display form
}

void AmountEdit::SetRules(const AmountKeyRules& rules) {
  rules_ = rules;
  setMaxLength(rules_.maxLength + rules_.maxLength / 3);
}

AmountReading AmountEdit::Reading() const {
  AmountNotation notation;
  notation.decimals = rules_.decimals;
  return ReadAmount(text(), notation);
}

std::optional<Money> AmountEdit::Value() const { return Reading().value; }

void AmountEdit::SetValue(std::optional<Money> value) {
  setText(value ? FormatAmount(*value, rules_.decimals) : QString());
}

QString AmountEdit::PlainText() const {
  const std::optional<Money> value = Value();
  return value ? FormatAmount(*value, rules_.decimals).remove(QLatin1Char(',')) : text();
}

QString AmountEdit::DisplayText() const {
  const std::optional<Money> value = Value();
  return value ? FormatAmount(*value, rules_.decimals) : text();
}

QString AmountEdit::FormatAmount(Money value, int decimals) {
  decimals = std::max(0, std::min(decimals, 4));
  if (decimals == 2) return value.ToDisplayText();
  std::int64_t unit = 1;
  for (int i = decimals; i < 4; ++i) unit *= 10;
  std::int64_t raw = value.Raw();
  const std::int64_t half = unit / 2;
  raw = raw >= 0 ? (raw + half) / unit * unit : -((-raw + half) / unit * unit);
  const std::int64_t absRaw = std::llabs(raw);
  QString whole = QString::number(absRaw / Money::kScale);
  for (int pos = static_cast<int>(whole.size()) - 3; pos > 0; pos -= 3) whole.insert(pos, QLatin1Char(','));
  QString text = (raw < 0 ? QStringLiteral("-") : QString()) + whole;
  if (decimals > 0) {
    text += QLatin1Char('.') +
            QStringLiteral("%1").arg((absRaw % Money::kScale) / unit, decimals, 10, QLatin1Char('0'));
  }
  return text;
}

void AmountEdit::keyPressEvent(QKeyEvent* event) {
  const QChar key = FilterKeyOf(event);
  if (key.isNull()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  // The filter judges the plain text, as the user sees it while typing.
  const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
  const int selLength = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
  const AmountKeyVerdict verdict = FilterAmountKey(key, text(), selStart, selLength, rules_);
  if (verdict == AmountKeyVerdict::Refuse) {
    event->accept();
    return;
  }
  // A full-width key goes in as its ASCII form.
  if (!event->text().isEmpty() && event->text()[0] != key) insert(QString(key));
  else QLineEdit::keyPressEvent(event);
  if (verdict == AmountKeyVerdict::PassThenPoint) insert(QStringLiteral("."));
}

void AmountEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (!RetypeCommittedText(this, event)) QLineEdit::inputMethodEvent(event);
}

void AmountEdit::focusInEvent(QFocusEvent* event) {
  if (text().contains(QLatin1Char(',')) && Value()) setText(PlainText());
  QLineEdit::focusInEvent(event);
}

void AmountEdit::focusOutEvent(QFocusEvent* event) {
  // A popup of the box's own (a menu, the calculator) is no leaving.
  if (event->reason() != Qt::PopupFocusReason) {
    const QString plain = text().trimmed();
    if (!Value()) {
      // A lone sign or point is no amount; anything else unreadable stays for the user to see.
      if (plain == QLatin1String("-") || plain == QLatin1String("+") || plain == QLatin1String(".")) clear();
    } else {
      setText(DisplayText());
    }
  }
  QLineEdit::focusOutEvent(event);
}

}  // namespace corvane::platform
