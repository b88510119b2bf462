#include "balance/clearing.h"

#include "balance/balance_calculator.h"
#include "platform/db/transaction_guard.h"
#include "shared/session.h"

namespace corvane::balance {

using shared::Session;

namespace {

// from: the bdelete the lines have now; to: the one they get. Clearing takes
// posted journal lines only, as does the book's restore; the account's restore
// takes back every cleared ticked line.
Clearing::Changed SetCleared(platform::DbConnection& db, const Clearing::Scope& scope, int from, int to,
                             const Clearing::Between& between) {
  const QString journal = scope.bookMode ? QStringLiteral("RP_Flow") : QStringLiteral("gl_accvouch");
  const QString statement = scope.bookMode ? QStringLiteral("rp_bankrecp_RP") : QStringLiteral("rp_bankrecp");
  const QString key = scope.bookMode ? QStringLiteral("cBookCode") : QStringLiteral("ccode");
  const bool postedOnly = to == 1 || scope.bookMode;
  Clearing::Changed changed;
  changed.journal = db.Execute(
      QStringLiteral("UPDATE %1 set bdelete = ? where %2bdelete=? and iflagbank<>0 and iperiod<>20 and %3=?")
          .arg(journal, postedOnly ? QStringLiteral("ibook=1 and ") : QString(), key),
      {to, from, scope.code});
  if (between) between();
  changed.statement = db.Execute(
      QStringLiteral("UPDATE %1 set bdelete = ? where bdelete=? and iflag<>0 and ibegin<>0 and %2=?")
          .arg(statement, key),
      {to, from, scope.code});
  return changed;
}

}  // namespace

bool SameFigures(const BalanceFigures& a, const BalanceFigures& b) {
  return a.bankCarried == b.bankCarried && a.journalCarried == b.journalCarried && a.bankBalance == b.bankBalance &&
         a.journalBalance == b.journalBalance && a.journalUnmatchedDebit == b.journalUnmatchedDebit &&
         a.journalUnmatchedCredit == b.journalUnmatchedCredit && a.bankUnmatchedDebit == b.bankUnmatchedDebit &&
         a.bankUnmatchedCredit == b.bankUnmatchedCredit && a.adjustedJournalBalance == b.adjustedJournalBalance &&
         a.adjustedBankBalance == b.adjustedBankBalance && a.balanced == b.balanced;
}

QString Clearing::LockFunctionId() {
  return Session::Current().BookMode() ? QStringLiteral("RP0308") : QStringLiteral("GL040706");
}

Clearing::Scope Clearing::ScopeOf(const QString& code) {
  Session& s = Session::Current();
  if (!s.BookMode()) return {code, code, false};
  return {code, s.Cash().GetBook(code).AccountCode.trimmed(), true};
}

platform::DbConnection& Clearing::SessionDb() { return Session::Current().Db(); }

Clearing::Changed Clearing::ClearReconciled(const QString& code, const BalanceFigures& confirmed,
                                            const Between& between) {
  const Scope scope = ScopeOf(code);
  platform::AccountWriteTransaction transaction(SessionDb(), scope.account);
  // Read again where no other writer of the account can reach: a tick written
  // since the user confirmed would otherwise be cleared with the others unseen.
  const BalanceFigures now = BalanceCalculator::ForAccount(BalanceCalculator::ReadFacts(code));
  if (!now.balanced || !SameFigures(now, confirmed)) {
    Changed refused;
    refused.changedMeanwhile = true;
    return refused;
  }
  const Changed changed = SetCleared(SessionDb(), scope, 0, 1, between);
  transaction.Commit();
  return changed;
}

Clearing::Changed Clearing::Restore(platform::DbConnection& db, const Scope& scope, const Between& between) {
  platform::AccountWriteTransaction transaction(db, scope.account);
  const Changed changed = SetCleared(db, scope, 1, 0, between);
  transaction.Commit();
  return changed;
}

}  // namespace corvane::balance
