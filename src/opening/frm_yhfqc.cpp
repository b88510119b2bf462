#include "opening/frm_yhfqc.h"

#include "platform/controls/entry_grid.h"
#include "shared/balance_sums.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/window_dressing.h"

#include <QLabel>

namespace corvane::opening {

using platform::ColumnEditor;
using platform::ColumnKind;
using shared::GetResString;
using shared::Session;

namespace {
QString CashText(const char* number) { return GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(number)); }
}  // namespace

frmYHFQC::frmYHFQC() : OpeningItemWindow(QStringLiteral("frmYHFQC"), kYhColumns) {
  setWindowTitle(QStringLiteral("银行方期初"));
  shared::LocalizeForm(this, QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK."));
  shared::SetFormIcon(this);
  shared::InitToolbar(this);
  SetUpGrid();
  connect(grid_, &platform::EntryGrid::EditKeyPress, this, [this](int row, int col, const QString&) {
    if (col == kYhDebit) grid_->SetTextMatrix(row, kYhCredit, QString());
    if (col == kYhCredit) grid_->SetTextMatrix(row, kYhDebit, QString());
  });
  connect(grid_, &platform::EntryGrid::ButtonClick, this, [](int, int col, QWidget* editor) {
    if (col == kYhSettle) Session::Current().Common().AttachSettleStyleList(editor, true);
  });
  grid_->SetRefRequest([](int, int, QString&) {
    shared::ShowMsgBox(CashText("00648"), 0, CashText("00046"));
    return false;
  });
}

void frmYHFQC::SetUpGrid() {
  const Session& s = Session::Current();
  struct Column { QString title; int width; Qt::Alignment align; ColumnEditor editor; };
  const Column columns[kYhColumns] = {
      {QStringLiteral("ID"), 0, Qt::AlignCenter, {ColumnKind::ReadOnly}},
      {CashText("00024"), 1400, Qt::AlignCenter, {ColumnKind::Date, 10}},
      {CashText("00025"), 1500, Qt::AlignCenter, {ColumnKind::List, 20}},
      {CashText("00026"), 1000, Qt::AlignCenter, {ColumnKind::Text, 30}},
      {CashText("00083"), s.gColWidthB, Qt::AlignRight | Qt::AlignVCenter, {ColumnKind::Amount, 16}},
      {CashText("00084"), s.gColWidthB, Qt::AlignRight | Qt::AlignVCenter, {ColumnKind::Amount, 16}},
      {CashText("00643"), 0, Qt::AlignRight | Qt::AlignVCenter, {ColumnKind::ReadOnly}},
  };
  for (int c = 0; c < kYhColumns; ++c) {
    grid_->SetTextMatrix(0, c, columns[c].title);
    grid_->SetColWidth(c, columns[c].width);
    grid_->SetColAlignment(c, columns[c].align);
    grid_->SetColumnEditor(c, columns[c].editor);
  }
  grid_->SetRowHeight(0, 480);
}

void frmYHFQC::LoadData(const ItemContext& context) {
  Session& s = Session::Current();
  context_ = context;
  CurYHKM = context.target.accountCode;
  BDate = context.startDate;
  // The statement opening of the book in book mode, of the account otherwise.
  context_.bankOpening = shared::GetBankOpeningBalance(context.target.Key());
  Caption(GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.frmYHFQC.lblHeader")),
          CashText("00015") + s.Common().GetAccountName(CurYHKM) + QStringLiteral("(") + CurYHKM + QStringLiteral(")"),
          context_.bankOpening.ToDisplayText());
  ShowRows(LoadBankItems(context_));
}

QColor frmYHFQC::StateColor(int state, int col) const {
  if (state == kOpen) return col == kYhBalance ? platform::ColorFromBgr(0xFFFFFE) : QColor(Qt::white);
  if (state == kRegular || state == kRegularLocked) return Qt::white;
  return OpeningItemWindow::StateColor(state, col);
}

void frmYHFQC::RecalcBalances(int row) {
  const int n = grid_->Rows() - 1;
  if (n < 1) return;
  std::vector<std::vector<QString>> cells(n);
  std::vector<std::vector<QString>*> rows(n);
  for (int i = 0; i < n; ++i) {
    cells[i] = RowCells(i + 1);
    rows[i] = &cells[i];
  }
  const int from = std::clamp(row - 1, 0, n - 1);
  RecalcBankBalances(rows, from, context_.bankOpening, context_.debitDirection);
  grid_->SetRedraw(false);
  for (int i = from; i < n; ++i) grid_->SetTextMatrix(i + 1, kYhBalance, cells[i][kYhBalance]);
  grid_->SetRedraw(true);
}

QString frmYHFQC::PageKey() const {
  return Session::Current().BookMode() ? QStringLiteral("RPDZDQCReport") : QStringLiteral("GLYhQcDzd");
}

}  // namespace corvane::opening
