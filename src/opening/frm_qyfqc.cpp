#include "opening/frm_qyfqc.h"

#include "platform/controls/entry_grid.h"
#include "shared/balance_sums.h"
#include "shared/messages.h"
#include "shared/popups.h"
#include "shared/session.h"
#include "shared/window_dressing.h"

#include <QLabel>

namespace corvane::opening {

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

std::vector<shared::GridColumnSpec> frmQYFQC::ColumnSpecs() const {
  const Session& s = Session::Current();
  const bool book = s.BookMode();
  const Qt::Alignment centre = Qt::AlignCenter, right = Qt::AlignRight | Qt::AlignVCenter;
  return {
      {book ? GetResString(QStringLiteral("corvane.opening.flowdate")) : CashText("00031"), 1000, centre, ColumnKind::Date, 10, false, true},
      {QStringLiteral("SignSeq"), 0, centre, ColumnKind::ReadOnly, 0, true},
      {QStringLiteral("Pzid"), 0, centre, ColumnKind::ReadOnly, 0, true},
      {QStringLiteral("Rowid"), 0, centre, ColumnKind::ReadOnly, 0, true},
      {QStringLiteral("AutoId"), 0, centre, ColumnKind::ReadOnly, 0, true},
      {CashText("00079"), 1000, centre, ColumnKind::List, 24, book, true},
      // The flow number of book mode is given by the book, never typed.
      {book ? GetResString(QStringLiteral("corvane.opening.flowno")) : CashText("00080"), book ? 1200 : 800, centre,
       book ? ColumnKind::ReadOnly : ColumnKind::Text, book ? 0 : 5, false, false, platform::PrintColumnKind::Number},
      {CashText("00025"), 1200, centre, ColumnKind::List, 20, false, true},
      {CashText("00026"), 1000, centre, ColumnKind::Text, 30, false, false, platform::PrintColumnKind::Number},
      {CashText("00083"), s.gColWidthB, right, ColumnKind::Amount, 16},
      {CashText("00084"), s.gColWidthB, right, ColumnKind::Amount, 16},
      {CashText("00032"), 1000, centre, ColumnKind::Date, 10, false, true},
      {CashText("00038"), s.gColWidthA, Qt::AlignLeft | Qt::AlignVCenter, ColumnKind::Text, 60},
  };
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

// In book mode a new row shows at once the flow number the book gives next. The
// number is only looked at here: it is taken when the row is first saved, and the
// row then shows the one stored.
QStringList frmQYFQC::NewRowCells() const {
  if (!context_.target.bookMode) return {};
  QStringList cells;
  for (int c = 0; c < kQyNo; ++c) cells << QString();
  cells << Session::Current().Cash().NewFlowId(context_.target.bookCode, false);
  return cells;
}

bool frmQYFQC::RefRequest(int row, int col, QString& text) {
  if (col != kQyDigest) return false;
  // The reference works through the session's shared values, released once its
  // digest is taken: the windows of this road keep their choice themselves.
  platform::CommonServices& common = Session::Current().Common();
  platform::ParamObject& shared = common.GetParamObject();
  shared.InputText = grid_->TextMatrix(row, kQyDigest).trimmed();
  shared.Confirmed = false;
  shared::PopupDigestReference();
  text = shared.Confirmed ? shared.Value2 : QString();
  common.SetParamObject(nullptr);
  return true;
}

}  // namespace corvane::opening
