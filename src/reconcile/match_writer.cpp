#include "reconcile/match_writer.h"

#include "platform/db/transaction_guard.h"
#include "shared/statement_direction.h"

namespace corvane::reconcile {

namespace {

using platform::DbParams;

std::vector<DbParams> JournalRows(const std::vector<MatchLine>& lines, const std::vector<int>& ticks) {
  std::vector<DbParams> rows;
  for (size_t i = 0; i < lines.size(); ++i)
    if (ticks[i] > 0) rows.push_back({ticks[i], lines[i].key, lines[i].debit, lines[i].credit, lines[i].date});
  return rows;
}

std::vector<DbParams> StatementRows(const std::vector<MatchLine>& lines, const std::vector<int>& ticks) {
  std::vector<DbParams> rows;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (ticks[i] <= 0) continue;
    // A statement line holds its amount on the side its direction names.
    const bool debit = lines[i].debitSide;
    rows.push_back({ticks[i], lines[i].key, debit ? lines[i].debit : lines[i].credit, debit ? 1 : 0, lines[i].date});
  }
  return rows;
}

QString JournalUpdate(const MatchRequest& r) {
  const QString amounts = r.foreign ? QStringLiteral("coalesce(md_f,0)=? and coalesce(mc_f,0)=?")
                                    : QStringLiteral("coalesce(md,0)=? and coalesce(mc,0)=?");
  return QStringLiteral("update %1 set iflagbank=? where %2=? and (iflagbank=0 or iflagbank is null) and bdelete=0 "
                        "and %3 and %4=?")
      .arg(r.bookMode ? QStringLiteral("RP_Flow") : QStringLiteral("gl_accvouch"),
           r.bookMode ? QStringLiteral("cFlowID") : QStringLiteral("i_id"), amounts,
           r.bookMode ? QStringLiteral("BillDate") : QStringLiteral("dbill_date"));
}

QString StatementUpdate(const MatchRequest& r) {
  // The direction by the candidates' own rule.
  return QStringLiteral("update %1 set iflag=? where i_id=? and (iflag=0 or iflag is null) and bdelete=0 "
                        "and coalesce(mmoney,0)=? and %2=? and ddate=?")
      .arg(r.bookMode ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp"), shared::DebitLineSql());
}

}  // namespace

int WriteTicks(platform::DbConnection& db, const MatchRequest& request, const MatchCandidates& lines,
               const PassTicks& ticks) {
  const std::vector<DbParams> journal = JournalRows(lines.journal, ticks.journal);
  const std::vector<DbParams> statement = StatementRows(lines.statement, ticks.statement);
  if (journal.empty() && statement.empty()) return 0;
  platform::AccountWriteTransaction transaction(db, request.code);
  long long written = 0;
  if (!journal.empty()) written += db.ExecuteBatch(JournalUpdate(request), journal);
  if (!statement.empty()) written += db.ExecuteBatch(StatementUpdate(request), statement);
  // The guard leaves out any line changed since it was read; one such line
  // makes the whole pass void, the transaction guard rolls it back.
  if (written != static_cast<long long>(journal.size() + statement.size())) throw ChangedMeanwhile();
  transaction.Commit();
  return static_cast<int>(written);
}

}  // namespace corvane::reconcile
