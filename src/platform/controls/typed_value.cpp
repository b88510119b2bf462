#include "platform/controls/typed_value.h"

#include "platform/controls/amount_key_filter.h"

#include <cmath>
#include <limits>

namespace corvane::platform {

QString PlainForm(const QString& text) { return ToHalfWidth(text).trimmed(); }

std::optional<qint64> ReadWholeNumber(const QString& text, bool roundFraction) {
  const QString t = PlainForm(text);
  qsizetype i = 0;
  if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) ++i;
  bool point = false;
  int digits = 0;
  for (; i < t.size(); ++i) {
    if (t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9')) ++digits;
    else if (t[i] == QLatin1Char('.') && roundFraction && !point) point = true;
    else return std::nullopt;
  }
  if (digits == 0) return std::nullopt;
  // Beyond eighteen digits a number is beyond every range a box takes: it reads as
  // the largest (smallest) one, so that it is refused as too large, not as no number.
  if (digits > 18) return t.startsWith(QLatin1Char('-')) ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
  if (!point) return t.toLongLong();
  const double rounded = std::nearbyint(t.toDouble());  // the default rounding: half to even
  return static_cast<qint64>(rounded == 0 ? 0 : rounded);
}

QString ReadCode(const QString& text) { return PlainForm(text); }

}  // namespace corvane::platform
