#include "reconcile/manual_tick.h"

#include "platform/db/sql_builder.h"
#include "platform/db/transaction_guard.h"
#include "shared/statement_direction.h"

namespace corvane::reconcile {

namespace {

// " and <the line's date, direction and amount as seen>".
void AddSeenLine(platform::SqlBuilder& q, bool journal, bool bookMode, bool foreign, const LineFacts& seen) {
  const QString date = !journal ? QStringLiteral("ddate") : bookMode ? QStringLiteral("BillDate") : QStringLiteral("dbill_date");
  if (seen.date.isValid()) q.Add(QStringLiteral(" and %1=?").arg(date), seen.date);
  else q.Add(QStringLiteral(" and %1 is null").arg(date));
  if (!journal) {
    // The direction by the load's own rule.
    q.Add(QStringLiteral(" and coalesce(mmoney,0)=? and %1=?").arg(shared::DebitLineSql()), seen.amount,
          seen.debit ? 1 : 0);
    return;
  }
  // The load shows the debit when it is not zero, else the credit.
  const QString md = foreign ? QStringLiteral("coalesce(md_f,0)") : QStringLiteral("coalesce(md,0)");
  const QString mc = foreign ? QStringLiteral("coalesce(mc_f,0)") : QStringLiteral("coalesce(mc,0)");
  if (seen.debit) q.Add(QStringLiteral(" and %1=?").arg(md), seen.amount);
  else q.Add(QStringLiteral(" and %1=0 and %2=?").arg(md, mc), seen.amount);
}

}  // namespace

TickWrite WriteLineTick(platform::DbConnection& db, const ReconLoadRequest& account, bool foreign, ReconSide side,
                        const QVariant& key, const LineFacts& seen, std::optional<int> value) {
  const bool journal = side == ReconSide::Journal;
  const bool bookMode = account.bookMode;
  const QString table = journal ? (bookMode ? QStringLiteral("RP_Flow") : QStringLiteral("gl_accvouch"))
                                : (bookMode ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp"));
  const QString column = journal ? QStringLiteral("iflagbank") : QStringLiteral("iflag");
  const QString keyColumn = journal && bookMode ? QStringLiteral("cFlowID") : QStringLiteral("i_id");
  const platform::DbValue keyValue = journal && bookMode ? platform::DbValue(key.toString())
                                                         : platform::DbValue(key.toLongLong());
  const platform::DbValue tick = value ? platform::DbValue(*value) : platform::DbValue();
  platform::SqlBuilder q(QStringLiteral("update %1 set %2=? where %3=? and bdelete=0").arg(table, column, keyColumn), tick,
                         keyValue);
  if (seen.tick && *seen.tick != 0) q.Add(QStringLiteral(" and %1=?").arg(column), *seen.tick);
  else q.Add(QStringLiteral(" and (%1=0 or %1 is null)").arg(column));
  AddSeenLine(q, journal, bookMode, foreign, seen);
  platform::AccountWriteTransaction transaction(db, account.code);
  if (db.Execute(q.Sql(), q.Params()) == 1) {
    transaction.Commit();
    return TickWrite::Written;
  }
  const bool stored =
      !db.QueryValue(QStringLiteral("select %1 from %2 where %1=?").arg(keyColumn, table), {keyValue}).IsNull();
  return stored ? TickWrite::ChangedMeanwhile : TickWrite::Missing;
}

}  // namespace corvane::reconcile
