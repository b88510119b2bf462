#include "reconcile/frm_yh_un_auto.h"

#include "platform/services/modal_runner.h"
#include "reconcile/cancel_ticks.h"
#include "reconcile/frm_yhdz.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/window_dressing.h"
#include "shared/named_widget.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

namespace corvane::reconcile {

using shared::GetResString;
using shared::Named;
using shared::Session;

namespace {

const QString kPrefix = QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.");

}  // namespace

frmYhUnAuto::frmYhUnAuto(frmYHDZ& owner, QWidget* parent) : QDialog(parent), owner_(owner) {
  setObjectName(QStringLiteral("frmYhUnAuto"));
  setWindowTitle(QStringLiteral("银行反对账范围"));
  setModal(true);
  BuildControls();
  Form_Load();
  connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(command2_, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void frmYhUnAuto::BuildControls() {
  // The controls read as one sentence: cancel back to period N, for this kind of data.
  frame1_ = Named(new QGroupBox, "Frame1");
  combo1_ = Named(new QComboBox, "Combo1");
  combo2_ = Named(new QComboBox, "Combo2");
  auto* sentence = new QHBoxLayout(frame1_);
  sentence->addWidget(Named(new QLabel(QStringLiteral("一直反对账到")), "Label1"));
  sentence->addWidget(combo1_);
  sentence->addWidget(Named(new QLabel(QStringLiteral("月为止的")), "Label2"));
  sentence->addWidget(combo2_);
  sentence->addWidget(Named(new QLabel(QStringLiteral("数据")), "Label3"));
  command1_ = Named(new QPushButton(QStringLiteral("确定")), "Command1");
  command1_->setDefault(true);
  command2_ = Named(new QPushButton(QStringLiteral("取消")), "Command2");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(command1_);
  buttons->addWidget(command2_);
  auto* top = new QVBoxLayout(this);
  top->addWidget(frame1_);
  top->addLayout(buttons);
}

void frmYhUnAuto::Form_Load() {
  shared::LocalizeForm(this, kPrefix);
  try {
    Session::Current().Common().FillPeriodCombo(combo1_);
  } catch (const std::exception&) {
    // Without the calendar there is no period to offer; OK then refuses.
  }
  combo1_->setCurrentIndex(combo1_->count() > 0 ? 0 : -1);
  for (const char* key : {"00846", "00847", "00848"})
    combo2_->addItem(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(key)));
  combo2_->setCurrentIndex(0);
  try {
    Session::Current().UiStyle().StyleForm(this, false);
  } catch (const std::exception&) {
  }
}

void frmYhUnAuto::Command1_Click() {
  const int period = combo1_->currentIndex() + 1;
  // Without a period the cancel would have no lower bound that means anything.
  if (period < kFirstPeriod || period > kLastPeriod) {
    shared::ShowMsgBox(GetResString(QStringLiteral("corvane.recon.noperiod")), 0, GetResString(shared::kCashTitleKey));
    combo1_->setFocus();
    return;
  }
  owner_.ExecAuto = true;
  owner_.UnAutoMonth = period;
  owner_.iCancelType = combo2_->currentIndex() + 1;
  done(QDialog::Accepted);
}

void frmYhUnAuto::Command2_Click() { reject(); }

void frmYhUnAuto::reject() {
  owner_.ExecAuto = false;
  QDialog::reject();
}

bool ShowCancelRange(frmYHDZ& window) {
  window.ExecAuto = false;
  frmYhUnAuto dialog(window, &window);
  platform::RunModal(dialog);
  return window.ExecAuto;
}

}  // namespace corvane::reconcile
