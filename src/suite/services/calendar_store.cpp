#include "suite/services/calendar_store.h"

#include "platform/db/db_connection.h"
#include "platform/services/service_error.h"
#include "suite/services/text_source.h"

#include <QRegularExpression>

namespace corvane::suite {

using platform::AccountingCalendar;
using platform::ServiceError;

AccountingCalendar LoadCalendar(platform::DbConnection& connection, int year, TextSource* texts) {
  const auto fault = [texts, year](const char* key, const char* fallback, int period = 0) {
    return ServiceError(TextOr(texts, QStringLiteral("corvane.suite.calendar.") + QLatin1String(key), QString::fromUtf8(fallback),
                               {QString::number(year), QString::number(period)}));
  };
  const platform::ResultSet r = connection.Query(
      QStringLiteral("select iperiod, dbegin, dend from corvane_calendar where iyear = ? order by iperiod"), {year});
  if (r.rows.empty()) throw fault("none", "会计年度%1没有设置会计期间。");
  std::vector<AccountingCalendar::Period> periods;
  for (const auto& row : r.rows) {
    AccountingCalendar::Period p{static_cast<int>(row[0].ToInt()), row[1].ToDate(), row[2].ToDate()};
    const int expected = static_cast<int>(periods.size()) + 1;
    if (p.number != expected)
      throw fault("missing", "会计年度%1缺少第%2期。", expected);
    if (!p.first.isValid() || !p.last.isValid() || p.last < p.first)
      throw fault("baddates", "会计年度%1第%2期的起止日期无效。", p.number);
    if (!periods.empty() && periods.back().last.addDays(1) != p.first)
      throw fault("gap", "会计年度%1第%2期与上一期不相接。", p.number);
    periods.push_back(p);
  }
  return AccountingCalendar(year, std::move(periods));
}

int PeriodNumberOfText(const AccountingCalendar& calendar, const QString& text) {
  static const QRegularExpression withYear(QStringLiteral("^(\\d{4})\\s*[.\\-/年]\\s*(\\d{1,2})\\s*月?$"));
  static const QRegularExpression bare(QStringLiteral("^\\d{1,2}$"));
  const QString t = text.trimmed();
  int period = 0;
  if (auto m = withYear.match(t); m.hasMatch()) {
    if (m.captured(1).toInt() != calendar.Year()) return 0;
    period = m.captured(2).toInt();
  } else if (bare.match(t).hasMatch()) {
    period = t.toInt();
  }
  return period >= 1 && period <= calendar.PeriodCount() ? period : 0;
}

int PeriodOfDateClamped(const AccountingCalendar& calendar, const QDate& date) {
  if (calendar.PeriodCount() == 0 || !date.isValid()) return 1;
  if (const int p = calendar.PeriodOfDate(date); p > 0) return p;
  return date < calendar.Periods().front().first ? 1 : calendar.PeriodCount();
}

}  // namespace corvane::suite
