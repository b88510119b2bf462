#include "query/frm_yhdzcx.h"

#include "platform/controls/list_grid.h"
#include "shared/account_facts.h"
#include "shared/amount_unit.h"
#include "shared/frm_yhkmxz.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/window_dressing.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabBar>
#include <exception>

namespace corvane::query {

using shared::GetResString;
using shared::Session;

namespace {

const QString kPrefix = QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.");
const QString kHeadingPrefix = QStringLiteral("Q9.GL.ZWSQL.CASHBANK.");
constexpr int kRowTwips = 300;
// Settlement numbers as wide as in the statement and the item windows: the
// narrower widths of these lists held seven or eight characters, fewer than a
// bank's numbers have.
constexpr int kNumberTwips = 1000;
const QColor kTickFore(255, 0, 0);
constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

QLabel* Swatch(QWidget* parent, const QString& name, const QColor& colour) {
  auto* swatch = new QLabel(parent);
  swatch->setObjectName(name);
  swatch->setFixedSize(14, 10);
  swatch->setFrameShape(QFrame::Box);
  swatch->setStyleSheet(QStringLiteral("background-color: %1;").arg(colour.name()));
  return swatch;
}

QString Heading(const char* number) { return GetResString(kHeadingPrefix + QString::fromLatin1(number)); }

}  // namespace

frmYHDZCX::frmYHDZCX() : TwoGridWindow(QStringLiteral("frmYHDZCX"), 5, shared::AmountMatch::AtLeast, false) {
  setWindowTitle(QStringLiteral("查询银行勾对情况"));
  resize(1000, 640);
  BuildTopBand();
}

void frmYHDZCX::BuildTopBand() {
  label1_ = new QLabel(QStringLiteral("银行对账单"), picture2_);
  label1_->setObjectName(QStringLiteral("Label1"));
  QFont f = label1_->font();
  f.setPointSize(f.pointSize() + 3);
  f.setBold(true);
  label1_->setFont(f);
  label1_->setAlignment(Qt::AlignCenter);
  label2_ = new QLabel(QStringLiteral("科目"), picture2_);
  label2_->setObjectName(QStringLiteral("Label2"));
  combo1_ = new QComboBox(picture2_);
  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo1_->setMinimumContentsLength(24);
  label5_ = new QLabel(QStringLiteral("已对账"), picture2_);
  label5_->setObjectName(QStringLiteral("Label5"));
  label6_ = new QLabel(QStringLiteral("未对账"), picture2_);
  label6_->setObjectName(QStringLiteral("Label6"));
  auto* row = new QHBoxLayout;
  row->addWidget(label2_);
  row->addWidget(combo1_);
  row->addStretch();
  row->addWidget(Swatch(picture2_, QStringLiteral("Shape1_0"), QColor(0xEE, 0xEE, 0xD6)));
  row->addWidget(label5_);
  row->addSpacing(12);
  row->addWidget(Swatch(picture2_, QStringLiteral("Shape1_1"), Qt::white));
  row->addWidget(label6_);
  auto* band = new QVBoxLayout(picture2_);
  band->setContentsMargins(0, 4, 0, 0);
  band->addWidget(label1_);
  band->addLayout(row);
  connect(combo1_, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
}

void frmYHDZCX::Form_Load() {
  shared::LocalizeForm(this, kPrefix);
  shared::SetFormIcon(this);
  if (Session::Current().BookMode()) label2_->setText(GetResString(QStringLiteral("corvane.query.book")));
  TabS1_Click(tabs_->currentIndex());
  bool listed = false;
  try {
    listed = FillList();
  } catch (const std::exception& e) {
    shared::ShowMsgBox(shared::FailureText(e), 16, GetResString(shared::kCashTitleKey));
    StyleWindow();
    return;
  }
  if (!listed) {
    shared::ShowMsgBox(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00500")), 0,
                       GetResString(shared::kCashTitleKey));
    StyleWindow();
    return;
  }
  const platform::ParamObject& param = Session::Current().Common().GetParamObject();
  const QString chosen = (Session::Current().BookMode() ? param.Value4 : param.Value1).trimmed();
  int index = 0;
  for (int i = 0; i < combo1_->count(); ++i) {
    if (combo1_->itemData(i).toString().compare(chosen, Qt::CaseInsensitive) == 0) index = i;
  }
  {
    const QSignalBlocker block(combo1_);
    combo1_->setCurrentIndex(index);
  }
  // Styled before the first load, which measures the columns in the grid font.
  StyleWindow();
  Combo1_Click();
}

// The suite's look: the title, the window, then the grids' fonts (journal first).
void frmYHDZCX::StyleWindow() {
  Session& s = Session::Current();
  try {
    s.UiStyle().StyleHeaderLabel(label1_);
    s.UiStyle().StyleForm(this, true);
    s.Common().ApplyGridSettings(grid2_);
    s.Common().ApplyGridSettings(grid1_);
  } catch (const std::exception&) {
    // The suite's styling is a nicety; the window works without it.
  }
}

bool frmYHDZCX::FillList() {
  const bool book = Session::Current().BookMode();
  // The list keeps the tables' own order (closed books included): no order by.
  const platform::SqlBuilder q =
      book ? platform::SqlBuilder(
                 QStringLiteral("select cBookCode,cBookName from RP_Book where iBookType=? and dOpenDate is not null"), 2)
           : platform::SqlBuilder(QStringLiteral("select ccode,ccode_name from code where be=? and bend=?"), 1, 1);
  const QSignalBlocker block(combo1_);
  combo1_->clear();
  Session::Current().Db().ForEachRow(q.Sql(), q.Params(), [this](const std::vector<platform::DbValue>& row) {
    const QString code = row[0].ToString().trimmed();
    combo1_->addItem(row[1].ToString().trimmed() + QLatin1Char('(') + code + QLatin1Char(')'), code);
  });
  return combo1_->count() > 0;
}

void frmYHDZCX::Combo1_Click() {
  if (combo1_->currentIndex() < 0) return;
  LoadData(combo1_->currentData().toString());
}

void frmYHDZCX::TabS1_Click(int page) {
  TwoGridWindow::TabS1_Click(page);
  label1_->setText(GetResString(page == 0 ? QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00502")
                                          : QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00503")));
}

void frmYHDZCX::LoadData(const QString& code) {
  if (IsBusy()) return;
  SetBusy(true);
  Session& s = Session::Current();
  try {
    CurYHKM = s.Common().GetParamObject().Value1.trimmed();
    TickStatusRequest request;
    request.code = code;
    request.bookMode = s.BookMode();
    request.show = ShowModeOf(Smode);
    startDate_ = shared::GetStartDate(code);
    currency_ = shared::GetCurrencyName(code).trimmed();
    request.startDate = startDate_;
    request.foreign = !currency_.isEmpty();
    StatusRows statement = ReadStatementStatus(s.Db(), request);
    StatusRows journal = ReadJournalStatus(s.Db(), request);
    loadedCode_ = code;
    SetUpGrid(grid1_, {Heading("00024"), Heading("00025"), Heading("00026"), Heading("00083"), Heading("00084"),
                       Heading("00488")},
              {1100, 900, kNumberTwips, 2100, 2100, 900}, {kCentre, kCentre, kCentre, kRight, kRight, kCentre});
    SetUpGrid(grid2_, {Heading("00031"), Heading("00032"), Heading("00025"), Heading("00026"), Heading("00083"),
                       Heading("00084"), Heading("00496"),
                       request.bookMode ? GetResString(QStringLiteral("corvane.query.flowid")) : Heading("00037"),
                       Heading("00038")},
              {1000, 1000, 900, kNumberTwips, 1800, 1800, 600, 1400, 2000},
              {kCentre, kCentre, kCentre, kCentre, kRight, kRight, kCentre, kCentre, kLeft});
    using K = platform::PrintColumnKind;
    SetPrintKinds(grid1_, {{0, K::Date}, {2, K::Number}, {3, K::Amount}, {4, K::Amount}});
    SetPrintKinds(grid2_, {{0, K::Date}, {1, K::Date}, {3, K::Number}, {4, K::Amount}, {5, K::Amount}, {7, K::Number}});
    ShowRows(grid1_, statement, 5, 3);
    ShowRows(grid2_, journal, 6, 4);
    // The journal opens on its document date: the bill date is scrolled aside.
    grid2_->SetLeftCol(1);
  } catch (const std::exception& e) {
    // Nothing half-loaded stays on show.
    grid1_->SetRows(1);
    grid2_->SetRows(1);
    totalRow_[0] = totalRow_[1] = -1;
    loadedCode_.clear();
    SetBusy(false);
    shared::ShowMsgBox(GetResString(QStringLiteral("corvane.query.loadfailed"), shared::FailureText(e)), 16,
                       GetResString(shared::kCashTitleKey));
    return;
  }
  SetBusy(false);
}

void frmYHDZCX::SetUpGrid(platform::ListGrid* grid, const std::vector<QString>& titles, const std::vector<int>& widths,
                          const std::vector<Qt::Alignment>& alignments) {
  grid->SetRedraw(false);
  SetTitleRow(grid, titles, widths, alignments);
  grid->SetRedraw(true);
}

void frmYHDZCX::ShowRows(platform::ListGrid* grid, StatusRows& rows, int tickColumn, int debitColumn) {
  Session& s = Session::Current();
  const int cols = grid->Cols();
  const int count = rows.size();
  const bool total = ShowsTotalRow(rows.debitTotal, rows.creditTotal);
  std::vector<std::vector<QString>> cells = std::move(rows.cells);
  // An empty grid keeps one blank row under its heading.
  if (cells.empty()) cells.emplace_back(cols);
  const int dataRows = static_cast<int>(cells.size());
  if (total) {
    cells.push_back(TotalRow(cols, debitColumn, GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00182")),
                             rows.debitTotal, rows.creditTotal));
  }
  grid->SetRedraw(false);
  grid->FillRows(std::move(cells));
  // An unticked line takes the grid's own back colour as its cells' colour, so
  // that no alternating row shade of the suite's grid look shows through.
  grid->SetRangeBackColor(1, 0, dataRows, cols - 1, grid->BackColor());
  for (int i = 0; i < count; ++i) {
    if (!rows.ticked[i]) continue;
    grid->SetRowBackColor(i + 1, s.gColorLightYellow);
    grid->SetCellForeColor(i + 1, tickColumn, kTickFore);
  }
  totalRow_[grid == grid1_ ? 0 : 1] = total ? grid->Rows() - 1 : -1;
  if (total) grid->SetRowBackColor(grid->Rows() - 1, s.gColorLightGrey);
  grid->SetRowHeight(1, kRowTwips);
  if (grid->Rows() >= 2) {
    grid->SetRow(1);
    grid->SetCol(0);
    grid->SetColSel(cols - 1);
  }
  grid->SetRedraw(true);
  try {
    s.UiStyle().StyleGrid(grid, true);
  } catch (const std::exception&) {
    // The suite's styling is a nicety; the grid works without it.
  }
}

void frmYHDZCX::RequeryWithConditions() {
  Session& s = Session::Current();
  try {
    shared::frmYHKMXZ& dialog = shared::frmYHKMXZ::Instance();
    if (dialog.PrepareForQuery() == 0) {
      shared::ShowMsgBox(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00500")), 0,
                         GetResString(shared::kCashTitleKey));
      return;
    }
    if (!dialog.ShowModal()) return;
  } catch (const std::exception& e) {
    shared::ShowMsgBox(shared::FailureText(e), 16, GetResString(shared::kCashTitleKey));
    return;
  }
  const platform::ParamObject& param = s.Common().GetParamObject();
  Smode = static_cast<quint8>(param.ShowMode);
  const QString chosen = (s.BookMode() ? param.Value4 : param.Value1).trimmed();
  for (int i = 0; i < combo1_->count(); ++i) {
    if (combo1_->itemData(i).toString().compare(chosen, Qt::CaseInsensitive) != 0) continue;
    {
      const QSignalBlocker block(combo1_);
      combo1_->setCurrentIndex(i);
    }
    // A reload under the new show mode, also when the entry was current already.
    Combo1_Click();
    return;
  }
}

shared::FilterColumns frmYHDZCX::ColumnsOf(int grid) const {
  shared::FilterColumns c;
  if (grid == 1) {
    c.date = 0, c.style = 1, c.number = 2, c.debit = 3, c.credit = 4;
  } else {
    c.date = 0, c.style = 2, c.number = 3, c.debit = 4, c.credit = 5;
  }
  c.total = totalRow_[grid == 1 ? 0 : 1];
  return c;
}

QString frmYHDZCX::PrintTitleKey(int page) const {
  return page == 0 ? QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00510") : QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00522");
}

platform::GridPrintHead frmYHDZCX::PrintHeadLine() const {
  if (loadedCode_.isEmpty()) return {};
  const int entry = combo1_->findData(loadedCode_);
  const QString name = entry >= 0 ? combo1_->itemText(entry) : loadedCode_;
  const QString caption = Session::Current().BookMode() ? GetResString(QStringLiteral("corvane.balance.bookname"))
                                                        : Heading("00511");
  return {QString(), caption + name, shared::AmountUnitText(currency_)};
}

}  // namespace corvane::query
