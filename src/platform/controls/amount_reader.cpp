#include "platform/controls/amount_reader.h"

#include "platform/controls/amount_key_filter.h"

namespace corvane::platform {

namespace {

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F); }

bool IsThousands(QChar c, QChar thousands) {
  return !thousands.isNull() && (c == thousands || (thousands == QLatin1Char(' ') && IsBlank(c)));
}

bool TakeSign(QStringView& s, bool& negative) {
  if (s.isEmpty()) return false;
  const QChar c = s.front();
  if (c != QLatin1Char('+') && c != QLatin1Char('-') && c != QChar(0x2212)) return false;
  negative = c != QLatin1Char('+');
  s = s.mid(1);
  return true;
}

bool TakeCurrencySign(QStringView& s) {
  static const QString signs = QStringLiteral("¥￥$€£");
  if (s.isEmpty() || !signs.contains(s.front())) return false;
  s = s.mid(1).trimmed();
  return true;
}

// The whole part: plain digits, or groups of three after a first group of one to
// three, parted by the thousands separator.
bool ReadWhole(QStringView s, QChar thousands, QString& digits) {
  qsizetype group = 0;
  bool grouped = false;
  for (const QChar c : s) {
    if (IsThousands(c, thousands)) {
      if (group == 0 || (grouped && group != 3) || (!grouped && group > 3)) return false;
      grouped = true;
      group = 0;
    } else if (IsDigit(c)) {
      digits += c;
      ++group;
    } else {
      return false;
    }
  }
  return !grouped || group == 3;
}

bool AllDigits(QStringView s) {
  for (const QChar c : s)
    if (!IsDigit(c)) return false;
  return true;
}

// A text of digits and separators only: a separator stands where the notation has
// none ("12,5", "1 234,56", "1.234,56" with a decimal point).
bool OnlySeparatorsAmiss(QStringView s) {
  bool digit = false;
  for (const QChar c : s) {
    const bool separator = c == QLatin1Char(',') || c == QLatin1Char('.') || c == QLatin1Char('\'') || IsBlank(c);
    if (!IsDigit(c) && !separator) return false;
    digit = digit || IsDigit(c);
  }
  return digit;
}

AmountReading Refused(AmountRefusal why) { return {std::nullopt, why}; }

}  // namespace

AmountReading ReadAmount(const QString& text, const AmountNotation& n) {
  const QString plain = ToHalfWidth(text);
  QStringView s = QStringView(plain).trimmed();
  if (s.isEmpty()) return Refused(AmountRefusal::Empty);
  bool negative = false;
  if (s.front() == QLatin1Char('(') && s.back() == QLatin1Char(')')) {
    negative = true;
    s = s.mid(1, s.size() - 2).trimmed();
  }
  bool signed_ = negative;
  if (!signed_ && TakeSign(s, negative)) signed_ = true;
  if (TakeCurrencySign(s) && !signed_) TakeSign(s, negative);
  if (n.decimal == n.thousands) return Refused(AmountRefusal::Format);
  const qsizetype point = s.indexOf(n.decimal);
  const QStringView whole = point < 0 ? s : s.left(point);
  const QStringView fraction = point < 0 ? QStringView() : s.mid(point + 1);
  QString digits;
  const bool bare = point >= 0 && fraction.isEmpty();
  if (!ReadWhole(whole, n.thousands, digits) || !AllDigits(fraction) || (bare && !n.bareDecimalPoint) ||
      (digits.isEmpty() && fraction.isEmpty()))
    return Refused(OnlySeparatorsAmiss(s) ? AmountRefusal::Separator : AmountRefusal::Format);
  if (fraction.size() > n.decimals) return Refused(AmountRefusal::Decimals);
  if (digits.isEmpty()) digits = QStringLiteral("0");
  if (!fraction.isEmpty()) digits += QLatin1Char('.') + fraction.toString();
  const std::optional<Money> m = Money::Parse(digits);
  if (!m) return Refused(AmountRefusal::Range);
  return {negative ? -*m : *m, AmountRefusal::None};
}

QString PlainAmountText(Money amount) { return amount.ToDisplayText().remove(QLatin1Char(',')); }

}  // namespace corvane::platform
