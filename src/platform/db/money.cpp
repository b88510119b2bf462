#include "platform/db/money.h"

#include <cmath>
#include <cstdlib>

namespace corvane::platform {

Money Money::FromDouble(double value) {
  return FromRaw(static_cast<std::int64_t>(std::llround(value * kScale)));
}

std::optional<Money> Money::Parse(const QString& text) {
  QString t = text.trimmed();
  t.remove(QLatin1Char(','));
  if (t.isEmpty()) return std::nullopt;
  bool negative = false;
  int i = 0;
  if (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+')) {
    negative = t[0] == QLatin1Char('-');
    i = 1;
  }
  std::int64_t whole = 0;
  std::int64_t frac = 0;
  int fracDigits = 0;
  bool seenDigit = false;
  bool inFraction = false;
  bool roundUp = false;
  for (; i < t.size(); ++i) {
    const QChar c = t[i];
    if (c == QLatin1Char('.') && !inFraction) {
      inFraction = true;
      continue;
    }
    if (!c.isDigit()) return std::nullopt;
    seenDigit = true;
    const int d = c.digitValue();
    if (!inFraction) {
      if (whole > (INT64_MAX / kScale - 9) / 10) return std::nullopt;
      whole = whole * 10 + d;
    } else if (fracDigits < 4) {
      frac = frac * 10 + d;
      ++fracDigits;
    } else if (fracDigits == 4) {
      roundUp = d >= 5;
      ++fracDigits;
    }
  }
  if (!seenDigit) return std::nullopt;
  for (int k = std::min(fracDigits, 4); k < 4; ++k) frac *= 10;
  std::int64_t raw = whole * kScale + frac + (roundUp ? 1 : 0);
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
  std::uint64_t cents = static_cast<std::uint64_t>(std::llabs(r.raw_)) / 100;
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
  const std::int64_t absRaw = std::llabs(raw_);
  return (raw_ < 0 ? QStringLiteral("-") : QString()) + QString::number(absRaw / kScale) +
         QLatin1Char('.') + QStringLiteral("%1").arg(absRaw % kScale, 4, 10, QLatin1Char('0'));
}

bool AmountsAgree(Money a, Money b) { return std::llabs(a.Raw() - b.Raw()) < 100; }

bool AmountsExactlyEqual(Money a, Money b) { return a.Raw() == b.Raw(); }

}  // namespace corvane::platform
