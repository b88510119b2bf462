#pragma once

#include "opening/opening_target.h"
#include "platform/db/db_connection.h"
#include "platform/db/money.h"

#include <QDate>
#include <QString>
#include <vector>

namespace corvane::shared {
class RunningBalance;
}

namespace corvane::opening {

// Columns of the enterprise-side item grid (journal lines before the start).
enum EnterpriseColumn {
  kQyDate = 0, kQySignSeq, kQyPzid, kQyRowid, kQyAutoId, kQySign, kQyNo, kQySettle, kQyNumber,
  kQyDebit, kQyCredit, kQyBillDate, kQyDigest, kQyColumns
};
// Columns of the bank-side item grid (statement lines before the start).
enum BankColumn { kYhId = 0, kYhDate, kYhSettle, kYhNumber, kYhDebit, kYhCredit, kYhBalance, kYhColumns };

// Row states: 0 open, 1 ticked, 2 cleared or deleted, 3 a journal line of a
// regular period, 4 such a line ticked or cleared. Only state 0 is editable.
enum RowState { kOpen = 0, kTicked = 1, kCleared = 2, kRegular = 3, kRegularLocked = 4 };

// One grid row: its cell texts, the key of its stored line (the i_id as text, or
// in book mode the whole flow id; empty while unsaved) and its state.
struct ItemRow {
  std::vector<QString> cells;
  QString key;
  int state = kOpen;
};

// What an item window works on, fixed when it loads.
struct ItemContext {
  OpeningTarget target;
  QDate startDate;
  bool foreign = false;               // enterprise side: md_f/mc_f
  bool debitDirection = true;         // bank side: how lines move the balance
  platform::Money bankOpening;        // bank side: the balance before the first line
};

// --- Loading (one pass over the lines dated before the start date).
std::vector<ItemRow> LoadEnterpriseItems(const ItemContext& c);
// The bank rows carry their running balance; when given, `balance` is left holding
// the rows' movements so that later edits recompute from it.
std::vector<ItemRow> LoadBankItems(const ItemContext& c, shared::RunningBalance* balance = nullptr);

// --- Checking. A refusal names the message prompt (already a text) and the
// column the cursor goes to.
struct CellCheck {
  bool ok = true;
  QString text;    // the cell's text as it is kept (trimmed, normalised)
  QString prompt;  // message when refused
};
struct RowCheck {
  bool ok = true;
  int col = 0;
  QString prompt;
};
CellCheck CheckEnterpriseCell(int col, const QString& text, const ItemContext& c);
// The amount and date of a cell that passed its check (an empty amount is 0).
platform::Money CheckedAmount(const QString& cell);
QDate CheckedDate(const QString& cell);
CellCheck CheckBankCell(int col, const QString& text, const ItemContext& c);
// Every cell (the date too, whether or not it was ever typed), then the row.
// The kept texts replace the row's cells when the row passes.
RowCheck CheckEnterpriseRow(std::vector<QString>& cells, const ItemContext& c);
RowCheck CheckBankRow(std::vector<QString>& cells, const ItemContext& c);

// --- Writing. Each runs in one transaction serialised on the account, as every
// writer of ticks and cleared flags is; a failure throws and writes nothing. An
// update or delete goes ahead only while its line is still unticked and not
// cleared: a line ticked or cleared by another session since the window loaded
// it is left as it is (ChangedMeanwhile), and so is one that is gone (Vanished).
enum class WriteOutcome { Written, Vanished, ChangedMeanwhile };
// Inserts (empty key) or updates the row's line; on success the row's key and
// hidden key cells hold what was stored (book mode: the flow id allocated now).
WriteOutcome SaveEnterpriseRow(ItemRow& row, const ItemContext& c);
WriteOutcome SaveBankRow(ItemRow& row, const ItemContext& c);
// Deletes the row's line; a journal line of a regular period is only marked
// deleted.
WriteOutcome DeleteEnterpriseRow(const ItemRow& row, const ItemContext& c);
WriteOutcome DeleteBankRow(const ItemRow& row, const ItemContext& c);
// Runs `sql`, the guarded update or delete of the line `key` of `table`, in a
// transaction serialised on `account`, and commits it when it met the line; else
// writes nothing and tells why.
WriteOutcome WriteOpenLine(const QString& account, const QString& sql, const platform::DbParams& params,
                           const QString& table, const QString& keyColumn, const platform::DbValue& key);
// The message key refusing a delete in this state, empty when it may go ahead.
QString DeleteRefusalKey(int state, bool enterpriseSide);

}  // namespace corvane::opening
