#include "statement/statement_report.h"

#include "platform/print/print_work_db.h"
#include "platform/services/common_services.h"
#include "shared/amount_unit.h"
#include "shared/messages.h"
#include "shared/session.h"

#include <QDate>
#include <exception>

namespace corvane::statement {

using shared::GetResString;

namespace {

const QString kHead = QStringLiteral("ZPDJ_Head");
const QString kTail = QStringLiteral("ZPDJ_Tail");

QString Text(const char* key) { return GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(key)); }

void Recreate(platform::PrintWorkDb& work, const QString& table, int columns) {
  try {
    work.Execute(QStringLiteral("DROP TABLE ") + table);
  } catch (const std::exception&) {
    // A table that is not there yet is no failure.
  }
  QStringList cols;
  for (int i = 1; i <= columns; ++i) cols << QStringLiteral("P%1 String").arg(i);
  work.Execute(QStringLiteral("CREATE TABLE %1 (%2)").arg(table, cols.join(QLatin1Char(','))));
}

void WriteRow(platform::PrintWorkDb& work, const QString& table, const QStringList& values) {
  auto rs = work.OpenRecordset(table);
  if (rs->Eof()) {
    rs->AddNew();
    for (int i = 0; i < values.size(); ++i) rs->SetField(QStringLiteral("P%1").arg(i + 1), values[i]);
    rs->Update();
  }
  rs->Close();
}

}  // namespace

void WriteStatementReportTables(platform::PrintWorkDb& work, const QString& accountLine, const QString& currencyName) {
  // The unit is the account set's report name, the preparer the signed-in user.
  platform::CommonServices& common = shared::Session::Current().Common();
  const QString unit = common.GetAccountSetInfo().ReportHeadText;
  const QString preparer = common.GetSessionInfo().ReportText;
  Recreate(work, kHead, 7);
  Recreate(work, kTail, 6);
  WriteRow(work, kHead, {Text("00502"), QString(), QString(), QString(), accountLine, QString(),
                         shared::AmountUnitText(currencyName)});
  WriteRow(work, kTail,
           {QString(), QString(), QString(), Text("00053") + unit, Text("00054") + preparer,
            Text("00055") + QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd"))});
}

}  // namespace corvane::statement
