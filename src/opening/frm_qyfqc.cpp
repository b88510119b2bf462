#include "opening/frm_qyfqc.h"

#include "platform/controls/entry_grid.h"
#include "shared/balance_sums.h"
#include "shared/messages.h"
#include "shared/popups.h"
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

frmQYFQC::frmQYFQC() : OpeningItemWindow(QStringLiteral("frmQYFQC"), kQyColumns) {
  setWindowTitle(QStringLiteral("企业方期初"));
  shared::LocalizeForm(this, QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK."));
  shared::SetFormIcon(this);
  shared::InitToolbar(this);
  SetUpGrid();
  grid_->AddProtectedColor(platform::ColorFromBgr(platform::BgrFromColor(Session::Current().gColorLightYellow) - 1));
  grid_->SetRefRequest([this](int row, int col, QString& text) { return RefRequest(row, col, text); });
  connect(grid_, &platform::EntryGrid::EditKeyPress, this, [this](int row, int col, const QString&) {
    // The debit and credit of an item exclude each other.
    if (col == kQyDebit) grid_->SetTextMatrix(row, kQyCredit, QString());
    if (col == kQyCredit) grid_->SetTextMatrix(row, kQyDebit, QString());
  });
  connect(grid_, &platform::EntryGrid::ButtonClick, this, [](int, int col, QWidget* editor) {
    if (col == kQySign) Session::Current().Common().AttachVoucherSignList(editor, true);
    if (col == kQySettle) Session::Current().Common().AttachSettleStyleList(editor, true);
  });
}

void frmQYFQC::SetUpGrid() {
  const Session& s = Session::Current();
  const bool book = s.BookMode();
  struct Column { QString title; int width; Qt::Alignment align; ColumnEditor editor; };
  const Column columns[kQyColumns] = {
      {book ? GetResString(QStringLiteral("corvane.opening.flowdate")) : CashText("00031"), 1000, Qt::AlignCenter, {ColumnKind::Date, 10}},
      {QStringLiteral("SignSeq"), 0, Qt::AlignCenter, {ColumnKind::ReadOnly}},
      {QStringLiteral("Pzid"), 0, Qt::AlignCenter, {ColumnKind::ReadOnly}},
      {QStringLiteral("Rowid"), 0, Qt::AlignCenter, {ColumnKind::ReadOnly}},
      {QStringLiteral("AutoId"), 0, Qt::AlignCenter, {ColumnKind::ReadOnly}},
      {CashText("00079"), book ? 0 : 1000, Qt::AlignCenter, {ColumnKind::List, 24}},
      {book ? GetResString(QStringLiteral("corvane.opening.flowno")) : CashText("00080"), book ? 1200 : 800, Qt::AlignCenter,
       {book ? ColumnKind::ReadOnly : ColumnKind::Text, 5}},
      {CashText("00025"), 1200, Qt::AlignCenter, {ColumnKind::List, 20}},
      {CashText("00026"), 1000, Qt::AlignCenter, {ColumnKind::Text, 30}},
      {CashText("00083"), s.gColWidthB, Qt::AlignRight | Qt::AlignVCenter, {ColumnKind::Amount, 16}},
      {CashText("00084"), s.gColWidthB, Qt::AlignRight | Qt::AlignVCenter, {ColumnKind::Amount, 16}},
      {CashText("00032"), 1000, Qt::AlignCenter, {ColumnKind::Date, 10}},
      {CashText("00038"), s.gColWidthA, Qt::AlignLeft | Qt::AlignVCenter, {ColumnKind::Text, 60}},
  };
  for (int c = 0; c < kQyColumns; ++c) {
    grid_->SetTextMatrix(0, c, columns[c].title);
    grid_->SetColWidth(c, columns[c].width);
    grid_->SetColAlignment(c, columns[c].align);
    grid_->SetColumnEditor(c, columns[c].editor);
  }
  grid_->SetRowHeight(0, 480);
}

void frmQYFQC::LoadData(const ItemContext& context, const QString& currencyName) {
  Session& s = Session::Current();
  context_ = context;
  currencyName_ = currencyName;
  CurYHKM = context.target.accountCode;
  BDate = context.startDate;
  QString account = CashText("00015") + s.Common().GetAccountName(CurYHKM) + QStringLiteral("(") + CurYHKM + QStringLiteral(")");
  if (context.foreign) account += CashText("00089") + currencyName;
  // The journal opening of the book in book mode, of the account otherwise.
  const platform::Money opening = shared::GetJournalOpening(context.target.Key());
  Caption(context.target.bookMode ? GetResString(QStringLiteral("corvane.opening.flowheader"))
                                  : GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.frmQYFQC.lblHeader")),
          account, opening.ToDisplayText());
  ShowRows(LoadEnterpriseItems(context_));
}

bool frmQYFQC::RefRequest(int row, int col, QString& text) {
  if (col != kQyDigest) return false;
  // The reference works through the session's shared values; the caller's are put
  // back afterwards, so no other window finds them emptied.
  platform::ParamObject& shared = Session::Current().Common().GetParamObject();
  const platform::ParamObject saved = shared;
  shared.InputText = grid_->TextMatrix(row, kQyDigest).trimmed();
  shared.Confirmed = false;
  shared::PopupDigestReference();
  const bool chosen = shared.Confirmed;
  text = chosen ? shared.Value2 : QString();
  shared = saved;
  return true;
}

QString frmQYFQC::PageKey() const {
  return Session::Current().BookMode() ? QStringLiteral("RPQYFQCReport") : QStringLiteral("GLYhQcRjz");
}

}  // namespace corvane::opening
