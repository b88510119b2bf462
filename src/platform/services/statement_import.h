#pragma once

#include "platform/db/money.h"
#include "platform/services/statement_date_limits.h"

#include <QDate>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace corvane::platform {

// The suite's statement importer: it runs its own dialog (file, format, column
// mapping, preview, refused lines), reads the file and writes the accepted lines
// of the account (and, in book mode, the book) itself. Run gives true only when
// lines were written, so the caller reloads.
class StatementImporter {
 public:
  virtual ~StatementImporter() = default;
  virtual void SetConnectionString(const QString& connection) = 0;
  virtual void SetAccountCode(const QString& accountCode) = 0;
  // Book mode: the lines go to the books' statement table with this book code.
  virtual void SetBookCode(const QString& bookCode) = 0;
  // What a bank file must name to be imported into the account: its bank account
  // number (empty where the account keeps none) and its currency code ("CNY").
  virtual void SetAccountFacts(const QString& bankAccountNo, const QString& currency) = 0;
  // The dates the window takes a line of; a line dated outside them is refused.
  virtual void SetDateLimits(const StatementDateLimits& dates) = 0;
  virtual void SetSessionText(const QString& text) = 0;
  virtual void SetHelpFile(const QString& path) = 0;
  virtual bool Run() = 0;
};

// One statement line as a bank delivers it.
struct FetchedLine {
  QDate dDate;
  QString cSettle;
  QString cn_id;
  int bd_c = 0;  // 1 debit, 0 credit
  Money mmoney;
};

// The bank's line source of the internet-banking import: the statement lines of a
// bank account number between two dates in one currency. False with a message
// fit to show the user when they cannot be had.
class BankLineSource {
 public:
  virtual ~BankLineSource() = default;
  virtual bool FetchLines(const QString& bankAccountNo, const QDate& start, const QDate& end,
                          const QString& currency, std::vector<FetchedLine>& lines, QString& message) = 0;
};

// Where the component gets them from; the suite fills it at start-up, tests may
// put fakes in. Creating one whose maker is not set throws ServiceError.
class StatementImportFactory {
 public:
  std::function<std::unique_ptr<StatementImporter>()> makeImporter;
  std::function<std::unique_ptr<BankLineSource>()> makeLineSource;

  std::unique_ptr<StatementImporter> CreateImporter() const;
  std::unique_ptr<BankLineSource> CreateLineSource() const;
  static StatementImportFactory& Instance();
};

}  // namespace corvane::platform
