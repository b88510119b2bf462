#include "suite/import/suite_statement_importer.h"

#include "platform/db/database_files.h"
#include "platform/db/db_connection.h"
#include "platform/services/message_presenter.h"
#include "platform/services/modal_runner.h"
#include "suite/db/open_db_connection.h"
#include "suite/import/account_match.h"
#include "suite/import/import_texts.h"
#include "suite/import/statement_import_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <exception>

namespace corvane::suite {

bool SuiteStatementImporter::Run() {
  std::unique_ptr<platform::DbConnection> db;
  try {
    db = OpenDbConnection(connection_);
  } catch (const std::exception& e) {
    platform::MessagePresenter::Current().Show(
        {ImportFailureText(e), 16, ImportText(QStringLiteral("corvane.import.title"))});
    return false;
  }
  platform::ImportTarget target{!book_.isEmpty(), account_, book_, dates_};
  StatementImportDialog dialog(*db, target);
  dialog.SetAccountFacts(bankAccountNo_, currency_);
  platform::RunModal(dialog);
  return dialog.Written() > 0;
}

bool FolderBankLineSource::FetchLines(const QString& bankAccountNo, const QDate& start, const QDate& end,
                                      const QString& currency, std::vector<platform::FetchedLine>& lines,
                                      QString& message) {
  lines.clear();
  const QDir dir(folder_);
  if (folder_.isEmpty() || !dir.exists()) {
    message = ImportText(QStringLiteral("corvane.import.nofolder")).arg(folder_);
    return false;
  }
  if (bankAccountNo.trimmed().isEmpty()) {
    message = ImportText(QStringLiteral("corvane.import.noaccountno"));
    return false;
  }
  const QString wanted = PlainAccountNo(bankAccountNo);
  for (const QFileInfo& info : dir.entryInfoList(QDir::Files, QDir::Name)) {
    // The folder beside a SQLite database holds the database's own files too.
    if (platform::DatabaseFiles::Contains(info.absoluteFilePath())) continue;
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QByteArray bytes = file.readAll();
    ParsedStatement parsed;
    switch (DetectStatementFormat(bytes)) {
      case StatementFormat::Camt053: parsed = ReadCamt053(bytes); break;
      case StatementFormat::Mt940: parsed = ReadMt940(bytes); break;
      case StatementFormat::Ofx: parsed = ReadOfxFile(info.absoluteFilePath()); break;
      default: continue;  // the bank delivers no CSV
    }
    // A statement file that cannot be read, has lines it cannot read, or does not
    // add up stops the fetch when it may be the account's: none of its lines is
    // taken for right.
    const bool ours = PlainAccountNo(parsed.accountNo) == wanted;
    QString why = parsed.error;
    if (why.isEmpty() && ours && !parsed.refused.empty()) {
      why = LineRefusalText(parsed.refused.front());
    }
    for (const BalanceCheck& b : parsed.balances)
      if (why.isEmpty() && ours && !b.ok) why = BalanceCheckText(b);
    if (!why.isEmpty() && (ours || parsed.accountNo.isEmpty())) {
      message = ImportTextWith(QStringLiteral("corvane.import.badbankfile"), {info.fileName(), why});
      lines.clear();
      return false;
    }
    if (!ours) continue;
    if (!currency.isEmpty() && !parsed.currency.isEmpty() && parsed.currency.compare(currency, Qt::CaseInsensitive) != 0)
      continue;
    for (const platform::ImportLine& l : parsed.lines) {
      if (l.date.isValid() && (l.date < start || l.date > end)) continue;
      platform::FetchedLine f;
      f.dDate = l.date;
      f.cSettle = l.settle;
      f.cn_id = l.number;
      f.bd_c = l.bd_c.value_or(-1);
      f.mmoney = l.amount.value_or(platform::Money());
      lines.push_back(f);
    }
  }
  return true;
}

void RegisterImportObjects(TextSource* texts, const QString& bankFolder) {
  SetImportTexts(texts);
  platform::StatementImportFactory& f = platform::StatementImportFactory::Instance();
  f.makeImporter = []() -> std::unique_ptr<platform::StatementImporter> { return std::make_unique<SuiteStatementImporter>(); };
  f.makeLineSource = [bankFolder]() -> std::unique_ptr<platform::BankLineSource> {
    return std::make_unique<FolderBankLineSource>(bankFolder);
  };
}

}  // namespace corvane::suite
