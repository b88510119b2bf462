#pragma once

#include "platform/controls/amount_key_filter.h"
#include "platform/controls/amount_reader.h"
#include "platform/db/money.h"

#include <QLineEdit>
#include <optional>

namespace corvane::platform {

// A text box for an amount. Digits keep to the box's room (FilterAmountKey); any
// other key, and pasted text, goes in as it is, and the box's text is read by
// ReadAmount with the box's decimals, so typing and pasting one text give one
// answer. While the box has the focus a readable amount shows as the plain number
// ("1234.5"); when it loses the focus as "#,0.00".
class AmountEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit AmountEdit(QWidget* parent = nullptr);

  void SetRules(const AmountKeyRules& rules);
  const AmountKeyRules& Rules() const { return rules_; }

  // The box's text read as an amount, or why it is none.
  AmountReading Reading() const;
  // Nothing when the box is empty or holds no amount.
  std::optional<Money> Value() const;
  void SetValue(std::optional<Money> value);
  // A readable amount without thousands separators; any other text as it stands.
  QString PlainText() const;
  // The amount in its display form, or the text as it stands when it is no amount.
  QString DisplayText() const;

  // The display form of an amount with the given number of decimals (0 to 4).
  static QString FormatAmount(Money value, int decimals);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  AmountKeyRules rules_;
};

}  // namespace corvane::platform
