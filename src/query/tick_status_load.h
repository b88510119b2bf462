#pragma once

#include "platform/db/db_connection.h"
#include "platform/db/money.h"
#include "platform/db/sql_builder.h"

#include <QDate>
#include <QString>
#include <vector>

namespace corvane::query {

// Which lines the tick-status query shows (the selection dialog's show options).
enum class ShowMode { All = 0, Unticked = 1, Ticked = 2 };
ShowMode ShowModeOf(int value);

// One load of the tick-status query: the account (or book) and how to read it.
struct TickStatusRequest {
  QString code;           // account code, or the book code in book mode
  bool bookMode = false;
  ShowMode show = ShowMode::All;
  QDate startDate;        // reconciliation start: opening items from it on are left out
  bool foreign = false;   // the journal shows the foreign-currency amounts
};

platform::SqlBuilder StatementStatusQuery(const TickStatusRequest& r);
platform::SqlBuilder JournalStatusQuery(const TickStatusRequest& r);

// The rows of one grid as the window shows them, with the two totals.
struct StatusRows {
  std::vector<std::vector<QString>> cells;
  std::vector<bool> ticked;
  platform::Money debitTotal;
  platform::Money creditTotal;
  int size() const { return static_cast<int>(cells.size()); }
};

// The six statement columns: date, style, number, debit, credit, tick mark.
StatusRows ReadStatementStatus(platform::DbConnection& db, const TickStatusRequest& r);
// The nine journal columns: voucher date, bill date, style, number, debit,
// credit, tick mark, voucher (book mode: flow id), digest.
StatusRows ReadJournalStatus(platform::DbConnection& db, const TickStatusRequest& r);

// A grid shows its total row unless both totals are zero (negative totals show).
bool ShowsTotalRow(const platform::Money& debitTotal, const platform::Money& creditTotal);

// The total row: the total caption, the two totals under the amount columns.
std::vector<QString> TotalRow(int columns, int debitColumn, const QString& caption, const platform::Money& debitTotal,
                              const platform::Money& creditTotal);

// "○" for a tick of the automatic matching (1 to 12), "Y" for a hand tick (13
// on), empty for an unticked line.
QString TickMark(long long tick);

// "yyyy.mm.dd", or "" for no date.
QString DottedDate(const QDate& d);

}  // namespace corvane::query
