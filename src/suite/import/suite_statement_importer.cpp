#include "suite/import/suite_statement_importer.h"

#include "platform/db/db_connection.h"
#include "platform/services/message_presenter.h"
#include "platform/services/modal_runner.h"
#include "suite/db/open_db_connection.h"
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
        {ImportText(QStringLiteral("corvane.import.failed")).arg(QString::fromUtf8(e.what())), 16,
         ImportText(QStringLiteral("corvane.import.title"))});
    return false;
  }
  platform::ImportTarget target{!book_.isEmpty(), account_, book_};
  StatementImportDialog dialog(*db, target);
  platform::RunModal(dialog);
  return dialog.Written() > 0;
}

namespace {

// Account numbers are compared without blanks and dashes, as banks write them both ways.
QString PlainAccountNo(QString s) {
  s.remove(QLatin1Char(' '));
  s.remove(QLatin1Char('-'));
  return s.toUpper();
}

}  // namespace

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
    if (PlainAccountNo(parsed.accountNo) != wanted) continue;
    if (!currency.isEmpty() && !parsed.currency.isEmpty() && parsed.currency.compare(currency, Qt::CaseInsensitive) != 0)
      continue;
    for (const platform::ImportLine& l : parsed.lines) {
      // Lines the file could not read are handed on as they are; the import refuses them with a reason.
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
