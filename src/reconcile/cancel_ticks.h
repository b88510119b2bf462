#pragma once

#include "platform/db/db_connection.h"
#include "reconcile/recon_load.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

namespace corvane::platform {
class ListGrid;
}

namespace corvane::reconcile {

// Cancelling ticks from an accounting period on. Tick values carry their period:
// automatic ticks are the period itself (1 to 12), manual ticks the period + 12
// (13 to 24). Cancelling from period N therefore takes the automatic values N to
// 12 and the manual values N + 12 to 24, on both sides of the account (or book),
// whatever the window has loaded.
//
// The reconciliation window's cancel command, once the range dialog answered OK:
//   if (!ConfirmCancel(UnAutoMonth)) return;
//   const CancelResult r = CancelTicks(db, Loaded(), UnAutoMonth, CancelScopeOf(iCancelType), MarkedRows());
//   if (!r.ok) { ShowCancelFailure(r); return; }      // nothing was changed
//   ClearGridMarks(*MSGrid1(), 6, r.journal.rows); ShowLinesNotFound(true, r.journal.missing);
//   ClearGridMarks(*MsGrid2(), 5, r.statement.rows); ShowLinesNotFound(false, r.statement.missing);
// The database goes first so that the grids never show a state the database
// does not hold.

// Which ticks go. The range dialog hands back 1, 2 or 3.
enum class CancelScope { Both = 1, Automatic = 2, Manual = 3 };

// The scope of the dialog's kind value: 1 both, 2 automatic, anything else manual.
CancelScope CancelScopeOf(int iCancelType);

// The first and last period a cancel can start from.
constexpr int kFirstPeriod = 1;
constexpr int kLastPeriod = 12;

// Whether a stored tick value (none: NULL) falls in the range cancelled from the
// period on. A period outside 1 to 12 selects nothing.
bool InCancelRange(std::optional<int> tick, int fromPeriod, CancelScope scope);

// The loaded rows of one grid that carry a mark: grid row (from 1, under the
// heading) and the line's key.
struct MarkedRow {
  int row = 0;
  QVariant key;
};
struct LoadedMarks {
  std::vector<MarkedRow> journal;
  std::vector<MarkedRow> statement;
};

// What the cancel did to one side's marked rows, read again inside its
// transaction: the rows whose line is stored, not cleared and ticked in range
// (their marks go), and the keys of the lines no longer stored (their marks stay).
struct CancelledMarks {
  std::vector<int> rows;
  std::vector<QVariant> missing;
};

struct CancelResult {
  bool ok = false;
  long long journalCleared = 0;    // lines whose tick was set back to NULL
  long long statementCleared = 0;
  CancelledMarks journal;
  CancelledMarks statement;
  // Another session changed ticks of the account while the cancel ran: nothing
  // was changed.
  bool changedMeanwhile = false;
  // Another session held lines of the account for longer than the database
  // waits: nothing was changed.
  bool busy = false;
  QString error;                   // why nothing was changed, when !ok
};

// Called between the journal side and the statement side, inside the
// transaction; a test throws from it to prove that both sides stay as they were,
// or runs another session's write at that moment.
using CancelFault = std::function<void()>;

// Sets the tick values in range back to NULL on both sides of the loaded account
// (in book mode of the book and account), on every line that is not cleared: one
// UPDATE per side, both in one transaction serialised on the account. Each side's
// marked rows are read again in that transaction before its UPDATE, and its lines
// in range counted: each UPDATE must change exactly as many, or another session
// changed the account in between and the whole cancel is rolled back
// (changedMeanwhile). On any failure the transaction is rolled back and the
// result says why; nothing is thrown.
CancelResult CancelTicks(platform::DbConnection& db, const ReconLoadRequest& account, int fromPeriod,
                         CancelScope scope, const LoadedMarks& marks = {}, const CancelFault& betweenUpdates = {});

// Blanks the mark and whitens the rows given, in one redraw.
void ClearGridMarks(platform::ListGrid& grid, int markColumn, const std::vector<int>& rows);

// Asks whether the ticks from the period on are to go (Yes/No, No the default).
bool ConfirmCancel(int fromPeriod);

// Tells the user that the cancel failed and that no tick was changed.
void ShowCancelFailure(const CancelResult& result);

// One message per marked line that was no longer stored, naming its key.
void ShowLinesNotFound(bool journal, const std::vector<QVariant>& keys);

}  // namespace corvane::reconcile
