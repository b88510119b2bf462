#pragma once

#include "platform/db/money.h"

#include <QString>
#include <optional>

namespace corvane::platform {

// How amounts are written: the decimal separator, the thousands separator (null:
// none), the most decimals, and whether "5." (a point with no decimals after it)
// reads as 5.
struct AmountNotation {
  QChar decimal = QLatin1Char('.');
  QChar thousands = QLatin1Char(',');
  int decimals = 2;
  bool bareDecimalPoint = true;
};

// Why a text is no amount.
enum class AmountRefusal {
  None,
  Empty,      // nothing but blanks
  Separator,  // a comma, point or blank where the notation has none
  Format,     // any other character, a second sign, brackets around part of it
  Decimals,   // more decimals than the notation keeps
  Range,      // beyond what an amount holds
};

struct AmountReading {
  std::optional<Money> value;
  AmountRefusal refusal = AmountRefusal::None;
};

// The one reading of an amount, typed or pasted into a box or a grid cell, given to
// a filter or read from a statement file: full-width forms read as their plain
// forms, blanks around it are ignored, a sign ('+', '-', '−') or accounting
// brackets make it negative or positive, a currency sign may stand in front, the
// whole part is plain digits or groups of three parted by the thousands separator,
// and at most `decimals` digits follow the decimal separator. Any other text is
// refused with the reason: no character is skipped so that the rest reads as
// another number.
AmountReading ReadAmount(const QString& text, const AmountNotation& notation = {});

// An amount as a box shows it to be typed over: two decimals, no separators
// ("-1234.50").
QString PlainAmountText(Money amount);

}  // namespace corvane::platform
