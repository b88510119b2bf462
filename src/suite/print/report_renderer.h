#pragma once

#include "platform/print/report_job.h"
#include "suite/print/report_source.h"

#include <QPageLayout>

class QPagedPaintDevice;

namespace corvane::suite {

// The page a job asks for: its paper number, orientation and margins. code: 0,
// 4 (a paper number no paper has) or 5 (margins that leave no room).
QPageLayout PageLayoutOf(const platform::ReportJob& job, int& code);

// Paints every page of a report on a printer or PDF writer whose page layout is
// already set, one page after the other. Gives 0 or a result code.
int PaintReport(const ReportSource& source, QPagedPaintDevice& device);

// Loads the job's report and writes it to a PDF file: the print path without
// the printer dialog (print to PDF file).
int WriteReportPdf(const platform::ReportJob& job, const QString& pdfPath);

}  // namespace corvane::suite
