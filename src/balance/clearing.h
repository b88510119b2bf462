#pragma once

#include <QString>

namespace corvane::balance {

// The writes of clearing and of its restore, for one account (account mode) or
// book (book mode). Both statements of a run commit together or not at all.
//
// Clearing marks the ticked journal and statement lines as cleared (bdelete 1),
// whatever their date. The restore is its exact inverse in the session's mode:
// the same tables and conditions with bdelete 1 turned back to 0, so a book code
// never reaches the account tables.
class Clearing {
 public:
  // The function id under which clearing holds the account in account mode.
  static QString LockFunctionId() { return QStringLiteral("GL040706"); }
  // Whether the session's mode holds the account while clearing or restoring.
  static bool TakesLock();

  // Both UPDATEs in one transaction; throws (after rolling back) when one fails.
  // Gives the number of lines changed on each side.
  struct Changed { long long journal = 0; long long statement = 0; };
  static Changed ClearReconciled(const QString& code);
  static Changed RestoreCleared(const QString& code);
};

}  // namespace corvane::balance
