#include "platform/controls/list_grid.h"
#include "platform/controls/toolbar_host.h"
#include "platform/db/db_error.h"
#include "platform/services/object_factory.h"
#include "reconcile/auto_match_run.h"
#include "reconcile/cancel_ticks.h"
#include "reconcile/frm_yhdz_auto.h"
#include "reconcile/frm_yh_un_auto.h"
#include "reconcile/frm_yhdz.h"

#include "platform/controls/amount_reader.h"
#include "platform/controls/date_text.h"
#include "reconcile/frm_yhdz_check.h"
#include "reconcile/tick_mark.h"
#include "shared/frm_yhfilter.h"
#include "shared/grid_filter_command.h"
#include "shared/help_page.h"
#include "shared/messages.h"
#include "shared/right_menu.h"
#include "shared/session.h"

#include <QApplication>
#include <algorithm>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <exception>

namespace corvane::reconcile {

using shared::GetResString;
using shared::Session;

namespace {

const QColor kMarkColor(255, 0, 0);
constexpr int kRowTwips = 300;

// The hourglass for the length of a filter pass.
class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

int MarkColumn(ReconSide side) { return side == ReconSide::Journal ? 6 : 5; }

std::vector<QString> Marks(platform::ListGrid* grid, int markColumn) {
  std::vector<QString> marks;
  marks.reserve(grid->Rows());
  for (int r = 1; r < grid->Rows(); ++r) marks.push_back(grid->TextMatrix(r, markColumn));
  return marks;
}

}  // namespace

void frmYHDZ::WireGridEvents() {
  connect(grid1_, &platform::GridBase::GotFocus, this, [this] { bQyActive = true; });
  connect(grid2_, &platform::GridBase::GotFocus, this, [this] { bQyActive = false; });
  auto arm = [](platform::ListGrid* grid, int markColumn) {
    return grid->Rows() >= 2 && grid->Row() <= grid->Rows() - 1 && grid->Row() >= 1 && grid->Col() == markColumn;
  };
  connect(grid1_, &platform::GridBase::MouseDown, this, [this, arm] { QyTickArmed = arm(grid1_, 6); });
  connect(grid2_, &platform::GridBase::MouseDown, this, [this, arm] { YhTickArmed = arm(grid2_, 5); });
  connect(grid1_, &platform::GridBase::DblClick, this, [this] {
    if (QyTickArmed && grid1_->RowData(grid1_->Row()).isValid()) ToggleJournalTick();
  });
  connect(grid2_, &platform::GridBase::DblClick, this, [this] {
    if (YhTickArmed && grid2_->RowData(grid2_->Row()).isValid()) ToggleStatementTick();
  });
  connect(grid1_, &platform::GridBase::KeyPressed, this, [this](int key) {
    if (key == Qt::Key_Space && grid1_->Col() == 6 && grid1_->RowData(grid1_->Row()).isValid()) ToggleJournalTick();
  });
  connect(grid2_, &platform::GridBase::KeyPressed, this, [this](int key) {
    if (key == Qt::Key_Space && grid2_->Col() == 5 && grid2_->RowData(grid2_->Row()).isValid()) ToggleStatementTick();
  });
  connect(grid1_, &platform::GridBase::RightClick, this, [this] { ShowContextMenu(); });
  connect(grid2_, &platform::GridBase::RightClick, this, [this] { ShowContextMenu(); });
  // The reference follows the current line of either grid while "ref" is down.
  auto follow = [this](platform::ListGrid* grid) {
    if (grid->Redraw() && RefPressed() && !busy_) {
      ShowCurrentLine();
      grid->setFocus();
    }
  };
  connect(grid1_, &platform::GridBase::RowColChange, this, [this, follow] { follow(grid1_); });
  connect(grid2_, &platform::GridBase::RowColChange, this, [this, follow] { follow(grid2_); });
}

void frmYHDZ::Toolbar1_ButtonClick(const QString& key) {
  if (busy_) return;
  const QString k = key.toLower();
  if (k == QLatin1String("auto")) rBankCheck();
  else if (k == QLatin1String("unauto")) rBankUnCheck();
  else if (k == QLatin1String("filt")) FilterGrids();
  else if (k == QLatin1String("ref")) SetRefMode();
  else if (k == QLatin1String("direc")) Command1_Click();
  else if (k == QLatin1String("check")) rCheck();
  else if (k == QLatin1String("help")) rHelp();
  else if (k == QLatin1String("exit")) {
    rExit();
    return;
  }
  picture2_->setFocus();
}

void frmYHDZ::ShowContextMenu() {
  if (busy_) return;
  shared::ShowRightMenu(this, {QStringLiteral("bankcheck"), QStringLiteral("bankuncheck"), QStringLiteral("se4"),
                               QStringLiteral("filt"), QStringLiteral("ref"), QStringLiteral("se5"),
                               QStringLiteral("check"), QStringLiteral("se7"), QStringLiteral("help"),
                               QStringLiteral("exit")});
}

void frmYHDZ::rBankCheck() { AutoReconcile(); }

void frmYHDZ::AutoReconcile() {
  if (busy_ || !LoadedOrSaid() || !StillHoldsAccount()) return;
  if (!ShowAutoConditions(*this)) return;
  Session& s = Session::Current();
  bool reload = false;
  {
    BusyScope busy(*this);
    QDate cutOff;
    try {
      cutOff = platform::DateText::Parse(AutoEndDate).value_or(QDate());
      // The cut-off is the account's "last requested" date whatever the run finds.
      if (!StoreCutOff(s.Db(), CurYHKM, cutOff)) {
        shared::ShowMsgBox(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.notfondkm"), CurYHKM), 0,
                           GetResString(shared::kCashTitleKey));
        return;
      }
    } catch (const std::exception& e) {
      ShowWriteFailure(e);
      return;
    }
    // The run writes through a connection of its own, so its transactions never
    // meet anything the window's connection has open.
    std::unique_ptr<platform::DbConnection> own;
    try {
      own = platform::ObjectFactory::Instance().OpenConnection(s.Db().GetConnectionString());
    } catch (const std::exception&) {
      own.reset();
    }
    if (!own || !own->IsOpen()) {
      shared::ShowMsgBox(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00837")), 16, QString());
      return;
    }
    MatchRequest match = MatchRequestFor(request_);
    match.foreign = bForeign;
    match.cutOff = cutOff;
    match.options.bankFx = BankFx;
    match.options.sameNumber = ChkCn_id;
    match.options.sameStyle = ChkCn_m;
    match.options.dateWindow = chkDate;
    match.options.dayLimit = DateLimit;
    const MatchRunResult result = RunAutoMatching(
        *own, match, [&s](const QDate& d) { return s.Common().GetDatePeriod(d); },
        [this](MatchStage stage, long long steps) {
          if (stage == MatchStage::OneToOne)
            ShowStatus(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00838"), steps));
          else if (stage == MatchStage::Grouped)
            ShowStatus(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00843"), steps));
          else
            InputDropper::KeepAlive();
        });
    ShowAccountText();
    reload = ShowMatchOutcome(result);
  }
  // The reload ends the run: a failure of it is said as a failure of the run's writes.
  if (reload) LoadFromRequest(LoadFailureText::OwnWords);
}

// Says how a matching run ended; true when the grids must be loaded again.
bool frmYHDZ::ShowMatchOutcome(const MatchRunResult& result) {
  if (result.changedMeanwhile || result.busy) {
    // The pass that met the change (or the other session's lock) wrote
    // nothing; a grouped pass leaves the one-to-one ticks stored before it,
    // which the reload shows.
    if (result.busy) ShowLockTimeout();
    else ShowChangedMeanwhile();
    return result.failedAt == MatchStage::Grouped;
  }
  switch (result.failedAt) {
    case MatchStage::None:
      return !result.nothingToMatch;
    case MatchStage::Load: {
      // Both passes take their lines from this one read: a side that cannot be
      // read is said as the grouped pass says a set that does not open.
      QString prompt;
      if (result.unreadSide == MatchSide::Statement) prompt = GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00842"));
      else if (request_.bookMode) prompt = GetResString(QStringLiteral("corvane.recon.nobookjournal"));
      else prompt = GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00841"));
      shared::ShowMsgBox(prompt, 16, Session::Current().Cash().GetMessageTitle());
      return false;
    }
    case MatchStage::OneToOne:
      // Nothing of the pass is stored: the failure in its own words, OK only, no title.
      shared::ShowMsgBox(result.error, 0, QString());
      return false;
    case MatchStage::Grouped:
      // The one-to-one ticks are stored and shown by the reload; the grouped
      // pass wrote nothing and says why under its own title.
      shared::ShowMsgBox(result.error, 16, GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00845")));
      return true;
  }
  return false;
}

void frmYHDZ::rBankUnCheck() { CancelReconciliation(); }
void frmYHDZ::rCheck() { CheckBalance(); }

void frmYHDZ::CheckBalance() {
  if (busy_ || !LoadedOrSaid()) return;
  RunBalanceCheck(*this);
  ShowAccountText();
}

void frmYHDZ::CancelReconciliation() {
  if (busy_ || !LoadedOrSaid() || !StillHoldsAccount()) return;
  if (!ShowCancelRange(*this)) {
    ShowAccountText();
    return;
  }
  if (!ConfirmCancel(UnAutoMonth)) {
    ShowAccountText();
    return;
  }
  bool reload = false;
  {
    BusyScope busy(*this);
    const CancelScope scope = CancelScopeOf(iCancelType);
    auto marked = [](platform::ListGrid* grid, int markColumn) {
      std::vector<MarkedRow> rows;
      for (int r = 1; r < grid->Rows(); ++r)
        if (IsMarked(grid->TextMatrix(r, markColumn))) rows.push_back({r, grid->RowData(r)});
      return rows;
    };
    const CancelResult result = CancelTicks(Session::Current().Db(), request_, UnAutoMonth, scope,
                                            {marked(grid1_, 6), marked(grid2_, 5)});
    if (!result.ok) {
      ShowAccountText();
      ShowCancelFailure(result);
      return;
    }
    // The database holds the change: bring the loaded rows in line with what the
    // cancel read of them, all shown again.
    auto clear = [&](platform::ListGrid* grid, std::vector<LineFacts>& facts, const QString& statusKey, bool journal) {
      const CancelledMarks& done = journal ? result.journal : result.statement;
      for (int row : done.rows)
        if (row <= static_cast<int>(facts.size())) facts[row - 1].tick.reset();
      grid->SetRedraw(false);
      for (int r = 1; r < grid->Rows(); ++r) grid->SetRowHeight(r, kRowTwips);
      grid->SetRedraw(true);
      if (journal) ClearJournalMarks(done.rows);
      else ClearStatementMarks(done.rows);
      ShowStatus(GetResString(statusKey) + QString::number(grid->Rows() - 1));
      ShowLinesNotFound(journal, done.missing);
    };
    clear(grid1_, journalFacts_, QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00798"), true);
    clear(grid2_, statementFacts_, QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00802"), false);
    ShowAccountText();
    // Lines whose ticks went were never loaded when ticked lines were left out:
    // only a reload shows them.
    reload = !LoadChecked && (result.journalCleared > 0 || result.statementCleared > 0);
  }
  if (reload) Reload();
}

void frmYHDZ::ClearJournalMarks(const std::vector<int>& rows) { ClearGridMarks(*grid1_, 6, rows); }
void frmYHDZ::ClearStatementMarks(const std::vector<int>& rows) { ClearGridMarks(*grid2_, 5, rows); }

void frmYHDZ::ShowLockTimeout() {
  shared::ShowMsgBox(GetResString(QStringLiteral("corvane.recon.locktimeout")), 48,
                     GetResString(shared::kCashTitleKey));
}

// A write that failed: a line held by another session past the database's wait
// is said as such, anything else in the database's (or the service's) words.
void frmYHDZ::ShowWriteFailure(const std::exception& e) {
  const auto* db = dynamic_cast<const platform::DbError*>(&e);
  if (db && db->IsBusy()) ShowLockTimeout();
  else shared::ShowMsgBox(shared::FailureText(e), 16, GetResString(shared::kCashTitleKey));
}

// Matching, cancelling and the balance check rest on the account's facts as a
// load read them, its reconciliation start date above all: without it a run
// would take opening items dated from the start on. Until a load has succeeded
// they are refused.
bool frmYHDZ::LoadedOrSaid() {
  if (loaded_) return true;
  shared::ShowMsgBox(GetResString(QStringLiteral("corvane.recon.notloaded")), 48, GetResString(shared::kCashTitleKey));
  return false;
}

bool frmYHDZ::StillHoldsAccount() {
  return heldCode_.isEmpty() || Session::Current().Common().StillHoldsAccount(heldCode_);
}

void frmYHDZ::ShowChangedMeanwhile() {
  shared::ShowMsgBox(GetResString(QStringLiteral("corvane.recon.changedmeanwhile")), 48,
                     GetResString(shared::kCashTitleKey));
}

void frmYHDZ::rFilt() {
  if (!busy_) FilterGrids();
}

void frmYHDZ::rRef() {
  if (busy_) return;
  toolbar_->SetChecked(QStringLiteral("ref"), !RefPressed());
  SetRefMode();
}

// The host's help at this function's page; F1 is the help button's own hot key,
// so sending it to the window would only run this command again.
void frmYHDZ::rHelp() { shared::ShowHelpPage(QStringLiteral("RP0305")); }

void frmYHDZ::rExit() { close(); }

bool frmYHDZ::RefPressed() const { return toolbar_->IsChecked(QStringLiteral("ref")); }

// --- Manual ticks. The line is written first; the grid shows the new state only
// once the database holds it, on the whole row.

void frmYHDZ::ToggleJournalTick() { ToggleTick(ReconSide::Journal); }
void frmYHDZ::ToggleStatementTick() { ToggleTick(ReconSide::Statement); }

void frmYHDZ::ToggleTick(ReconSide side) {
  if (busy_) return;
  Session& s = Session::Current();
  platform::ListGrid* grid = side == ReconSide::Journal ? grid1_ : grid2_;
  const int row = grid->Row();
  const int markColumn = MarkColumn(side);
  const QVariant key = grid->RowData(row);
  if (row < 1 || !key.isValid()) return;
  const bool untick = IsMarked(grid->TextMatrix(row, markColumn));
  std::vector<LineFacts>& facts = side == ReconSide::Journal ? journalFacts_ : statementFacts_;
  if (row > static_cast<int>(facts.size()) || !StillHoldsAccount()) return;
  // The line as the user saw it: the write happens only while it still is so.
  LineFacts seen = facts[row - 1];
  if (!untick) seen.tick.reset();
  TickWrite written = TickWrite::Missing;
  std::optional<int> value;
  try {
    if (!untick) value = ManualTickValue(s.Common().GetPeriodInfo().CurrentPeriod);
    written = WriteLineTick(s.Db(), request_, bForeign, side, key, seen, value);
  } catch (const std::exception& e) {
    ShowWriteFailure(e);
    return;
  }
  if (written == TickWrite::ChangedMeanwhile) {
    ShowChangedMeanwhile();
    return;
  }
  if (written == TickWrite::Missing) {
    const QString keyText = key.toString();
    QString key = QStringLiteral("Q9.GL.ZWSQL.CASHBANK.notfoundrec");
    if (side == ReconSide::Journal)
      key = request_.bookMode ? QStringLiteral("corvane.recon.notfoundflow") : QStringLiteral("Q9.GL.ZWSQL.CASHBANK.notfound");
    shared::ShowMsgBox(GetResString(key, keyText), 0, GetResString(shared::kCashTitleKey));
    return;
  }
  facts[row - 1].tick = value;
  grid->SetRedraw(false);
  grid->SetTextMatrix(row, markColumn, untick ? QString() : kManualMark);
  grid->SetCellForeColor(row, markColumn, kMarkColor);
  grid->SetRowBackColor(row, untick ? QColor(Qt::white) : s.gColorLightYellow);
  grid->SetRedraw(true);
}

// --- Row filters.

RowConditions frmYHDZ::ConditionsFromVariables() {
  RowConditions c;
  c.execFilter = Filter.ExecFilter;
  if (const auto start = platform::DateText::Parse(Filter.StartDate)) c.startDate = *start;
  if (const auto end = platform::DateText::Parse(Filter.EndDate)) c.endDate = *end;
  c.styles = Filter.CurCn_m.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  c.selNull = bSelNULL;
  c.number = Filter.CurCn_id.trimmed();
  c.direction = Filter.CurBd_c;
  // The condition dialog let only an amount or an empty box through.
  c.amount = platform::ReadAmount(Filter.CurMmoney).value;
  c.markMode = ShowMarkMode();
  return c;
}

// The show mode by mark is the filter dialog's reconciliation-mode choice: it
// holds only while that dialog was last loaded in this window's mode and its
// "取消过滤" is not ticked.
int frmYHDZ::ShowMarkMode() const {
  return shared::frmYHFilter::YhOrQy == 4 && shared::frmYHFilter::bFlagChkPress == 0 ? iShowMark : 0;
}

bool frmYHDZ::ApplyRowFilter(platform::ListGrid* grid, const std::vector<LineFacts>& facts, int markColumn,
                             const RowConditions& conditions) {
  const std::vector<bool> hidden = HiddenRows(facts, Marks(grid, markColumn), conditions);
  grid->SetRedraw(false);
  for (size_t i = 0; i < hidden.size(); ++i) grid->SetRowHeight(static_cast<int>(i) + 1, hidden[i] ? 0 : kRowTwips);
  grid->SetRedraw(true);
  return std::find(hidden.begin(), hidden.end(), false) != hidden.end();
}

bool frmYHDZ::FilterJournalRows() { return ApplyRowFilter(grid1_, journalFacts_, 6, ConditionsFromVariables()); }
bool frmYHDZ::FilterStatementRows() { return ApplyRowFilter(grid2_, statementFacts_, 5, ConditionsFromVariables()); }

void frmYHDZ::FilterGrids() {
  if (busy_) return;
  shared::frmYHFilter::YhOrQy = 4;
  {
    shared::frmYHFilter dialog(*this, this);
    dialog.SetFilterOff(!Filter.ExecFilter);
    // The amount comes back from the dialog as a plain number, as it is shown again.
    dialog.Preset(Filter);
    dialog.ShowModal();
  }
  // The styles are those of the dialog's last OK, a Cancel included.
  Filter.CurCn_m = shared::frmYHFilter::cSelect.isEmpty()
                       ? QString()
                       : QLatin1Char(' ') + shared::frmYHFilter::cSelect.join(QLatin1Char(' '));
  bSelNULL = shared::frmYHFilter::bSelectNULL;
  if (!Filter.ExecCom) return;
  const bool anyShown = bQyActive ? FilterJournalRows() : FilterStatementRows();
  if (!anyShown && Filter.ExecFilter) shared::SayNothingFound();
}

void frmYHDZ::SetRefMode() {
  if (RefPressed()) {
    ShowCurrentLine();
    return;
  }
  WaitCursor wait;
  FilterJournalRows();
  FilterStatementRows();
}

void frmYHDZ::ShowCurrentLine() {
  // The reference empties the bounds, styles and number of the filter; it
  // filters the other grid by its own conditions and the show mode by mark,
  // and leaves none of them behind, so that releasing it shows every row a
  // leftover style selection or show mode lets through.
  Filter.ExecFilter = true;
  Filter.StartDate.clear();
  Filter.EndDate.clear();
  Filter.CurCn_m.clear();
  Filter.CurCn_id.clear();
  bSelNULL = false;
  platform::ListGrid* grid = bQyActive ? grid1_ : grid2_;
  const std::vector<LineFacts>& facts = bQyActive ? journalFacts_ : statementFacts_;
  const int row = grid->Row();
  if (row < 1 || row > static_cast<int>(facts.size())) return;
  const LineFacts& line = facts[row - 1];
  RowConditions c;
  c.execFilter = true;
  c.markMode = ShowMarkMode();
  const int numberColumn = bQyActive ? 3 : 2;
  if (grid->Col() == numberColumn) {
    c.number = line.number;
  } else {
    c.direction = PairedDirection(line.debit, BankFx);
    c.amount = line.amount;
  }
  WaitCursor wait;
  if (bQyActive) ApplyRowFilter(grid2_, statementFacts_, 5, c);
  else ApplyRowFilter(grid1_, journalFacts_, 6, c);
  Filter.CurBd_c = 0;
  Filter.CurMmoney.clear();
}

}  // namespace corvane::reconcile
