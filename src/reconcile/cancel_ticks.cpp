#include "reconcile/cancel_ticks.h"

#include "platform/controls/list_grid.h"
#include "platform/db/db_error.h"
#include "platform/db/sql_builder.h"
#include "platform/db/transaction_guard.h"
#include "shared/messages.h"
#include "shared/session.h"

#include <QColor>
#include <algorithm>
#include <exception>
#include <map>
#include <stdexcept>

namespace corvane::reconcile {

using platform::SqlBuilder;

namespace {

constexpr int kManualOffset = 12;
constexpr int kLastManualTick = 24;

class ChangedDuringCancel : public std::runtime_error {
 public:
  ChangedDuringCancel() : std::runtime_error("ticks changed by another session") {}
};

bool ValidPeriod(int period) { return period >= kFirstPeriod && period <= kLastPeriod; }

// " and (<column> between N and 12 or <column> between N+12 and 24)" for the scope;
// the bounds computed here and bound, so the range is the same whichever engine
// evaluates it.
void AddRange(SqlBuilder& q, const QString& column, int fromPeriod, CancelScope scope) {
  const QString automatic = column + QStringLiteral(" between ? and ?");
  const QString manual = column + QStringLiteral(" between ? and ?");
  switch (scope) {
    case CancelScope::Both:
      q.Add(QStringLiteral(" and (") + automatic + QStringLiteral(" or ") + manual + QStringLiteral(")"), fromPeriod,
            kLastPeriod, fromPeriod + kManualOffset, kLastManualTick);
      break;
    case CancelScope::Automatic:
      q.Add(QStringLiteral(" and ") + automatic, fromPeriod, kLastPeriod);
      break;
    case CancelScope::Manual:
      q.Add(QStringLiteral(" and ") + manual, fromPeriod + kManualOffset, kLastManualTick);
      break;
  }
}

// The lines of one side whose tick the cancel takes: "<verb> <table> ... where
// <account> and bdelete=0 and <range>", the verb an UPDATE or the SELECT that
// reads the same lines first.
SqlBuilder SideStatement(const QString& head, const ReconLoadRequest& a, int fromPeriod, CancelScope scope,
                         const QString& column) {
  SqlBuilder q;
  if (a.bookMode) q.Add(head + QStringLiteral(" where cBookCode=? and ccode=? and bdelete=0"), a.bookCode, a.code);
  else q.Add(head + QStringLiteral(" where ccode=? and bdelete=0"), a.code);
  AddRange(q, column, fromPeriod, scope);
  return q;
}

struct Side {
  QString table, key, column;
};

Side JournalSide(const ReconLoadRequest& a) {
  return a.bookMode ? Side{QStringLiteral("RP_Flow"), QStringLiteral("cFlowID"), QStringLiteral("iflagbank")}
                    : Side{QStringLiteral("gl_accvouch"), QStringLiteral("i_id"), QStringLiteral("iflagbank")};
}

Side StatementSide(const ReconLoadRequest& a) {
  return {a.bookMode ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp"), QStringLiteral("i_id"),
          QStringLiteral("iflag")};
}

// The marked rows of a side read again: a row whose line is gone is missing; a
// row's mark goes when its line is not cleared and its tick is in range.
CancelledMarks ReadMarks(platform::DbConnection& db, const Side& side, bool textKeys,
                         const std::vector<MarkedRow>& marks, int fromPeriod, CancelScope scope) {
  constexpr size_t kChunk = 500;
  std::map<QString, std::pair<bool, std::optional<int>>> stored;  // key → (cleared, tick)
  for (size_t from = 0; from < marks.size(); from += kChunk) {
    platform::DbParams keys;
    for (size_t i = from; i < std::min(marks.size(), from + kChunk); ++i)
      keys.push_back(textKeys ? platform::DbValue(marks[i].key.toString()) : platform::DbValue(marks[i].key.toLongLong()));
    SqlBuilder q(QStringLiteral("select %1,bdelete,%2 from %3 where ").arg(side.key, side.column, side.table));
    q.AddIn(side.key, keys);
    db.ForEachRow(q.Sql(), q.Params(), [&](const std::vector<platform::DbValue>& row) {
      const std::optional<int> tick = row[2].IsNull() ? std::nullopt : std::optional<int>(static_cast<int>(row[2].ToInt()));
      stored[row[0].ToString()] = {row[1].ToInt() != 0, tick};
    });
  }
  CancelledMarks out;
  for (const MarkedRow& m : marks) {
    const auto it = stored.find(m.key.toString());
    if (it == stored.end()) out.missing.push_back(m.key);
    else if (!it->second.first && InCancelRange(it->second.second, fromPeriod, scope)) out.rows.push_back(m.row);
  }
  return out;
}

// Reads the side's marked rows again and counts the lines in range, then clears
// them: the UPDATE must change exactly as many lines as were counted, or another
// session changed the account in between.
long long ClearSide(platform::DbConnection& db, const ReconLoadRequest& a, const Side& side, int fromPeriod,
                    CancelScope scope, const std::vector<MarkedRow>& marks, CancelledMarks& marked) {
  marked = ReadMarks(db, side, a.bookMode && side.key == QLatin1String("cFlowID"), marks, fromPeriod, scope);
  const SqlBuilder count = SideStatement(QStringLiteral("select count(*) from %1").arg(side.table), a, fromPeriod,
                                         scope, side.column);
  const long long inRange = db.QueryValue(count.Sql(), count.Params()).ToInt();
  const SqlBuilder update = SideStatement(QStringLiteral("update %1 set %2=NULL").arg(side.table, side.column), a,
                                          fromPeriod, scope, side.column);
  const long long cleared = db.Execute(update.Sql(), update.Params());
  if (cleared != inRange) throw ChangedDuringCancel();
  return cleared;
}

}  // namespace

CancelScope CancelScopeOf(int iCancelType) {
  if (iCancelType == 1) return CancelScope::Both;
  if (iCancelType == 2) return CancelScope::Automatic;
  return CancelScope::Manual;
}

bool InCancelRange(std::optional<int> tick, int fromPeriod, CancelScope scope) {
  if (!tick || !ValidPeriod(fromPeriod)) return false;
  const int v = *tick;
  const bool automatic = v >= fromPeriod && v <= kLastPeriod;
  const bool manual = v >= fromPeriod + kManualOffset && v <= kLastManualTick;
  switch (scope) {
    case CancelScope::Both: return automatic || manual;
    case CancelScope::Automatic: return automatic;
    case CancelScope::Manual: return manual;
  }
  return false;
}

CancelResult CancelTicks(platform::DbConnection& db, const ReconLoadRequest& account, int fromPeriod,
                         CancelScope scope, const LoadedMarks& marks, const CancelFault& betweenUpdates) {
  CancelResult result;
  if (!ValidPeriod(fromPeriod)) {
    // Period 0 would reach the automatic value 12 with the manual range.
    result.error = QStringLiteral("period %1 is not an accounting period").arg(fromPeriod);
    return result;
  }
  try {
    platform::AccountWriteTransaction transaction(db, account.code);
    result.journalCleared = ClearSide(db, account, JournalSide(account), fromPeriod, scope, marks.journal, result.journal);
    if (betweenUpdates) betweenUpdates();
    result.statementCleared =
        ClearSide(db, account, StatementSide(account), fromPeriod, scope, marks.statement, result.statement);
    transaction.Commit();
    result.ok = true;
  } catch (const ChangedDuringCancel&) {
    result = CancelResult();
    result.changedMeanwhile = true;
  } catch (const std::exception& e) {
    result = CancelResult();
    const auto* db = dynamic_cast<const platform::DbError*>(&e);
    result.error = db && db->IsConnectionLost() ? shared::FailureText(e) : QString::fromUtf8(e.what());
    result.busy = db && db->IsBusy();
  }
  return result;
}

void ClearGridMarks(platform::ListGrid& grid, int markColumn, const std::vector<int>& rows) {
  if (rows.empty()) return;
  const bool redraw = grid.Redraw();
  grid.SetRedraw(false);
  for (int row : rows) {
    if (row < 1 || row >= grid.Rows()) continue;
    grid.SetTextMatrix(row, markColumn, QString());
    grid.SetRowBackColor(row, QColor(Qt::white));
  }
  grid.SetRedraw(redraw);
}

bool ConfirmCancel(int fromPeriod) {
  QString periodText;
  try {
    periodText = shared::Session::Current().Common().GetCalendar().GetPeriodText(fromPeriod - 1);
  } catch (const std::exception&) {
  }
  if (periodText.isEmpty()) periodText = QString::number(fromPeriod);
  const int answer =
      shared::ShowMsgBox(shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.confirmcancel"), periodText), 4 + 256,
                         shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00797")));
  return answer == 6;
}

void ShowLinesNotFound(bool journal, const std::vector<QVariant>& keys) {
  const QString key = journal ? QStringLiteral("Q9.GL.ZWSQL.CASHBANK.notfound") : QStringLiteral("Q9.GL.ZWSQL.CASHBANK.notfoundrec");
  for (const QVariant& k : keys)
    shared::ShowMsgBox(shared::GetResString(key, k.toString()), 0, shared::GetResString(shared::kCashTitleKey));
}

void ShowCancelFailure(const CancelResult& result) {
  if (result.changedMeanwhile || result.busy) {
    shared::ShowMsgBox(shared::GetResString(result.busy ? QStringLiteral("corvane.recon.locktimeout")
                                                        : QStringLiteral("corvane.recon.changedmeanwhile")),
                       48,
                       shared::GetResString(shared::kCashTitleKey));
    return;
  }
  shared::ShowMsgBox(shared::GetResString(QStringLiteral("corvane.recon.cancelfailed"), result.error), 16,
                     shared::GetResString(shared::kCashTitleKey));
}

}  // namespace corvane::reconcile
