#include "support/scripted_print.h"

#include "platform/db/db_connection.h"
#include "platform/print/grid_print_service.h"
#include "platform/print/printable_grid.h"
#include "platform/print/report_engine.h"
#include "platform/services/object_factory.h"
#include "suite/db/open_db_connection.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace corvane::testing {

namespace {

class RecordingEngine : public platform::ReportEngine {
 public:
  explicit RecordingEngine(ScriptedPrinting& owner) : owner_(owner) {}
  int Print(const platform::ReportJob& job) override { return owner_.Record(ReportRunRecord::Verb::Print, job); }
  int Preview(const platform::ReportJob& job) override { return owner_.Record(ReportRunRecord::Verb::Preview, job); }
  int DataOut(const platform::ReportJob& job) override { return owner_.Record(ReportRunRecord::Verb::DataOut, job); }

 private:
  ScriptedPrinting& owner_;
};

class RecordingGridPrint : public platform::GridPrintService {
 public:
  explicit RecordingGridPrint(ScriptedPrinting& owner) : owner_(owner) {}
  void PrintGrid(QObject* grid, const QString& reportKey, platform::PrintControl* printControl, int mode,
                 const platform::GridPrintHead& head, int& result) override {
    owner_.RecordGridPrint(GridPrintCall{grid, reportKey, printControl, mode, head.title});
    result = 0;
  }

 private:
  ScriptedPrinting& owner_;
};

QVariant ToVariant(const platform::DbValue& v) {
  if (v.IsNull()) return {};
  if (v.IsInteger()) return QVariant::fromValue<qlonglong>(v.ToInt());
  if (v.IsDouble()) return v.ToDouble();
  return v.ToString();
}

QVariantMap FirstRow(const QString& dataFile, const QString& table) {
  if (table.isEmpty()) return {};
  const std::vector<QVariantMap> rows = ScriptedPrinting::ReadWorkTable(dataFile, table);
  return rows.empty() ? QVariantMap() : rows.front();
}

void ReadBody(const platform::ReportJob& job, ReportRunRecord& run) {
  const std::unique_ptr<platform::PrintableGrid> grid = platform::PrintableGridOf(job.bodyGrid);
  if (!grid) return;
  std::vector<int> shown;
  for (int c = 0; c < grid->PrintColumnCount(); ++c)
    if (grid->PrintColumnWidth(c) > 0) shown.push_back(c);
  const int lastHeader = grid->PrintHeaderRowCount() - 1;
  for (int c : shown) run.bodyHeader.append(lastHeader >= 0 ? grid->PrintHeaderText(lastHeader, c) : QString());
  for (int r = 0; r < grid->PrintBodyRowCount(); ++r) {
    if (grid->PrintBodyRowHidden(r)) continue;
    QStringList cells;
    for (int c : shown) cells.append(grid->PrintBodyText(r, c));
    run.body.push_back(cells);
  }
}

}  // namespace

ScriptedPrinting::ScriptedPrinting() {
  platform::ObjectFactory& factory = platform::ObjectFactory::Instance();
  oldEngine_ = factory.makeReportEngine;
  oldGridPrint_ = factory.makeGridPrintService;
  factory.makeReportEngine = [this]() -> std::unique_ptr<platform::ReportEngine> {
    return std::make_unique<RecordingEngine>(*this);
  };
  factory.makeGridPrintService = [this](platform::CommonServices&) -> std::unique_ptr<platform::GridPrintService> {
    return std::make_unique<RecordingGridPrint>(*this);
  };
}

ScriptedPrinting::~ScriptedPrinting() {
  platform::ObjectFactory& factory = platform::ObjectFactory::Instance();
  factory.makeReportEngine = oldEngine_;
  factory.makeGridPrintService = oldGridPrint_;
}

int ScriptedPrinting::Record(ReportRunRecord::Verb verb, const platform::ReportJob& job) {
  ReportRunRecord run;
  run.verb = verb;
  run.job = job;
  run.headRow = FirstRow(job.dataFile, job.headTable);
  run.tailRow = FirstRow(job.dataFile, job.tailTable);
  ReadBody(job, run);
  runs_.push_back(std::move(run));
  if (results_.empty()) return 0;
  const int code = results_.front();
  results_.pop_front();
  return code;
}

std::vector<QVariantMap> ScriptedPrinting::ReadWorkTable(const QString& dataFile, const QString& table) {
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
  std::vector<QVariantMap> rows;
  if (!plain.match(table).hasMatch() || !QFileInfo::exists(dataFile)) return rows;
  const std::unique_ptr<platform::DbConnection> db = suite::OpenDbConnection(QStringLiteral("sqlite:") + dataFile);
  const platform::ResultSet result = db->Query(QStringLiteral("select * from ") + table);
  for (const auto& row : result.rows) {
    QVariantMap map;
    for (int c = 0; c < static_cast<int>(result.columns.size()); ++c) map.insert(result.columns[c], ToVariant(row[c]));
    rows.push_back(map);
  }
  return rows;
}

}  // namespace corvane::testing
