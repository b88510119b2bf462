#pragma once

#include <QDate>
#include <QString>

namespace corvane::platform {

// The small read-only records the suite's services hand out. An invalid QDate
// stands for "no date" (the suite's 0 date).

struct AccountInfo {
  QString code;
  QString name;
  QDate StartDate;      // reconciliation start date, or none
  QDate EndDate;        // cut-off of the latest automatic matching (Dend), or none
  QString CurrencyName;  // empty for the home currency
  int direction = 1;     // bd_c: 1 debit, 0 credit
};

struct AccountSetDates {
  QDate StartDate;
};

struct AccountSetInfo {
  QString HomeCurrencyName;
  QString ReportHeadText;    // the account set's name: the unit a report tail names
  QString GetAccountSetText() const { return ReportHeadText; }
  int DigestLength = 60;     // bytes
  int AmountLength = 16;     // bytes
  bool LocalPrintFormats = true;
  int GetDigestLength() const { return DigestLength; }
  int GetAmountLength() const { return AmountLength; }
};

struct PeriodInfo {
  int CurrentPeriod = 1;  // 1 to 12
};

struct BookInfo {
  QString BookCode;
  QString BookName;
  QString AccountCode;
  QString CurrencyName;   // empty for the home currency
  QString CurrencyText() const { return CurrencyName; }
  QString BankAccountNo;
  QDate StartDate;
  QDate EndDate;
  int direction = 1;      // 1 debit, 0 credit
  bool opened = true;
  bool closed = false;
};

struct CashOptions {
  int UseBankBooks = 0;  // non-zero: the session works on bank books
};

struct SessionInfo {
  QString ReportText;  // the signed-in user's name: who prepared a report, as its tail says
  QString GetSessionText() const { return ReportText; }
};

struct VoucherSignInfo {
  QString Sign;
  QString Name;
  int SignSeq = 0;
};

struct GridFontSettings {
  QString TitleFontName;
  int TitleFontSize = 12;
  QString BodyFontName;
  int BodyFontSize = 9;
};

}  // namespace corvane::platform
