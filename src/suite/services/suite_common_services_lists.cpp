// The parts of the common services that fill controls and keep report settings.
#include "suite/services/suite_common_services.h"

#include "suite/print/sqlite_print_work_db.h"

#include "platform/db/db_connection.h"
#include "platform/services/period_list.h"
#include "platform/services/service_error.h"
#include "suite/db/open_db_connection.h"
#include "suite/services/calendar_store.h"
#include "suite/services/code_lists.h"
#include "suite/services/page_settings_store.h"
#include "suite/services/suite_settings.h"
#include "suite/services/text_source.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>

namespace corvane::suite {

namespace {

void AddPeriods(QComboBox* list, const platform::AccountingCalendar& calendar, int fromIndex) {
  for (int i = fromIndex; i < calendar.PeriodCount(); ++i) list->addItem(calendar.GetPeriodText(i));
}

}  // namespace

void SuiteCommonServices::FillPeriodCombo(QComboBox* list, bool fromBeginning) {
  if (!list) return;
  const platform::AccountingCalendar& calendar = Calendar();
  {
    const QSignalBlocker quiet(list);
    list->clear();
    if (fromBeginning) {
      platform::PeriodList::AddNoBoundEntry(
          list, TextOr(texts_, QStringLiteral("corvane.suite.period.nobound"), QStringLiteral("不限")));
    }
    AddPeriods(list, calendar, 0);
  }
  list->setCurrentIndex(list->count() > 0 ? 0 : -1);
}

void SuiteCommonServices::SyncPeriodCombos(QComboBox* start, QComboBox* end) {
  if (!start || !end) return;
  const platform::AccountingCalendar& calendar = Calendar();
  const int from = std::max(1, PeriodNumberOfText(calendar, platform::PeriodList::ChosenPeriodText(start)));
  const int chosenEnd = PeriodNumberOfText(calendar, platform::PeriodList::ChosenPeriodText(end));
  {
    const QSignalBlocker quiet(end);
    end->clear();
    AddPeriods(end, calendar, from - 1);
  }
  // The end keeps its period while that still lies on or after the start;
  // otherwise the range becomes the start period alone.
  end->setCurrentIndex(chosenEnd >= from ? chosenEnd - from : 0);
}

bool SuiteCommonServices::SettleStyleExists(const QString& code) {
  return CodeLists(GetConnection()).SettleStyleExists(code);
}

void SuiteCommonServices::AttachSettleStyleList(QWidget* control, bool combo) {
  CodeLists::FillControl(control, combo, CodeLists(GetConnection()).SettleStyleEntries());
}

QString SuiteCommonServices::GetSettleStyleCode(const QString& entryText, int) {
  return CodeLists::CodeOfEntry(entryText);
}

void SuiteCommonServices::AttachVoucherSignList(QWidget* control, bool combo) {
  QStringList names;
  const QStringList signs = CodeLists(GetConnection()).VoucherSignEntries(&names);
  CodeLists::FillControl(control, combo, signs, names);
}

bool SuiteCommonServices::GetVoucherSign(const QString& sign, platform::VoucherSignInfo& info) {
  return CodeLists(GetConnection()).GetVoucherSign(sign, info);
}

QStringList SuiteCommonServices::PrepareReportTemplate(const QString& reportKey) {
  return PageSettingsStore(GetConnection(), accountSetKey_).Load(reportKey);
}

void SuiteCommonServices::SavePageSettings(const QString& reportKey, const QStringList& settings) {
  PageSettingsStore(GetConnection(), accountSetKey_).Save(reportKey, settings);
}

// The report procedures build their work tables in a database of their own, a
// file in the session's temporary folder that goes with these services at
// log-out, so a report run never touches the suite's data.
platform::PrintWorkDb* SuiteCommonServices::GetPrintWorkDb() {
  if (!printWorkDb_) {
    auto dir = std::make_unique<QTemporaryDir>();
    if (!dir->isValid())
      throw platform::ServiceError(TextOr(texts_, QStringLiteral("corvane.suite.print.notempdir"),
                                          QStringLiteral("无法建立打印工作库的临时目录。")));
    printWorkDb_ = std::make_unique<SqlitePrintWorkDb>(dir->filePath(QStringLiteral("printwork.db")));
    printWorkDir_ = std::move(dir);
  }
  return printWorkDb_.get();
}

platform::GridFontSettings SuiteCommonServices::GetGridFontSettings() {
  const SuiteSettings settings(GetConnection(), accountSetKey_);
  const QString family = QApplication::font().family();
  platform::GridFontSettings fonts;
  fonts.TitleFontName = settings.Text(QStringLiteral("GridTitleFontName"), family);
  fonts.TitleFontSize = settings.Number(QStringLiteral("GridTitleFontSize"), fonts.TitleFontSize, 6, 72);
  fonts.BodyFontName = settings.Text(QStringLiteral("GridBodyFontName"), family);
  fonts.BodyFontSize = settings.Number(QStringLiteral("GridBodyFontSize"), fonts.BodyFontSize, 6, 72);
  return fonts;
}

void SuiteCommonServices::ApplyGridSettings(QWidget* grid) {
  if (!grid) return;
  const platform::GridFontSettings fonts = GetGridFontSettings();
  QFont body = grid->font();
  body.setFamily(fonts.BodyFontName);
  body.setPointSize(fonts.BodyFontSize);
  grid->setFont(body);
  auto* table = qobject_cast<QTableView*>(grid);
  if (!table) table = grid->findChild<QTableView*>(QString(), Qt::FindDirectChildrenOnly);
  if (table) {
    // The header rows keep the body size but stand out in bold.
    QFont head = body;
    head.setBold(true);
    table->horizontalHeader()->setFont(head);
  }
}

}  // namespace corvane::suite
