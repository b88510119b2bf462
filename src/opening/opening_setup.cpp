#include "opening/opening_setup.h"

#include "platform/db/db_error.h"
#include "platform/db/transaction_guard.h"
#include "shared/account_facts.h"
#include "shared/balance_sums.h"
#include "shared/messages.h"
#include "shared/session.h"

namespace corvane::opening {

using platform::Money;
using shared::Session;

OpeningFigures LoadOpeningFigures(const OpeningTarget& target) {
  OpeningFigures f;
  const QString& key = target.Key();
  // The currency of a book is the book's own; of an account, the account's.
  f.currencyName = shared::GetCurrencyName(key);
  f.foreign = !f.currencyName.isEmpty();
  f.debitDirection = shared::GetAccountDirection(key);
  f.startDate = shared::GetStartDate(key);
  f.journalOpening = shared::GetJournalOpening(key);
  f.bankOpening = shared::GetBankOpeningBalance(key);
  try {
    shared::RefuseUnreadableLineDates(key);
    f.bankDebitBefore = shared::SumBankStatement(key, f.startDate, true, std::nullopt, 1);
    f.bankCreditBefore = shared::SumBankStatement(key, f.startDate, false, std::nullopt, 1);
    f.journalDebitBefore = shared::SumJournal(key, f.startDate, true, f.foreign, std::nullopt, 1);
    f.journalCreditBefore = shared::SumJournal(key, f.startDate, false, f.foreign, std::nullopt, 1);
  } catch (const platform::DbError& e) {
    if (!e.IsUnreadableDate()) throw;
    f.sumsFailure = shared::FailureText(e);
  }
  return f;
}

AdjustedBalances ComputeAdjusted(Money journalOpening, Money bankOpening, Money bankDebit, Money bankCredit,
                                 Money journalDebit, Money journalCredit, bool debitDirection) {
  AdjustedBalances b;
  b.journalAdd = debitDirection ? bankDebit : bankCredit;
  b.journalLess = debitDirection ? bankCredit : bankDebit;
  b.journalAdjusted = journalOpening + b.journalAdd - b.journalLess;
  b.bankAdd = journalDebit;
  b.bankLess = journalCredit;
  b.bankAdjusted = bankOpening + journalDebit - journalCredit;
  return b;
}

AdjustedBalances ComputeAdjusted(const OpeningFigures& f) {
  return ComputeAdjusted(f.journalOpening, f.bankOpening, f.bankDebitBefore, f.bankCreditBefore,
                         f.journalDebitBefore, f.journalCreditBefore, f.debitDirection);
}

platform::AmountReading ReadOpeningBalance(const QString& typed) {
  if (typed.trimmed().isEmpty()) return {Money(), platform::AmountRefusal::None};
  const platform::AmountReading r = platform::ReadAmount(typed);
  if (!r.value) return r;
  // Kept to the cent, so the limit holds for the figure that is stored.
  const Money cents = r.value->RoundedToCents();
  if (cents > Money::LineMax() || cents < -Money::LineMax()) return {std::nullopt, platform::AmountRefusal::Range};
  return {cents, platform::AmountRefusal::None};
}

void SaveOpeningSetup(const OpeningTarget& target, const QDate& startDate, Money journalOpening, Money bankOpening) {
  Session& s = Session::Current();
  platform::TransactionGuard guard(s.Db());
  if (target.bookMode)
    s.Cash().SetBookStartDate(target.bookCode, startDate);
  else
    shared::SetAccountStartDate(target.accountCode, startDate);
  const QString book = target.bookMode ? target.bookCode : QString();
  shared::SaveBankOpeningBalance(target.accountCode, book, bankOpening);
  shared::SaveJournalOpening(target.accountCode, book, journalOpening);
  guard.Commit();
}

bool HasTickedLines(const OpeningTarget& target) {
  platform::DbConnection& db = Session::Current().Db();
  const QString keyColumn = target.bookMode ? QStringLiteral("cBookCode") : QStringLiteral("ccode");
  const QString journal = target.bookMode ? QStringLiteral("RP_Flow") : QStringLiteral("gl_accvouch");
  const QString statement = target.bookMode ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp");
  if (!db.QueryValue(QStringLiteral("select 1 from %1 where %2 = ? and ibook=1 and iperiod<>20 and iflagbank<>0 limit 1")
                         .arg(journal, keyColumn),
                     {target.Key()})
           .IsNull())
    return true;
  return !db.QueryValue(QStringLiteral("select 1 from %1 where %2 = ? and ibegin<>0 and iflag<>0 limit 1")
                            .arg(statement, keyColumn),
                        {target.Key()})
              .IsNull();
}

void WriteDirection(const OpeningTarget& target, bool debit) {
  if (target.bookMode)
    Session::Current().Cash().SetBookDirection(target.bookCode, debit);
  else
    shared::SetAccountDirection(target.accountCode, debit);
}

}  // namespace corvane::opening
