#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class QObject;
class QWidget;

namespace corvane::platform {
class RTPrn;
}

namespace corvane::opening {

// One work table of a report run: its column declarations ("P1 String", "P28
// Long", ...) and the values of its one row in column order (a null QVariant
// leaves the column NULL).
struct WorkTable {
  QString name;
  QStringList columns;
  std::vector<QVariant> values;
};
// Column declarations P1..Pn: the first `texts` String, the rest Long.
QStringList WorkColumns(int count, int texts);
// Drops (a missing table is no failure), re-creates and fills the table.
void WriteWorkTable(const WorkTable& table);

// The print-format row and page settings of a report code, and where its
// templates lie. A code without a row (LoadPrintFormat has said so) gives
// templates without a name, whose run the report control answers.
struct ReportFormat {
  QString headTemplate;
  QString tailTemplate;
  QStringList pageSettings;
};
ReportFormat LoadReportFormat(const QString& tableCode);
// Paper size, orientation and (when given) margins from saved page settings.
void ApplyPageSettings(platform::RTPrn& prn, const QStringList& settings);
// Runs mode 1 (print) or 2 (preview) and reports the result.
void RunAndReport(platform::RTPrn& prn, int mode);

}  // namespace corvane::opening
