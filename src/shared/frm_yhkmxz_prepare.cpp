// The caller configurations of the selection dialog: which list it shows and
// which of its controls each calling function relies on. Every configuration
// shows or hides all of them, since the dialog stays loaded between uses and
// would otherwise keep what the previous caller left; the show options keep
// what the user last chose.
#include "shared/frm_yhkmxz.h"

#include "shared/session.h"

#include "platform/db/sql_builder.h"
#include "platform/services/period_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

namespace corvane::shared {

namespace {

// The codes of a rights list: comma-separated, each code possibly quoted as it
// would stand in SQL ('100201' or N'100201').
QStringList SplitAllowedList(const QString& allowedList) {
  QStringList codes;
  for (QString code : allowedList.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    code = code.trimmed();
    // A national-text prefix before the quote goes; the code stays a bound value.
    if (code.size() > 2 && code[0].toUpper() == QLatin1Char('N') && code[1] == QLatin1Char('\'')) code.remove(0, 1);
    if (code.size() >= 2 && code.startsWith(QLatin1Char('\'')) && code.endsWith(QLatin1Char('\''))) {
      code = code.mid(1, code.size() - 2).trimmed();
    }
    if (!code.isEmpty()) codes.push_back(code);
  }
  return codes;
}

QString Entry(const QString& name, const QString& code) {
  return name + QLatin1Char('(') + code + QLatin1Char(')');
}

}  // namespace

int frmYHKMXZ::FillAccounts(const QString& allowedList) {
  platform::SqlBuilder q(QStringLiteral("select ccode, ccode_name from code where be=? and bend=?"), 1, 1);
  // A blank list is no restriction; any other list restricts, even when no code
  // can be read from it.
  if (!allowedList.trimmed().isEmpty()) q.Add(QStringLiteral(" and ")).AddIn(QStringLiteral("ccode"), SplitAllowedList(allowedList));
  q.Add(QStringLiteral(" order by ccode"));
  auto rs = Session::Current().Db().OpenRecordset(q.Sql(), q.Params());

  const QSignalBlocker block(combo1_);
  combo1_->clear();
  for (; !rs->Eof(); rs->MoveNext()) {
    const QString code = rs->Field(QStringLiteral("ccode")).ToString().trimmed();
    combo1_->addItem(Entry(rs->Field(QStringLiteral("ccode_name")).ToString().trimmed(), code), code);
  }
  rs->Close();
  combo1_->setCurrentIndex(combo1_->count() > 0 ? 0 : -1);
  return combo1_->count();
}

int frmYHKMXZ::FillBooks() {
  const platform::SqlBuilder q(
      QStringLiteral("select cbookcode, cbookname from RP_Book where ibooktype=? and dopendate is not null"
                     " and bcloseflag=? order by cbookcode"),
      2, 0);
  auto rs = Session::Current().Db().OpenRecordset(q.Sql(), q.Params());

  const QSignalBlocker blockBooks(cmbBook_);
  const QSignalBlocker blockCodes(cmbBookCode_);
  cmbBook_->clear();
  cmbBookCode_->clear();
  bookCode_.clear();
  lblAccount_->setText(LabelCaption(QStringLiteral("lblAccount")));
  lblCode_->setText(LabelCaption(QStringLiteral("lblCode")));
  for (; !rs->Eof(); rs->MoveNext()) {
    const QString code = rs->Field(QStringLiteral("cbookcode")).ToString().trimmed();
    cmbBook_->addItem(Entry(rs->Field(QStringLiteral("cbookname")).ToString().trimmed(), code), code);
    cmbBookCode_->addItem(code);
  }
  rs->Close();
  return cmbBook_->count();
}

int frmYHKMXZ::FillList() {
  if (!Session::Current().BookMode()) return FillAccounts(QString());
  const int count = FillBooks();
  // Only now that both book lists are filled: choosing the first book fills the
  // book labels from the code list.
  if (count > 0) {
    {
      const QSignalBlocker block(cmbBook_);
      cmbBook_->setCurrentIndex(0);
    }
    BookChosen();
  }
  return count;
}

void frmYHKMXZ::ShowGroup() {
  const bool book = Session::Current().BookMode();
  frame1_->setVisible(!book);
  famRP_->setVisible(book);
  cmbBookCode_->setVisible(false);
}

void frmYHKMXZ::ShowPeriods(bool account, bool book) {
  for (QWidget* w : {static_cast<QWidget*>(combo2_), static_cast<QWidget*>(combo3_),
                     static_cast<QWidget*>(label2_), static_cast<QWidget*>(label3_)}) {
    w->setVisible(account);
  }
  famDate_->setVisible(book);
}

void frmYHKMXZ::ShowModeControls(bool options, bool check) {
  // Only shown or hidden: what the user ticked or chose stays for the next use
  // while the dialog is loaded.
  frame2_->setVisible(options);
  for (QRadioButton* option : option1_) option->setVisible(options);
  check1_->setVisible(check);
}

void frmYHKMXZ::ChooseStartPeriod(QComboBox* start, QComboBox* end, int index) {
  {
    const QSignalBlocker block(start);
    start->setCurrentIndex(index);
  }
  StartPeriodChosen(start, end);
}

void frmYHKMXZ::RefillEndPeriods(QComboBox* end, int index, bool withNoBound) {
  end->clear();
  Session::Current().Common().FillPeriodCombo(end, withNoBound);
  end->setCurrentIndex(qMin(index, end->count() - 1));
}

int frmYHKMXZ::PrepareForOpening() {
  const int count = FillList();
  ShowGroup();
  ShowPeriods(false, false);
  ShowModeControls(false, false);
  return count;
}

int frmYHKMXZ::PrepareForStatement() {
  const int count = FillList();
  ShowGroup();
  ShowPeriods(true, true);
  // From the beginning (the opening lines before the first period too) to the
  // first period: the end list starts over with its entry that bounds nothing,
  // and the first period stands second.
  QComboBox* start = Session::Current().BookMode() ? cmbStartDate_ : combo2_;
  QComboBox* end = Session::Current().BookMode() ? cmbEndDate_ : combo3_;
  ChooseStartPeriod(start, end, 0);
  RefillEndPeriods(end, 1, true);
  ShowModeControls(false, Session::Current().BookMode());
  return count;
}

int frmYHKMXZ::PrepareForReconciliation(const QString& allowedList) {
  const bool book = Session::Current().BookMode();
  const int count = book ? FillList() : FillAccounts(allowedList);
  ShowGroup();
  ShowPeriods(true, true);
  QComboBox* start = book ? cmbStartDate_ : combo2_;
  QComboBox* end = book ? cmbEndDate_ : combo3_;
  ChooseStartPeriod(start, end, 0);
  RefillEndPeriods(end, 0, false);
  // From the beginning, so that the opening items and the statement lines
  // before the first period meet their partners; the end list holds periods
  // only. A bank account ends with the first period, a book with the login
  // period: what has been booked so far.
  if (book) {
    platform::CommonServices& common = Session::Current().Common();
    const int loginPeriod = common.GetPeriodInfo().CurrentPeriod;
    for (int i = 0; i < end->count(); ++i)
      if (common.GetPeriodNumber(platform::PeriodList::PeriodTextAt(end, i)) == loginPeriod) end->setCurrentIndex(i);
  }
  ShowModeControls(false, true);
  return count;
}

int frmYHKMXZ::PrepareForQuery() {
  const int count = FillList();
  ShowGroup();
  ShowPeriods(false, false);
  ShowModeControls(true, false);
  return count;
}

}  // namespace corvane::shared
