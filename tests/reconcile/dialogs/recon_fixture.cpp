#include "recon_fixture.h"

#include "fake_session.h"
#include "platform/services/period_list.h"
#include "shared/session.h"

#include <QApplication>
#include <tuple>

namespace corvane::testing {

platform::AccountingCalendar ReconCommonServices::GetCalendar() {
  std::vector<platform::AccountingCalendar::Period> periods;
  for (int p = 1; p <= 12; ++p) periods.push_back({p, QDate(2026, p, 1), QDate(2026, p, 1).addMonths(1).addDays(-1)});
  return platform::AccountingCalendar(2026, std::move(periods));
}

void ReconCommonServices::FillPeriodCombo(QComboBox* list, bool fromBeginning) {
  if (noPeriods) return;
  const platform::AccountingCalendar calendar = GetCalendar();
  if (fromBeginning) platform::PeriodList::AddNoBoundEntry(list, QStringLiteral("不限"));
  for (int p = 0; p < calendar.PeriodCount(); ++p) list->addItem(calendar.GetPeriodText(p));
  list->setCurrentIndex(0);
}

void ReconTest::SetUp() {
  std::tie(common, cash) = InstallFakeServices<ReconCommonServices, ReconCashServices>();
  SetBookMode(false);
}

void ReconTest::TearDown() {
  window_.reset();
  QApplication::processEvents();
  RemoveFakeServices();
}

void ReconTest::SetBookMode(bool bookMode) { shared::Session::Current().gBookMode = bookMode ? 1 : 0; }

reconcile::frmYHDZ& ReconTest::Window() {
  if (!window_) window_ = std::make_unique<reconcile::frmYHDZ>();
  return *window_;
}

}  // namespace corvane::testing
