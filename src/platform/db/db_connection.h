#pragma once

#include "platform/db/db_value.h"
#include "platform/db/recordset_wrapper.h"
#include "platform/db/result_set.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <vector>

namespace corvane::platform {

// One connection to the suite's database. Every value reaches SQL as a bound
// parameter: "?" in the text, the values in order in params. Failures throw DbError.
class DbConnection {
 public:
  // The open options of OpenRecordset. Windows that keep their rows open to find,
  // change, add and delete lines pass 2; single-value and sum queries pass 4.
  static constexpr int kOpenEditable = 2;
  static constexpr int kOpenBatch = 3;  // client copy; changed rows written by UpdateBatch
  static constexpr int kOpenReadOnly = 4;

  virtual ~DbConnection() = default;

  std::unique_ptr<RecordsetWrapper> OpenRecordset(const QString& sql, const DbParams& params = {},
                                                  int option = kOpenReadOnly);
  // First column of the first row, NULL when there is no row.
  DbValue QueryValue(const QString& sql, const DbParams& params = {});
  // Runs the statement; gives the number of rows it changed.
  virtual long long Execute(const QString& sql, const DbParams& params = {}) = 0;
  // Runs one statement once per parameter row, without a round trip per row where
  // the engine allows it. Not a transaction by itself. Gives the number of rows
  // changed, summed over the parameter rows, so a guarded write can tell how many
  // of its rows still met their guard.
  virtual long long ExecuteBatch(const QString& sql, const std::vector<DbParams>& rows) = 0;
  virtual ResultSet Query(const QString& sql, const DbParams& params = {}) = 0;
  // Reads the rows one at a time without keeping them: each call gets the
  // current row's values (the vector is reused between calls). For lists that
  // turn every row into something else at once, such as a grid's texts.
  using RowVisitor = std::function<void(const std::vector<DbValue>& row)>;
  virtual void ForEachRow(const QString& sql, const DbParams& params, const RowVisitor& visit);

  virtual void BeginTrans() = 0;
  virtual void CommitTrans() = 0;
  virtual void RollbackTrans() = 0;
  virtual bool InTransaction() const = 0;
  // Serialises the open transaction on an account: another transaction that asks
  // for the same account waits until this one ends (as long as a row lock would
  // be waited for, then a Busy DbError). Every transaction that writes ticks or
  // cleared flags calls it first, before it reads what it will change (see
  // AccountWriteTransaction). Throws DbError outside a transaction.
  virtual void SerializeOnAccount(const QString& account) = 0;

  // Transactions are numbered from 1 as they begin; 0 is "none open" (each
  // statement commits by itself). A batch recordset keeps what it wrote inside a
  // transaction until it knows that transaction committed, so that a retry after
  // a rollback writes the rows again.
  std::uint64_t CurrentTransaction() const { return InTransaction() ? transactionNumber_ : 0; }
  bool RolledBack(std::uint64_t transaction) const { return rolledBack_.count(transaction) > 0; }

  // Enough to open another connection to the same database (OpenDbConnection of the suite).
  virtual QString GetConnectionString() const = 0;
  // The primary-key column of a table, empty when it has none.
  virtual QString PrimaryKeyOf(const QString& table) = 0;
  virtual bool IsOpen() const = 0;
  virtual void Close() = 0;
  // An SQL condition on a date column (the column's name in the query) that
  // holds where the column keeps a value the layer cannot read as a date (see
  // DbError::Kind::Unreadable), as another program may have written it; false
  // for no date. Its own engine's words, so that a query can look for such a line
  // among those it sums or in an account's lines (shared::RefuseUnreadableDates).
  virtual QString UnreadableDateSql(const QString& column) const = 0;
  // Run, in the order given, after the connection broke and was made again, before
  // the statement that made it runs: what the session keeps on the server under
  // its connection (the owner of its claim and lock rows) is renewed there. A
  // handler that throws fails that statement; the others still run. The handler
  // runs as long as the returned handle is kept.
  using ReconnectHandler = std::function<void()>;
  [[nodiscard]] std::shared_ptr<ReconnectHandler> OnReconnected(ReconnectHandler handler);

  // Whether the connection offers the named SQL function of the suite's own (an
  // engine may register some on open); without it the caller uses portable SQL.
  virtual bool ProvidesFunction(const char* name) const {
    (void)name;
    return false;
  }

 protected:
  // The engines call these from BeginTrans, CommitTrans and RollbackTrans.
  void NoteTransactionBegun() { ++transactionNumber_; }
  void NoteTransactionEnded(bool committed) { if (!committed) rolledBack_.insert(transactionNumber_); }
  // An engine calls this once it has connected again; it runs the handlers.
  void NoteReconnected();

 private:
  std::uint64_t transactionNumber_ = 0;
  std::set<std::uint64_t> rolledBack_;
  std::vector<std::weak_ptr<ReconnectHandler>> reconnectHandlers_;
};

}  // namespace corvane::platform
