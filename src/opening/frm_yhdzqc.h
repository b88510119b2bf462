#pragma once

#include "opening/opening_items.h"
#include "opening/opening_setup.h"
#include "opening/opening_summary.h"
#include "opening/opening_target.h"

#include <QDate>
#include <QDialog>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace corvane::platform {
class ListGrid;
class RTPrn;
class ToolbarHost;
}

namespace corvane::opening {

class OpeningMenu;

// The opening set-up window ("RP0303", caption "银行对账期初"): start date, both
// opening balances, the balance direction and the two adjusted balances of one
// bank account or book, with the doors to the two opening-item windows.
//
// What it works on is fixed by the opener's LoadData: every reload, save and
// item window uses that copy, never the session's shared choice again.
class frmYHDZQC : public QDialog {
  Q_OBJECT

 public:
  // --- Public variables, by the names the item windows read.
  QString CurYHKM;
  QDate BDate;
  bool BankFx = true;  // balance direction: true debit
  QString strBookCode;

  frmYHDZQC();
  ~frmYHDZQC() override;

  // Loads the target chosen by the opener and keeps it for every reload. False
  // after the failure's message: the window then shows no figures of any
  // account and saves nothing until a load of its target succeeds.
  bool LoadData(const OpeningTarget& target);
  // Loads again from what is stored; false as LoadData.
  bool Reload();
  // Turns the window to another account or book, the account lock going with
  // it; false (nothing changed) when the lock is refused.
  bool Retarget(const OpeningTarget& target);
  // The function id the opener claimed; given back when the window closes.
  void SetHeld(const QString& functionId) { heldFunction_ = functionId; }
  int ShowModal();

  const OpeningTarget& Target() const { return target_; }
  const OpeningFigures& Figures() const { return figures_; }
  // The shown texts of the statement (labels), as the outputs use them.
  SummaryTexts Texts() const;
  bool IsForeign() const { return figures_.foreign; }
  QString CurrencyName() const { return figures_.currencyName; }

  // Controls, by their design names.
  QLabel* Label(int n) const;
  QLineEdit* text11() const { return text11_; }
  QLineEdit* Text1() const { return text1_; }
  QLineEdit* Text5() const { return text5_; }
  QLineEdit* Text2() const { return text2_; }
  QLabel* lblBook() const { return lblBook_; }
  QPushButton* Command(int n) const;
  QTableWidget* Header1() const { return header1_; }
  platform::ListGrid* MSGrid1() const { return grid_; }
  platform::ToolbarHost* Toolbar() const { return toolbar_; }
  OpeningMenu* Menu() const { return menu_; }

  // Saves start date and both balances; false when nothing could be saved.
  bool SaveSetup();
  // Whether the figures shown are those read for the target.
  bool Loaded() const { return loaded_; }
  void CalcAdjustedBalances();
  // Picks a start date and saves it at once (a cancelled pick changes nothing).
  void Command3_Click();
  void Command1_Click();  // bank-side items
  void Command2_Click();  // enterprise-side items
  void Command6_Click() { FillSummaryGrid(); }
  void Label21_Click();
  void Label22_Click();
  void Command4_Click();
  void Command5_Click();
  // Ends an in-place edit of a balance (Enter or focus lost).
  void EndBalanceEdit(QLineEdit* box);
  void Toolbar1_ButtonClick(const QString& key);
  void ChangeBalanceDirection();
  void SaveAndClose();
  void FillSummaryGrid();
  // Empties the summary's figures: the window shows no summary until "Command6".
  void ClearSummaryGrid();
  void ClearFigures();
  void ShowSummaryHeadings();
  void OutputSummaryReport(int mode);
  void OutputSummaryData();

 public slots:
  void rSetup();
  void rPrint();
  void rPreview();
  void rDataOut();
  void rBankDirec();
  void rHelp();
  void rExit();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void done(int result) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void BuildControls();
  void BuildMenu();
  void Form_Load();
  void ShowFigures();
  void StartBalanceEdit(QLabel* label, QLineEdit* box);
  void CalculateBalance(QLineEdit* box);
  // Puts the balance an open edit box holds into its label. When the box holds no
  // balance its edit ends, the label keeps its figure, the user is told what was
  // refused, and false says that nothing may be saved.
  bool TakeBalanceBox(QLineEdit* box);
  void ShowDirection();
  platform::Money LabelAmount(const QLabel* label) const;
  void OpenItems(bool bankSide);
  ItemContext CurrentItemContext() const;

  OpeningTarget target_;
  OpeningFigures figures_;
  QString heldFunction_;
  bool ctrlDown_ = false;
  bool busy_ = false;
  bool loaded_ = false;  // the figures shown were read for target_
  // The summary grid holds figures (the summary or the data output's table); they
  // follow every change of the window's figures.
  bool summaryShown_ = false;
  QLineEdit* calculating_ = nullptr;  // the edit box whose calculator is open
  QString toldSumsFailure_;  // why the sums were not made, as last told

  platform::ToolbarHost* toolbar_ = nullptr;
  QGroupBox* frame1_ = nullptr;
  QLabel* labels_[26] = {};
  QLabel* lblBookCap_ = nullptr;
  QLabel* lblBook_ = nullptr;
  QLineEdit* text11_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QLineEdit* text1_ = nullptr;
  QLineEdit* text5_ = nullptr;
  QPushButton* commands_[7] = {};
  QTableWidget* header1_ = nullptr;
  platform::ListGrid* grid_ = nullptr;
  platform::RTPrn* rtprn_ = nullptr;
  OpeningMenu* menu_ = nullptr;
};

}  // namespace corvane::opening
