#pragma once

#include "platform/controls/amount_key_filter.h"

#include <QObject>

class QLineEdit;

namespace corvane::shared {

// Applies the amount key rules (platform::FilterAmountKey) to a plain line edit:
// keys the rules refuse never reach the box, and the decimal point that closes a
// full integer part is typed after the digit. Shortcuts pass untouched except
// paste, which would slip past the rules. A full-width key, or text committed by an
// input method, is typed in its ASCII form. The filter belongs to the box and goes
// with it.
class AmountKeyFilter : public QObject {
  Q_OBJECT

 public:
  explicit AmountKeyFilter(QLineEdit* box, platform::AmountKeyRules rules = {});

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  platform::AmountKeyRules rules_;
};

// The key-press form used by the windows' own key handlers: a full-width key comes
// back as its ASCII form, KeyAscii is set to 0 when the box refuses it; a "." that
// has to follow the key is posted to the box.
void FilterAmountKey(int& KeyAscii, QLineEdit* txt, bool bPositiveOnly = false, int maxLen = 16,
                     int decimals = 2);
// After FilterAmountKey: when the key typed (its text) is not KeyAscii, puts KeyAscii
// into the box in its place and gives true (the key itself is then dropped).
bool TypeAsAscii(QLineEdit* box, const QString& typed, int KeyAscii);

}  // namespace corvane::shared
