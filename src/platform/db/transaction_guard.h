#pragma once

#include <QString>

namespace corvane::platform {

class DbConnection;

// Begins a transaction and rolls it back on leaving the scope unless Commit ran,
// so an error thrown half-way leaves nothing written.
class TransactionGuard {
 public:
  explicit TransactionGuard(DbConnection& connection);
  ~TransactionGuard();
  TransactionGuard(const TransactionGuard&) = delete;
  TransactionGuard& operator=(const TransactionGuard&) = delete;
  void Commit();

 private:
  DbConnection& connection_;
  bool done_ = false;
};

// The transaction of a write to the ticks or cleared flags of one account (in book
// mode the book's account): begun and serialised on the account before anything
// is read, so that what the writer reads and tests inside it stays as read until
// it commits. Every such writer uses it, so no two of them interleave on one
// account and none waits for another's rows while holding rows of its own.
class AccountWriteTransaction {
 public:
  AccountWriteTransaction(DbConnection& connection, const QString& account);
  void Commit() { guard_.Commit(); }

 private:
  TransactionGuard guard_;
};

}  // namespace corvane::platform
