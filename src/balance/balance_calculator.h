#pragma once

#include "balance/balance_figures.h"

#include <QString>
#include <vector>

namespace corvane::balance {

// An account or book of the statement list.
struct ListedAccount {
  QString code;
  QString name;  // the book's or the account's name
};

// The facts of every listed account read from the list rows themselves (code or
// RP_Book), with the services asked only for what a row lacks (an account-set or
// book default start date): the same facts ReadFacts gives one account at a time,
// without a handful of queries per account. A row that cannot give its facts
// carries a failure.
struct ListedFacts {
  AccountFacts facts;
  QString failure;
};

// One account's statement, or why it could not be made.
struct AccountStatement {
  AccountFacts facts;
  BalanceFigures figures;
  QString failure;  // empty when the figures are good
  bool Failed() const { return !failure.isEmpty(); }
};

// The balance arithmetic of the statement and of clearing, for one account or for
// every account at once. Both paths read the same rows and combine them with
// CombineSums, so they give the same figures.
//
// The carried balances take the cleared lines from the start date up to the end
// date (when there is one): lines cleared after the end date belong to later
// statements, so clearing them must not change the statement at that date.
class BalanceCalculator {
 public:
  // The account's facts through the shared account procedures. bookName: the
  // name the list gave (book mode); empty asks the services.
  static AccountFacts ReadFacts(const QString& code, const QString& bookName = QString());
  // One aggregate query per sum.
  static RawSums SumsForAccount(const AccountFacts& facts);
  static BalanceFigures ForAccount(const AccountFacts& facts) { return CombineSums(SumsForAccount(facts), facts.debit); }

  // The bank accounts (be=1, bend=1) or the opened bank books, closed ones too.
  static std::vector<ListedAccount> ListAccounts();
  static std::vector<ListedFacts> ListAccountFacts();
  // Every listed account, each figure summed for all accounts in one grouped
  // query per side. An account whose facts cannot be read carries its failure
  // and the others go on.
  static std::vector<AccountStatement> ForAllAccounts();
  // The same for given accounts, their facts read one by one (a test's list).
  static std::vector<AccountStatement> ForAccounts(const std::vector<ListedAccount>& accounts);
  static std::vector<AccountStatement> ForFacts(const std::vector<ListedFacts>& accounts);
};

}  // namespace corvane::balance
