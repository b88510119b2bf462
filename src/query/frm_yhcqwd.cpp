#include "query/frm_yhcqwd.h"

#include "platform/controls/list_grid.h"
#include "query/audit_load.h"
#include "query/frm_yhcqwdtj.h"
#include "shared/list_form_layout.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/window_dressing.h"

#include <QHBoxLayout>
#include <QLabel>
#include <exception>

namespace corvane::query {

using shared::GetResString;
using shared::Session;

namespace {

const QString kHeadingPrefix = QStringLiteral("Q9.GL.ZWSQL.CASHBANK.");
constexpr int kRowTwips = 300;
// Settlement numbers as wide as in the statement and the item windows: 640 twips
// held seven characters, fewer than a bank's numbers have.
constexpr int kNumberTwips = 1000;
constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

QString Heading(const char* number) { return GetResString(kHeadingPrefix + QString::fromLatin1(number)); }

// The book code and name columns lead every grid in book mode.
template <class T>
std::vector<T> WithBookColumns(bool book, std::vector<T> book2, std::vector<T> rest) {
  if (!book) return rest;
  book2.insert(book2.end(), rest.begin(), rest.end());
  return book2;
}

}  // namespace

frmYHCQWD::frmYHCQWD() : TwoGridWindow(QStringLiteral("frmYHCQWD"), 6, shared::AmountMatch::Equal, true) {
  setWindowTitle(QStringLiteral("长期未达审计"));
  resize(1100, 640);
  label1_ = new QLabel(QStringLiteral("长期未达审计"), picture2_);
  label1_->setObjectName(QStringLiteral("Label1"));
  QFont f = label1_->font();
  f.setPointSize(15);
  f.setBold(true);
  label1_->setFont(f);
  label1_->setAlignment(Qt::AlignCenter);
  label2_ = new QLabel(picture2_);
  label2_->setObjectName(QStringLiteral("Label2"));
  label3_ = new QLabel(picture2_);
  label3_->setObjectName(QStringLiteral("Label3"));
  auto* row = new QHBoxLayout;
  row->addWidget(label2_);
  row->addStretch();
  row->addWidget(label3_);
  auto* band = new QVBoxLayout(picture2_);
  band->setContentsMargins(0, 4, 0, 0);
  band->addWidget(label1_);
  band->addLayout(row);
  shared::LocalizeForm(this, QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK."));
  shared::SetFormIcon(this);
  const bool book = Session::Current().BookMode();
  grid1_->SetCols(book ? 9 : 7);
  grid2_->SetCols(book ? 12 : 10);
  try {
    platform::CommonServices& common = Session::Current().Common();
    SetDirectionTexts(common.GetDirectionText(1), common.GetDirectionText(0));
    Session::Current().UiStyle().StyleHeaderLabel(label1_);
    Session::Current().UiStyle().StyleForm(this, false);
  } catch (const std::exception&) {
  }
  // The title keeps the header style's weight but is 15 points, whatever size
  // the style gave it; the window has no lines around it to hide.
  shared::AutoSizeLabel(label1_, nullptr, nullptr);
}

bool frmYHCQWD::LoadData(const QString& dateText, int days) {
  if (IsBusy()) return false;
  Session& s = Session::Current();
  EDate = dateText;
  DiffDays = days;
  label2_->setText(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00017")) + dateText);
  label3_->setText(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.overdate"), days));
  const bool book = s.BookMode();
  SetBusy(true);
  try {
    AuditRequest request;
    request.bookMode = book;
    request.homeCurrency = s.Common().GetAccountSetInfo().HomeCurrencyName;
    if (!EDate.trimmed().isEmpty()) {
      const QDate auditDate = s.Common().ParseDate(EDate.trimmed());
      if (!auditDate.isValid()) throw std::runtime_error(GetResString(QStringLiteral("corvane.query.baddate"), EDate).toStdString());
      request.cutOff = AuditCutOff(auditDate, days);
    }
    const AuditTexts texts{s.Common().GetDirectionText(1), s.Common().GetDirectionText(0)};
    auto statement = ReadAuditStatement(s.Db(), request, texts);
    auto journal = ReadAuditJournal(s.Db(), request, texts);
    const QString bookCode = GetResString(QStringLiteral("corvane.query.bookcode"));
    const QString bookName = GetResString(QStringLiteral("corvane.query.book"));
    FormatGrid(grid1_,
               WithBookColumns<QString>(book, {bookCode, bookName},
                                        {Heading("00022"), Heading("00023"), Heading("00024"), Heading("00025"),
                                         Heading("00026"), Heading("00027"), Heading("00008")}),
               WithBookColumns<int>(book, {1200, 1400}, {1200, 1400, 1200, 600, 1600, 800, 2200}),
               WithBookColumns<Qt::Alignment>(book, {kLeft, kLeft},
                                              {kLeft, kLeft, kCentre, kCentre, kCentre, kCentre, kRight}),
               std::move(statement));
    FormatGrid(grid2_,
               WithBookColumns<QString>(
                   book, {bookCode, bookName},
                   {Heading("00022"), Heading("00023"), Heading("00031"), Heading("00032"), Heading("00025"),
                    Heading("00026"), Heading("00027"), Heading("00008"),
                    book ? GetResString(QStringLiteral("corvane.query.flowid")) : Heading("00037"), Heading("00038")}),
               WithBookColumns<int>(book, {1200, 1400}, {1200, 1400, 1000, 1000, 600, kNumberTwips, 300, 1800, 1400, 2000}),
               WithBookColumns<Qt::Alignment>(
                   book, {kLeft, kLeft},
                   {kLeft, kLeft, kCentre, kCentre, kCentre, kCentre, kRight, kRight, kCentre, kCentre}),
               std::move(journal));
    // Account (and book) codes, dates, settlement and voucher numbers and amounts print whole.
    using K = platform::PrintColumnKind;
    const int lead = book ? 2 : 0;
    SetPrintKinds(grid1_, {{0, K::Number}, {lead, K::Number}, {lead + 2, K::Date}, {lead + 4, K::Number}, {lead + 6, K::Amount}});
    SetPrintKinds(grid2_, {{0, K::Number}, {lead, K::Number}, {lead + 2, K::Date}, {lead + 3, K::Date}, {lead + 5, K::Number},
                           {lead + 7, K::Amount}, {lead + 8, K::Number}});
  } catch (const std::exception& e) {
    grid1_->SetRows(1);
    grid2_->SetRows(1);
    SetBusy(false);
    shared::ShowMsgBox(GetResString(QStringLiteral("corvane.query.loadfailed"), shared::FailureText(e)), 16,
                       GetResString(shared::kCashTitleKey));
    return false;
  }
  SetBusy(false);
  return true;
}

void frmYHCQWD::FormatGrid(platform::ListGrid* grid, const std::vector<QString>& titles,
                           const std::vector<int>& widths, const std::vector<Qt::Alignment>& alignments,
                           std::vector<std::vector<QString>> rows) {
  grid->SetRedraw(false);
  // The grid font first: the columns are measured in it.
  try {
    Session::Current().UiStyle().StyleGrid(grid, true);
    Session::Current().Common().ApplyGridSettings(grid);
  } catch (const std::exception&) {
  }
  SetTitleRow(grid, titles, widths, alignments);
  const bool any = !rows.empty();
  grid->FillRows(std::move(rows));
  grid->SetRowHeight(1, kRowTwips);
  if (any) {
    grid->SetTopRow(1);
    grid->SetRow(1);
    grid->SetCol(0);
    grid->SetColSel(grid->Cols() - 1);
  }
  grid->SetRedraw(true);
}

void frmYHCQWD::RequeryWithConditions() {
  platform::ParamObject& param = Session::Current().Common().GetParamObject();
  param.Confirmed = false;
  // A fresh dialog: the previous conditions are not offered again.
  frmYHCQWDTJ dialog(this);
  if (!dialog.ShowModal() || !param.Confirmed) return;
  LoadData(param.Value1, param.Value2.toInt());
  show();
  raise();
  activateWindow();
}

shared::FilterColumns frmYHCQWD::ColumnsOf(int grid) const {
  const int lead = Session::Current().BookMode() ? 2 : 0;
  shared::FilterColumns c;
  if (grid == 1) {
    c.date = lead + 2, c.style = lead + 3, c.number = lead + 4, c.direction = lead + 5, c.amount = lead + 6;
  } else {
    c.date = lead + 2, c.style = lead + 4, c.number = lead + 5, c.direction = lead + 6, c.amount = lead + 7;
  }
  return c;
}

platform::GridPrintHead frmYHCQWD::PrintHeadLine() const { return {QString(), label2_->text(), label3_->text()}; }

QString frmYHCQWD::PrintTitleKey(int page) const {
  return page == 0 ? QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00051") : QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00063");
}

}  // namespace corvane::query
