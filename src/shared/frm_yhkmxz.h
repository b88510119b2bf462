#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace corvane::shared {

// The bank account or book selection dialog: the user picks the one bank account
// (account mode) or bank book (book mode) a function works on, optionally a range
// of periods and which lines to show. The choice goes back through the session's
// ParamObject: Confirmed, Value1 (account code; in book mode the book's account),
// Value2/Value3 (start and end period texts), Value4 (book code, book mode) and
// ShowMode.
//
// One instance per session (Instance()). A caller prepares it with the Prepare…
// procedure of its own configuration, which fills the list and sets every control
// that caller relies on, then runs ShowModal(). The dialog stays loaded and hidden
// after OK, and after Cancel while MeUsedFlag is set; otherwise Cancel unloads it.
class frmYHKMXZ : public QDialog {
  Q_OBJECT

 public:
  // True: Cancel only hides the dialog. Reset to false each time it loads. The
  // bank statement window sets it for as long as it lives.
  bool MeUsedFlag = false;

  // The session's instance, loaded on first use (and again after an unload).
  static frmYHKMXZ& Instance();
  static bool IsLoaded();
  // Unloads the instance (the bank statement window does so when it closes).
  static void Unload();

  // Caller configurations. Each clears and fills the account list (account mode)
  // or the book list (book mode), selects the first entry, and sets the groups,
  // period controls, show options and check box as its caller needs them. The
  // result is the number of entries listed; with none the caller shows its own
  // message and does not show the dialog. Database failures throw DbError.
  //
  // Opening set-up: the account or book only.
  int PrepareForOpening();
  // Bank statement: the account or book and a period range; in book mode also
  // the check box.
  int PrepareForStatement();
  // Reconciliation: the account or book, a period range and the check box "显示
  // 已达账" (ShowMode 1 when ticked). allowedList is the comma-separated list of
  // account codes the user may read; empty means every account.
  int PrepareForReconciliation(const QString& allowedList = QString());
  // Tick-status query (and the searches of the query windows): the account or
  // book and the three show options (ShowMode 0 all, 1 unticked, 2 ticked).
  int PrepareForQuery();

  // Shows the dialog modally. Confirmed is cleared first, so that closing the
  // dialog in any other way than OK never passes for a choice; the result is
  // Confirmed afterwards.
  bool ShowModal();

  // The controls, by their design names.
  QComboBox* Combo1() const { return combo1_; }
  QComboBox* Combo2() const { return combo2_; }
  QComboBox* Combo3() const { return combo3_; }
  QCheckBox* Check1() const { return check1_; }
  QRadioButton* Option1(int index) const { return option1_[index]; }
  QComboBox* cmbBook() const { return cmbBook_; }
  QComboBox* cmbBookCode() const { return cmbBookCode_; }
  QComboBox* cmbStartDate() const { return cmbStartDate_; }
  QComboBox* cmbEndDate() const { return cmbEndDate_; }
  QLabel* lblAccount() const { return lblAccount_; }
  QLabel* lblCode() const { return lblCode_; }
  QPushButton* Command1() const { return command1_; }
  QPushButton* Command2() const { return command2_; }
  // The book code chosen last.
  const QString& ChosenBookCode() const { return bookCode_; }

  // OK and Cancel, as the buttons run them.
  void Command1_Click();
  void Command2_Click();

 public slots:
  // Closing the dialog other than by its buttons (close box, Esc) writes nothing
  // and unloads it.
  void reject() override;

 private:
  friend class WindowRegistry;
  frmYHKMXZ();
  void BuildControls();
  void Form_Load();

  int FillAccounts(const QString& allowedList);
  int FillBooks();
  int FillList();
  void ShowGroup();
  void ShowPeriods(bool account, bool book);
  void ShowModeControls(bool options, bool check);
  // Selects a start period and runs the period step for its end combo.
  void ChooseStartPeriod(QComboBox* start, QComboBox* end, int index);
  void RefillEndPeriods(QComboBox* end, int index, bool withNoBound);
  void StartPeriodChosen(QComboBox* start, QComboBox* end);
  void BookChosen();
  // A label's caption in the session's language (its key under the window's prefix).
  static QString LabelCaption(const QString& name);
  void ApplyShowModeRule(int& showMode) const;
  // The shown period range runs forward; a reversed one is said and refused.
  bool PeriodRangeAccepted();
  bool TakeAccountChoice();
  bool TakeBookChoice();

  QGroupBox* frame1_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QLabel* label2_ = nullptr;
  QComboBox* combo2_ = nullptr;
  QLabel* label3_ = nullptr;
  QComboBox* combo3_ = nullptr;
  QCheckBox* check1_ = nullptr;
  QGroupBox* frame2_ = nullptr;
  QRadioButton* option1_[3] = {};
  QGroupBox* famRP_ = nullptr;
  QComboBox* cmbBook_ = nullptr;
  QComboBox* cmbBookCode_ = nullptr;
  QLabel* lblAccount_ = nullptr;
  QLabel* lblCode_ = nullptr;
  QGroupBox* famDate_ = nullptr;
  QComboBox* cmbStartDate_ = nullptr;
  QComboBox* cmbEndDate_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;

  QString bookCode_;
  bool unloadRequested_ = false;
};

}  // namespace corvane::shared
