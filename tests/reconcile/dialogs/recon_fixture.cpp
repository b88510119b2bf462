#include "recon_fixture.h"

#include "shared/session.h"

#include <QApplication>

namespace corvane::testing {

platform::AccountingCalendar ReconCommonServices::GetCalendar() {
  std::vector<platform::AccountingCalendar::Period> periods;
  for (int p = 1; p <= 12; ++p) periods.push_back({p, QDate(2026, p, 1), QDate(2026, p, 1).addMonths(1).addDays(-1)});
  return platform::AccountingCalendar(2026, std::move(periods));
}

void ReconCommonServices::FillPeriodCombo(QComboBox* list, bool selectCurrent) {
  if (noPeriods) return;
  const platform::AccountingCalendar calendar = GetCalendar();
  for (int p = 0; p < calendar.PeriodCount(); ++p) list->addItem(calendar.GetPeriodText(p));
  if (selectCurrent) list->setCurrentIndex(currentPeriod - 1);
}

void ReconTest::SetUp() {
  shared::Session& session = shared::Session::Current();
  auto commonOwned = std::make_unique<ReconCommonServices>();
  auto cashOwned = std::make_unique<ReconCashServices>();
  common = commonOwned.get();
  cash = cashOwned.get();
  session.gCommonServices = std::move(commonOwned);
  session.gCashServices = std::move(cashOwned);
  session.gUiStyle = std::make_unique<FakeUiStyle>();
  session.gBookMode = 0;
}

void ReconTest::TearDown() {
  window_.reset();
  QApplication::processEvents();
  shared::Session& session = shared::Session::Current();
  session.gCommonServices.reset();
  session.gCashServices.reset();
  session.gUiStyle.reset();
  session.gBookMode = 0;
}

void ReconTest::SetBookMode(bool bookMode) { shared::Session::Current().gBookMode = bookMode ? 1 : 0; }

reconcile::frmYHDZ& ReconTest::Window() {
  if (!window_) window_ = std::make_unique<reconcile::frmYHDZ>();
  return *window_;
}

}  // namespace corvane::testing
