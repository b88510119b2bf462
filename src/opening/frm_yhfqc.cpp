#include "opening/frm_yhfqc.h"

#include "platform/controls/entry_grid.h"
#include "shared/balance_sums.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/window_dressing.h"

#include <QLabel>

namespace corvane::opening {

using platform::ColumnKind;
using shared::GetResString;
using shared::Session;

namespace {
QString CashText(const char* number) { return GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(number)); }
platform::Money AmountOf(const QString& text) {
  if (text.trimmed().isEmpty()) return platform::Money();
  return platform::Money::Parse(Session::Current().Common().AmountTextToNumberText(text.trimmed())).value_or(platform::Money());
}
}  // namespace

frmYHFQC::frmYHFQC() : OpeningItemWindow(QStringLiteral("frmYHFQC"), kYhColumns) {
  setWindowTitle(QStringLiteral("银行方期初"));
  shared::LocalizeForm(this, QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK."));
  shared::SetFormIcon(this);
  shared::InitToolbar(this);
  SetUpGrid();
  editor_->AttachBalance(&balance_, kYhBalance);
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

std::vector<shared::GridColumnSpec> frmYHFQC::ColumnSpecs() const {
  const Session& s = Session::Current();
  const Qt::Alignment centre = Qt::AlignCenter, right = Qt::AlignRight | Qt::AlignVCenter;
  return {
      {QStringLiteral("ID"), 0, centre, ColumnKind::ReadOnly, 0, true},
      {CashText("00024"), 1400, centre, ColumnKind::Date, 10, false, true},
      {CashText("00025"), 1500, centre, ColumnKind::List, 20, false, true},
      {CashText("00026"), 1000, centre, ColumnKind::Text, 30, false, false, platform::PrintColumnKind::Number},
      {CashText("00083"), s.gColWidthB, right, ColumnKind::Amount, 16},
      {CashText("00084"), s.gColWidthB, right, ColumnKind::Amount, 16},
      {CashText("00643"), 0, right, ColumnKind::ReadOnly, 0, true},
  };
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
  ShowRows(LoadBankItems(context_, &balance_));
}

// Keeps the running balance's amounts of a row in step with its cells.
void frmYHFQC::Movement(const std::vector<QString>& cells, int row) {
  const bool debit = !cells[kYhDebit].trimmed().isEmpty();
  const platform::Money amount = AmountOf(debit ? cells[kYhDebit] : cells[kYhCredit]);
  balance_.SetAmounts(row, debit ? amount : platform::Money(), debit ? platform::Money() : amount, debit);
}

void frmYHFQC::RecalcBalances(int row) {
  if (row >= 1 && row < grid_->Rows()) Movement(RowCells(row), row);
  editor_->WriteBalances(std::max(row, 1));
}


}  // namespace corvane::opening
