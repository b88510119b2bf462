#include "recon_fixture.h"

#include "platform/controls/date_text.h"
#include "shared/session.h"

#include <QApplication>
#include <QComboBox>
#include <algorithm>

namespace corvane::testing {

using platform::DbValue;

platform::AccountInfo ReconCommonServices::GetAccount(const QString& code) {
  platform::AccountInfo a;
  a.code = code;
  a.StartDate = startDate;
  return a;
}

QDate ReconCommonServices::ParseDate(const QString& text) {
  return platform::DateText::Parse(text).value_or(QDate());
}

platform::AccountingCalendar ReconCommonServices::GetCalendar() {
  std::vector<platform::AccountingCalendar::Period> periods;
  for (int p = 1; p <= 12; ++p) {
    const QDate first(2026, p, 1);
    periods.push_back({p, first, first.addMonths(1).addDays(-1)});
  }
  return platform::AccountingCalendar(2026, std::move(periods));
}

void ReconCommonServices::FillPeriodCombo(QComboBox* list, bool selectCurrent) {
  periodCalls.push_back(QStringLiteral("Fill:") + list->objectName());
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

void ReconData::Add(const JournalLine& l) {
  const bool book = bookMode_ != l.otherModeTable;
  const DbValue tick = l.tick ? DbValue(*l.tick) : DbValue();
  if (book) {
    db_.Execute(QStringLiteral("insert into RP_Flow (cFlowID, cBookCode, ccode, BillDate, iperiod, ibook, md, mc, md_f, "
                               "mc_f, iflagbank, bdelete) values (?,?,?,?,?,?,?,?,?,?,?,?)"),
                {l.book + QStringLiteral("%1").arg(++flow_, 6, 10, QLatin1Char('0')), l.book, l.code, l.date, l.period,
                 l.posted, M(l.md), M(l.mc), M(l.mdForeign), M(l.mcForeign), tick, l.cleared});
  } else {
    db_.Execute(QStringLiteral("insert into gl_accvouch (ccode, dbill_date, iperiod, ibook, md, mc, md_f, mc_f, "
                               "iflagbank, bdelete, iflag) values (?,?,?,?,?,?,?,?,?,?,?)"),
                {l.code, l.date, l.period, l.posted, M(l.md), M(l.mc), M(l.mdForeign), M(l.mcForeign), tick,
                 l.cleared, l.voucherState ? DbValue(*l.voucherState) : DbValue()});
  }
}

void ReconData::Add(const StatementLine& l) {
  const bool book = bookMode_ != l.otherModeTable;
  db_.Execute(QStringLiteral("insert into %1 (ccode, cBookCode, dDate, bd_c, mmoney, iflag, ibegin, bdelete) "
                             "values (?,?,?,?,?,?,?,?)")
                  .arg(book ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp")),
              {l.code, l.book, l.date, l.debit ? DbValue(*l.debit) : DbValue(), M(l.amount),
               l.tick ? DbValue(*l.tick) : DbValue(), l.ibegin, l.cleared});
}

void ReconData::Clear() {
  for (const char* table : {"gl_accvouch", "RP_Flow", "rp_bankrecp", "rp_bankrecp_rp"})
    db_.Execute(QStringLiteral("delete from ") + QLatin1String(table));
}

namespace {

std::vector<int> Ticks(platform::DbConnection& db, const QString& sql) {
  std::vector<int> out;
  for (const auto& row : db.Query(sql).rows) out.push_back(static_cast<int>(row.at(0).ToInt()));
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace

std::vector<int> ReconData::JournalTicks(bool otherModeTable) {
  const bool book = bookMode_ != otherModeTable;
  return Ticks(db_, book ? QStringLiteral("select iflagbank from RP_Flow where iflagbank is not null")
                         : QStringLiteral("select iflagbank from gl_accvouch where iflagbank is not null"));
}

std::vector<int> ReconData::StatementTicks(bool otherModeTable) {
  const bool book = bookMode_ != otherModeTable;
  return Ticks(db_, book ? QStringLiteral("select iflag from rp_bankrecp_rp where iflag is not null")
                         : QStringLiteral("select iflag from rp_bankrecp where iflag is not null"));
}

}  // namespace corvane::testing
