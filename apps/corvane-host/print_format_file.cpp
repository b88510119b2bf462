#include "print_format_file.h"

#include "host/session_startup.h"
#include "platform/db/db_connection.h"
#include "platform/db/transaction_guard.h"
#include "suite/db/open_db_connection.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

void EnsurePrintFormatFile(const QString& folder, const QString& accountSetKey, corvane::platform::DbConnection& server) {
  const QString path = QDir(folder).filePath(QStringLiteral("ZQCOMSQL/Zqformat.db"));
  if (QFileInfo::exists(path)) return;
  // The key becomes part of a table name: only letters, digits and underscores.
  if (!QRegularExpression(QStringLiteral("^[A-Za-z0-9_]+$")).match(accountSetKey).hasMatch()) return;
  QDir().mkpath(QFileInfo(path).path());
  auto local = corvane::suite::OpenDbConnection(corvane::host::PrintFormatConnectionString(path, true));
  const QString table = QStringLiteral("PrintEx_") + accountSetKey;
  local->Execute(QStringLiteral("create table if not exists %1 (i_id integer primary key autoincrement, "
                                "cSystemName varchar(20), cTableCode varchar(60), ititleres smallint, "
                                "cResPathHead varchar(200), cResPathtail varchar(200))").arg(table));
  auto rows = server.OpenRecordset(QStringLiteral("select cSystemName, cTableCode, ititleres, cResPathHead, cResPathtail from PrintEx"));
  std::vector<corvane::platform::DbParams> batch;
  for (; !rows->Eof(); rows->MoveNext())
    batch.push_back({rows->Field(0), rows->Field(1), rows->Field(2), rows->Field(3), rows->Field(4)});
  corvane::platform::TransactionGuard tx(*local);
  local->ExecuteBatch(QStringLiteral("insert into %1 (cSystemName, cTableCode, ititleres, cResPathHead, cResPathtail) "
                                     "values (?,?,?,?,?)").arg(table), batch);
  tx.Commit();
}
