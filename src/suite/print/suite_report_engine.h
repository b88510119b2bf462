#pragma once

#include "platform/print/report_engine.h"
#include "suite/print/print_texts.h"

class QWidget;

namespace corvane::suite {

// The report engine over Qt's print support: printing on any installed printer
// or to a PDF file (the print dialog offers both), a preview that pages
// through, and data output to .xlsx or .csv.
class SuiteReportEngine : public platform::ReportEngine {
 public:
  explicit SuiteReportEngine(PrintTexts texts) : texts_(std::move(texts)) {}

  int Print(const platform::ReportJob& job) override;
  int Preview(const platform::ReportJob& job) override;
  int DataOut(const platform::ReportJob& job) override;

  // Asks for the file of a data output (through the modal runner, so tests
  // answer it); the empty text when the user cancels. A name without a known
  // extension gets ".xlsx".
  static QString ChooseOutputFile(QWidget* owner, const QString& suggestedName, const PrintTexts& texts);

 private:
  PrintTexts texts_;
};

}  // namespace corvane::suite
