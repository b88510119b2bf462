#include "balance/frm_yetjb1.h"

#include "balance/frm_yetjb.h"
#include "balance/frm_yhdzcx1.h"
#include "balance/statement_print.h"
#include "balance/toolbar_buttons.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/toolbar_host.h"
#include "platform/print/rtprn.h"
#include "shared/account_facts.h"
#include "shared/amount_unit.h"
#include "shared/function_claim.h"
#include "shared/help_page.h"
#include "shared/messages.h"
#include "shared/print_setup.h"
#include "shared/session.h"
#include "shared/wait_window.h"
#include "shared/window_dressing.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

namespace corvane::balance {

using shared::GetResString;
using shared::Session;

namespace {

QLabel* NamedLabel(QWidget* parent, const char* name, const QString& text, bool figure = false) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  if (figure) {
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(1860 / 15);
  }
  return l;
}

}  // namespace

frmYETJB1::frmYETJB1(frmYETJB& statement, QWidget* parent) : QDialog(parent ? parent : &statement) {
  setObjectName(QStringLiteral("frmYETJB1"));
  setWindowTitle(QStringLiteral("银行存款余额调节表"));
  BuildControls();
  shared::LocalizeForm(this, QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK."));
  shared::ClearFormIcon(this);
  if (Session::Current().BookMode()) {
    Label(QStringLiteral("Label11"))->setText(GetResString(QStringLiteral("corvane.balance.bookname")));
    Label(QStringLiteral("Label25"))->setText(GetResString(QStringLiteral("corvane.balance.bookjournal")));
  }
  FillFromRow(statement);
  shared::InitToolbar(this);
  try {
    Session::Current().UiStyle().StyleHeaderLabel(Label(QStringLiteral("Label25")));
    Session::Current().UiStyle().StyleHeaderLabel(Label(QStringLiteral("Label23")));
  } catch (const std::exception&) {
  }
}

QLabel* frmYETJB1::Label(const QString& name) const { return findChild<QLabel*>(name); }

void frmYETJB1::BuildControls() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 8);
  toolbar_ = new platform::ToolbarHost(this);
  toolbar_->setObjectName(QStringLiteral("CTBCtrl1"));
  AddToolbarButtons(*toolbar_, {{"setup", "设置", "打印设置", 263}, {"print", "打印", "打印", 141},
                                {"preview", "预览", "预览", 140},   {"dout", "输出", "数据输出", 235},
                                {nullptr, nullptr, nullptr, 0},     {"Detail", "详细", "", 204},
                                {"help", "帮助", "帮助", 125},      {"exit", "退出", "退出", 118}});
  connect(toolbar_, &platform::ToolbarHost::ButtonClicked, this, &frmYETJB1::Toolbar1_ButtonClick);
  outer->addWidget(toolbar_);

  auto* header = new QGridLayout;
  header->setContentsMargins(12, 8, 12, 4);
  header->addWidget(NamedLabel(this, "Label11", QStringLiteral("银行账户：")), 0, 0);
  header->addWidget(NamedLabel(this, "Label12", QString()), 0, 1);
  header->addWidget(NamedLabel(this, "Label13", QStringLiteral("对账截止日期：")), 0, 2, Qt::AlignRight);
  header->addWidget(NamedLabel(this, "Label20", QString()), 0, 3);
  header->addWidget(NamedLabel(this, "LblUnit", QString()), 1, 2, 1, 2, Qt::AlignRight);
  header->setColumnStretch(1, 1);
  outer->addLayout(header);

  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("Frame1"));
  frame->setFrameShape(QFrame::Box);
  auto* g = new QGridLayout(frame);
  g->setHorizontalSpacing(16);
  g->addWidget(NamedLabel(frame, "Label25", QStringLiteral("单位日记账")), 0, 0, 1, 2, Qt::AlignCenter);
  g->addWidget(NamedLabel(frame, "Label23", QStringLiteral("银行对账单")), 0, 2, 1, 2, Qt::AlignCenter);
  const char* left[][2] = {{"Label3", "账面余额"}, {"LABEL4", "加：银行已收     企业未收"},
                           {"Label5", "减：银行已付     企业未付"}, {"Label6", "调整后余额"}};
  const char* leftFigures[] = {"Label21", "Label16", "Label17", "Label14"};
  const char* right[][2] = {{"Label7", "账面余额"}, {"Label8", "加：企业已收     银行未收"},
                            {"Label9", "减：企业已付     银行未付"}, {"Label10", "调整后余额"}};
  const char* rightFigures[] = {"Label22", "Label18", "Label19", "Label15"};
  for (int i = 0; i < 4; ++i) {
    g->addWidget(NamedLabel(frame, left[i][0], QString::fromUtf8(left[i][1])), i + 1, 0);
    g->addWidget(NamedLabel(frame, leftFigures[i], QString(), true), i + 1, 1);
    g->addWidget(NamedLabel(frame, right[i][0], QString::fromUtf8(right[i][1])), i + 1, 2);
    g->addWidget(NamedLabel(frame, rightFigures[i], QString(), true), i + 1, 3);
  }
  auto* frameBox = new QHBoxLayout;
  frameBox->setContentsMargins(12, 0, 12, 0);
  frameBox->addWidget(frame);
  outer->addLayout(frameBox);

  new platform::RTPrn(this);
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("mnuRight"));
  const char* items[][2] = {{"rightSetup", "打印设置"}, {"rightPrint", "打印"},   {"rightPreview", "预览"},
                            {"rightDout", "数据输出"},  {nullptr, nullptr},       {"rightHelp", "帮助"},
                            {"rightExit", "退出"}};
  for (const auto& item : items) {
    if (!item[0]) {
      menu->addSeparator();
      continue;
    }
    QAction* a = menu->addAction(QString::fromUtf8(item[1]));
    a->setObjectName(QString::fromLatin1(item[0]));
    const QByteArray slot = QByteArray(item[0]);
    connect(a, &QAction::triggered, this, [this, slot] { QMetaObject::invokeMethod(this, slot.constData()); });
  }
}

void frmYETJB1::FillFromRow(frmYETJB& statement) {
  const platform::ListGrid* grid = statement.MSGrid1();
  const int r = grid->Row();
  code_ = grid->RowData(r).toString();
  debit_ = shared::GetAccountDirection(code_);
  Label(QStringLiteral("LblUnit"))->setText(shared::AmountUnitText(shared::GetCurrencyName(code_)));
  auto cell = [&](int c) { return grid->TextMatrix(r, c); };
  Label(QStringLiteral("Label12"))->setText(cell(0));
  Label(QStringLiteral("Label20"))->setText(cell(1));
  Label(QStringLiteral("Label21"))->setText(cell(2));
  Label(QStringLiteral("Label22"))->setText(cell(3));
  Label(QStringLiteral("Label16"))->setText(cell(debit_ ? 7 : 8));
  Label(QStringLiteral("Label17"))->setText(cell(debit_ ? 8 : 7));
  Label(QStringLiteral("Label18"))->setText(cell(5));
  Label(QStringLiteral("Label19"))->setText(cell(6));
  Label(QStringLiteral("Label14"))->setText(cell(9));
  Label(QStringLiteral("Label15"))->setText(cell(10));
}

void frmYETJB1::Toolbar1_ButtonClick(const QString& key) {
  const QString k = key.toLower();
  if (k == QLatin1String("setup")) rightSetup();
  else if (k == QLatin1String("print")) OutputSummaryReport(1);
  else if (k == QLatin1String("preview")) OutputSummaryReport(2);
  else if (k == QLatin1String("dout")) OutputSummaryData();
  else if (k == QLatin1String("detail")) ShowDetailStatement();
  else if (k == QLatin1String("help")) rightHelp();
  else if (k == QLatin1String("exit")) reject();
}

void frmYETJB1::rightSetup() { shared::PageSetup(this, QStringLiteral("GLYhYeDjbMx")); }

void frmYETJB1::rightHelp() { shared::ShowHelpPage(QStringLiteral("RP0306")); }

void frmYETJB1::OutputSummaryReport(int mode) { OutputTwoSidedReport(*this, mode); }

void frmYETJB1::OutputSummaryData() { OutputTwoSidedData(*this); }

void frmYETJB1::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_P && (event->modifiers() & Qt::ControlModifier) && !event->isAutoRepeat()) {
    OutputSummaryReport(1);
    return;
  }
  QDialog::keyPressEvent(event);
}

void frmYETJB1::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    if (auto* menu = findChild<QMenu*>(QStringLiteral("mnuRight"))) menu->popup(QCursor::pos());
  }
  QDialog::mouseReleaseEvent(event);
}

void frmYETJB1::ShowDetailStatement() {
  Session& s = Session::Current();
  const QString functionId = s.BookMode() ? QStringLiteral("RP0307") : QStringLiteral("GL040705");
  bool claimed = false;
  try {
    claimed = shared::ClaimFunction(functionId, true);
  } catch (const std::exception& e) {
    // A claim that waited out another session's write: said, and this view stays.
    shared::ShowMsgBox(shared::FailureText(e), 16, shared::GetResString(shared::kTitleKey));
    return;
  }
  if (!claimed) return;
  frmYHDZCX1& detail = s.windows.Get<frmYHDZCX1>();
  detail.TakeHeldFunction(functionId);
  detail.LblKm()->setText(Label(QStringLiteral("Label12"))->text());
  detail.LblRq()->setText(Label(QStringLiteral("Label20"))->text());
  detail.sQyYe = Label(QStringLiteral("Label21"))->text();
  detail.sYhYe = Label(QStringLiteral("Label22"))->text();
  detail.sTzQyYe = Label(QStringLiteral("Label14"))->text();
  detail.sTzYhYe = Label(QStringLiteral("Label15"))->text();
  detail.sYsQs = Label(QStringLiteral("Label16"))->text();
  detail.sYfQf = Label(QStringLiteral("Label17"))->text();
  detail.sQsYs = Label(QStringLiteral("Label18"))->text();
  detail.sQfYf = Label(QStringLiteral("Label19"))->text();
  detail.Smode = 1;
  detail.CurYHKM = code_;
  // This window goes before the detailed one loads.
  reject();
  const bool loaded = detail.Qr();
  if (!loaded) {
    detail.close();
    return;
  }
  detail.show();
  detail.raise();
}

}  // namespace corvane::balance
