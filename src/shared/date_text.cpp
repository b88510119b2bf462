#include "shared/date_text.h"

#include <QRegularExpression>

namespace corvane::shared {
namespace {

std::optional<QDate> MakeDate(const QString& year, const QString& month, const QString& day) {
  const QDate date(year.toInt(), month.toInt(), day.toInt());
  if (!date.isValid()) return std::nullopt;
  return date;
}

}  // namespace

std::optional<QDate> ParseDateText(QStringView text) {
  static const QRegularExpression kSeparated(
      QStringLiteral(R"(^(\d{4})([.\-/])(\d{1,2})\2(\d{1,2})$)"));
  static const QRegularExpression kChinese(
      QStringLiteral(u"^(\\d{4})年(\\d{1,2})月(\\d{1,2})日?$"));
  static const QRegularExpression kCompact(QStringLiteral(R"(^(\d{4})(\d{2})(\d{2})$)"));

  const QString trimmed = text.trimmed().toString();
  if (const auto m = kSeparated.match(trimmed); m.hasMatch()) {
    return MakeDate(m.captured(1), m.captured(3), m.captured(4));
  }
  if (const auto m = kChinese.match(trimmed); m.hasMatch()) {
    return MakeDate(m.captured(1), m.captured(2), m.captured(3));
  }
  if (const auto m = kCompact.match(trimmed); m.hasMatch()) {
    return MakeDate(m.captured(1), m.captured(2), m.captured(3));
  }
  return std::nullopt;
}

QString FormatDateText(const std::optional<QDate>& date) {
  if (!date || !date->isValid()) return QString::fromUtf16(kNoDateText);
  return QStringLiteral("%1.%2.%3")
      .arg(date->year(), 4, 10, QLatin1Char('0'))
      .arg(date->month(), 2, 10, QLatin1Char('0'))
      .arg(date->day(), 2, 10, QLatin1Char('0'));
}

QString NormalizeDateText(QString& s) {
  const QString formatted = FormatDateText(ParseDateText(s));
  if (formatted == QString::fromUtf16(kNoDateText)) return QString();
  s = formatted;
  return s;
}

}  // namespace corvane::shared
