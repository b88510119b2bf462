#pragma once

#include "platform/services/records.h"
#include "platform/services/service_error.h"

#include <QDate>
#include <QString>
#include <QVariant>

namespace corvane::platform {

class LoginContext;

// The suite's cash-management services: the message box, the enabled parts of
// the suite, bank books and their flows, and the cash-management options.
class CashServices {
 public:
  virtual ~CashServices() = default;

  virtual void SetLogin(LoginContext* login) = 0;
  virtual void InitSession(const QString& sessionText1, const QString& accountSetKey,
                           const QString& sessionNumber, const QDate& sessionDate) = 0;
  // "GL" general ledger, "RP" cash management.
  virtual bool IsSubsystemOn(const QString& partCode) = 0;
  virtual CashOptions GetOptions() = 0;

  // A modal message box. buttons and the answer use the Windows values:
  // 0 OK, 1 OK/Cancel, 4 Yes/No, +16 stop, +32 question, +48 exclamation,
  // +64 information, +256 second button default; answers 1 OK, 2 Cancel, 6 Yes, 7 No.
  virtual int ShowMessage(const QString& prompt, int buttons, const QString& title, const QString& helpFile,
                          int context) = 0;
  virtual QString GetMessageTitle() = 0;

  virtual BookInfo GetBook(const QString& bookCode) = 0;
  virtual QString GetBookName(const QString& bookCode) = 0;
  // Invalid date: the book has none.
  virtual QDate GetBookStartDate(const QString& bookCode) = 0;
  virtual QDate GetBookDefaultStartDate(const QString& bookCode) = 0;
  virtual QDate GetBookEndDate(const QString& bookCode) = 0;
  // Zero or more: debit direction; below zero: credit.
  virtual int GetBookDirectionValue(const QString& bookCode, int reserved = 0) = 0;
  // Store a book's reconciliation start date and balance direction, where the
  // two getters above read them. A missing book throws ServiceError; services
  // without writable books refuse the same way.
  virtual void SetBookStartDate(const QString& bookCode, const QDate& start) {
    throw ServiceError(QStringLiteral("SetBookStartDate is not offered"));
  }
  virtual void SetBookDirection(const QString& bookCode, bool debit) {
    throw ServiceError(QStringLiteral("SetBookDirection is not offered"));
  }
  // Property 10 is the account's currency name (empty for the home currency).
  virtual QVariant GetAccountProperty(const QString& accountCode, int property) = 0;
  // A new flow number of the book: the book code followed by a number, unique
  // across sessions.
  virtual QString NewFlowId(const QString& bookCode, bool reserve = true) = 0;
  // True for a valid date text; reports a bad one to the user itself.
  virtual bool CheckDateText(const QString& text, const QString& fieldName) = 0;
  virtual QString TranslateCurrency(const QString& currencyText, int reserved = 0) = 0;
};

}  // namespace corvane::platform
