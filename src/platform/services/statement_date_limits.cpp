#include "platform/services/statement_date_limits.h"

namespace corvane::platform {

StatementDateLimits::Verdict StatementDateLimits::Check(const QDate& date) const {
  if (startDate.isValid() && date < startDate) return Verdict::BeforeStart;
  if (lastDay.isValid() && date > lastDay) return Verdict::AfterLastDay;
  return Verdict::Ok;
}

QString StatementDateLimits::ReasonKey(const QDate& date, QStringList& args) const {
  const Verdict v = Check(date);
  if (v == Verdict::Ok) return QString();
  // Dates as the statement window and the import's preview show them.
  const QString format = QStringLiteral("yyyy.MM.dd");
  args = {date.toString(format), (v == Verdict::BeforeStart ? startDate : lastDay).toString(format)};
  return v == Verdict::BeforeStart ? QStringLiteral("corvane.import.beforestart") : QStringLiteral("corvane.import.afterlastday");
}

}  // namespace corvane::platform
