#include "platform/db/money.h"

#include "platform/db/db_error.h"

#include <QList>
#include <cmath>
#include <cstdlib>

namespace corvane::platform {

QString MoneyOutOfRangeText(const QString& what) {
  return QStringLiteral("The amount (%1) is out of range: amounts are kept between -922,337,203,685,477.5807 "
                        "and 922,337,203,685,477.5807").arg(what);
}

void ThrowMoneyOutOfRange(const QString& what) { throw DbError(MoneyOutOfRangeText(what)); }

Money Money::FromDouble(double value) {
  const double scaled = std::round(value * kScale);
  // 2^63 is the first double past the range; NaN fails both tests.
  if (!(scaled < 9223372036854775808.0 && scaled > -9223372036854775808.0))
    ThrowMoneyOutOfRange(QString::number(value, 'g', 17));
  return FromRaw(static_cast<std::int64_t>(scaled));
}

namespace {

bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Whole part of an amount: plain digits, or 1-3 digits followed by groups ","
// and three digits. Gives the digits without separators, or nothing.
std::optional<QString> WholeDigits(QStringView whole) {
  if (!whole.contains(QLatin1Char(','))) {
    for (QChar c : whole)
      if (!IsAsciiDigit(c)) return std::nullopt;
    return whole.toString();
  }
  const auto groups = whole.split(QLatin1Char(','));
  QString digits;
  for (qsizetype g = 0; g < groups.size(); ++g) {
    const QStringView group = groups[g];
    if (group.isEmpty() || group.size() > 3 || (g > 0 && group.size() != 3)) return std::nullopt;
    for (QChar c : group)
      if (!IsAsciiDigit(c)) return std::nullopt;
    digits += group;
  }
  return digits;
}

}  // namespace

std::optional<Money> Money::Parse(const QString& text) {
  QStringView t = QStringView(text).trimmed();
  bool negative = false;
  if (!t.isEmpty() && (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+'))) {
    negative = t[0] == QLatin1Char('-');
    t = t.mid(1);
  }
  const qsizetype point = t.indexOf(QLatin1Char('.'));
  const QStringView wholeText = point < 0 ? t : t.left(point);
  const QStringView fraction = point < 0 ? QStringView() : t.mid(point + 1);
  if (wholeText.isEmpty() && fraction.isEmpty()) return std::nullopt;
  const auto whole = WholeDigits(wholeText);
  if (!whole) return std::nullopt;
  for (QChar c : fraction)
    if (!IsAsciiDigit(c)) return std::nullopt;  // a second point, a comma, letters
  std::int64_t raw = 0;
  for (QChar c : *whole) {
    if (__builtin_mul_overflow(raw, std::int64_t{10}, &raw) ||
        __builtin_add_overflow(raw, std::int64_t{c.digitValue()}, &raw))
      return std::nullopt;
  }
  if (__builtin_mul_overflow(raw, kScale, &raw)) return std::nullopt;
  std::int64_t frac = 0;
  for (qsizetype k = 0; k < 4; ++k) frac = frac * 10 + (k < fraction.size() ? fraction[k].digitValue() : 0);
  if (fraction.size() > 4 && fraction[4].digitValue() >= 5) ++frac;
  if (__builtin_add_overflow(raw, frac, &raw)) return std::nullopt;
  return FromRaw(negative ? -raw : raw);
}

Money Money::RoundedToCents() const {
  const std::int64_t rem = raw_ % 100;
  std::int64_t base = raw_ - rem;
  if (rem >= 50) base += 100;
  if (rem <= -50) base -= 100;
  return FromRaw(base);
}

QString Money::ToDisplayText() const {
  // Built in a character buffer: lists format every amount they show.
  const Money r = RoundedToCents();
  std::uint64_t cents = (r.raw_ < 0 ? 0 - static_cast<std::uint64_t>(r.raw_) : static_cast<std::uint64_t>(r.raw_)) / 100;
  char buf[40];
  int pos = sizeof(buf);
  buf[--pos] = static_cast<char>('0' + cents % 10);
  cents /= 10;
  buf[--pos] = static_cast<char>('0' + cents % 10);
  cents /= 10;
  buf[--pos] = '.';
  int digits = 0;
  do {
    if (digits > 0 && digits % 3 == 0) buf[--pos] = ',';
    buf[--pos] = static_cast<char>('0' + cents % 10);
    cents /= 10;
    ++digits;
  } while (cents > 0);
  if (r.raw_ < 0) buf[--pos] = '-';
  return QString::fromLatin1(buf + pos, static_cast<int>(sizeof(buf)) - pos);
}

QString Money::ToPlainText() const {
  const std::uint64_t absRaw = raw_ < 0 ? 0 - static_cast<std::uint64_t>(raw_) : static_cast<std::uint64_t>(raw_);
  return (raw_ < 0 ? QStringLiteral("-") : QString()) + QString::number(absRaw / kScale) + QLatin1Char('.') +
         QStringLiteral("%1").arg(static_cast<qulonglong>(absRaw % kScale), 4, 10, QLatin1Char('0'));
}

bool AmountsAgree(Money a, Money b) { return std::llabs(a.Raw() - b.Raw()) < 100; }

bool AmountsExactlyEqual(Money a, Money b) { return a.Raw() == b.Raw(); }

}  // namespace corvane::platform
