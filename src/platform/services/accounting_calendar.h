#pragma once

#include <QDate>
#include <QString>
#include <vector>

namespace corvane::platform {

// The twelve accounting periods of the account-set year.
class AccountingCalendar {
 public:
  struct Period {
    int number = 0;
    QDate first;
    QDate last;
  };

  AccountingCalendar() = default;
  AccountingCalendar(int year, std::vector<Period> periods) : year_(year), periods_(std::move(periods)) {}

  int Year() const { return year_; }
  int PeriodCount() const { return static_cast<int>(periods_.size()); }
  // periodIndex counts from 0; which 0 gives the first day, 1 the last. Invalid date when out of range.
  QDate GetPeriodDate(int periodIndex, int which) const;
  // The display text of a period, such as "2026.03".
  QString GetPeriodText(int periodIndex) const;
  // The period (1..12) holding the date, 0 when the date lies outside the year.
  int PeriodOfDate(const QDate& date) const;
  const std::vector<Period>& Periods() const { return periods_; }

 private:
  int year_ = 0;
  std::vector<Period> periods_;
};

}  // namespace corvane::platform
