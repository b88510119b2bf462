#pragma once

#include "platform/controls/grid_types.h"
#include "platform/print/printable_grid.h"
#include "shared/grid_editor_balance.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <variant>
#include <vector>

namespace corvane::platform {
class EntryGrid;
}

namespace corvane::shared {

// The shared editor behind the windows that key lines straight into an entry grid
// (the bank statement and the two opening-item windows). The window describes its
// columns once, answers three questions (is this cell right, is this row right,
// write this row) and the editor does the rest the same way for all of them:
//
//  - Columns: GridColumnSpec gives the title, width, alignment, the editor kind,
//    a limit in bytes of the suite's text encoding (a Chinese character counts
//    two), whether the column is hidden and whether its cell has a button (a list
//    or calendar): CellButton reports the opening of such a cell's editor, so the
//    window fills the list; other columns report nothing.
//  - Edit protocol. Typing into a text or list cell stops at its byte limit; a
//    list cell never completes what is typed to one of its entries. When
//    a cell is about to be kept the editor trims it (and takes a full-width amount
//    or date in its ASCII form), refuses it with a message naming the column and
//    its limit when it is longer (a paste), then asks
//    GridEditorHost::ValidateCell, which may rewrite the text (normal forms) or
//    refuse it after showing its own message. When the cursor leaves a changed row
//    the editor runs every cell through ValidateCell again (only the trimming is
//    written back), then ValidateRow, then SaveRow. Any refusal keeps the cursor in
//    the row, at the failing column; a refused cell keeps the cursor (and the grid
//    the focus) whatever key or click ended its edit. A failure thrown by SaveRow
//    is caught here, shown, and the row stays current and changed, so nothing is
//    half kept.
//  - CommitCurrentRow runs that same leave path for the current row on demand.
//    SettleBeforeCommand is the one rule every window runs before a command that
//    works on its rows or leaves them (add, save, delete, filter, output, another
//    account, closing): the open edit ends as Enter ends it, the current row is
//    settled as leaving it settles it, and a row that cannot be kept asks, after
//    its refusal, whether to drop what was keyed; staying stops the command, so a
//    command is never dead while an editor is open and nothing keyed is lost
//    without a word.
//  - Row keys: GridRowKey is empty for a row never saved, or the integer or text
//    key of the stored line. The key is kept in the grid's row data.
//  - Row states 0..4 and their colours (RowStateColor); the protected states are
//    registered with the grid so only state-0 rows can be typed in.
//  - Add (AppendRow), delete (RemoveRow) and filter (ApplyFilter: one pass, one
//    redraw) over the grid's rows.
//
//  - Running balance: AttachBalance gives the editor a RunningBalance (numbers
//    beside the texts) and the column that shows it. The editor keeps its rows in
//    step with the grid's (append, remove); after the window has set a row's
//    amounts, WriteBalances(row) recomputes from that row down and rewrites only
//    those balance texts, with the grid's redraw off for the pass.
struct GridColumnSpec {
  QString title;
  int widthTwips = 1000;
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
  platform::ColumnKind kind = platform::ColumnKind::Text;
  int maxBytes = 0;  // 0: no limit
  bool hidden = false;
  bool button = false;
  // How a report prints the column; date and amount editors say it themselves.
  platform::PrintColumnKind print = platform::PrintColumnKind::Text;
};

// Empty: a row never saved.
using GridRowKey = std::variant<std::monostate, qint64, QString>;

// 0 open, 1 ticked, 2 cleared or deleted, 3 protected (before the start date,
// or a journal line of a regular period), 4 protected and ticked or cleared.
enum RowState : int { kRowOpen = 0, kRowTicked = 1, kRowCleared = 2, kRowProtected = 3, kRowProtectedMarked = 4 };

// The colour a row state paints. balanceCol (or -1) is the column that keeps the
// protected near-white even on open rows, so it can never be typed in. Unknown
// states paint black, which no protected colour matches.
QColor RowStateColor(int state, int col = -1, int balanceCol = -1);
// The state a cell's back colour stands for (the commands read states back from colours).
int RowStateOfColor(const QColor& color);

class GridEditorHost {
 public:
  virtual ~GridEditorHost() = default;
  // May rewrite text. On refusal the host has shown its message.
  virtual bool ValidateCell(int row, int col, QString& text) = 0;
  // On refusal the host has shown its message and names the column to go to.
  virtual bool ValidateRow(int row, int& col) = 0;
  // Writes the row. True: the row may be left (saved, or a vanished line reported).
  // May throw std::exception: the editor shows it and keeps the row.
  virtual bool SaveRow(int row) = 0;
};

class GridEditor : public QObject {
  Q_OBJECT

 public:
  enum class Commit { Clean, Saved, Invalid };

  GridEditor(platform::EntryGrid* grid, GridEditorHost* host, QObject* parent = nullptr);

  // Sets the grid to header + no rows with these columns, titles, widths, editors
  // and the protected colours of states 1..4.
  void SetColumns(std::vector<GridColumnSpec> specs, int headerTwips = 480);
  const std::vector<GridColumnSpec>& Columns() const { return specs_; }
  // The column painted near-white on open rows (the running balance), or -1.
  void SetBalanceColumn(int col) { balanceCol_ = col; }
  void AttachBalance(RunningBalance* balance, int balanceCol) {
    balance_ = balance;
    balanceCol_ = balanceCol;
  }
  RunningBalance* Balance() const { return balance_; }
  // Recomputes from row down and writes "#,0.00" texts into the balance column.
  void WriteBalances(int fromRow);

  platform::EntryGrid* Grid() const { return grid_; }
  int DataRows() const;

  // --- Keys.
  GridRowKey Key(int row) const;
  void SetKey(int row, const GridRowKey& key);
  bool IsSaved(int row) const { return !std::holds_alternative<std::monostate>(Key(row)); }
  static QString KeyText(const GridRowKey& key);  // "" for an unsaved row

  // --- States.
  void SetRowState(int row, int state);
  int RowStateOf(int row) const;

  // --- Rows.
  // Appends a row of cell texts (missing cells empty) in state 0; returns its number.
  int AppendRow(const QStringList& texts, const GridRowKey& key = {}, int state = kRowOpen);
  void RemoveRow(int row);
  // Removes rows first..last in one pass (a range delete of thousands of rows).
  void RemoveRows(int first, int last);
  // shown(row) for every data row; redraw off for the pass, one refresh at its end.
  // Returns the first shown row, or 0.
  int ApplyFilter(const std::function<bool(int row)>& shown);

  // --- Leave-row gate.
  Commit CommitCurrentRow();
  // True when the command may go on: the row was kept, or the user dropped its
  // changes (an unsaved row is then removed).
  bool SettleBeforeCommand();
  // Drops the current row's edits: an unsaved row is removed, a saved row gets the
  // texts it had when the cursor entered it.
  void DiscardCurrentRow();
  bool IsCurrentRowDirty() const;
  // A whole row in text form (the texts the row had when entered).
  QStringList RowTexts(int row) const;

  // Byte length in the suite's encoding, through the session's services.
  static int ByteLength(const QString& text);

 signals:
  // The editor of a cell whose column has a button opened.
  void CellButton(int row, int col, QWidget* editor);

 private:
  // False, after a message naming the column and its limit, when text is longer.
  bool FitsColumn(int col, const QString& text) const;
  platform::EditAnswer AcceptEdit(int row, int col, QString& text);
  // Refuses the edit and brings the cursor back to the cell once the event that
  // ended the edit is over.
  platform::EditAnswer Refused(int row, int col);
  platform::LeaveAnswer LeaveRow(int row, int& col);
  void RememberEnteredRow();

  platform::EntryGrid* grid_;
  GridEditorHost* host_;
  std::vector<GridColumnSpec> specs_;
  int balanceCol_ = -1;
  RunningBalance* balance_ = nullptr;
  int enteredRow_ = -1;
  QStringList enteredTexts_;
  int refusedRow_ = -1;  // the cell the cursor returns to; -1: none
  int refusedCol_ = -1;
};

}  // namespace corvane::shared
