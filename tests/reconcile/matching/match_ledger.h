#pragma once

#include "match_fixtures.h"
#include "platform/db/db_connection.h"
#include "reconcile/match_request.h"

#include <QDate>

namespace corvane::reconcile::test {

inline QDate March(int day) { return QDate(2026, 3, 1).addDays(day - 1); }

// A journal line of account "A" (book "BK1" in book mode): posted, not cleared,
// unticked, of the period of its date; change one or two fields per case.
struct JournalRow {
  QDate date = March(10);
  platform::DbValue number = QStringLiteral("A1");
  platform::DbValue style = QStringLiteral("202");
  const char* md = "0";
  const char* mc = "0";
  const char* mdForeign = "0";
  const char* mcForeign = "0";
  int period = 0;  // 0: the month of the date
  int posted = 1;
  platform::DbValue voucherState{};  // iflag: NULL normal, 1 void, 2 …
  int cleared = 0;
  platform::DbValue tick{};
  QString code = QStringLiteral("A");
  QString book = QStringLiteral("BK1");
};

// A statement line of the same account and book: a credit unless debit is set
// (a NULL direction reads as a credit too).
struct StatementRow {
  QDate date = March(10);
  platform::DbValue number = QStringLiteral("A1");
  platform::DbValue style = QStringLiteral("202");
  platform::DbValue debit = 0;
  const char* amount = "0";
  int begin = 2;
  int cleared = 0;
  platform::DbValue tick{};
  QString code = QStringLiteral("A");
  QString book = QStringLiteral("BK1");
};

// Writes the rows of one mode's tables (account mode: gl_accvouch and
// rp_bankrecp; book mode: RP_Flow and rp_bankrecp_rp) and reads their ticks back.
// The reconciliation dialogs' tests share it.
class MatchLedger {
 public:
  MatchLedger(platform::DbConnection& db, bool bookMode) : db_(db), bookMode_(bookMode) {}

  platform::DbValue Add(const JournalRow& r);
  platform::DbValue Add(const StatementRow& r);
  // The stored tick of a line; 0 when it has none.
  int JournalTick(const platform::DbValue& key);
  int StatementTick(const platform::DbValue& key);
  // Lines of account "A" with any tick.
  long long TickedLines();
  // The ticks of every line of a side, sorted, NULL left out.
  std::vector<int> Ticks(bool journal);
  // Removes the lines of both modes' tables.
  void Clear();
  // Another session's change of a line through its own connection: "delete", or
  // the assignment of "update <the side's table> set <assignment> where <key>=?",
  // in which TICK, AMOUNT and DATE name the side's columns and TURN moves the
  // line to the other side.
  void Change(platform::DbConnection& via, bool journal, const platform::DbValue& key, const char* change,
              const platform::DbValue& value = {});
  // A line's key as the grids hold it.
  static QVariant RowKey(const platform::DbValue& key);

  // Account "A", book "BK1", the year 2026, opening items from 2026-02-01 on
  // left out.
  MatchRequest Request() const;

 private:
  QString JournalTable() const { return bookMode_ ? QStringLiteral("RP_Flow") : QStringLiteral("gl_accvouch"); }
  QString JournalKey() const { return bookMode_ ? QStringLiteral("cFlowID") : QStringLiteral("i_id"); }
  QString StatementTable() const { return bookMode_ ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp"); }

  platform::DbConnection& db_;
  bool bookMode_;
  int flows_ = 0;
};

}  // namespace corvane::reconcile::test
