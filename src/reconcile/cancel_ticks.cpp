#include "reconcile/cancel_ticks.h"

#include "platform/controls/list_grid.h"
#include "platform/db/sql_builder.h"
#include "platform/db/transaction_guard.h"
#include "shared/messages.h"
#include "shared/session.h"

#include <QColor>
#include <exception>

namespace corvane::reconcile {

using platform::SqlBuilder;

namespace {

constexpr int kManualOffset = 12;
constexpr int kLastManualTick = 24;

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

SqlBuilder JournalUpdate(const ReconLoadRequest& a, int fromPeriod, CancelScope scope) {
  SqlBuilder q;
  if (a.bookMode)
    q.Add(QStringLiteral("update RP_Flow set iflagbank=NULL where cBookCode=? and ccode=? and bdelete=0"), a.bookCode,
          a.code);
  else
    q.Add(QStringLiteral("update gl_accvouch set iflagbank=NULL where ccode=? and bdelete=0"), a.code);
  AddRange(q, QStringLiteral("iflagbank"), fromPeriod, scope);
  return q;
}

SqlBuilder StatementUpdate(const ReconLoadRequest& a, int fromPeriod, CancelScope scope) {
  SqlBuilder q;
  if (a.bookMode)
    q.Add(QStringLiteral("update rp_bankrecp_rp set iflag=NULL where cBookCode=? and ccode=? and bdelete=0"),
          a.bookCode, a.code);
  else
    q.Add(QStringLiteral("update rp_bankrecp set iflag=NULL where ccode=? and bdelete=0"), a.code);
  AddRange(q, QStringLiteral("iflag"), fromPeriod, scope);
  return q;
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
                         CancelScope scope, const CancelFault& betweenUpdates) {
  CancelResult result;
  if (!ValidPeriod(fromPeriod)) {
    // Period 0 would reach the automatic value 12 with the manual range.
    result.error = QStringLiteral("period %1 is not an accounting period").arg(fromPeriod);
    return result;
  }
  try {
    const SqlBuilder journal = JournalUpdate(account, fromPeriod, scope);
    const SqlBuilder statement = StatementUpdate(account, fromPeriod, scope);
    platform::TransactionGuard transaction(db);
    result.journalCleared = db.Execute(journal.Sql(), journal.Params());
    if (betweenUpdates) betweenUpdates();
    result.statementCleared = db.Execute(statement.Sql(), statement.Params());
    transaction.Commit();
    result.ok = true;
  } catch (const std::exception& e) {
    result = CancelResult();
    result.error = QString::fromUtf8(e.what());
  }
  return result;
}

std::vector<int> RowsToClear(const std::vector<std::optional<int>>& ticks, int fromPeriod, CancelScope scope) {
  std::vector<int> rows;
  for (size_t i = 0; i < ticks.size(); ++i)
    if (InCancelRange(ticks[i], fromPeriod, scope)) rows.push_back(static_cast<int>(i) + 1);
  return rows;
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

void ShowCancelFailure(const CancelResult& result) {
  shared::ShowMsgBox(shared::GetResString(QStringLiteral("corvane.recon.cancelfailed"), result.error), 16,
                     shared::GetResString(shared::kCashTitleKey));
}

}  // namespace corvane::reconcile
