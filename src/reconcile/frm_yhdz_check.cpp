#include "reconcile/frm_yhdz_check.h"

#include "platform/controls/grid_view.h"
#include "platform/controls/list_grid.h"
#include "platform/services/modal_runner.h"
#include "reconcile/balance_check.h"
#include "reconcile/frm_yhdz.h"
#include "shared/account_facts.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/twips.h"
#include "shared/window_dressing.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

namespace corvane::reconcile {

using platform::Money;
using shared::GetResString;

namespace {

const QString kPrefix = QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.");
const int kColumnTwips[3] = {1200, 1800, 1800};
constexpr int kTitleRowTwips = 470;
constexpr int kRowTwips = 300;

QString Res(const char* number) { return GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(number)); }

// A coloured box with its caption, hidden until the balance test picks it.
QFrame* LegendBox(const char* name, const QColor& colour) {
  auto* box = new QFrame;
  box->setObjectName(QString::fromLatin1(name));
  box->setFixedSize(16, 16);
  box->setAutoFillBackground(true);
  QPalette p = box->palette();
  p.setColor(QPalette::Window, colour);
  box->setPalette(p);
  box->hide();
  return box;
}

// A missing total becomes 0 in the window's variable itself, as the check shows it.
Money TakeTotal(QVariant& variable) {
  if (variable.isNull() || !variable.isValid()) variable = QVariant::fromValue(Money());
  return TotalOf(variable);
}

}  // namespace

frmYHDZCheck::frmYHDZCheck(frmYHDZ& owner, QWidget* parent) : QDialog(parent), owner_(owner) {
  setObjectName(QStringLiteral("frmYHDZCheck"));
  setWindowTitle(QStringLiteral("对账平衡检查"));
  setModal(true);
  BuildControls();
  Form_Load();
}

void frmYHDZCheck::BuildControls() {
  grid_ = new platform::ListGrid;
  grid_->setObjectName(QStringLiteral("MSGrid1"));
  grid_->SetSelectionByRow(false);
  grid_->View()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->View()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  shape1_ = LegendBox("Shape1", QColor(0, 128, 0));
  label1_ = new QLabel(QStringLiteral("平衡"));
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->hide();
  shape2_ = LegendBox("Shape2", QColor(255, 0, 0));
  label2_ = new QLabel(QStringLiteral("不平衡"));
  label2_->setObjectName(QStringLiteral("Label2"));
  label2_->hide();
  command1_ = new QPushButton(QStringLiteral("确定"));
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setDefault(true);
  connect(command1_, &QPushButton::clicked, this, &QDialog::accept);

  auto* legend = new QHBoxLayout;
  legend->addWidget(shape1_);
  legend->addWidget(label1_);
  legend->addWidget(shape2_);
  legend->addWidget(label2_);
  legend->addStretch();
  legend->addWidget(command1_);
  auto* top = new QVBoxLayout(this);
  top->addWidget(grid_);
  top->addLayout(legend);
}

void frmYHDZCheck::Form_Load() {
  shared::LocalizeForm(this, kPrefix);
  grid_->SetRedraw(false);
  grid_->SetCols(3);
  grid_->SetRows(3);
  int width = 0;
  for (int c = 0; c < 3; ++c) {
    grid_->SetColWidth(c, kColumnTwips[c]);
    grid_->SetColAlignment(c, Qt::AlignCenter);
    width += grid_->ColumnPixels(kColumnTwips[c]);
  }
  grid_->SetRowHeight(0, kTitleRowTwips);
  grid_->SetDataRowHeight(kRowTwips);
  grid_->SetTextMatrix(0, 0, Res("00707"));
  grid_->SetTextMatrix(0, 1, Res("00503"));
  grid_->SetTextMatrix(0, 2, Res("00502"));
  grid_->SetTextMatrix(1, 0, Res("00710"));
  grid_->SetTextMatrix(2, 0, Res("00711"));
  for (int r = 1; r <= 2; ++r)
    for (int c = 1; c <= 2; ++c) grid_->SetCellAlignment(r, c, Qt::AlignRight | Qt::AlignVCenter);
  FillTable();
  grid_->SetRedraw(true);
  grid_->setFixedSize(width + 4,
                      shared::TwipsToPixels(kTitleRowTwips + 2 * kRowTwips) + 4);
}

void frmYHDZCheck::FillTable() {
  BalanceTotals totals;
  totals.qyJf = TakeTotal(owner_.ChkQyJf);
  totals.qyDf = TakeTotal(owner_.ChkQyDf);
  totals.yhJf = TakeTotal(owner_.ChkYhJf);
  totals.yhDf = TakeTotal(owner_.ChkYhDf);
  // The statement amounts stand in the row of the journal amounts they face.
  const Money facingDebit = owner_.BankFx ? *totals.yhJf : *totals.yhDf;
  const Money facingCredit = owner_.BankFx ? *totals.yhDf : *totals.yhJf;
  grid_->SetTextMatrix(1, 1, totals.qyJf->ToDisplayText());
  grid_->SetTextMatrix(2, 1, totals.qyDf->ToDisplayText());
  grid_->SetTextMatrix(1, 2, facingDebit.ToDisplayText());
  grid_->SetTextMatrix(2, 2, facingCredit.ToDisplayText());
  balanced_ = TotalsBalance(totals, owner_.BankFx);
  shape1_->setVisible(balanced_);
  label1_->setVisible(balanced_);
  shape2_->setVisible(!balanced_);
  label2_->setVisible(!balanced_);
}

void RunBalanceCheck(frmYHDZ& window) {
  const ReconLoadRequest& account = window.Loaded();
  window.ChkYhJf = window.ChkYhDf = window.ChkQyJf = window.ChkQyDf = QVariant::fromValue(Money());
  BalanceTotals totals;
  try {
    // The foreign-currency flag is taken as the load takes it, so the totals
    // add the amounts the journal grid shows.
    const bool foreign = window.IsForeign();
    totals = SumTickedTotals(shared::Session::Current().Db(), account, foreign);
  } catch (const std::exception& e) {
    shared::ShowMsgBox(shared::FailureText(e), 16, GetResString(shared::kCashTitleKey));
    return;
  }
  window.ChkQyJf = TotalVariant(totals.qyJf);
  window.ChkQyDf = TotalVariant(totals.qyDf);
  window.ChkYhJf = TotalVariant(totals.yhJf);
  window.ChkYhDf = TotalVariant(totals.yhDf);
  frmYHDZCheck dialog(window, &window);
  platform::RunModal(dialog);
}

}  // namespace corvane::reconcile
