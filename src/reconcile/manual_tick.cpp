#include "reconcile/manual_tick.h"

namespace corvane::reconcile {

bool WriteLineTick(platform::DbConnection& db, ReconSide side, bool bookMode, const QVariant& key,
                   std::optional<int> value) {
  const platform::DbValue tick = value ? platform::DbValue(*value) : platform::DbValue();
  if (side == ReconSide::Journal) {
    if (bookMode)
      return db.Execute(QStringLiteral("update RP_Flow set iflagbank=? where cFlowID=?"), {tick, key.toString()}) == 1;
    return db.Execute(QStringLiteral("update gl_accvouch set iflagbank=? where i_id=?"), {tick, key.toLongLong()}) == 1;
  }
  const QString table = bookMode ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp");
  return db.Execute(QStringLiteral("update %1 set iflag=? where i_id=?").arg(table), {tick, key.toLongLong()}) == 1;
}

}  // namespace corvane::reconcile
