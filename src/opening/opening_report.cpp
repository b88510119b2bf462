#include "opening/opening_report.h"

#include "platform/print/print_work_db.h"
#include "platform/print/rtprn.h"
#include "platform/print/template_path.h"
#include "shared/print_control_text.h"
#include "shared/print_format.h"
#include "shared/session.h"

#include <QCoreApplication>

namespace corvane::opening {

using shared::Session;

QStringList WorkColumns(int count, int texts) {
  QStringList columns;
  for (int i = 1; i <= count; ++i)
    columns << QStringLiteral("P%1 %2").arg(i).arg(i <= texts ? QStringLiteral("String") : QStringLiteral("Long"));
  return columns;
}

void WriteWorkTable(const WorkTable& table) {
  platform::CommonServices& common = Session::Current().Common();
  try {
    common.GetPrintWorkDb()->Execute(QStringLiteral("DROP TABLE ") + table.name);
  } catch (const std::exception&) {
    // A first run has no table to drop.
  }
  common.GetPrintWorkDb()->Execute(QStringLiteral("CREATE TABLE %1 (%2)").arg(table.name, table.columns.join(QLatin1Char(','))));
  auto rs = common.GetPrintWorkDb()->OpenRecordset(table.name);
  if (rs->Eof()) {
    rs->AddNew();
    for (size_t i = 0; i < table.values.size(); ++i)
      if (!table.values[i].isNull()) rs->SetField(QStringLiteral("P%1").arg(i + 1), table.values[i]);
    rs->Update();
  }
  rs->Close();
}

ReportFormat LoadReportFormat(const QString& tableCode) {
  Session& s = Session::Current();
  ReportFormat f;
  QStringList record(4);
  shared::LoadPrintFormat(tableCode, record);
  const QString program = s.applicationFolder.isEmpty() ? QCoreApplication::applicationDirPath() : s.applicationFolder;
  const QString folder = platform::ReportTemplateFolder(program, s.gLogin ? s.gLogin->GetLanguageId() : QString());
  f.headTemplate = platform::ReportTemplatePath(folder, record.value(1));
  f.tailTemplate = platform::ReportTemplatePath(folder, record.value(2));
  f.pageSettings = s.Common().LoadPageSettings(tableCode);
  return f;
}

void ApplyPageSettings(platform::RTPrn& prn, const QStringList& settings) {
  prn.setLngrtpPaperSize(settings.value(0).toInt());
  prn.setLngrtpPaperOrient(settings.value(1).compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ? 1 : 0);
  if (!settings.value(2).isEmpty())
    prn.rtpSetMargin(settings.value(2).toInt(), settings.value(3).toInt(), settings.value(4).toInt(),
                     settings.value(5).toInt());
}

void RunAndReport(platform::RTPrn& prn, int mode) {
  const int result = mode == 1 ? prn.rtpPrint() : prn.rtpPreview();
  shared::ShowPrintResult(result, mode);
}

}  // namespace corvane::opening
