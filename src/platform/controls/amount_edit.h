#pragma once

#include "platform/controls/amount_key_filter.h"
#include "platform/db/money.h"

#include <QLineEdit>
#include <optional>

namespace corvane::platform {

// A text box for an amount. Keys pass the amount filter (digits, one point, a
// leading sign, no more decimals than allowed); pasted text must form an amount as
// a whole. While the box has the focus it shows the plain number ("1234.5"); when
// it loses the focus it shows "#,0.00".
class AmountEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit AmountEdit(QWidget* parent = nullptr);

  void SetRules(const AmountKeyRules& rules);
  const AmountKeyRules& Rules() const { return rules_; }

  // Nothing when the box is empty or holds no number.
  std::optional<Money> Value() const;
  void SetValue(std::optional<Money> value);
  // The text without thousands separators.
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
