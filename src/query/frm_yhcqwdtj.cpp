#include "query/frm_yhcqwdtj.h"

#include "platform/controls/date_text.h"
#include "platform/controls/typed_value.h"
#include "platform/services/modal_runner.h"
#include "query/audit_load.h"
#include "shared/messages.h"
#include "shared/named_widget.h"
#include "shared/popups.h"
#include "shared/session.h"
#include "shared/typed_value_texts.h"
#include "shared/window_dressing.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <exception>

namespace corvane::query {

using shared::GetResString;
using shared::Named;
using shared::Session;

namespace {

constexpr int kMaxDays = 1000;  // the up-down's range; typed ages may go further

}  // namespace

frmYHCQWDTJ::frmYHCQWDTJ(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmYHCQWDTJ"));
  setWindowTitle(QStringLiteral("长期未达账审计条件"));
  // Characters the suite's boxes never take: they would end up in texts of reports.
  auto* refused = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^<>'\"|&,]*")), this);
  text1_ = Named(new QLineEdit, "Text1");
  text1_->setValidator(refused);
  text1_->installEventFilter(this);
  text2_ = Named(new QLineEdit, "Text2");
  text2_->setValidator(refused);
  text2_->installEventFilter(this);
  upDown_[0] = Named(new QToolButton, "UpDown1");
  upDown_[0]->setArrowType(Qt::UpArrow);
  upDown_[1] = new QToolButton;
  upDown_[1]->setArrowType(Qt::DownArrow);
  connect(upDown_[0], &QToolButton::clicked, this, [this] { StepDays(1); });
  connect(upDown_[1], &QToolButton::clicked, this, [this] { StepDays(-1); });
  auto* frame = Named(new QGroupBox, "Frame1");
  auto* grid = new QGridLayout(frame);
  grid->addWidget(Named(new QLabel(QStringLiteral("截止日期")), "Label1"), 0, 0);
  grid->addWidget(text1_, 0, 1, 1, 2);
  grid->addWidget(Named(new QLabel(QStringLiteral("至截止日期未达天数超过")), "Label2"), 1, 0);
  auto* days = new QHBoxLayout;
  days->addWidget(text2_);
  days->addWidget(upDown_[0]);
  days->addWidget(upDown_[1]);
  grid->addLayout(days, 1, 1);
  grid->addWidget(Named(new QLabel(QStringLiteral("天")), "Label3"), 1, 2);
  command1_ = Named(new QPushButton(QStringLiteral("确定")), "Command1");
  command2_ = Named(new QPushButton(QStringLiteral("取消")), "Command2");
  command1_->setDefault(true);
  connect(command1_, &QPushButton::clicked, this, &frmYHCQWDTJ::Command1_Click);
  connect(command2_, &QPushButton::clicked, this, &frmYHCQWDTJ::Command2_Click);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(command1_);
  buttons->addWidget(command2_);
  auto* top = new QVBoxLayout(this);
  top->addWidget(frame);
  top->addLayout(buttons);
  shared::LocalizeForm(this, QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK."));
  try {
    Session::Current().UiStyle().StyleForm(this, false);
  } catch (const std::exception&) {
  }
}

bool frmYHCQWDTJ::ShowModal() { return platform::RunModal(*this) == QDialog::Accepted; }

void frmYHCQWDTJ::StepDays(int step) {
  const int days = AuditDays(text2_->text()).value_or(0) + step;
  text2_->setText(QString::number(qBound(0, days, kMaxDays)));
}

void frmYHCQWDTJ::Command1_Click() {
  platform::CommonServices& common = Session::Current().Common();
  const QString typed = text1_->text().trimmed();
  const std::optional<QDate> read = platform::DateText::Parse(typed);
  if (!typed.isEmpty() && !read) {
    shared::RefuseBox(text1_, shared::DateRefusalText(typed));
    return;
  }
  // The audit shows its date as the boxes do, whatever form was typed.
  const QString date = read ? platform::DateText::Format(*read) : QString();
  const std::optional<int> days = AuditDays(text2_->text());
  if (!days) {
    const bool number = platform::ReadWholeNumber(text2_->text(), true).has_value();
    shared::RefuseBox(text2_, number ? GetResString(QStringLiteral("corvane.query.daysrange"))
                                     : shared::WholeNumberRefusalText(text2_->text()));
    return;
  }
  platform::ParamObject& param = common.GetParamObject();
  param.Confirmed = true;
  // A box of blanks is no date: the audit then has no date bound.
  param.Value1 = date;
  param.Value2 = QString::number(*days);
  done(QDialog::Accepted);
}

void frmYHCQWDTJ::Command2_Click() {
  Session::Current().Common().GetParamObject().Confirmed = false;
  done(QDialog::Rejected);
}

void frmYHCQWDTJ::Command3_Click() { shared::PopupCalendar(text1_, this); }

bool frmYHCQWDTJ::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text1_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
    Command3_Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace corvane::query
