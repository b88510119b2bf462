#include "dialog_fakes.h"

#include "shared/date_text.h"
#include "shared/frm_yhfilter.h"
#include "shared/session.h"

#include <QComboBox>
#include <QListWidget>

namespace corvane::testing {

DialogCommonServices::DialogCommonServices() {
  for (int p = 1; p <= 12; ++p) periods.push_back(QStringLiteral("2026.%1").arg(p, 2, 10, QLatin1Char('0')));
}

void DialogCommonServices::FillPeriodCombo(QComboBox* list, bool selectCurrent) {
  periodCalls.push_back(QStringLiteral("Fill:") + list->objectName());
  list->addItems(periods);
  if (selectCurrent) list->setCurrentIndex(currentPeriod - 1);
}

// The end list keeps only the periods from the start on, and its choice when it
// is still among them.
void DialogCommonServices::SyncPeriodCombos(QComboBox* start, QComboBox* end) {
  periodCalls.push_back(QStringLiteral("Sync:%1>%2").arg(start->objectName(), end->objectName()));
  const QString kept = end->currentText();
  end->clear();
  end->addItems(periods.mid(start->currentIndex()));
  end->setCurrentIndex(qMax(0, end->findText(kept)));
}

void DialogCommonServices::AttachSettleStyleList(QWidget* control, bool combo) {
  if (combo) {
    static_cast<QComboBox*>(control)->addItems(settleStyles);
  } else {
    static_cast<QListWidget*>(control)->addItems(settleStyles);
  }
}

QString DialogCommonServices::GetSettleStyleCode(const QString& entryText, int) {
  return entryText.section(QLatin1Char(' '), 0, 0);
}

QDate DialogCommonServices::ParseDate(const QString& text) {
  return shared::ParseDateText(text).value_or(QDate());
}

platform::BookInfo DialogCashServices::GetBook(const QString& code) {
  auto it = books.find(code);
  if (it == books.end()) throw platform::ServiceError(QStringLiteral("no book ") + code);
  return it->second;
}

void DialogTest::SetUp() {
  shared::Session& session = shared::Session::Current();
  auto commonOwned = std::make_unique<DialogCommonServices>();
  auto cashOwned = std::make_unique<DialogCashServices>();
  common = commonOwned.get();
  cash = cashOwned.get();
  common->accountSet.HomeCurrencyName = QStringLiteral("人民币");
  session.gCommonServices = std::move(commonOwned);
  session.gCashServices = std::move(cashOwned);
  session.gUiStyle = std::make_unique<FakeUiStyle>();
  session.gBookMode = 0;
}

void DialogTest::TearDown() {
  shared::Session& session = shared::Session::Current();
  session.windows.UnloadAll();
  session.gCommonServices.reset();
  session.gCashServices.reset();
  session.gUiStyle.reset();
  session.gBookMode = 0;
  shared::frmYHFilter::YhOrQy = 0;
  shared::frmYHFilter::cSelect.clear();
  shared::frmYHFilter::bSelectNULL = false;
  shared::frmYHFilter::bFlagChkPress = 0;
  shared::frmYHFilter::SetPopups(nullptr, nullptr);
}

}  // namespace corvane::testing
