#include "reconcile/manual_tick.h"

#include "platform/db/sql_builder.h"

namespace corvane::reconcile {

TickWrite WriteLineTick(platform::DbConnection& db, ReconSide side, bool bookMode, const QVariant& key,
                        std::optional<int> shown, std::optional<int> value) {
  const bool journal = side == ReconSide::Journal;
  const QString table = journal ? (bookMode ? QStringLiteral("RP_Flow") : QStringLiteral("gl_accvouch"))
                                : (bookMode ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp"));
  const QString column = journal ? QStringLiteral("iflagbank") : QStringLiteral("iflag");
  const QString keyColumn = journal && bookMode ? QStringLiteral("cFlowID") : QStringLiteral("i_id");
  const platform::DbValue keyValue = journal && bookMode ? platform::DbValue(key.toString())
                                                         : platform::DbValue(key.toLongLong());
  const platform::DbValue tick = value ? platform::DbValue(*value) : platform::DbValue();
  platform::SqlBuilder q(QStringLiteral("update %1 set %2=? where %3=? and bdelete=0").arg(table, column, keyColumn), tick,
                         keyValue);
  if (shown && *shown != 0) q.Add(QStringLiteral(" and %1=?").arg(column), *shown);
  else q.Add(QStringLiteral(" and (%1=0 or %1 is null)").arg(column));
  if (db.Execute(q.Sql(), q.Params()) == 1) return TickWrite::Written;
  const bool stored =
      !db.QueryValue(QStringLiteral("select %1 from %2 where %1=?").arg(keyColumn, table), {keyValue}).IsNull();
  return stored ? TickWrite::ChangedMeanwhile : TickWrite::Missing;
}

}  // namespace corvane::reconcile
