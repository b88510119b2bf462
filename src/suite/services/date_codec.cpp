#include "suite/services/date_codec.h"

#include <QRegularExpression>

namespace corvane::suite {

namespace {

// The first year a booking can carry; it also keeps the no-date text (year 100)
// and two-digit-year slips out.
constexpr int kFirstYear = 1900;

QDate Checked(int year, int month, int day) {
  if (year < kFirstYear) return {};
  return QDate(year, month, day);  // invalid for 2026-02-30 and the like
}

}  // namespace

QDate ParseDateText(const QString& text) {
  const QString t = text.trimmed();
  // One separator kind throughout: "2026.03-05" is a typing slip, not a date.
  static const QRegularExpression separated(QStringLiteral("^(\\d{4})([.\\-/])(\\d{1,2})\\2(\\d{1,2})$"));
  static const QRegularExpression compact(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})$"));
  if (auto m = separated.match(t); m.hasMatch())
    return Checked(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
  if (auto m = compact.match(t); m.hasMatch())
    return Checked(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
  return {};
}

QString FormatDateText(const QDate& date) {
  if (!date.isValid()) return QString::fromLatin1(kNoDateText);
  return date.toString(QStringLiteral("yyyy.MM.dd"));
}

}  // namespace corvane::suite
