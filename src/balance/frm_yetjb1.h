#pragma once

#include <QDialog>
#include <QString>

class QLabel;

namespace corvane::platform {
class ToolbarHost;
}

namespace corvane::balance {

class frmYETJB;

// The two-sided statement of the balance statement's current row (modal): the
// enterprise side (journal balance, plus what the bank received and the books have
// not, less what the bank paid and the books have not) beside the bank side. It
// shows the row's texts as they are; for a credit-direction account the two bank
// adjustments change places, so that the left side still adds up.
class frmYETJB1 : public QDialog {
  Q_OBJECT

 public:
  explicit frmYETJB1(frmYETJB& statement, QWidget* parent = nullptr);

  QLabel* Label(const QString& name) const;
  platform::ToolbarHost* Toolbar() const { return toolbar_; }
  const QString& Code() const { return code_; }
  bool Debit() const { return debit_; }

  void Toolbar1_ButtonClick(const QString& key);
  // Print (1) or preview (2) of the statement report.
  void OutputSummaryReport(int mode);
  void OutputSummaryData();
  // Claims the detailed statement's function, hands it this account's figures,
  // closes this window and shows the detailed statement.
  void ShowDetailStatement();

 public slots:
  void rightSetup();
  void rightPrint() { OutputSummaryReport(1); }
  void rightPreview() { OutputSummaryReport(2); }
  void rightDout() { OutputSummaryData(); }
  void rightHelp();
  void rightExit() { reject(); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void BuildControls();
  void FillFromRow(frmYETJB& statement);

  platform::ToolbarHost* toolbar_ = nullptr;
  QString code_;
  bool debit_ = true;
};

}  // namespace corvane::balance
