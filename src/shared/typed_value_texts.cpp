#include "shared/typed_value_texts.h"

#include "shared/messages.h"

#include <QLineEdit>

namespace corvane::shared {

QString AmountRefusalText(const QString& typed, platform::AmountRefusal why, int decimals) {
  const QString text = typed.trimmed();
  switch (why) {
    case platform::AmountRefusal::Separator:
      return GetResString(QStringLiteral("corvane.read.amount.separator"), text);
    case platform::AmountRefusal::Decimals:
      return GetResString(QStringLiteral("corvane.read.amount.decimals"), text, decimals);
    case platform::AmountRefusal::Range:
      return GetResString(QStringLiteral("corvane.grid.amountrefused"), text,
                          GetResString(QStringLiteral("corvane.grid.amounttoolarge"),
                                       platform::Money::LineMax().ToDisplayText()));
    default:
      return GetResString(QStringLiteral("corvane.read.amount"), text);
  }
}

QString DateRefusalText(const QString& typed) {
  return GetResString(QStringLiteral("corvane.read.date"), typed.trimmed());
}

QString WholeNumberRefusalText(const QString& typed) {
  return GetResString(QStringLiteral("corvane.read.number"), typed.trimmed());
}

void RefuseBox(QLineEdit* box, const QString& prompt) {
  ShowMsgBox(prompt, 48, GetResString(kCashTitleKey));
  box->setFocus();
  box->selectAll();
}

}  // namespace corvane::shared
