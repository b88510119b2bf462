#pragma once

#include "platform/print/report_job.h"

#include <QStringList>
#include <QVariantMap>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace corvane::platform {
class GridPrintService;
class PrintControl;
class ReportEngine;
class CommonServices;
}

namespace corvane::testing {

// One run of the report engine as a window made it.
struct ReportRunRecord {
  enum class Verb { Print, Preview, DataOut };
  Verb verb = Verb::Print;
  platform::ReportJob job;
  // The one row of the head and tail work tables, read from the job's work
  // database at the moment of the run (empty maps when a table has no row or is
  // not named). Keys are the column names P1, P2, ...
  QVariantMap headRow;
  QVariantMap tailRow;
  // The body grid as it would print: the texts of the last header row and of
  // every shown row, shown columns only.
  QStringList bodyHeader;
  std::vector<QStringList> body;
};

// One GridPrintService::PrintGrid call.
struct GridPrintCall {
  QObject* grid = nullptr;
  QString reportKey;
  platform::PrintControl* printControl = nullptr;
  int mode = 0;
  QString title;
};

// Puts a recording report engine and a recording grid print service into the
// object factory for the life of this object, so a window test runs a report
// without printing and checks what the window wrote and set. Every run answers
// the next queued result code, 0 when none is queued.
class ScriptedPrinting {
 public:
  ScriptedPrinting();
  ~ScriptedPrinting();
  ScriptedPrinting(const ScriptedPrinting&) = delete;
  ScriptedPrinting& operator=(const ScriptedPrinting&) = delete;

  void QueueResult(int code) { results_.push_back(code); }
  const std::vector<ReportRunRecord>& Runs() const { return runs_; }
  const std::vector<GridPrintCall>& GridPrints() const { return gridPrints_; }

  // The rows of a work table in a work database file, each row its columns by name.
  static std::vector<QVariantMap> ReadWorkTable(const QString& dataFile, const QString& table);

  // Used by the recording objects.
  int Record(ReportRunRecord::Verb verb, const platform::ReportJob& job);
  void RecordGridPrint(const GridPrintCall& call) { gridPrints_.push_back(call); }

 private:
  std::function<std::unique_ptr<platform::ReportEngine>()> oldEngine_;
  std::function<std::unique_ptr<platform::GridPrintService>(platform::CommonServices&)> oldGridPrint_;
  std::deque<int> results_;
  std::vector<ReportRunRecord> runs_;
  std::vector<GridPrintCall> gridPrints_;
};

}  // namespace corvane::testing
