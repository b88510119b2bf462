#include "platform/services/accounting_calendar.h"

namespace corvane::platform {

QDate AccountingCalendar::GetPeriodDate(int periodIndex, int which) const {
  if (periodIndex < 0 || periodIndex >= PeriodCount()) return {};
  return which == 0 ? periods_[periodIndex].first : periods_[periodIndex].last;
}

QString AccountingCalendar::GetPeriodText(int periodIndex) const {
  if (periodIndex < 0 || periodIndex >= PeriodCount()) return {};
  return QStringLiteral("%1.%2").arg(year_).arg(periods_[periodIndex].number, 2, 10, QLatin1Char('0'));
}

int AccountingCalendar::PeriodOfDate(const QDate& date) const {
  if (!date.isValid()) return 0;
  for (const Period& p : periods_)
    if (date >= p.first && date <= p.last) return p.number;
  return 0;
}

}  // namespace corvane::platform
