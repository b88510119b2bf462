#include "suite/print/report_source.h"

#include "platform/db/db_connection.h"
#include "platform/print/report_engine.h"
#include "suite/db/open_db_connection.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <exception>

namespace corvane::suite {

using namespace platform;

QHash<QString, QString> ReadWorkRow(const QString& dataFile, const QString& table, int& code) {
  code = kReportOk;
  QHash<QString, QString> values;
  if (dataFile.isEmpty() || !QFileInfo::exists(dataFile)) {
    code = kReportWorkDbUnusable;
    return values;
  }
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
  if (!plain.match(table).hasMatch()) {
    code = kReportTableMissing;
    return values;
  }
  std::unique_ptr<DbConnection> db;
  try {
    db = OpenDbConnection(QStringLiteral("sqlite:") + dataFile);
  } catch (const std::exception&) {
    code = kReportWorkDbUnusable;
    return values;
  }
  try {
    const ResultSet rows = db->Query(QStringLiteral("select * from ") + table + QStringLiteral(" limit 1"));
    if (rows.rows.empty()) return values;  // a table without its row prints its fields empty
    for (int c = 0; c < static_cast<int>(rows.columns.size()); ++c) {
      const DbValue& v = rows.rows[0][c];
      values.insert(rows.columns[c].toUpper(), v.IsNull() ? QString() : v.ToString());
    }
  } catch (const std::exception&) {
    code = kReportTableMissing;
  }
  return values;
}

std::optional<ReportTemplate> LoadTemplate(const QString& path, int& code) {
  code = kReportOk;
  if (path.trimmed().isEmpty() || QFileInfo(path).completeBaseName().isEmpty()) {
    code = kReportNoFormat;
    return std::nullopt;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    code = kReportTemplateMissing;
    return std::nullopt;
  }
  std::optional<ReportTemplate> t = ReportTemplate::Parse(QString::fromUtf8(file.readAll()));
  if (!t) code = kReportTemplateDamaged;
  return t;
}

int LoadReportSource(const ReportJob& job, ReportSource& source) {
  source.kind = job.reportKind;
  if (job.reportKind != kReportKindGrid && job.reportKind != kReportKindForm) return kReportBodyWrong;
  int code = kReportOk;
  source.head = LoadTemplate(job.headTemplate, code);
  if (code != kReportOk) return code;
  const QString bandName = job.reportKind == kReportKindForm ? QStringLiteral("form") : QStringLiteral("head");
  if (!source.head->Band(bandName)) return kReportTemplateDamaged;
  if (!job.headTable.isEmpty()) {
    source.headValues = ReadWorkRow(job.dataFile, job.headTable, code);
    if (code != kReportOk) return code;
  }
  source.headValues.insert(QStringLiteral("TITLE"), job.title);
  source.headValues.insert(QStringLiteral("HEADLEFT"), job.headLeft);
  source.headValues.insert(QStringLiteral("HEADRIGHT"), job.headRight);
  if (job.reportKind == kReportKindForm) return kReportOk;

  // A tail is optional: the windows clear it for reports that have none.
  if (!job.tailTemplate.isEmpty()) {
    source.tail = LoadTemplate(job.tailTemplate, code);
    if (code != kReportOk) return code;
    if (!job.tailTable.isEmpty()) {
      source.tailValues = ReadWorkRow(job.dataFile, job.tailTable, code);
      if (code != kReportOk) return code;
    }
  }
  source.grid = PrintableGridOf(job.bodyGrid);
  return source.grid ? kReportOk : kReportBodyWrong;
}

}  // namespace corvane::suite
