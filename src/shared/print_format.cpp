#include "shared/print_format.h"

#include "platform/db/db_error.h"
#include "shared/messages.h"
#include "shared/session.h"

#include <QRegularExpression>

namespace corvane::shared {

namespace {

using platform::DbError;
using platform::RecordsetWrapper;

const QString kSystemName = QStringLiteral("GL");
const QString kDefaultTemplate = QStringLiteral("printdef");

// A table name cannot be a bound parameter, so the account set's table name is
// let into the statement only when it is a plain name: the account-set key it
// is made of comes from the login and must not be able to change the statement.
QString CheckedTableName(const QString& table) {
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
  if (!plain.match(table).hasMatch())
    throw DbError(QStringLiteral("The print-format table name \"%1\" is not a plain table name").arg(table));
  return table;
}

// The local file is the suite's own and its columns carry no key collation, so
// the code is compared by the key rule (the layer's collation ci) in the query;
// the server's PrintEx column has it by itself.
std::unique_ptr<RecordsetWrapper> OpenLocal(const QString& tableCode) {
  Session& s = Session::Current();
  if (!s.gPrintFormatDb) throw DbError(QStringLiteral("The print-format database is not open"));
  const QString sql = QStringLiteral("select * from ") + CheckedTableName(s.gPrintExTable) +
                      QStringLiteral(" where cSystemName=? and cTableCode=? collate ci order by cSystemName");
  return s.gPrintFormatDb->OpenRecordset(sql, {kSystemName, tableCode}, platform::DbConnection::kOpenReadOnly);
}

std::unique_ptr<RecordsetWrapper> OpenServer(const QString& tableCode) {
  return Session::Current().Db().OpenRecordset(
      QStringLiteral("select * from PrintEx where cSystemName=? and cTableCode=? order by cSystemName"),
      {kSystemName, tableCode}, platform::DbConnection::kOpenReadOnly);
}

}  // namespace

void LoadPrintFormat(const QString& tableCode, QStringList& result) {
  const bool local = Session::Current().Common().GetAccountSetInfo().LocalPrintFormats;
  const std::unique_ptr<RecordsetWrapper> rs = local ? OpenLocal(tableCode) : OpenServer(tableCode);
  if (rs->Eof()) {
    ShowMsgBox(GetResString(QStringLiteral("Q9.GL.ZZPZ.12741"), tableCode), 0, QString());
    return;
  }
  const platform::DbValue title = rs->Field(QStringLiteral("ititleres"));
  if (title.IsNull())
    throw DbError(QStringLiteral("The print format of %1 has no title resource").arg(tableCode));
  while (result.size() < 3) result.append(QString());
  result[0] = QString::number(title.ToInt());
  if (title.ToInt() == 1) {
    result[1] = kDefaultTemplate;
    result[2] = kDefaultTemplate;
  } else {
    result[1] = rs->Field(QStringLiteral("cResPathHead")).ToString();
    result[2] = rs->Field(QStringLiteral("cResPathtail")).ToString();
  }
}

}  // namespace corvane::shared
