#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace corvane::balance {

// Clearing of reconciled lines ("RP0308", modal): the user picks an account or
// book; when its statement balances and the user confirms, its ticked journal and
// statement lines are marked cleared. Alt+U restores the cleared lines of the
// chosen account.
class frmYHZHX : public QDialog {
  Q_OBJECT

 public:
  explicit frmYHZHX(QWidget* parent = nullptr);

  QComboBox* Combo1() const { return combo1_; }
  QPushButton* Command2() const { return command2_; }
  QPushButton* Command3() const { return command3_; }

  // OK: balance test, confirmation, clearing.
  void Command2_Click();
  // Alt+U: confirmation twice, then the restore.
  void RestoreClearedItems();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // The list takes letter keys for its own search; Alt+U is caught before it.
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool HandleRestoreKey(QKeyEvent* event);

 private:
  void BuildControls();
  void FillList();
  // The chosen account's code, carried with the list entry.
  QString ChosenCode() const;
  QString ChosenName() const;

  QComboBox* combo1_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QPushButton* command2_ = nullptr;
  QPushButton* command3_ = nullptr;
  bool running_ = false;
};

}  // namespace corvane::balance
