#pragma once

#include "platform/services/records.h"
#include "platform/services/statement_date_limits.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane::statement {

// "网上银行对账单引入": the date range of the internet-banking import of one bank
// book. OK checks that both boxes hold dates, fetches the bank's lines of the
// range as typed (a start after the end too) through the BankLineSource, checks
// them as the window checks a keyed line (lines without date, amount or direction,
// or dated outside the window's limits, are refused with their reason),
// warns about lines the book already holds, and writes the accepted lines in one
// transaction; bolConfirm is true once the fetch and the write succeeded, also
// when the bank had no line.
class frmNBImportCond : public QDialog {
  Q_OBJECT

 public:
  QString strBookCode;
  bool bolConfirm = false;

  frmNBImportCond(const QString& bookCode, const platform::StatementDateLimits& dates, QWidget* parent = nullptr);

  QLineEdit* txtStartDate() const { return txtStartDate_; }
  QLineEdit* txtEndDate() const { return txtEndDate_; }
  QLabel* lblBookName() const { return lblBookName_; }
  QLabel* lblAccount() const { return lblAccount_; }
  QLabel* lblExch() const { return lblExch_; }

  void cmdOK_Click();
  void cmdCancel_Click();

 private:
  // The date of a box; an empty or bad one is told (the box named by the text of
  // fieldKey) and gives false.
  bool ReadDate(QLineEdit* box, const QString& emptyMessage, const QString& fieldKey, QDate& date);

  platform::BookInfo book_;
  platform::StatementDateLimits dates_;
  QLineEdit* txtStartDate_ = nullptr;
  QLineEdit* txtEndDate_ = nullptr;
  QLabel* lblBookName_ = nullptr;
  QLabel* lblAccount_ = nullptr;
  QLabel* lblExch_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
};

}  // namespace corvane::statement
