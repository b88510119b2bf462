#include "suite/print/report_renderer.h"

#include "platform/print/paper_sizes.h"
#include "platform/print/report_engine.h"
#include "suite/print/report_pages.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace corvane::suite {

using namespace platform;

QPageLayout PageLayoutOf(const ReportJob& job, int& code) {
  code = kReportOk;
  const QPageSize size = PageSizeOfNumber(job.paperSize);
  if (!size.isValid()) {
    code = kReportPaperWrong;
    return {};
  }
  const QMarginsF margins(job.marginsMm);
  QPageLayout layout(size, job.orientation == 1 ? QPageLayout::Portrait : QPageLayout::Landscape, margins,
                     QPageLayout::Millimeter);
  const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
  // Qt quietly trims margins that do not fit; a report asks for the margins it
  // was given, so margins leaving less than a few centimetres are refused.
  if (layout.margins(QPageLayout::Millimeter) != margins || paint.width() < 30 || paint.height() < 30 ||
      job.marginsMm.left() < 0 || job.marginsMm.top() < 0 || job.marginsMm.right() < 0 || job.marginsMm.bottom() < 0)
    code = kReportMarginsWrong;
  return layout;
}

int PaintReport(const ReportSource& source, QPagedPaintDevice& device) {
  const QRectF paint = device.pageLayout().paintRectPixels(device.logicalDpiX());
  const ReportPages pages(source, device, paint.size());
  if (!pages.Fits()) return kReportMarginsWrong;
  QPainter painter;
  if (!painter.begin(&device)) return kReportPrintJobFailed;
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (int page = 0; page < pages.PageCount(); ++page) {
    if (page > 0 && !device.newPage()) {
      painter.end();
      return kReportOutputCannotWrite;
    }
    pages.Paint(painter, page);
  }
  return painter.end() ? kReportOk : kReportOutputCannotWrite;
}

int WriteReportPdf(const ReportJob& job, const QString& pdfPath) {
  ReportSource source;
  int code = LoadReportSource(job, source);
  if (code != kReportOk) return code;
  const QPageLayout layout = PageLayoutOf(job, code);
  if (code != kReportOk) return code;
  QPdfWriter pdf(pdfPath);
  pdf.setResolution(300);
  pdf.setCreator(QStringLiteral("Corvane"));
  pdf.setTitle(source.headValues.value(QStringLiteral("P1")));
  pdf.setPageLayout(layout);
  return PaintReport(source, pdf);
}

}  // namespace corvane::suite
