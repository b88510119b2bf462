#include "suite/print/suite_grid_print_service.h"

#include "platform/print/page_settings.h"
#include "platform/print/page_setup_control.h"
#include "platform/print/print_control.h"
#include "platform/print/report_engine.h"
#include "platform/print/template_path.h"
#include "platform/services/common_services.h"
#include "platform/services/message_presenter.h"
#include "platform/services/object_factory.h"

#include <exception>

namespace corvane::suite {

using namespace platform;

namespace {

const QString kGridTemplate = QStringLiteral("gridprint");
// The head with a line under the title.
const QString kGridLineTemplate = QStringLiteral("gridprint_line");

// Report keys that name the same report; the first is the one kept.
const struct {
  const char* kept;
  const char* other;
} kSameReport[] = {{"RPDZDQCReport", "RPYHFQCReport"}};

// A key that was set up has its margins; a key never set up gives them empty.
bool WasSetUp(const QStringList& settings) { return settings.size() > 2 && !settings[2].isEmpty(); }

}  // namespace

QString SuiteGridPrintService::PageKeyOf(const QString& reportKey) {
  for (const auto& same : kSameReport)
    if (reportKey.compare(QLatin1String(same.other), Qt::CaseInsensitive) == 0) return QString::fromLatin1(same.kept);
  return reportKey;
}

QStringList SuiteGridPrintService::LoadPageSettings(const QString& reportKey) {
  const QString key = PageKeyOf(reportKey);
  QStringList settings = common_.PrepareReportTemplate(key);
  if (WasSetUp(settings)) return settings;
  for (const auto& same : kSameReport) {
    if (key != QLatin1String(same.kept)) continue;
    const QStringList earlier = common_.PrepareReportTemplate(QString::fromLatin1(same.other));
    if (WasSetUp(earlier)) return earlier;
  }
  return settings;
}

void SuiteGridPrintService::PrintGrid(QObject* grid, const QString& reportKey, PrintControl* printControl, int mode,
                                      const GridPrintHead& head, int& result) {
  QWidget* owner = printControl ? printControl->Owner() : nullptr;
  try {
    result = mode == kPageSetup ? SetUpPage(reportKey, owner) : Run(grid, reportKey, owner, mode, head);
  } catch (const std::exception&) {
    result = 1001;  // the settings or the engine could not be reached
  }
  if (result == kReportOk || result == kReportCancelled || result == kReportNoFormat || mode == kPageSetup) return;
  const QStringList code{QString::number(result)};
  MessagePresenter::Current().Show(
      {common_.GetString(QStringLiteral("corvane.print.failed"), &code), 16,
       common_.GetString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.00427")), QString(), 0});
}

int SuiteGridPrintService::SetUpPage(const QString& reportKey, QWidget* owner) {
  QStringList settings = LoadPageSettings(reportKey);
  PageSetupControl control(owner);
  ApplyPageSettings(settings, control);
  const qint32 code = control.rtpPageSetup();
  if (!IsPageChoice(code)) return code;
  TakePageChoice(code, control, settings);
  common_.SavePageSettings(PageKeyOf(reportKey), settings);
  return code;
}

int SuiteGridPrintService::Run(QObject* grid, const QString& reportKey, QWidget* owner, int mode,
                               const GridPrintHead& head) {
  ReportJob job;
  job.owner = owner;
  job.bodyGrid = grid;
  job.reportKind = kReportKindGrid;
  job.title = head.title;
  job.headLeft = head.left;
  job.headRight = head.right;
  const bool line = !head.left.isEmpty() || !head.right.isEmpty();
  job.headTemplate =
      ReportTemplatePath(common_.GetFolderSettings().ReportPath(), line ? kGridLineTemplate : kGridTemplate);
  PageSetupControl page(nullptr);
  ApplyPageSettings(LoadPageSettings(reportKey), page);
  job.paperSize = page.lngrtpPaperSize();
  job.orientation = page.lngrtpPaperOrient();
  qint32 left = 0, top = 0, right = 0, bottom = 0;
  page.rtpGetMargin(left, top, right, bottom);
  job.marginsMm = QMargins(left, top, right, bottom);

  const std::unique_ptr<ReportEngine> engine = ObjectFactory::Instance().CreateReportEngine();
  switch (mode) {
    case kPrint: return engine->Print(job);
    case kPreview: return engine->Preview(job);
    case kDataOut: return engine->DataOut(job);
    default: return kReportOk;  // no such mode: nothing to run
  }
}

}  // namespace corvane::suite
