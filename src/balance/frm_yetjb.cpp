#include "balance/frm_yetjb.h"

#include "balance/frm_yetjb1.h"
#include "balance/statement_print.h"
#include "balance/toolbar_buttons.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/toolbar_host.h"
#include "platform/print/grid_print_service.h"
#include "platform/print/print_control.h"
#include "platform/print/rtprn.h"
#include "platform/services/modal_runner.h"
#include "platform/services/object_factory.h"
#include "shared/function_claim.h"
#include "shared/help_page.h"
#include "shared/list_form_layout.h"
#include "shared/messages.h"
#include "shared/right_menu.h"
#include "shared/session.h"
#include "shared/wait_window.h"
#include "shared/window_dressing.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <exception>

namespace corvane::balance {

using shared::GetResString;
using shared::Session;

namespace {

const QString kCash = QStringLiteral("Q9.GL.ZWSQL.CASHBANK.");
constexpr int kColumns = 11;

// Hides the wait window when the load ends, however it ends.
struct WaitWindowGuard {
  ~WaitWindowGuard() { shared::HideWait(); }
};

}  // namespace

frmYETJB::frmYETJB(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmYETJB"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("余额调节表"));
  resize(1000, 600);
  BuildControls();
  captionsLoaded_ = false;
  shared::LocalizeForm(this, QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK."));
  captionsLoaded_ = true;
  shared::SetFormIcon(this);
  SetUpGrid();
}

frmYETJB::~frmYETJB() = default;

void frmYETJB::BuildControls() {
  toolbar_ = new platform::ToolbarHost(this);
  toolbar_->setObjectName(QStringLiteral("CTBCtrl1"));
  AddToolbarButtons(*toolbar_, {{"setup", "设置", "打印设置", 263}, {"print", "打印", "打印", 141},
                                {"preview", "预览", "预览", 140},   {"dout", "输出", "数据输出", 235},
                                {nullptr, nullptr, nullptr, 0},     {"view", "查看", "查看", 204},
                                {nullptr, nullptr, nullptr, 0},     {"help", "帮助", "帮助", 125},
                                {"exit", "退出", "退出", 118}});
  connect(toolbar_, &platform::ToolbarHost::ButtonClicked, this, &frmYETJB::Toolbar1_ButtonClick);

  picture2_ = new QWidget(this);
  picture2_->setObjectName(QStringLiteral("Picture2"));
  picture2_->setFocusPolicy(Qt::StrongFocus);
  lblHeader_ = new QLabel(QStringLiteral("银行存款余额调节表"), picture2_);
  lblHeader_->setObjectName(QStringLiteral("lblHeader"));
  QFont f = lblHeader_->font();
  f.setPointSize(f.pointSize() + 4);
  f.setBold(true);
  lblHeader_->setFont(f);

  grid_ = new platform::ListGrid(this);
  // The name column follows the room the grid's viewport has, whenever that changes.
  grid_->View()->viewport()->installEventFilter(this);
  grid_->setObjectName(QStringLiteral("MSGrid1"));
  prnCtrl_ = new platform::PrintControl(this);
  prnCtrl_->setObjectName(QStringLiteral("prnCtrl"));
  new platform::RTPrn(this);
  // A row not computed gives its reason in the last column, cut at the column's
  // width; the whole reason shows over every cell of the row.
  grid_->SetRowToolTips([this](int row) {
    const size_t index = static_cast<size_t>(row - 1);
    return index < statements_.size() && statements_[index].Failed() ? grid_->TextMatrix(row, 4) : QString();
  });
  connect(grid_, &platform::GridBase::DblClick, this, &frmYETJB::rView3);
  connect(grid_, &platform::GridBase::MouseUp, this,
          [this](Qt::MouseButton button, Qt::KeyboardModifiers, const QPoint&) {
            if (button == Qt::RightButton) ShowContextMenu();
          });
}

void frmYETJB::SetUpGrid() {
  Session& s = Session::Current();
  grid_->SetRedraw(false);
  grid_->SetCols(kColumns);
  grid_->SetRows(1);
  const QString first = s.BookMode() ? GetResString(QStringLiteral("corvane.balance.book")) : GetResString(kCash + QStringLiteral("00907"));
  const QStringList titles{first, GetResString(kCash + QStringLiteral("00908")),
                           GetResString(kCash + QStringLiteral("00909")), GetResString(kCash + QStringLiteral("00910")),
                           GetResString(kCash + QStringLiteral("00911"))};
  const int widths[kColumns] = {2500, 1200, 2000, 2000, 2000, 0, 0, 0, 0, 0, 0};
  const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter, right = Qt::AlignRight | Qt::AlignVCenter;
  const Qt::Alignment aligns[5] = {left, Qt::AlignCenter, right, right, right};
  // The end date and the balances print whole; the adjusted balance's column
  // also holds the note of a row not balanced or not computed, so it is a text
  // (an amount in it is one word, never broken).
  using K = platform::PrintColumnKind;
  const K kinds[kColumns] = {K::Text, K::Date, K::Amount, K::Amount, K::Text, K::Amount,
                             K::Amount, K::Amount, K::Amount, K::Amount, K::Amount};
  for (int c = 0; c < kColumns; ++c) {
    grid_->SetColPrintKind(c, kinds[c]);
    if (c < 5) {
      grid_->SetTextMatrix(0, c, titles[c]);
      grid_->SetColAlignment(c, aligns[c]);
    } else {
      grid_->SetColAlignment(c, right);
    }
  }
  grid_->SetRowHeight(0, 480);
  try {
    s.UiStyle().StyleGrid(grid_, true);
    s.Common().ApplyGridSettings(grid_);
  } catch (const std::exception&) {
    // The suite's styling is a nicety; the statement works without it.
  }
  for (int c = 0; c < kColumns; ++c) grid_->SetColWidth(c, widths[c]);
  firstColTwips_ = grid_->ColWidth(0);
  StretchFirstColumn();
  grid_->SetRedraw(true);
}

bool frmYETJB::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_->View()->viewport() && event->type() == QEvent::Resize) StretchFirstColumn();
  return QWidget::eventFilter(watched, event);
}

void frmYETJB::StretchFirstColumn() {
  if (grid_->Cols() == 0) return;
  int others = 0;
  for (int c = 1; c < grid_->Cols(); ++c) others += grid_->View()->columnWidth(c);
  const int room = grid_->ColumnTwips(grid_->View()->viewport()->width() - others);
  grid_->SetColWidth(0, std::max(firstColTwips_, room));
}

void frmYETJB::LoadData() {
  WaitWindowGuard wait;
  busy_ = true;
  toolbar_->setEnabled(false);
  grid_->SetRows(1);
  statements_.clear();
  try {
    statements_ = BalanceCalculator::ForAllAccounts();
  } catch (const std::exception& e) {
    busy_ = false;
    toolbar_->setEnabled(true);
    shared::HideWait();
    shared::ShowMsgBox(GetResString(QStringLiteral("corvane.balance.loadfailed"), shared::FailureText(e)), 16,
                       GetResString(shared::kCashTitleKey));
    close();
    return;
  }
  grid_->SetRedraw(false);
  for (const AccountStatement& st : statements_) AddRow(st);
  grid_->SetRowHeight(0, 480);
  if (grid_->Rows() >= 2) {
    grid_->SetRowHeight(1, 300);
    grid_->SetCurrentCell(1, 0);
  }
  grid_->SetRedraw(true);
  toolbar_->SetButtonEnabled(QStringLiteral("view"), !statements_.empty());
  busy_ = false;
  toolbar_->setEnabled(true);
  shared::InitToolbar(this);
  try {
    Session::Current().UiStyle().StyleHeaderLabel(lblHeader_);
    Session::Current().UiStyle().StyleForm(this, false);
  } catch (const std::exception&) {
  }
  lblHeader_->adjustSize();
}

void frmYETJB::AddRow(const AccountStatement& st) {
  QStringList cells;
  if (st.Failed()) {
    cells << st.facts.name + QLatin1Char('(') + st.facts.code + QLatin1Char(')') << QString() << QString()
          << QString() << GetResString(QStringLiteral("corvane.balance.rowfailed"), st.failure);
    while (cells.size() < kColumns) cells << QString();
  } else {
    cells = StatementRowColumns(st.facts, st.figures, GetResString(kCash + QStringLiteral("00912")));
  }
  const int row = grid_->AddRowFromText(cells.join(QLatin1Char('\t')));
  // The code travels with the row, so nothing has to be read back out of "name(code)".
  grid_->SetRowData(row, st.facts.code);
  if (st.Failed() || !st.figures.balanced) grid_->SetCellForeColor(row, 4, QColor(200, 0, 0));
}

void frmYETJB::Toolbar1_ButtonClick(const QString& key) {
  if (busy_) return;
  const QString k = key.toLower();
  if (k == QLatin1String("setup")) SetupGridPrint();
  else if (k == QLatin1String("print")) PrintGrid();
  else if (k == QLatin1String("preview")) PreviewGrid();
  else if (k == QLatin1String("dout")) OutputGrid();
  else if (k == QLatin1String("view")) rView3();
  else if (k == QLatin1String("help")) rHelp();
  else if (k == QLatin1String("exit")) {
    rExit();
    return;
  } else {
    return;
  }
  AfterCommand();
}

void frmYETJB::AfterCommand() {
  if (picture2_) picture2_->setFocus();
}

void frmYETJB::SetupGridPrint() { RunGridPrint(3, GetResString(kCash + QStringLiteral("00137"))); }
void frmYETJB::PrintGrid() { RunGridPrint(0, GetResString(kCash + QStringLiteral("00913")) + GetResString(kCash + QStringLiteral("00138"))); }
void frmYETJB::PreviewGrid() { RunGridPrint(1, GetResString(kCash + QStringLiteral("00913")) + GetResString(kCash + QStringLiteral("00139"))); }
void frmYETJB::OutputGrid() { RunGridPrint(2, GetResString(kCash + QStringLiteral("00913")) + GetResString(kCash + QStringLiteral("00140"))); }

void frmYETJB::RunGridPrint(int mode, const QString& title) {
  if (busy_) return;
  try {
    if (!gGridPrint) gGridPrint = platform::ObjectFactory::Instance().CreateGridPrintService(Session::Current().Common());
    int result = 0;
    gGridPrint->PrintGrid(grid_, QStringLiteral("RPYETJB"), prnCtrl_, mode, title, result);
  } catch (const std::exception& e) {
    shared::ShowMsgBox(GetResString(QStringLiteral("corvane.balance.printfailed"), shared::FailureText(e)), 16,
                       GetResString(shared::kTitleKey));
  }
}

void frmYETJB::rPrint() {
  if (busy_) return;
  OutputStatementListReport(*this, 1);
}

void frmYETJB::rView3() {
  if (busy_ || grid_->Rows() < 2 || grid_->Row() < 1) return;
  const size_t index = static_cast<size_t>(grid_->Row() - 1);
  if (index < statements_.size() && statements_[index].Failed()) return;  // no figures to show
  busy_ = true;
  frmYETJB1 view(*this);
  platform::RunModal(view);
  busy_ = false;
}

void frmYETJB::rHelp() { shared::ShowHelpPage(QStringLiteral("RP0306")); }

void frmYETJB::rExit() { close(); }

void frmYETJB::ShowContextMenu() {
  if (busy_) return;
  shared::ShowRightMenu(this, {QStringLiteral("setup"), QStringLiteral("print"), QStringLiteral("preview"),
                               QStringLiteral("dataout"), QStringLiteral("se1"), QStringLiteral("view3"),
                               QStringLiteral("se9"), QStringLiteral("help"), QStringLiteral("exit")});
}

void frmYETJB::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) ShowContextMenu();
  QWidget::mouseReleaseEvent(event);
}

void frmYETJB::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  shared::InitToolbar(this);
}

void frmYETJB::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!captionsLoaded_) return;
  if (!layout_) layout_ = std::make_unique<shared::LayoutHelper>();
  layout_->PrepareForm(this, 30, 8);
  shared::LayoutListForm(this);
  // The toolbar with its pictures, the title band under it, the grid filling the rest.
  // isHidden, not isVisible: the first resize comes before the window is shown.
  const int top = !toolbar_->isHidden() ? toolbar_->sizeHint().height() : 0;
  toolbar_->setGeometry(0, 0, width(), top);
  lblHeader_->adjustSize();
  picture2_->setGeometry(0, top, width(), lblHeader_->height() + 2 * (100 / 15));
  lblHeader_->move(picture2_->width() / 2 - lblHeader_->width() / 2, 100 / 15);
  const int gridTop = picture2_->y() + picture2_->height();
  grid_->setGeometry(0, gridTop, width(), std::max(height() - gridTop, 10));
  StretchFirstColumn();
}

void frmYETJB::closeEvent(QCloseEvent* event) {
  if (busy_) {
    event->ignore();
    return;
  }
  if (!heldFunction_.isEmpty()) {
    try {
      shared::ClaimFunction(heldFunction_, false);
    } catch (const std::exception&) {
    }
    heldFunction_.clear();
  }
  event->accept();
}

}  // namespace corvane::balance
