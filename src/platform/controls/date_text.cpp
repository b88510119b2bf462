#include "platform/controls/date_text.h"

#include "platform/controls/typed_value.h"

#include <QRegularExpression>

namespace corvane::platform {

std::optional<QDate> DateText::Parse(const QString& text) {
  static const QRegularExpression separated(QStringLiteral("^(\\d{4})([.\\-/])(\\d{1,2})\\2(\\d{1,2})$"));
  static const QRegularExpression compact(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})$"));
  const QString t = PlainForm(text);
  int year = 0;
  int month = 0;
  int day = 0;
  if (const auto m = separated.match(t); m.hasMatch()) {
    year = m.captured(1).toInt();
    month = m.captured(3).toInt();
    day = m.captured(4).toInt();
  } else if (const auto c = compact.match(t); c.hasMatch()) {
    year = c.captured(1).toInt();
    month = c.captured(2).toInt();
    day = c.captured(3).toInt();
  } else {
    return std::nullopt;
  }
  // Earlier years are slips (a two-digit year) or the suite's text for no date.
  if (year < kFirstYear) return std::nullopt;
  const QDate date(year, month, day);
  if (!date.isValid()) return std::nullopt;
  return date;
}

QString DateText::Format(const QDate& date, QChar separator) {
  if (!date.isValid()) return QString();
  const int y = date.year(), m = date.month(), d = date.day();
  if (y < 0 || y > 9999) {
    const auto padded = [](int value, int width) { return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0')); };
    return padded(y, 4) + separator + padded(m, 2) + separator + padded(d, 2);
  }
  // Filled by hand: lists format a date for every loaded line.
  QString out(10, separator);
  QChar* c = out.data();
  c[0] = QLatin1Char(static_cast<char>('0' + y / 1000));
  c[1] = QLatin1Char(static_cast<char>('0' + y / 100 % 10));
  c[2] = QLatin1Char(static_cast<char>('0' + y / 10 % 10));
  c[3] = QLatin1Char(static_cast<char>('0' + y % 10));
  c[5] = QLatin1Char(static_cast<char>('0' + m / 10));
  c[6] = QLatin1Char(static_cast<char>('0' + m % 10));
  c[8] = QLatin1Char(static_cast<char>('0' + d / 10));
  c[9] = QLatin1Char(static_cast<char>('0' + d % 10));
  return out;
}

bool DateText::IsDateChar(QChar c) {
  return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') ||
         c == QLatin1Char('-') || c == QLatin1Char('/');
}

}  // namespace corvane::platform
