#include "reconcile/match_writer.h"

#include "platform/db/transaction_guard.h"

namespace corvane::reconcile {

namespace {

std::vector<platform::DbParams> Rows(const std::vector<MatchLine>& lines, const std::vector<int>& ticks) {
  std::vector<platform::DbParams> rows;
  for (size_t i = 0; i < lines.size(); ++i)
    if (ticks[i] > 0) rows.push_back({ticks[i], lines[i].key});
  return rows;
}

}  // namespace

int WriteTicks(platform::DbConnection& db, bool bookMode, const MatchCandidates& lines, const PassTicks& ticks) {
  const std::vector<platform::DbParams> journal = Rows(lines.journal, ticks.journal);
  const std::vector<platform::DbParams> statement = Rows(lines.statement, ticks.statement);
  if (journal.empty() && statement.empty()) return 0;
  platform::TransactionGuard transaction(db);
  if (!journal.empty())
    db.ExecuteBatch(bookMode ? QStringLiteral("update RP_Flow set iflagbank=? where cFlowID=?")
                             : QStringLiteral("update gl_accvouch set iflagbank=? where i_id=?"),
                    journal);
  if (!statement.empty())
    db.ExecuteBatch(bookMode ? QStringLiteral("update rp_bankrecp_rp set iflag=? where i_id=?")
                             : QStringLiteral("update rp_bankrecp set iflag=? where i_id=?"),
                    statement);
  transaction.Commit();
  return static_cast<int>(journal.size() + statement.size());
}

}  // namespace corvane::reconcile
