#include "balance/balance_calculator.h"

#include "balance/grouped_sums.h"
#include "platform/db/db_error.h"
#include "platform/services/service_error.h"
#include "shared/account_facts.h"
#include "shared/balance_sums.h"
#include "shared/messages.h"
#include "shared/session.h"

#include <exception>
#include <map>

namespace corvane::balance {

using platform::Money;
using shared::Session;

AccountFacts BalanceCalculator::ReadFacts(const QString& code, const QString& bookName) {
  Session& s = Session::Current();
  AccountFacts f;
  f.code = code;
  f.debit = shared::GetAccountDirection(code);
  f.start = shared::GetStartDate(code);
  if (!f.start.isValid())
    throw platform::ServiceError(shared::GetResString(QStringLiteral("corvane.balance.nostart"), code));
  f.currency = shared::GetCurrencyName(code);
  f.foreign = !f.currency.isEmpty();
  f.end = shared::GetEndDate(code);
  if (s.BookMode())
    f.name = bookName.isEmpty() ? s.Cash().GetBookName(code) : bookName;
  else
    f.name = s.Common().GetAccountName(code);
  return f;
}

RawSums BalanceCalculator::SumsForAccount(const AccountFacts& f) {
  using shared::SumBankStatement;
  using shared::SumJournal;
  const QString end = f.EndDateText();
  shared::RefuseUnreadableLineDates(f.code);
  RawSums r;
  r.bankOpening = shared::GetBankOpeningBalance(f.code);
  r.bankClearedNet = SumBankStatement(f.code, f.start, true, true, 2, std::nullopt, end) -
                     SumBankStatement(f.code, f.start, false, true, 2, std::nullopt, end);
  r.journalOpening = shared::GetJournalOpening(f.code);
  r.journalClearedNet = SumJournal(f.code, f.start, true, f.foreign, true, 2, std::nullopt, end) -
                        SumJournal(f.code, f.start, false, f.foreign, true, 2, std::nullopt, end);
  r.bankLiveSigned = shared::SumBankSigned(f.code, f.start, end, false, 2);
  r.journalLiveSigned = shared::SumJournalSigned(f.code, f.start, end, f.foreign, false, 2);
  r.journalUnmatchedDebit = SumJournal(f.code, f.start, true, f.foreign, false, 0, false, end);
  r.journalUnmatchedCredit = SumJournal(f.code, f.start, false, f.foreign, false, 0, false, end);
  r.bankUnmatchedDebit = SumBankStatement(f.code, f.start, true, false, 0, false, end);
  r.bankUnmatchedCredit = SumBankStatement(f.code, f.start, false, false, 0, false, end);
  return r;
}

std::vector<ListedAccount> BalanceCalculator::ListAccounts() {
  Session& s = Session::Current();
  const bool book = s.BookMode();
  const QString sql = book ? QStringLiteral("select cBookCode, cBookName from rp_book where ibooktype = 2 And dOpenDate "
                                            "Is Not NULL order by cBookCode")
                           : QStringLiteral("select ccode, ccode_name from code where be=1 and bend=1 order by ccode");
  std::vector<ListedAccount> list;
  s.Db().ForEachRow(sql, {}, [&](const std::vector<platform::DbValue>& row) {
    list.push_back({row[0].ToString(), row[1].ToString()});
  });
  return list;
}

std::vector<AccountStatement> BalanceCalculator::ForAllAccounts() { return ForFacts(ListAccountFacts()); }

namespace {

// Shown in the account's row of the statement.
QString FailureText(const std::exception& e) {
  const QString text = shared::FailureText(e);
  return text.isEmpty() ? QStringLiteral("?") : text;
}

}  // namespace

std::vector<ListedFacts> BalanceCalculator::ListAccountFacts() {
  Session& s = Session::Current();
  const bool book = s.BookMode();
  std::vector<ListedFacts> list;
  const QString home = s.Common().GetAccountSetInfo().HomeCurrencyName;
  const QString sql =
      book ? QStringLiteral("select cBookCode, cBookName, bd_c, cexch_name, dBeginDate, dEndDate from rp_book "
                            "where ibooktype = 2 And dOpenDate Is Not NULL order by cBookCode")
           : QStringLiteral("select ccode, ccode_name, bd_c, cexch_name, dbegin, dend from code "
                            "where be=1 and bend=1 order by ccode");
  s.Db().ForEachRow(sql, {}, [&](const std::vector<platform::DbValue>& row) {
    ListedFacts f;
    f.facts.code = row[0].ToString();
    f.facts.name = row[1].ToString();
    // No direction reads as debit for an account; a book has one always.
    f.facts.debit = row[2].IsNull() || row[2].ToInt() != 0;
    f.facts.foreign = shared::IsForeignCurrency(row[3].ToString(), home);
    if (f.facts.foreign) f.facts.currency = row[3].ToString().trimmed();
    f.facts.start = row[4].ToDate();
    f.facts.end = row[5].ToDate();
    list.push_back(std::move(f));
  });
  // Defaults of the start date, asked once for the account set, per book for books.
  QDate accountSetStart;
  bool accountSetStartRead = false;
  for (ListedFacts& f : list) {
    if (f.facts.start.isValid()) continue;
    try {
      if (book) {
        f.facts.start = s.Cash().GetBookDefaultStartDate(f.facts.code);
      } else {
        if (!accountSetStartRead) accountSetStart = s.Common().GetAccountSetDates().StartDate;
        accountSetStartRead = true;
        f.facts.start = accountSetStart;
      }
      if (!f.facts.start.isValid())
        throw platform::ServiceError(shared::GetResString(QStringLiteral("corvane.balance.nostart"), f.facts.code));
    } catch (const std::exception& e) {
      f.failure = FailureText(e);
    }
  }
  return list;
}

std::vector<AccountStatement> BalanceCalculator::ForAccounts(const std::vector<ListedAccount>& accounts) {
  std::vector<ListedFacts> facts;
  facts.reserve(accounts.size());
  for (const ListedAccount& a : accounts) {
    ListedFacts f;
    f.facts.code = a.code;
    f.facts.name = a.name;
    try {
      f.facts = ReadFacts(a.code, a.name);
    } catch (const std::exception& e) {
      f.failure = FailureText(e);
    }
    facts.push_back(std::move(f));
  }
  return ForFacts(facts);
}

std::vector<AccountStatement> BalanceCalculator::ForFacts(const std::vector<ListedFacts>& accounts) {
  std::vector<AccountStatement> out;
  out.reserve(accounts.size());
  std::vector<AccountFacts> good;
  for (const ListedFacts& a : accounts) {
    AccountStatement st;
    st.facts = a.facts;
    st.failure = a.failure;
    if (!st.Failed()) good.push_back(st.facts);
    out.push_back(std::move(st));
  }
  std::map<QString, RawSums> sums;
  try {
    sums = GroupedSums(good);
  } catch (const platform::DbError& e) {
    // A line whose date cannot be read fails the query of all accounts: summed
    // one by one, only its account's row says so and the others are computed.
    // Any other failure (a sum beyond the range of amounts, which PostgreSQL
    // reads as unreadable too) fails the statement.
    if (!e.IsUnreadableDate()) throw;
    for (AccountStatement& st : out) {
      if (st.Failed()) continue;
      try {
        sums[st.facts.code] = GroupedSums({st.facts})[st.facts.code];
      } catch (const std::exception& one) {
        st.failure = FailureText(one);
      }
    }
  }
  for (AccountStatement& st : out) {
    if (st.Failed()) continue;
    auto it = sums.find(st.facts.code);
    st.figures = CombineSums(it == sums.end() ? RawSums() : it->second, st.facts.debit);
  }
  return out;
}

}  // namespace corvane::balance
