#include "balance/clearing.h"

#include "platform/db/transaction_guard.h"
#include "shared/session.h"

namespace corvane::balance {

using shared::Session;

namespace {

struct Tables {
  QString journal, statement, key;
};

Tables TablesOfMode() {
  if (Session::Current().BookMode())
    return {QStringLiteral("RP_Flow"), QStringLiteral("rp_bankrecp_RP"), QStringLiteral("cBookCode")};
  return {QStringLiteral("gl_accvouch"), QStringLiteral("rp_bankrecp"), QStringLiteral("ccode")};
}

// from: the bdelete the lines have now; to: the one they get.
Clearing::Changed SetCleared(const QString& code, int from, int to) {
  platform::DbConnection& db = Session::Current().Db();
  const Tables t = TablesOfMode();
  platform::TransactionGuard guard(db);
  Clearing::Changed changed;
  changed.journal = db.Execute(
      QStringLiteral("UPDATE %1 set bdelete = ? where ibook=1 and bdelete=? and iflagbank<>0 and iperiod<>20 and %2=?")
          .arg(t.journal, t.key),
      {to, from, code});
  changed.statement = db.Execute(
      QStringLiteral("UPDATE %1 set bdelete = ? where bdelete=? and iflag<>0 and ibegin<>0 and %2=?")
          .arg(t.statement, t.key),
      {to, from, code});
  guard.Commit();
  return changed;
}

}  // namespace

bool Clearing::TakesLock() { return !Session::Current().BookMode(); }

Clearing::Changed Clearing::ClearReconciled(const QString& code) { return SetCleared(code, 0, 1); }

Clearing::Changed Clearing::RestoreCleared(const QString& code) { return SetCleared(code, 1, 0); }

}  // namespace corvane::balance
