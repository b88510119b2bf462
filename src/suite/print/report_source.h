#pragma once

#include "platform/print/printable_grid.h"
#include "platform/print/report_job.h"
#include "suite/print/report_template.h"

#include <QHash>
#include <memory>
#include <optional>

namespace corvane::suite {

// What a report run paints, read and checked before the first page: the
// templates, the work rows and the body grid.
struct ReportSource {
  int kind = 0;
  std::optional<ReportTemplate> head;
  std::optional<ReportTemplate> tail;
  QHash<QString, QString> headValues;  // P1.. of the head table's row, and TITLE
  QHash<QString, QString> tailValues;
  std::unique_ptr<platform::PrintableGrid> grid;  // kind 1
};

// Reads the job's templates, work rows and grid into source; gives the result
// code of the first thing missing (0 when all is there). Reads nothing of the
// grid's rows yet: pages read them as they are painted.
int LoadReportSource(const platform::ReportJob& job, ReportSource& source);

// The values of a work table's one row, by upper-case column name; NULL as "".
// code: 0, or -101 (the file cannot be opened) or 2 (no such table).
QHash<QString, QString> ReadWorkRow(const QString& dataFile, const QString& table, int& code);

// Loads and parses a template file. code: 0, 1003 (empty path: no print
// format), -100 (no such file) or 1 (damaged).
std::optional<ReportTemplate> LoadTemplate(const QString& path, int& code);

}  // namespace corvane::suite
