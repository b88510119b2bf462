#include "statement/statement_store.h"

#include "platform/db/db_connection.h"
#include "platform/db/transaction_guard.h"
#include "shared/balance_sums.h"

#include <algorithm>
#include <set>

namespace corvane::statement {

using platform::DbParams;
using platform::DbValue;
using platform::Money;

namespace {

DbValue TextOrNull(const QString& s) { return s.trimmed().isEmpty() ? DbValue() : DbValue(s.trimmed()); }

// Bound marks for a list of n values: "?,?,?".
QString Marks(size_t n) {
  QString s;
  for (size_t i = 0; i < n; ++i) s += i ? QStringLiteral(",?") : QStringLiteral("?");
  return s;
}

constexpr size_t kIdsPerStatement = 500;

}  // namespace

Money StatementStore::BalanceBeforeStart() {
  const Money opening = shared::GetBankOpeningBalance(c_.LineKey());
  if (!c_.startDate.isValid()) return opening;
  const QString sql = QStringLiteral(
                          "select coalesce(sum(case when bd_c=1 then mmoney else 0 end),0), "
                          "coalesce(sum(case when bd_c=1 then 0 else mmoney end),0) from %1 "
                          "where %2=? and ibegin<>0 and bdelete=0 and ddate<?")
                          .arg(c_.Table(), c_.KeyColumn());
  const platform::ResultSet r = db_.Query(sql, {c_.LineKey(), c_.startDate});
  Money debit, credit;
  if (!r.rows.empty()) {
    debit = r.rows[0][0].ToMoney();
    credit = r.rows[0][1].ToMoney();
  }
  return c_.debitDirection ? opening - debit + credit : opening + debit - credit;
}

void StatementStore::ForEachLine(const std::function<void(StatementLine&)>& visit) {
  const QString sql = QStringLiteral(
                          "select i_id, ddate, csettle, cn_id, bd_c, mmoney, iflag from %1 "
                          "where %2=? and ibegin<>0 and bdelete=0 order by ddate, i_id")
                          .arg(c_.Table(), c_.KeyColumn());
  StatementLine line;
  db_.ForEachRow(sql, {c_.LineKey()}, [&](const std::vector<DbValue>& row) {
    line.id = row[0].ToInt();
    line.date = row[1].ToDate();
    line.settle = row[2].IsNull() ? QString() : row[2].ToString();
    line.number = row[3].IsNull() ? QString() : row[3].ToString();
    line.debit = !row[4].IsNull() && row[4].ToInt() == 1;
    line.amount = row[5].ToMoney();
    line.ticked = !row[6].IsNull() && row[6].ToInt() != 0;
    visit(line);
  });
}

qint64 StatementStore::Insert(const StatementLine& line) {
  QString columns = QStringLiteral("ccode, ddate, csettle, cn_id, bd_c, mmoney, mbalance, ibegin, bdelete");
  DbParams params{c_.accountCode, line.date,          TextOrNull(line.settle), TextOrNull(line.number),
                  line.debit ? 1 : 0, line.amount, Money(), 2, 0};
  if (c_.bookMode) {
    columns += QStringLiteral(", cBookCode");
    params.push_back(c_.bookCode);
  }
  const QString sql = QStringLiteral("insert into %1 (%2) values (%3) returning i_id")
                          .arg(c_.Table(), columns, Marks(params.size()));
  const platform::ResultSet r = db_.Query(sql, params);
  return r.rows.empty() ? 0 : r.rows[0][0].ToInt();
}

StatementStore::UpdateResult StatementStore::Update(const StatementLine& line) {
  QString sets = QStringLiteral("ddate=?, csettle=?, cn_id=?, bd_c=?, mmoney=?, ibegin=2");
  DbParams params{line.date, TextOrNull(line.settle), TextOrNull(line.number), line.debit ? 1 : 0, line.amount};
  if (c_.bookMode) {
    sets += QStringLiteral(", cBookCode=?");
    params.push_back(c_.bookCode);
  }
  params.push_back(line.id);
  // Only a line still open is changed: one ticked meanwhile keeps its tick's amount.
  const QString sql =
      QStringLiteral("update %1 set %2 where i_id=? and (iflag is null or iflag=0) and bdelete=0").arg(c_.Table(), sets);
  if (db_.Execute(sql, params) == 1) return UpdateResult::Updated;
  const DbValue exists = db_.QueryValue(QStringLiteral("select count(*) from %1 where i_id=?").arg(c_.Table()), {line.id});
  return exists.ToInt() == 0 ? UpdateResult::Vanished : UpdateResult::Ticked;
}

StatementStore::DeleteResult StatementStore::Delete(const std::vector<qint64>& ids) {
  DeleteResult result;
  platform::TransactionGuard guard(db_);
  for (size_t from = 0; from < ids.size(); from += kIdsPerStatement) {
    const size_t n = std::min(kIdsPerStatement, ids.size() - from);
    DbParams params(ids.begin() + static_cast<std::ptrdiff_t>(from), ids.begin() + static_cast<std::ptrdiff_t>(from + n));
    const QString where = QStringLiteral(" where i_id in (%1)").arg(Marks(n));
    // Only open lines go: one ticked or cleared since the window read it stays.
    const platform::ResultSet deleted = db_.Query(
        QStringLiteral("delete from %1%2 and (iflag is null or iflag=0) and bdelete=0 returning i_id").arg(c_.Table(), where),
        params);
    if (deleted.rows.size() == n) continue;
    // Some were not deleted: gone already, or changed by another session.
    if (!db_.Query(QStringLiteral("select i_id from %1%2").arg(c_.Table(), where), params).rows.empty()) {
      result.refused = true;
      return result;  // the guard rolls back what was deleted so far
    }
    std::set<qint64> done;
    for (const auto& row : deleted.rows) done.insert(row[0].ToInt());
    for (size_t i = from; i < from + n; ++i)
      if (!done.count(ids[i])) result.missing.push_back(ids[i]);
  }
  guard.Commit();
  return result;
}

}  // namespace corvane::statement
