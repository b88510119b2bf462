#pragma once

#include "reconcile/auto_match_run.h"
#include "reconcile/input_dropper.h"
#include "reconcile/manual_tick.h"
#include "reconcile/recon_load.h"
#include "reconcile/row_filter.h"
#include "shared/filter_conditions.h"
#include "shared/layout_helper.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <exception>
#include <memory>

class QLabel;
class QPushButton;

namespace corvane::platform {
class ListGrid;
class ToolbarHost;
}

namespace corvane::reconcile {

// The reconciliation window ("RP0305", caption "银行对账"): the enterprise journal
// of one bank account or book on the left (MSGrid1), the bank statement on the
// right (MsGrid2), each line with its tick mark. It owns the state the
// reconciliation commands and dialogs share through its public variables.
//
// What it shows is fixed when the opener loads it: account, book, period range
// and the include-ticked flag are taken once, so a choice made meanwhile in
// another window never changes what this window shows or which lock it gives back.
//
// While a command runs the window is busy: every other command, key, double click
// and menu is refused, and closing waits for the run to end.
class frmYHDZ : public QWidget, public shared::FilterConditionOwner {
  Q_OBJECT

 public:
  // --- Public variables, by the names the dialogs and the other windows use.
  QString CurYHKM;             // account code (in book mode the book's account code)
  bool LoadChecked = false;    // ticked lines are loaded too
  bool BankFx = false;         // balance direction of the account: true debit
  QDate BDate;                 // reconciliation start date
  bool ExecAuto = false;       // OK of the matching-conditions and cancel-range dialogs
  QString AutoEndDate;         // matching cut-off date text
  bool chkDate = false;        // matching: date window on
  int DateLimit = 0;           // matching: date window in days
  bool ChkCn_m = false;        // matching: same settlement style
  bool ChkCn_id = false;       // matching: same settlement number
  shared::FilterConditions Filter;  // ExecCom, ExecFilter, StartDate, EndDate, CurCn_m, CurCn_id, CurBd_c, CurMmoney
  bool bSelNULL = false;       // the style condition wants lines without a style
  int UnAutoMonth = 0;         // cancel range: first period
  int iCancelType = 0;         // cancel range: 1 both, 2 automatic, 3 manual
  int iShowMark = 0;           // filter: 1 unmarked, 2 "○", 3 "Y", 0 any
  QVariant ChkYhJf, ChkQyJf, ChkYhDf, ChkQyDf;  // ticked totals of the balance check

  explicit frmYHDZ(QWidget* parent = nullptr);
  ~frmYHDZ() override;

  // Loads the account's lines. Called by the opener: takes the period range and
  // book of the selection just made (ParamObject) and keeps them for every reload.
  void LoadData(const QString& code, bool includeTicked);
  // Loads again with what the opener chose (after matching, cancelling).
  void Reload();
  // Which function id and account the opener holds for this window; given back
  // exactly so when the window closes.
  void SetHeld(const QString& functionId, const QString& lockedCode);

  bool IsBusy() const { return busy_; }
  const ReconLoadRequest& Loaded() const { return request_; }
  platform::ListGrid* MSGrid1() const { return grid1_; }
  platform::ListGrid* MsGrid2() const { return grid2_; }
  platform::ToolbarHost* Toolbar() const { return toolbar_; }
  QLabel* Label5() const { return label5_; }
  QWidget* Picture2() const { return picture2_; }

  shared::FilterConditions& Conditions() override { return Filter; }
  // The filter dialog's tick kind is the filter's show mode, never the cancel
  // range's scope: a filter must not change what a later cancel takes.
  void SetCancelType(int type) override { iShowMark = type; }

  // The toolbar dispatch, by key (case does not matter).
  void Toolbar1_ButtonClick(const QString& key);
  void Form_Resize();
  void Command1_Click();

  // The commands behind the toolbar keys "auto", "check" and "unauto".
  void AutoReconcile();
  void CheckBalance();
  void CancelReconciliation();
  bool IsForeign() const { return bForeign; }

  // Manual ticks of the current row (the grid events start them).
  void ToggleJournalTick();
  void ToggleStatementTick();
  // Row filters of the two grids by the condition variables; each gives whether
  // any row of its grid shows.
  bool FilterJournalRows();
  bool FilterStatementRows();
  // The filter command and reference mode.
  void FilterGrids();
  void SetRefMode();
  void ShowCurrentLine();
  bool RefPressed() const;

 public slots:
  // The commands the right-click menu calls by name.
  void rBankCheck();
  void rBankUnCheck();
  void rFilt();
  void rRef();
  void rCheck();
  void rHelp();
  void rExit();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  friend class BusyScope;
  void BuildControls();
  void BuildToolbar();
  void Form_Load();
  void SetUpGrid(platform::ListGrid* grid, const QStringList& titleKeys, const std::vector<int>& widths,
                 const std::vector<Qt::Alignment>& alignments);
  void ShowRows(platform::ListGrid* grid, GridRows& rows, int markColumn);
  void OpenWideEnough();
  ReconLoadRequest RequestFromSelection(const QString& code, bool includeTicked);
  // How a load that fails is said: as a load of the account, or, for the reload
  // that ends a matching run, in the failure's own words as the run's writes are.
  enum class LoadFailureText { Load, OwnWords };
  void LoadFromRequest(LoadFailureText failureText = LoadFailureText::Load);
  void ToggleTick(ReconSide side);
  bool ApplyRowFilter(platform::ListGrid* grid, const std::vector<LineFacts>& facts, int markColumn,
                      const RowConditions& conditions);
  RowConditions ConditionsFromVariables();
  int ShowMarkMode() const;
  void ShowContextMenu();
  void WireGridEvents();
  // Status line texts of a running command; the window stays alive meanwhile.
  void ShowStatus(const QString& text);
  void ShowAccountText();
  // Blanks the marks of the given rows (manual unticks and the cancel share it).
  void ClearJournalMarks(const std::vector<int>& rows);
  void ClearStatementMarks(const std::vector<int>& rows);
  void ShowChangedMeanwhile();
  bool ShowMatchOutcome(const MatchRunResult& result);
  // Whether the last load succeeded; else says the command cannot run.
  bool LoadedOrSaid();
  // False, after the message naming who holds it, when another session took
  // the account while the connection to the server was lost: nothing is written.
  bool StillHoldsAccount();
  void ShowLockTimeout();
  void ShowWriteFailure(const std::exception& e);

  platform::ToolbarHost* toolbar_ = nullptr;
  QWidget* picture2_ = nullptr;
  QLabel* label3_ = nullptr;
  QWidget* picture3_ = nullptr;
  QLabel* label4_ = nullptr;
  QWidget* picture4_ = nullptr;
  QLabel* label5_ = nullptr;
  platform::ListGrid* grid1_ = nullptr;
  platform::ListGrid* grid2_ = nullptr;
  QPushButton* command1_ = nullptr;

  ReconLoadRequest request_;
  QString BookCode;
  bool bForeign = false;
  bool bQyActive = true;
  bool QyTickArmed = false;
  bool YhTickArmed = false;
  bool bVertical = false;
  int bLoaded = 0;
  std::unique_ptr<shared::LayoutHelper> oLayout;
  std::vector<LineFacts> journalFacts_, statementFacts_;
  QString accountText_;
  QString heldFunction_, heldCode_;
  bool busy_ = false;
  bool loaded_ = false;  // the last load read the account's facts and lines
  bool widened_ = false;  // the first load has sized the window to its columns
  bool closePending_ = false;
};

// Marks the window busy for one command: the toolbar is disabled, other commands
// are refused, a close asked for meanwhile happens when the command ends.
class BusyScope {
 public:
  explicit BusyScope(frmYHDZ& w);
  ~BusyScope();

 private:
  frmYHDZ& w_;
  InputDropper dropInput_;
};

}  // namespace corvane::reconcile
