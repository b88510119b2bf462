#include "platform/controls/entry_grid.h"
#include "platform/controls/toolbar_host.h"
#include "platform/db/text_key.h"
#include "shared/frm_yhfilter.h"
#include "shared/grid_filter_command.h"
#include "shared/help_page.h"
#include "shared/messages.h"
#include "shared/popups.h"
#include "shared/print_setup.h"
#include "shared/right_menu.h"
#include "shared/session.h"
#include "statement/frm_yhdzd.h"

#include "platform/controls/amount_reader.h"
#include "statement/statement_cells.h"
#include "statement/statement_store.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <exception>

namespace corvane::statement {

using platform::Money;
using shared::GetResString;
using shared::Session;

namespace {

// A filter date as the user typed it, in any form the date boxes read.
QDate ConditionDate(const QString& text) {
  QString t = text.trimmed();
  if (t.isEmpty()) return QDate();
  CheckDateCell(t, QDate(), QDate());
  return CellDate(t);
}

}  // namespace

// --- Dispatch ----------------------------------------------------------------------

void frmYHDZD::Toolbar1_ButtonClick(const QString& key) {
  if (busy_) return;
  const QString k = key.toLower();
  if (loading_) {
    // A load leaves these four usable; "import1" runs once the load has stopped,
    // "exit" closes after the current line.
    if (k == QLatin1String("import1")) {
      StopLoadFor(k);
      return;
    }
    if (k != QLatin1String("setup") && k != QLatin1String("help") && k != QLatin1String("exit")) return;
  }
  // Failures of a command end at its boundary with a message; the window stays usable.
  try {
    if (k == QLatin1String("setup")) rSetup();
    else if (k == QLatin1String("print")) OutputReport(1);
    else if (k == QLatin1String("preview")) OutputReport(2);
    else if (k == QLatin1String("dout")) OutputReport(3);
    else if (k == QLatin1String("add")) AddRow();
    else if (k == QLatin1String("save")) rSave();
    else if (k == QLatin1String("del")) DeleteRow();
    else if (k == QLatin1String("filt")) FilterRows();
    else if (k == QLatin1String("import")) ImportStatement();
    else if (k == QLatin1String("import1")) ImportNetBankStatement();
    else if (k == QLatin1String("help")) rHelp();
    else if (k == QLatin1String("exit")) { rExit(); return; }
  } catch (const std::exception& e) {
    shared::ShowMsgBox(shared::FailureText(e), 16, GetResString(shared::kCashTitleKey));
  }
  // The keyboard goes back to the grid, at the cell the command left current (the
  // new row's date, the cell a check refused), so the user types straight on.
  if (isVisible() && grid_->isEnabled()) grid_->setFocus();
}

void frmYHDZD::ZqKeyHookCtrl1_KeyUp(int key, Qt::KeyboardModifiers modifiers) {
  if (busy_) return;
  const bool ctrl = (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier;
  try {
    if (ctrl && key == Qt::Key_I) AddRow();
    else if ((key == Qt::Key_Delete || (ctrl && key == Qt::Key_D)) && editor_->IsSaved(grid_->Row()))
      DeleteRow();
    else if (ctrl && key == Qt::Key_P) OutputReport(1);
    else if (key == Qt::Key_F9) shared::PopupCalculatorKey(this);
    else if (key == Qt::Key_F7) ChooseAgain();
  } catch (const std::exception& e) {
    shared::ShowMsgBox(shared::FailureText(e), 16, GetResString(shared::kCashTitleKey));
  }
}

void frmYHDZD::ShowContextMenu() {
  if (busy_) return;
  shared::ShowRightMenu(this, {QStringLiteral("setup"), QStringLiteral("print"), QStringLiteral("preview"),
                               QStringLiteral("dataout"), QStringLiteral("se1"), QStringLiteral("add"),
                               QStringLiteral("del"), QStringLiteral("save"), QStringLiteral("se2"),
                               QStringLiteral("filt"), QStringLiteral("se5"), QStringLiteral("help"),
                               QStringLiteral("exit")});
}

void frmYHDZD::rSetup() { shared::PageSetup(this, QStringLiteral("GLYhDzd")); }
void frmYHDZD::rPrint() { Toolbar1_ButtonClick(QStringLiteral("print")); }
void frmYHDZD::rPreview() { Toolbar1_ButtonClick(QStringLiteral("preview")); }
void frmYHDZD::rDataOut() { Toolbar1_ButtonClick(QStringLiteral("dout")); }
void frmYHDZD::rAdd() { Toolbar1_ButtonClick(QStringLiteral("add")); }
void frmYHDZD::rDel() { Toolbar1_ButtonClick(QStringLiteral("del")); }
void frmYHDZD::rFilt() { Toolbar1_ButtonClick(QStringLiteral("filt")); }
void frmYHDZD::rExit() { close(); }

// "save" settles the current row as leaving it would.
void frmYHDZD::rSave() {
  if (!busy_) SettleCurrentRow();
}

void frmYHDZD::rHelp() { shared::ShowHelpPage(QStringLiteral("RP0304")); }

// --- Add ---------------------------------------------------------------------------

void frmYHDZD::AddRow() {
  if (!SettleCurrentRow()) return;
  const int last = grid_->Rows() - 1;
  const QString date = last >= 1 ? grid_->TextMatrix(last, 1) : QString();
  const int row = editor_->AppendRow({QString(), date});
  SetRowColor(row, shared::kRowOpen);
  editor_->WriteBalances(row);
  grid_->SetCurrentCell(row, 1);
}

// --- Delete --------------------------------------------------------------------------

// The refusals of one row, in order; false ends the whole command.
bool frmYHDZD::RowDeletable(int row) {
  const int state = editor_->RowStateOf(row);
  if (state == shared::kRowCleared) {
    shared::ShowMsgBox(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00110")), 0, GetResString(shared::kCashTitleKey));
    return false;
  }
  if (state == shared::kRowTicked || state == shared::kRowProtectedMarked) {
    shared::ShowMsgBox(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00112")), 0, GetResString(shared::kCashTitleKey));
    return false;
  }
  // A row never saved holds nothing to protect: it is simply removed.
  if (editor_->IsSaved(row)) {
    const QDate date = CellDate(grid_->TextMatrix(row, 1));
    if (!date.isValid() || (BDate.isValid() && date < BDate)) {
      shared::ShowMsgBox(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00667")), 64, GetResString(shared::kCashTitleKey));
      return false;
    }
  }
  // A line the filter hides is never deleted unseen.
  if (grid_->IsRowHidden(row)) {
    shared::ShowMsgBox(GetResString(QStringLiteral("corvane.grid.deletehidden")), 64, GetResString(shared::kCashTitleKey));
    return false;
  }
  return true;
}

void frmYHDZD::DeleteRow() {
  const int rows = grid_->Rows();
  // A row dropped here was the unsaved row the user meant to delete.
  if (!SettleCurrentRow() || grid_->Rows() != rows || rows <= 1) return;
  int from = grid_->Row();
  int to = grid_->RowSel();
  if (from > to) std::swap(from, to);
  if (from < 1) return;
  for (int r = to; r >= from; --r)
    if (!RowDeletable(r)) return;
  bool anySaved = false;
  for (int r = from; r <= to; ++r) anySaved = anySaved || editor_->IsSaved(r);
  if (anySaved) {
    grid_->SetCol(0);
    grid_->SetRowSel(to);
    grid_->SetColSel(6);
    const QString prompt = from == to ? QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00114") : QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00680");
    const int answer = shared::ShowMsgBox(GetResString(prompt), 260, GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00115")));
    if (answer != 6) {
      if (from == to) grid_->SetColSel(0);
      return;
    }
  }
  RemoveLines(from, to);
}

void frmYHDZD::RemoveLines(int from, int to) {
  std::vector<qint64> ids;
  for (int r = from; r <= to; ++r) {
    const shared::GridRowKey key = editor_->Key(r);
    if (std::holds_alternative<qint64>(key)) ids.push_back(std::get<qint64>(key));
  }
  if (!ids.empty()) {
    StatementStore store(Session::Current().Db(), context_);
    const StatementStore::DeleteResult result = store.Delete(ids);
    if (result.refused) {
      // Another session ticked or cleared a line meanwhile: nothing was deleted.
      shared::ShowMsgBox(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00112")), 0, GetResString(shared::kCashTitleKey));
      return;
    }
    for (qint64 id : result.missing)
      shared::ShowMsgBox(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.notfind"), id), 0,
                         GetResString(shared::kCashTitleKey));
  }
  grid_->SetRedraw(false);
  editor_->RemoveRows(from, to);
  editor_->WriteBalances(from);
  grid_->SetRedraw(true);
  if (grid_->Rows() > 1) grid_->SetCurrentCell(std::min(from, grid_->Rows() - 1), 0);
}

// --- Filter --------------------------------------------------------------------------

void frmYHDZD::FilterRows() {
  if (!SettleCurrentRow()) return;
  // Only an OK of this showing runs a pass. A Cancel leaves the rows and the
  // conditions as they were, never replaying those of an earlier OK.
  const shared::FilterConditions before = Filter;
  Filter.ExecFilter = true;
  Filter.ExecCom = false;
  shared::frmYHFilter::YhOrQy = 3;
  bool accepted = false;
  try {
    shared::frmYHFilter dialog(*this, this);
    dialog.SetFilterOff(false);
    dialog.EnableFrame();
    dialog.Preset(Filter);
    accepted = dialog.ShowModal();
  } catch (...) {
    Filter = before;
    throw;
  }
  if (!accepted) {
    Filter = before;
    return;
  }
  if (Filter.ExecCom) ApplyFilter();
}

void frmYHDZD::ApplyFilter() {
  const shared::FilterConditions& f = Filter;
  const QDate start = ConditionDate(f.StartDate);
  const QDate end = ConditionDate(f.EndDate);
  // A style is matched exactly as typed, character by character; a number by
  // the key rule, as the matching pairs numbers ("wt01" finds "WT01").
  const QString style = f.CurCn_m.trimmed().isEmpty() ? QString() : f.CurCn_m;
  const QString number = f.CurCn_id.trimmed().isEmpty() ? QString() : f.CurCn_id;
  // The condition dialog let only an amount or an empty box through.
  const std::optional<Money> amount = platform::ReadAmount(f.CurMmoney).value;
  auto shown = [&](int r) {
    if (!f.ExecFilter) return true;
    const QDate date = CellDate(grid_->TextMatrix(r, 1));
    if (start.isValid() && (!date.isValid() || date < start)) return false;
    if (end.isValid() && (!date.isValid() || date > end)) return false;
    if (!style.isEmpty() && grid_->TextMatrix(r, 2) != style) return false;
    if (!number.isEmpty() && !platform::TextKey::Equal(grid_->TextMatrix(r, 3), number)) return false;
    const QString debit = grid_->TextMatrix(r, 4).trimmed();
    const QString credit = grid_->TextMatrix(r, 5).trimmed();
    auto equals = [&](const QString& cell) { return !cell.isEmpty() && platform::AmountsExactlyEqual(CellAmount(cell), *amount); };
    switch (f.CurBd_c) {
      case 0: return !amount || equals(debit) || equals(credit);
      case 1: return amount ? equals(debit) : !debit.isEmpty();
      default: return amount ? equals(credit) : !credit.isEmpty();
    }
  };
  const int first = editor_->ApplyFilter(shown);
  if (first == 0 && f.ExecFilter) shared::SayNothingFound();
  if (first > 0) {
    grid_->SetRow(first);
    grid_->SetTopRow(first);
    if (grid_->isEnabled() && grid_->isVisible()) grid_->setFocus();
  }
}

}  // namespace corvane::statement
