#pragma once

#include "balance/balance_figures.h"
#include "platform/db/db_connection.h"
#include "platform/db/money.h"

#include <QDate>
#include <QString>
#include <vector>
#include <gtest/gtest.h>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace corvane::balance::test {

platform::Money M(const char* text);
// Every figure (or sum) as one text of exact amounts, to compare all of them at once.
QString FiguresText(const BalanceFigures& f);
QString SumsText(const RawSums& s);
inline std::string ModeName(const ::testing::TestParamInfo<bool>& i) { return i.param ? "book" : "account"; }

// A bank account (account mode) or bank book (book mode) of a test, written as the
// suite keeps it, with lines added one by one. Defaults: debit direction, home
// currency, reconciled from 2026-03-01 up to 2026-06-30.
struct TestAccount {
  QString code = QStringLiteral("T9");
  QString name = QStringLiteral("测试银行");
  bool debit = true;
  QDate start = QDate(2026, 3, 1);
  QDate end = QDate(2026, 6, 30);
  QString currency;  // empty: the home currency
};

class BalanceLedger;

// Random accounts of every kind (both directions, foreign or not, with and without
// an end date), each with random lines of every kind: ticked, cleared, opening
// items, statement lines of the year before and lines without a direction.
std::vector<TestAccount> AddRandomAccounts(BalanceLedger& ledger, const QString& prefix, int accounts, int lines,
                                           unsigned seed);

class BalanceLedger {
 public:
  BalanceLedger(platform::DbConnection& db, bool book) : db_(db), book_(book) {}

  void AddAccount(const TestAccount& a);
  void BankOpening(const QString& code, platform::Money amount);
  void JournalOpening(const QString& code, platform::Money amount);
  // A journal line; period 21 is an opening item. Foreign amounts default to 0.
  void Journal(const QString& code, const QDate& date, int period, platform::Money md, platform::Money mc,
               bool ticked, bool cleared, platform::Money mdF = {}, platform::Money mcF = {});
  // A statement line; bdc 1 debit, 0 credit, negative for none (read as credit).
  void Bank(const QString& code, const QDate& date, int bdc, platform::Money amount, bool ticked, bool cleared);

  QString JournalTable() const { return book_ ? QStringLiteral("RP_Flow") : QStringLiteral("gl_accvouch"); }
  QString StatementTable() const { return book_ ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp"); }
  QString Key() const { return book_ ? QStringLiteral("cBookCode") : QStringLiteral("ccode"); }
  // How a message names the account's statement line of that date: its number and amount.
  QString NamedStatementLine(const QString& code, const QDate& date);
  // Lines of the account with bdelete 1, journal plus statement.
  long long ClearedCount(const QString& code);

 private:
  platform::DbConnection& db_;
  bool book_;
  int next_ = 0;
};

}  // namespace corvane::balance::test
