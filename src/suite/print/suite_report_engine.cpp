#include "suite/print/suite_report_engine.h"

#include "platform/controls/file_listing_guard.h"
#include "platform/db/database_files.h"
#include "platform/services/modal_runner.h"
#include "suite/print/data_output.h"
#include "suite/print/preview_dialog.h"
#include "suite/print/print_target_guard.h"
#include "suite/print/report_renderer.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace corvane::suite {

using namespace platform;

namespace {

// The source and page of a print or preview; code says what is missing.
struct Prepared {
  ReportSource source;
  QPageLayout layout;
  int code = kReportOk;
};

void Prepare(const ReportJob& job, Prepared& p) {
  p.code = LoadReportSource(job, p.source);
  if (p.code == kReportOk) p.layout = PageLayoutOf(job, p.code);
}

}  // namespace

int SuiteReportEngine::Print(const ReportJob& job) {
  Prepared p;
  Prepare(job, p);
  if (p.code != kReportOk) return p.code;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(p.layout);
  printer.setDocName(p.source.headValues.value(QStringLiteral("P1")));
  // Without an installed printer the dialog still offers printing to a PDF file.
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QDir::home().filePath(QStringLiteral("report.pdf")));
  }
  QPrintDialog dialog(&printer, job.owner.data());
  dialog.setWindowTitle(PrintText(texts_, "corvane.print.print", "打印"));
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  FileListingGuard::Protect(dialog);  // its output-file field lists folders
  PrintTargetGuard::Protect(dialog, texts_);  // its Print opens the output file to try it
  if (RunModal(dialog) != QDialog::Accepted) return kReportCancelled;
  // Accepted by another way than its Print button: the PDF writer would truncate the file.
  if (printer.outputFormat() == QPrinter::PdfFormat && DatabaseFiles::Contains(printer.outputFileName()))
    return kReportOutputCannotOpen;
  if (!printer.isValid()) return kReportNoPrinter;
  // The report's own page set-up decides the page, whatever printer was chosen.
  printer.setPageLayout(p.layout);
  return PaintReport(p.source, printer);
}

int SuiteReportEngine::Preview(const ReportJob& job) {
  Prepared p;
  Prepare(job, p);
  if (p.code != kReportOk) return p.code;
  PreviewDialog dialog(p.source, p.layout, texts_, job.owner.data());
  if (!dialog.Fits()) return kReportMarginsWrong;
  RunModal(dialog);
  return kReportOk;
}

QString SuiteReportEngine::ChooseOutputFile(QWidget* owner, const QString& suggestedName, const PrintTexts& texts) {
  const QString xlsx = PrintText(texts, "corvane.print.xlsxfilter", "Excel 工作簿 (*.xlsx)");
  const QString csv = PrintText(texts, "corvane.print.csvfilter", "CSV 文件 (*.csv)");
  QFileDialog dialog(owner, PrintText(texts, "corvane.print.dataout", "输出"));
  dialog.setObjectName(QStringLiteral("dlgDataOut"));
  FileListingGuard::Protect(dialog);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({xlsx, csv});
  dialog.setDefaultSuffix(QStringLiteral("xlsx"));
  dialog.selectFile(suggestedName.isEmpty() ? QStringLiteral("report.xlsx") : suggestedName + QStringLiteral(".xlsx"));
  if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  QString file = dialog.selectedFiles().constFirst();
  const QString suffix = QFileInfo(file).suffix().toLower();
  if (suffix != QLatin1String("xlsx") && suffix != QLatin1String("csv"))
    file += dialog.selectedNameFilter() == csv ? QStringLiteral(".csv") : QStringLiteral(".xlsx");
  return file;
}

int SuiteReportEngine::DataOut(const ReportJob& job) {
  const std::unique_ptr<PrintableGrid> grid = PrintableGridOf(job.bodyGrid);
  if (!grid) return kReportBodyWrong;
  const std::vector<DataOutField> fields = job.fields.empty() ? FieldsOfGrid(*grid) : job.fields;
  const QString file = ChooseOutputFile(job.owner.data(), job.title, texts_);
  if (file.isEmpty()) return kReportCancelled;
  if (DatabaseFiles::Contains(file)) return kReportOutputCannotOpen;  // writing it would truncate the database
  if (QFileInfo(file).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0)
    return WriteCsv(*grid, fields, file);
  return WriteXlsx(*grid, fields, file, job.title);
}

}  // namespace corvane::suite
