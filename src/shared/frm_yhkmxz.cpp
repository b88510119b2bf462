#include "shared/frm_yhkmxz.h"

#include "shared/code_name.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/window_dressing.h"

#include "platform/controls/resource_pictures.h"
#include "platform/services/modal_runner.h"
#include "platform/services/period_list.h"
#include "shared/named_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <exception>

namespace corvane::shared {

namespace {

const QString kCaptionPrefix = QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.");

QComboBox* NewCombo(const char* name) {
  auto* combo = Named(new QComboBox, name);
  combo->setMinimumContentsLength(10);
  return combo;
}

platform::ParamObject& Param() { return Session::Current().Common().GetParamObject(); }

}  // namespace

frmYHKMXZ& frmYHKMXZ::Instance() {
  WindowRegistry& windows = Session::Current().windows;
  // A Cancel that unloads cannot destroy the dialog from inside its own button
  // handler; the unload completes here, at the next use.
  if (frmYHKMXZ* loaded = windows.Find<frmYHKMXZ>(); loaded && loaded->unloadRequested_) {
    windows.Unload<frmYHKMXZ>();
  }
  return windows.Get<frmYHKMXZ>();
}

bool frmYHKMXZ::IsLoaded() {
  const frmYHKMXZ* loaded = Session::Current().windows.Find<frmYHKMXZ>();
  return loaded && !loaded->unloadRequested_;
}

void frmYHKMXZ::Unload() { Session::Current().windows.Unload<frmYHKMXZ>(); }

frmYHKMXZ::frmYHKMXZ() {
  setObjectName(QStringLiteral("frmYHKMXZ"));
  setModal(true);
  BuildControls();
  Form_Load();
  connect(combo2_, &QComboBox::currentIndexChanged, this, [this] { StartPeriodChosen(combo2_, combo3_); });
  connect(cmbStartDate_, &QComboBox::currentIndexChanged, this,
          [this] { StartPeriodChosen(cmbStartDate_, cmbEndDate_); });
  connect(cmbBook_, &QComboBox::currentIndexChanged, this, [this] { BookChosen(); });
  connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(command2_, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void frmYHKMXZ::BuildControls() {
  setWindowTitle(QStringLiteral("银行科目选择"));

  frame1_ = Named(new QGroupBox(QStringLiteral("请选择银行科目")), "Frame1");
  combo1_ = NewCombo("Combo1");
  combo2_ = NewCombo("Combo2");
  combo3_ = NewCombo("Combo3");
  label2_ = Named(new QLabel(QStringLiteral("月份")), "Label2");
  label3_ = Named(new QLabel(QStringLiteral("----")), "Label3");
  auto* grid1 = new QGridLayout(frame1_);
  grid1->addWidget(Named(new QLabel(QStringLiteral("科目")), "Label1"), 0, 0);
  grid1->addWidget(combo1_, 0, 1, 1, 3);
  grid1->addWidget(label2_, 1, 0);
  grid1->addWidget(combo2_, 1, 1);
  grid1->addWidget(label3_, 1, 2);
  grid1->addWidget(combo3_, 1, 3);

  famRP_ = Named(new QGroupBox(QStringLiteral("请选择账簿")), "famRP");
  cmbBook_ = NewCombo("cmbBook");
  cmbBookCode_ = NewCombo("cmbBookCode");
  cmbBookCode_->hide();
  lblAccount_ = Named(new QLabel(LabelCaption(QStringLiteral("lblAccount"))), "lblAccount");
  lblCode_ = Named(new QLabel(LabelCaption(QStringLiteral("lblCode"))), "lblCode");
  famDate_ = Named(new QGroupBox, "famDate");
  cmbStartDate_ = NewCombo("cmbStartDate");
  cmbEndDate_ = NewCombo("cmbEndDate");
  auto* dates = new QHBoxLayout(famDate_);
  dates->addWidget(Named(new QLabel(QStringLiteral("月份：")), "ZqLabel2"));
  dates->addWidget(cmbStartDate_);
  dates->addWidget(Named(new QLabel(QStringLiteral("----")), "ZqLabel1"));
  dates->addWidget(cmbEndDate_);
  auto* grid2 = new QGridLayout(famRP_);
  grid2->addWidget(Named(new QLabel(QStringLiteral("账簿：")), "lblBook"), 0, 0);
  grid2->addWidget(cmbBook_, 0, 1);
  grid2->addWidget(cmbBookCode_, 0, 2);
  grid2->addWidget(lblAccount_, 1, 0, 1, 3);
  grid2->addWidget(lblCode_, 2, 0, 1, 3);
  grid2->addWidget(famDate_, 3, 0, 1, 3);

  check1_ = Named(new QCheckBox(QStringLiteral("显示已达账")), "Check1");
  frame2_ = Named(new QGroupBox, "Frame2");
  auto* options = new QHBoxLayout(frame2_);
  const QString optionCaptions[3] = {QStringLiteral("显示全部"), QStringLiteral("显示未达账"),
                                     QStringLiteral("显示已达账")};
  for (int i = 0; i < 3; ++i) {
    option1_[i] = new QRadioButton(optionCaptions[i]);
    option1_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
    options->addWidget(option1_[i]);
  }
  option1_[0]->setChecked(true);

  command1_ = Named(new QPushButton(QStringLiteral("确定")), "Command1");
  command2_ = Named(new QPushButton(QStringLiteral("取消")), "Command2");
  command1_->setDefault(true);

  auto* left = new QVBoxLayout;
  left->addWidget(frame1_);
  left->addWidget(famRP_);
  left->addWidget(check1_);
  left->addWidget(frame2_);
  auto* right = new QVBoxLayout;
  auto* image1 = Named(new QLabel, "Image1");
  image1->setPixmap(platform::ResourcePicture(157).pixmap(32, 32));
  image1->setAlignment(Qt::AlignCenter);
  right->addWidget(image1);
  right->addWidget(command1_);
  right->addWidget(command2_);
  right->addStretch();
  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addLayout(right);
}

void frmYHKMXZ::Form_Load() {
  Session& session = Session::Current();
  LocalizeForm(this, kCaptionPrefix);
  if (session.BookMode()) setWindowTitle(GetResString(QStringLiteral("corvane.kmxz.booktitle")));
  MeUsedFlag = false;
  // The end-period lists are filled when a start period is chosen.
  session.Common().FillPeriodCombo(combo2_, true);
  session.Common().FillPeriodCombo(cmbStartDate_, true);
  try {
    session.UiStyle().StyleForm(this, false);
  } catch (const std::exception&) {
    // Styling is cosmetic.
  }
}

void frmYHKMXZ::StartPeriodChosen(QComboBox* start, QComboBox* end) {
  platform::CommonServices& common = Session::Current().Common();
  if (start->currentIndex() != 0) {
    common.SyncPeriodCombos(start, end);
    return;
  }
  // The entry that bounds nothing: both lists get it and every period again (the
  // end list may have been cut to the periods after an earlier start); a fill
  // chooses its first entry, so the range bounds nothing on either side.
  const QSignalBlocker blockStart(start);
  start->clear();
  end->clear();
  common.FillPeriodCombo(start, true);
  common.FillPeriodCombo(end, true);
}

QString frmYHKMXZ::LabelCaption(const QString& name) {
  return GetResString(kCaptionPrefix + QStringLiteral("frmYHKMXZ.") + name);
}

void frmYHKMXZ::BookChosen() {
  {
    const QSignalBlocker block(cmbBookCode_);
    cmbBookCode_->setCurrentIndex(cmbBook_->currentIndex());
  }
  const QString code = cmbBookCode_->currentText();
  if (code.isEmpty()) return;
  bookCode_ = code;
  Session& session = Session::Current();
  try {
    const platform::BookInfo book = session.Cash().GetBook(code);
    QString currency = book.CurrencyName;
    if (currency.isEmpty()) currency = session.Common().GetAccountSetInfo().HomeCurrencyName;
    lblAccount_->setText(LabelCaption(QStringLiteral("lblAccount")) + book.BankAccountNo);
    lblCode_->setText(LabelCaption(QStringLiteral("lblCode")) + session.Common().GetAccountName(book.AccountCode) +
                      QLatin1Char('(') + currency + QLatin1Char(')'));
  } catch (const std::exception&) {
    // The labels only inform; OK asks for the book again and refuses it there.
    lblAccount_->setText(LabelCaption(QStringLiteral("lblAccount")));
    lblCode_->setText(LabelCaption(QStringLiteral("lblCode")));
  }
}

void frmYHKMXZ::ApplyShowModeRule(int& showMode) const {
  if (check1_->isVisibleTo(this)) showMode = check1_->isChecked() ? 1 : 0;
  if (option1_[0]->isVisibleTo(this)) {
    showMode = option1_[0]->isChecked() ? 0 : option1_[1]->isChecked() ? 1 : 2;
  }
}

bool frmYHKMXZ::TakeAccountChoice() {
  const int index = combo1_->currentIndex();
  if (index < 0) return false;
  // Each entry carries its code; an entry added without one is read as
  // "name(code)", the code being the bracketed group that ends the text.
  QString code = combo1_->itemData(index).toString();
  if (code.isEmpty()) {
    QString name;
    if (!SplitCodeName(combo1_->itemText(index), name, code) || code.isEmpty()) return false;
  }
  platform::ParamObject& param = Param();
  param.Confirmed = true;
  param.Value1 = code;
  param.ShowMode = 0;
  ApplyShowModeRule(param.ShowMode);
  param.Value2 = platform::PeriodList::ChosenPeriodText(combo2_);
  param.Value3 = platform::PeriodList::ChosenPeriodText(combo3_);
  return true;
}

bool frmYHKMXZ::TakeBookChoice() {
  if (bookCode_.isEmpty()) return false;
  platform::BookInfo book;
  try {
    book = Session::Current().Cash().GetBook(bookCode_);
  } catch (const std::exception& e) {
    ShowMsgBox(FailureText(e), 16, GetResString(kTitleKey));
    return false;
  }
  platform::ParamObject& param = Param();
  param.Confirmed = true;
  param.Value1 = book.AccountCode;
  param.Value2 = platform::PeriodList::ChosenPeriodText(cmbStartDate_);
  param.Value3 = platform::PeriodList::ChosenPeriodText(cmbEndDate_);
  param.Value4 = bookCode_;
  // Unlike an account choice, a book choice leaves ShowMode as it was when
  // neither the check box nor the options are shown.
  ApplyShowModeRule(param.ShowMode);
  return true;
}

bool frmYHKMXZ::PeriodRangeAccepted() {
  const bool book = Session::Current().BookMode();
  QComboBox* start = book ? cmbStartDate_ : combo2_;
  QComboBox* end = book ? cmbEndDate_ : combo3_;
  if (!start->isVisibleTo(this) || !end->isVisibleTo(this)) return true;
  const QString startText = platform::PeriodList::ChosenPeriodText(start);
  const QString endText = platform::PeriodList::ChosenPeriodText(end);
  if (startText.isEmpty() || endText.isEmpty()) return true;  // a side without bound
  platform::CommonServices& common = Session::Current().Common();
  int first = 0, last = 0;
  try {
    first = common.GetPeriodNumber(startText);
    last = common.GetPeriodNumber(endText);
  } catch (const std::exception&) {
    return true;  // the window reading the range refuses what it cannot read
  }
  if (first <= 0 || last <= 0 || first <= last) return true;
  ShowMsgBox(GetResString(QStringLiteral("corvane.select.reversed")), 48, GetResString(kTitleKey));
  end->setFocus();
  return false;
}

void frmYHKMXZ::Command1_Click() {
  if (!PeriodRangeAccepted()) return;
  // Without a choice the dialog stays open: nothing half-chosen passes for a choice.
  const bool taken = Session::Current().BookMode() ? TakeBookChoice() : TakeAccountChoice();
  if (!taken) {
    (Session::Current().BookMode() ? cmbBook_ : combo1_)->setFocus();
    return;
  }
  done(QDialog::Accepted);  // hides; the dialog stays loaded
}

void frmYHKMXZ::Command2_Click() {
  Param().Confirmed = false;
  if (!MeUsedFlag) unloadRequested_ = true;
  done(QDialog::Rejected);
}

void frmYHKMXZ::reject() {
  unloadRequested_ = true;
  QDialog::reject();
}

bool frmYHKMXZ::ShowModal() {
  Param().Confirmed = false;
  platform::RunModal(*this);
  return Param().Confirmed;
}

}  // namespace corvane::shared
