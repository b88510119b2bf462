#pragma once

#include "platform/print/report_job.h"

namespace corvane::platform {

// Result codes of a report run. 0 is success; the others are told to the user
// by LocalizePrintControl (a few on purpose say nothing).
enum ReportResult : int {
  kReportOk = 0,
  kReportNoPrinter = -1,
  kReportTemplateMissing = -100,   // a template file that is not there
  kReportWorkDbUnusable = -101,    // the work database cannot be opened
  kReportTemplateDamaged = 1,
  kReportTableMissing = 2,
  kReportFieldMissing = 3,
  kReportPaperWrong = 4,
  kReportMarginsWrong = 5,
  kReportBodyWrong = 9,            // a grid report without a body grid
  kReportOutputCannotOpen = 23,
  kReportOutputCannotWrite = 24,
  kReportPrintJobFailed = 29,
  kReportDataFieldsWrong = 53,     // fields not declared 0..n-1 in order
  kReportCancelled = 1002,         // the user stopped it: nothing to tell
  kReportNoFormat = 1003,          // no template name: the format lookup already told the user
};

// The report engine behind the print control and the grid print service. It is
// made through ObjectFactory, so tests put a recording engine in its place and
// run a window's report without printing.
class ReportEngine {
 public:
  virtual ~ReportEngine() = default;
  // Asks for a printer (any installed one, or a PDF file) and prints.
  virtual int Print(const ReportJob& job) = 0;
  // Shows a window that pages through the report.
  virtual int Preview(const ReportJob& job) = 0;
  // Asks for a file and writes the body grid's shown rows and columns as the
  // declared fields: an Excel workbook (.xlsx) or CSV (UTF-8 with a byte-order mark).
  virtual int DataOut(const ReportJob& job) = 0;
};

}  // namespace corvane::platform
