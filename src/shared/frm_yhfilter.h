#pragma once

#include "shared/filter_conditions.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace corvane::shared {

// The condition entry dialog "条件录入窗": a date range, a settlement style, a
// settlement number, a direction and an amount for a list window's row filter,
// or "取消过滤" to switch the filter off. The window that opens it receives the
// conditions in its FilterConditions (and, in the reconciliation window's mode,
// the chosen settlement styles in cSelect and bSelectNULL and the tick kind).
//
// The caller's protocol:
//   frmYHFilter::YhOrQy = 5;              // its mode, before the dialog is made
//   frmYHFilter dialog(*this);            // loads it for that mode
//   dialog.SetFilterOff(false); dialog.Preset(Conditions());
//   dialog.ShowModal();                   // OK writes the conditions, then closes
//   if (Conditions().ExecCom) …           // apply the filter
//
// Modes: 1 bank-side opening items, 2 enterprise-side opening items, 3 bank
// statement, 4 reconciliation (a multi-choice style list and the tick kind in
// place of the style combo), 5 tick-status query and detailed statement, 6
// long-outstanding audit.
class frmYHFilter : public QDialog {
  Q_OBJECT

 public:
  // The dialog's public variables. They outlive each use of the dialog, since
  // the reconciliation window reads them after the dialog has closed.
  static inline quint8 YhOrQy = 0;
  // Mode 4: the full codes of the settlement styles chosen on the last OK.
  static inline QStringList cSelect;
  // Mode 4: the last entry of the style list ("no settlement style") was chosen.
  static inline bool bSelectNULL = false;
  // 1 while "取消过滤" is ticked; 0 after every load.
  static inline quint8 bFlagChkPress = 0;

  // Pop-ups under the date and amount boxes (the reference buttons and F2).
  // The session's input helpers install them; without them the buttons do nothing.
  using BoxPopup = std::function<void(QLineEdit* box, QWidget* window)>;
  static void SetPopups(BoxPopup calendar, BoxPopup calculator);

  // Loads the dialog for the mode in YhOrQy; results go to owner.
  explicit frmYHFilter(FilterConditionOwner& owner, QWidget* parent = nullptr);

  // Fills the boxes from conditions: dates, number and amount as they are held,
  // the style whose code is CurCn_m (the blank entry when none is), direction
  // Option1(CurBd_c).
  void Preset(const FilterConditions& conditions);
  // Ticks or clears "取消过滤", with the condition controls to match.
  void SetFilterOff(bool off);

  void EnableFrame();
  void DisableFrame();

  // Shows the dialog modally; true when it was closed with OK.
  bool ShowModal();

  // OK and Cancel, as the buttons run them.
  void Command1_Click();
  void Command2_Click();

  QGroupBox* Frame1() const { return frame1_; }
  QLineEdit* Text1() const { return text1_; }
  QLineEdit* Text2() const { return text2_; }
  QLineEdit* Text3() const { return text3_; }
  QLineEdit* Text4() const { return text4_; }
  QComboBox* Combo1() const { return combo1_; }
  QListWidget* List1() const { return list1_; }
  QComboBox* cboType() const { return cboType_; }
  QRadioButton* Option1(int index) const { return option1_[index]; }
  QCheckBox* Check1() const { return check1_; }
  QPushButton* Command1() const { return command1_; }
  QPushButton* Command2() const { return command2_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void Form_Load();
  void LoadStyleCombo();
  void LoadStyleList();
  void Check1_Click();
  void SetBoxColours(const QColor& colour);
  void OpenPopup(QLineEdit* box);
  // Empty or a date the suite accepts; a refused one gets the focus.
  // False, after saying why and selecting the box again, for a text that is no date
  // or no amount.
  bool DateBoxAccepted(QLineEdit* box);
  bool AmountBoxAccepted();
  QString DateText(QLineEdit* box) const;
  QString StyleCode(const QString& entryText) const;
  void TakeStyleList();
  void SetCallerCondition(FilterConditions& target);

  FilterConditionOwner& owner_;
  QGroupBox* frame1_ = nullptr;
  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QLineEdit* text3_ = nullptr;
  QLineEdit* text4_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QListWidget* list1_ = nullptr;
  QLabel* lblType_ = nullptr;
  QComboBox* cboType_ = nullptr;
  QRadioButton* option1_[3] = {};
  QPushButton* command3_ = nullptr;
  QPushButton* command4_ = nullptr;
  QPushButton* command5_ = nullptr;
  QCheckBox* check1_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
};

}  // namespace corvane::shared
