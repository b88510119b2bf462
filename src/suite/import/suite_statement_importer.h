#pragma once

#include "platform/services/statement_import.h"

namespace corvane::suite {

// The suite's statement importer: its own connection to the database named by
// the connection string, its own dialog (StatementImportDialog), shown through
// the modal runner. Run gives true only when lines were written.
class SuiteStatementImporter : public platform::StatementImporter {
 public:
  void SetConnectionString(const QString& connection) override { connection_ = connection; }
  void SetAccountCode(const QString& accountCode) override { account_ = accountCode; }
  void SetBookCode(const QString& bookCode) override { book_ = bookCode; }
  void SetAccountFacts(const QString& bankAccountNo, const QString& currency) override {
    bankAccountNo_ = bankAccountNo;
    currency_ = currency;
  }
  void SetDateLimits(const platform::StatementDateLimits& dates) override { dates_ = dates; }
  void SetSessionText(const QString& text) override { session_ = text; }
  void SetHelpFile(const QString& path) override { help_ = path; }
  bool Run() override;

 private:
  QString connection_, account_, book_, bankAccountNo_, currency_, session_, help_;
  platform::StatementDateLimits dates_;
};

// The bank's line source of the internet-banking import, as banks deliver
// statements host-to-host: files (camt.053, MT940 or OFX) dropped into one
// folder. The lines of every file in it that names the bank account number (and,
// when it names one, the currency) are given, from start to end inclusive.
class FolderBankLineSource : public platform::BankLineSource {
 public:
  explicit FolderBankLineSource(QString folder) : folder_(std::move(folder)) {}
  bool FetchLines(const QString& bankAccountNo, const QDate& start, const QDate& end, const QString& currency,
                  std::vector<platform::FetchedLine>& lines, QString& message) override;

 private:
  QString folder_;
};

class TextSource;
// Puts both into platform::StatementImportFactory; bankFolder is where the bank's
// files arrive.
void RegisterImportObjects(TextSource* texts, const QString& bankFolder);

}  // namespace corvane::suite
