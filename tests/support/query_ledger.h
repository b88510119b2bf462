#pragma once

#include "platform/db/db_connection.h"
#include "platform/db/money.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace corvane::query::test {

// One journal line, built from the default by changing a field or two.
struct JournalLine {
  QDate date{2026, 5, 10};
  int period = 5;
  int ibook = 1;
  QVariant iflag;        // NULL normal, 1 void, 2 normal too
  QVariant tick;         // iflagbank: NULL, 0 or a tick value
  int bdelete = 0;
  platform::Money md = platform::Money::FromCents(10000);
  platform::Money mc;
  platform::Money mdF, mcF;
  QVariant currency;     // cexch_name; NULL unless set
  QString settle = QStringLiteral("202");
  QString number = QStringLiteral("ZZ01");
  QVariant sign = QStringLiteral("收");
  QVariant voucherNo = 7;
  QString digest = QStringLiteral("收款");
};

struct StatementLine {
  QDate date{2026, 5, 12};
  QVariant debit = 1;    // bd_c
  platform::Money amount = platform::Money::FromCents(10000);
  QVariant tick;         // iflag
  int bdelete = 0;
  int ibegin = 2;
  QString settle = QStringLiteral("202");
  QString number = QStringLiteral("ZZ01");
};

// A bank account of its own (and in book mode a book on it) beside the demo data,
// with lines written into the tables of the session's mode.
class QueryLedger {
 public:
  QueryLedger(platform::DbConnection& db, bool bookMode, const QString& account = QStringLiteral("100291"),
              const QString& book = QStringLiteral("YH091"));

  // The account in the chart (currency empty for the home currency) and, in book
  // mode, its book (opened, start date as given, currency named).
  void AddAccount(const QString& name, const QDate& start, const QString& currency = QString());
  // A book whose account is not in the chart.
  void AddBookOnly(const QString& name, const QDate& start);
  void Add(const JournalLine& line);
  void Add(const StatementLine& line);

  // The code the query works on: the account code, or the book code in book mode.
  QString Code() const { return bookMode_ ? book_ : account_; }
  const QString& Account() const { return account_; }
  const QString& Book() const { return book_; }

 private:
  platform::DbConnection& db_;
  bool bookMode_;
  QString account_, book_;
  int flows_ = 0;
};

}  // namespace corvane::query::test
