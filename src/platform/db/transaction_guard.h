#pragma once

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

}  // namespace corvane::platform
