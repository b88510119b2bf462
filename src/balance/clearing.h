#pragma once

#include "balance/balance_figures.h"
#include "platform/db/db_connection.h"

#include <QString>
#include <functional>

namespace corvane::balance {

// The writes of clearing and of its restore, for one account (account mode) or
// book (book mode). Both statements of a run commit together or not at all, in a
// transaction serialised on the account (in book mode the book's account), the
// same key the reconciliation and statement windows lock.
//
// Clearing marks the ticked journal and statement lines as cleared (bdelete 1),
// whatever their date. The restore turns cleared ticked lines back to live: in
// account mode every such line of the account, posted or not; in book mode the
// inverse of the book's clearing (posted lines of RP_Flow and rp_bankrecp_rp), so
// a book code never reaches the account tables.
class Clearing {
 public:
  // The function id under which clearing holds the account in the session's mode.
  static QString LockFunctionId();
  // The account the windows lock for a code of the list: the account itself, or
  // in book mode the book's account.
  static QString LockedAccount(const QString& code) { return ScopeOf(code).account; }

  // Gives the number of lines changed on each side; changedMeanwhile (nothing
  // written) when the account no longer has the figures the user confirmed.
  struct Changed {
    long long journal = 0;
    long long statement = 0;
    bool changedMeanwhile = false;
  };
  // Between runs between the two UPDATEs, inside the transaction (a test's
  // other session or failure).
  using Between = std::function<void()>;

  // What a run writes: the list's code (account or book), the account the run
  // is serialised on, and the mode whose tables it writes.
  struct Scope {
    QString code;
    QString account;
    bool bookMode = false;
  };
  static Scope ScopeOf(const QString& code);  // in the session's mode

  // Clears when the account, read again inside the transaction, is balanced with
  // exactly the figures confirmed. Throws (after rolling back) when a write fails.
  static Changed ClearReconciled(const QString& code, const BalanceFigures& confirmed, const Between& between = {});
  static Changed RestoreCleared(const QString& code, const Between& between = {}) {
    return Restore(SessionDb(), ScopeOf(code), between);
  }
  // The restore on any connection.
  static Changed Restore(platform::DbConnection& db, const Scope& scope, const Between& between = {});

 private:
  static platform::DbConnection& SessionDb();
};

// Whether two statements of an account show the same figures.
bool SameFigures(const BalanceFigures& a, const BalanceFigures& b);

}  // namespace corvane::balance
