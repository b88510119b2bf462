#include "shared/frm_yhfilter.h"

#include "shared/messages.h"
#include "shared/session.h"
#include "shared/window_dressing.h"
#include "shared/settle_style_match.h"
#include "shared/twips.h"

#include "platform/controls/amount_reader.h"
#include "platform/controls/resource_pictures.h"
#include "platform/services/modal_runner.h"
#include "shared/named_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <exception>

namespace corvane::shared {

namespace {

const QString kCaptionPrefix = QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.");
constexpr int kReconciliationMode = 4;

frmYHFilter::BoxPopup& CalendarPopup() {
  static frmYHFilter::BoxPopup popup;
  return popup;
}

frmYHFilter::BoxPopup& CalculatorPopup() {
  static frmYHFilter::BoxPopup popup;
  return popup;
}

// The condition boxes refuse the characters that would break the windows' own
// filter texts: < > ' " | & and the comma.
QLineEdit* NewBox(const char* name, QObject* owner) {
  auto* box = Named(new QLineEdit, name);
  static const QRegularExpression allowed(QStringLiteral("[^<>'\"|&,]*"));
  box->setValidator(new QRegularExpressionValidator(allowed, owner));
  return box;
}

QPushButton* NewReferenceButton(const char* name, int picture) {
  auto* button = Named(new QPushButton(platform::ResourcePicture(picture), QString()), name);
  button->setFocusPolicy(Qt::NoFocus);
  button->setFixedWidth(24);
  return button;
}

}  // namespace

void frmYHFilter::SetPopups(BoxPopup calendar, BoxPopup calculator) {
  CalendarPopup() = std::move(calendar);
  CalculatorPopup() = std::move(calculator);
}

frmYHFilter::frmYHFilter(FilterConditionOwner& owner, QWidget* parent) : QDialog(parent), owner_(owner) {
  setObjectName(QStringLiteral("frmYHFilter"));
  setModal(true);
  BuildControls();
  Form_Load();
  connect(check1_, &QCheckBox::toggled, this, [this] { Check1_Click(); });
  connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(command2_, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(command3_, &QPushButton::clicked, this, [this] { OpenPopup(text1_); });
  connect(command4_, &QPushButton::clicked, this, [this] { OpenPopup(text2_); });
  connect(command5_, &QPushButton::clicked, this, [this] { OpenPopup(text4_); });
}

void frmYHFilter::BuildControls() {
  setWindowTitle(QStringLiteral("条件录入窗"));
  frame1_ = Named(new QGroupBox, "Frame1");
  text1_ = NewBox("Text1", this);
  text2_ = NewBox("Text2", this);
  text3_ = NewBox("Text3", this);
  // The amount box keeps what is typed, commas too, and OK reads it as a whole: a
  // filter of keystrokes would silently make "12,5" or "12.3.4" into another amount.
  text4_ = Named(new QLineEdit, "Text4");
  for (QLineEdit* box : {text1_, text2_, text4_}) box->installEventFilter(this);
  command3_ = NewReferenceButton("Command3", 212);
  command4_ = NewReferenceButton("Command4", 212);
  command5_ = NewReferenceButton("Command5", 107);
  combo1_ = Named(new QComboBox, "Combo1");
  list1_ = Named(new QListWidget, "List1");
  list1_->setSelectionMode(QAbstractItemView::MultiSelection);
  lblType_ = Named(new QLabel(QStringLiteral("对账方式")), "lblType");
  cboType_ = Named(new QComboBox, "cboType");

  auto* dates = new QHBoxLayout;
  dates->addWidget(text1_);
  dates->addWidget(command3_);
  dates->addWidget(Named(new QLabel(QStringLiteral("--")), "Label2"));
  dates->addWidget(text2_);
  dates->addWidget(command4_);
  auto* directions = new QHBoxLayout;
  const QString captions[3] = {QStringLiteral("不限"), QStringLiteral("借方"), QStringLiteral("贷方")};
  for (int i = 0; i < 3; ++i) {
    option1_[i] = new QRadioButton(captions[i]);
    option1_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
    directions->addWidget(option1_[i]);
  }
  option1_[0]->setChecked(true);
  auto* amount = new QHBoxLayout;
  amount->addWidget(text4_);
  amount->addWidget(command5_);

  auto* grid = new QGridLayout(frame1_);
  grid->addWidget(Named(new QLabel(QStringLiteral("起止日期")), "Label1"), 0, 0);
  grid->addLayout(dates, 0, 1);
  grid->addWidget(Named(new QLabel(QStringLiteral("结算方式")), "Label3"), 1, 0);
  grid->addWidget(combo1_, 1, 1);
  grid->addWidget(list1_, 2, 1);
  grid->addWidget(Named(new QLabel(QStringLiteral("票号")), "Label4"), 3, 0);
  grid->addWidget(text3_, 3, 1);
  grid->addWidget(Named(new QLabel(QStringLiteral("方向")), "Label5"), 4, 0);
  grid->addLayout(directions, 4, 1);
  grid->addWidget(Named(new QLabel(QStringLiteral("金额")), "Label6"), 5, 0);
  grid->addLayout(amount, 5, 1);
  grid->addWidget(lblType_, 6, 0);
  grid->addWidget(cboType_, 6, 1);

  check1_ = Named(new QCheckBox(QStringLiteral("取消过滤")), "Check1");
  command1_ = Named(new QPushButton(QStringLiteral("确定")), "Command1");
  command2_ = Named(new QPushButton(QStringLiteral("取消")), "Command2");
  command1_->setDefault(true);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(check1_);
  bottom->addStretch();
  bottom->addWidget(command1_);
  bottom->addWidget(command2_);
  auto* top = new QVBoxLayout(this);
  top->addWidget(frame1_);
  top->addLayout(bottom);
}

void frmYHFilter::Form_Load() {
  LocalizeForm(this, kCaptionPrefix);
  list1_->setFixedHeight(TwipsToPixels(870));
  bFlagChkPress = 0;
  const bool reconciliation = YhOrQy == kReconciliationMode;
  frame1_->setMinimumHeight(TwipsToPixels(reconciliation ? 2610 : 1965));
  list1_->setVisible(reconciliation);
  combo1_->setVisible(!reconciliation);
  lblType_->setVisible(reconciliation);
  cboType_->setVisible(reconciliation);
  if (reconciliation) {
    LoadStyleList();
    // The first kind shows the lines without a mark.
    cboType_->addItem(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00892")));
    cboType_->addItem(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00847")));
    cboType_->addItem(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00848")));
    cboType_->setCurrentIndex(0);
  } else {
    LoadStyleCombo();
  }
}

void frmYHFilter::LoadStyleCombo() {
  Session::Current().Common().AttachSettleStyleList(combo1_, true);
  // A blank first entry stands for "any settlement style", so a condition
  // without a style can be chosen again after one was set.
  if (combo1_->count() == 0 || !combo1_->itemText(0).trimmed().isEmpty()) combo1_->insertItem(0, QString());
  for (int i = 0; i < combo1_->count(); ++i) combo1_->setItemData(i, StyleCode(combo1_->itemText(i)));
  combo1_->setCurrentIndex(0);
}

void frmYHFilter::LoadStyleList() {
  Session::Current().Common().AttachSettleStyleList(list1_, false);
  for (int i = 0; i < list1_->count(); ++i) {
    list1_->item(i)->setData(Qt::UserRole, StyleCode(list1_->item(i)->text()));
  }
  // The last entry stands for lines without a settlement style.
  list1_->addItem(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00891")));
}

QString frmYHFilter::StyleCode(const QString& entryText) const {
  if (entryText.trimmed().isEmpty()) return QString();
  return Session::Current().Common().GetSettleStyleCode(entryText, 3).trimmed();
}

void frmYHFilter::Preset(const FilterConditions& conditions) {
  text1_->setText(conditions.StartDate);
  text2_->setText(conditions.EndDate);
  text3_->setText(conditions.CurCn_id);
  // An amount shows as a plain number to be typed over, whatever form it was given in.
  const std::optional<platform::Money> amount = platform::ReadAmount(conditions.CurMmoney).value;
  text4_->setText(amount ? platform::PlainAmountText(*amount) : conditions.CurMmoney);
  const QString code = TrimSettleStyle(conditions.CurCn_m.trimmed());
  int index = 0;
  for (int i = 0; i < combo1_->count(); ++i) {
    if (combo1_->itemData(i).toString().compare(code, Qt::CaseInsensitive) == 0) {
      index = i;
      break;
    }
  }
  combo1_->setCurrentIndex(combo1_->count() > 0 ? index : -1);
  option1_[conditions.CurBd_c <= 2 ? conditions.CurBd_c : 0]->setChecked(true);
}

void frmYHFilter::SetFilterOff(bool off) {
  check1_->setChecked(off);
  // toggled runs Check1_Click only on a change; the frame must match either way.
  Check1_Click();
}

void frmYHFilter::Check1_Click() {
  if (check1_->isChecked()) {
    DisableFrame();
    bFlagChkPress = 1;
  } else {
    EnableFrame();
    bFlagChkPress = 0;
  }
}

void frmYHFilter::SetBoxColours(const QColor& colour) {
  for (QWidget* box : {static_cast<QWidget*>(text1_), static_cast<QWidget*>(text2_),
                       static_cast<QWidget*>(combo1_), static_cast<QWidget*>(text3_),
                       static_cast<QWidget*>(text4_)}) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
  }
}

void frmYHFilter::EnableFrame() {
  frame1_->setEnabled(true);
  SetBoxColours(QColor(255, 255, 255));
  for (QPushButton* b : {command3_, command4_, command5_}) b->setEnabled(true);
}

void frmYHFilter::DisableFrame() {
  frame1_->setEnabled(false);
  SetBoxColours(QColor(192, 192, 192));
  for (QPushButton* b : {command3_, command4_, command5_}) b->setEnabled(false);
}

void frmYHFilter::OpenPopup(QLineEdit* box) {
  const BoxPopup& popup = box == text4_ ? CalculatorPopup() : CalendarPopup();
  if (popup) popup(box, this);
}

bool frmYHFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
    if (auto* box = qobject_cast<QLineEdit*>(watched); box && box->isEnabled()) {
      OpenPopup(box);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

bool frmYHFilter::ShowModal() { return platform::RunModal(*this) == QDialog::Accepted; }

}  // namespace corvane::shared
