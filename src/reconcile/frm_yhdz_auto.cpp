#include "reconcile/frm_yhdz_auto.h"

#include "platform/controls/date_edit.h"
#include "platform/controls/date_text.h"
#include "platform/controls/typed_value.h"
#include "platform/controls/resource_pictures.h"
#include "platform/services/modal_runner.h"
#include "reconcile/frm_yhdz.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/typed_value_texts.h"
#include "shared/window_dressing.h"
#include "shared/named_widget.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <exception>

namespace corvane::reconcile {

using shared::GetResString;
using shared::Named;
using shared::Session;

namespace {

const QString kPrefix = QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.");

}  // namespace

std::optional<int> ParseDayCount(const QString& text) {
  if (platform::PlainForm(text).isEmpty()) return 0;
  const std::optional<qint64> days = platform::ReadWholeNumber(text, true);
  if (!days || *days < 0 || *days > frmYHDZAuto::kMaxDays) return std::nullopt;
  return static_cast<int>(*days);
}

frmYHDZAuto::frmYHDZAuto(frmYHDZ& owner, QWidget* parent) : QDialog(parent), owner_(owner) {
  setObjectName(QStringLiteral("frmYHDZAuto"));
  setWindowTitle(QStringLiteral("自动对账"));
  setModal(true);
  BuildControls();
  Form_Load();
  connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(command2_, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(command3_, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

void frmYHDZAuto::BuildControls() {
  label1_ = Named(new QLabel(QStringLiteral("截止日期")), "Label1");
  // The date box takes date characters only, so the characters that would break
  // a condition text (< > ' " | & ,) cannot be typed.
  text1_ = Named(new platform::DateEdit, "Text1");
  text1_->installEventFilter(this);
  command3_ = Named(new QPushButton(QStringLiteral("…")), "Command3");
  command3_->setFocusPolicy(Qt::NoFocus);
  command3_->hide();
  frame1_ = Named(new QGroupBox(QStringLiteral("对账条件")), "Frame1");
  check1_ = Named(new QCheckBox(QStringLiteral("日期相差")), "Check1");
  text2_ = Named(new QLineEdit(QStringLiteral("12")), "Text2");
  text2_->setMaxLength(10);
  text2_->setFixedWidth(48);
  label2_ = Named(new QLabel(QStringLiteral("之内")), "Label2");
  check2_ = Named(new QCheckBox(QStringLiteral("结算方式相同")), "Check2");
  check3_ = Named(new QCheckBox(QStringLiteral("结算票号相同")), "Check3");
  check4_ = Named(new QCheckBox(QStringLiteral("方向相反，金额相同")), "Check4");
  command1_ = Named(new QPushButton(QStringLiteral("确定")), "Command1");
  command1_->setDefault(true);
  command2_ = Named(new QPushButton(QStringLiteral("取消")), "Command2");
  image1_ = Named(new QLabel, "Image1");
  image1_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  auto* cutOff = new QHBoxLayout;
  cutOff->addWidget(label1_);
  cutOff->addWidget(text1_);
  cutOff->addWidget(command3_);
  auto* days = new QHBoxLayout;
  days->addWidget(check1_);
  days->addWidget(text2_);
  days->addWidget(label2_);
  days->addStretch();
  auto* conditions = new QVBoxLayout(frame1_);
  conditions->addLayout(days);
  conditions->addWidget(check2_);
  conditions->addWidget(check3_);
  conditions->addWidget(check4_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(command1_);
  buttons->addWidget(command2_);
  auto* fields = new QVBoxLayout;
  fields->addLayout(cutOff);
  fields->addWidget(frame1_);
  fields->addLayout(buttons);
  // The decoration picture stands beside the conditions.
  auto* top = new QHBoxLayout(this);
  top->addWidget(image1_);
  top->addLayout(fields, 1);
}

void frmYHDZAuto::Form_Load() {
  shared::LocalizeForm(this, kPrefix);
  image1_->setPixmap(platform::ResourcePicture(167).pixmap(32, 32));
  // Every showing starts from the same conditions, whatever was chosen before.
  check1_->setChecked(true);
  check2_->setChecked(true);
  check3_->setChecked(true);
  // The amount rule always applies; the box only states which sides face each other.
  check4_->setChecked(true);
  check4_->setEnabled(false);
  check4_->setText(GetResString(owner_.BankFx ? QStringLiteral("Q9.GL.ZWSQL.CASHBANK.01076")
                                              : QStringLiteral("Q9.GL.ZWSQL.CASHBANK.01075")));
  try {
    Session::Current().UiStyle().StyleForm(this, false);
  } catch (const std::exception&) {
    // The suite's styling is a nicety; the dialog works without it.
  }
}

bool frmYHDZAuto::AcceptCutOff(QString& cutOff) {
  const QString typed = text1_->text().trimmed();
  text1_->setText(typed);
  cutOff.clear();
  if (typed.isEmpty()) return true;  // no cut-off
  const std::optional<QDate> date = platform::DateText::Parse(typed);
  if (!date) {
    shared::RefuseBox(text1_, shared::DateRefusalText(typed));
    return false;
  }
  // One display form in the box, whatever form was typed.
  cutOff = platform::DateText::Format(*date);
  text1_->setText(cutOff);
  return true;
}

bool frmYHDZAuto::AcceptDays(int& days) {
  const std::optional<int> parsed = ParseDayCount(text2_->text());
  if (!parsed) {
    const bool number = platform::ReadWholeNumber(text2_->text(), true).has_value();
    shared::RefuseBox(text2_, number ? GetResString(QStringLiteral("corvane.recon.daylimit"), kMaxDays)
                                     : shared::WholeNumberRefusalText(text2_->text()));
    return false;
  }
  days = *parsed;
  return true;
}

void frmYHDZAuto::Command1_Click() {
  QString cutOff;
  int days = 0;
  if (!AcceptCutOff(cutOff) || !AcceptDays(days)) return;
  owner_.ExecAuto = true;
  owner_.AutoEndDate = cutOff;
  // Written even with the date window off; the matching then does not use it.
  owner_.DateLimit = days;
  owner_.chkDate = check1_->isChecked();
  owner_.ChkCn_m = check2_->isChecked();
  owner_.ChkCn_id = check3_->isChecked();
  done(QDialog::Accepted);
}

void frmYHDZAuto::Command2_Click() { reject(); }

void frmYHDZAuto::reject() {
  owner_.ExecAuto = false;
  QDialog::reject();
}

void frmYHDZAuto::Command3_Click() { text1_->OpenPicker(); }

bool frmYHDZAuto::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text1_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
    Command3_Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

bool ShowAutoConditions(frmYHDZ& window) {
  window.ExecAuto = false;
  frmYHDZAuto dialog(window, &window);
  platform::RunModal(dialog);
  return window.ExecAuto;
}

}  // namespace corvane::reconcile
