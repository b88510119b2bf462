#include "balance/frm_yhdzcx1.h"

#include "balance/statement_print.h"
#include "balance/toolbar_buttons.h"
#include "platform/controls/split_grid.h"
#include "platform/controls/toolbar_host.h"
#include "platform/print/rtprn.h"
#include "platform/services/voucher_viewer.h"
#include "shared/function_claim.h"
#include "shared/help_page.h"
#include "shared/messages.h"
#include "shared/print_setup.h"
#include "shared/session.h"
#include "shared/wait_window.h"
#include "shared/window_dressing.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <exception>

namespace corvane::balance {

using shared::GetResString;
using shared::Session;

namespace {

const QString kCash = QStringLiteral("Q9.GL.ZWSQL.CASHBANK.");
constexpr int kCols = 16;
constexpr int kKeyCol = 15;
constexpr int kHeaderRows = 3;

QString Res(const char* number) { return GetResString(kCash + QString::fromLatin1(number)); }

// The handed-in figures are display texts; shown again as "#,0.00" when they read as amounts.
QString AmountText(const QString& text) {
  const auto m = platform::Money::Parse(text);
  return m ? m->ToDisplayText() : text;
}

struct WaitGuard {
  ~WaitGuard() { shared::HideWait(); }
};

}  // namespace

frmYHDZCX1::frmYHDZCX1(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmYHDZCX1"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("余额调节表(详细)"));
  resize(1100, 600);
  BuildControls();
  shared::LocalizeForm(this, QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK."));
  shared::SetFormIcon(this);
  Session& s = Session::Current();
  try {
    s.UiStyle().StylePanel(picture2_);
    s.UiStyle().StylePanel(picture3_);
  } catch (const std::exception&) {
  }
  if (s.BookMode()) label2_->setText(GetResString(QStringLiteral("corvane.balance.bookcolon")));
  // The voucher button only where items are vouchers; the grid has no data output.
  toolbar_->SetButtonVisible(QStringLiteral("vouch"), !s.BookMode());
  toolbar_->SetButtonVisible(QStringLiteral("sepvouch"), !s.BookMode());
  toolbar_->SetButtonVisible(QStringLiteral("dout"), false);
  // Search, find and filter act on the lists of the tick-status query, which this
  // window does not have.
  for (const char* key : {"search", "find", "filt"}) toolbar_->SetButtonEnabled(QString::fromLatin1(key), false);
  shared::InitToolbar(this);
  try {
    s.UiStyle().StyleHeaderLabel(label1_);
    s.UiStyle().StyleForm(this, true);
  } catch (const std::exception&) {
  }
}

void frmYHDZCX1::BuildControls() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  toolbar_ = new platform::ToolbarHost(this);
  toolbar_->setObjectName(QStringLiteral("CTBCtrl1"));
  AddToolbarButtons(*toolbar_, {{"setup", "设置", "打印设置", 263},
                                {"print", "打印", "打印", 141},
                                {"preview", "预览", "预览", 140},
                                {"dout", "输出", "数据输出", 235},
                                {nullptr, nullptr, nullptr, 0},
                                {"search", "查询", "查询", 122},
                                {"find", "定位", "定位", 146},
                                {"filt", "过滤", "过滤", 120},
                                {nullptr, nullptr, nullptr, 0},
                                {"vouch", "凭证", "", 237},
                                {"sepvouch", nullptr, nullptr, 0},
                                {"help", "帮助", "帮助", 125},
                                {"exit", "退出", "退出", 118}});
  connect(toolbar_, &platform::ToolbarHost::ButtonClicked, this, &frmYHDZCX1::Toolbar1_ButtonClick);
  outer->addWidget(toolbar_);

  picture2_ = new QWidget(this);
  picture2_->setObjectName(QStringLiteral("Picture2"));
  auto* g = new QGridLayout(picture2_);
  label1_ = new QLabel(QStringLiteral("余额调节表(详细)"), picture2_);
  label1_->setObjectName(QStringLiteral("Label1"));
  QFont f = label1_->font();
  f.setPointSize(f.pointSize() + 4);
  f.setBold(true);
  label1_->setFont(f);
  label2_ = new QLabel(QStringLiteral("科目："), picture2_);
  label2_->setObjectName(QStringLiteral("Label2"));
  lblKm_ = new QLabel(picture2_);
  lblKm_->setObjectName(QStringLiteral("LblKm"));
  label5_ = new QLabel(QStringLiteral("对账截止日期:"), picture2_);
  label5_->setObjectName(QStringLiteral("Label5"));
  lblRq_ = new QLabel(picture2_);
  lblRq_->setObjectName(QStringLiteral("LblRq"));
  // The title with its two rules under it, as wide as the title.
  auto* title = new QWidget(picture2_);
  auto* titleBox = new QVBoxLayout(title);
  titleBox->setContentsMargins(0, 0, 0, 0);
  titleBox->setSpacing(2);
  titleBox->addWidget(label1_, 0, Qt::AlignHCenter);
  for (int i = 0; i < 2; ++i) {
    auto* rule = new QFrame(title);
    rule->setObjectName(QStringLiteral("Shape1"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Plain);
    titleBox->addWidget(rule);
  }
  g->addWidget(title, 0, 0, 1, 5, Qt::AlignCenter);
  g->addWidget(label2_, 1, 0);
  g->addWidget(lblKm_, 1, 1);
  g->setColumnStretch(2, 1);
  g->addWidget(label5_, 1, 3);
  g->addWidget(lblRq_, 1, 4);
  outer->addWidget(picture2_);

  new platform::RTPrn(this);
  grid_ = new platform::SplitGrid(this);
  grid_->setObjectName(QStringLiteral("ZqgridSP1"));
  grid_->SetRowColorFn([this](int row, QColor& color) {
    const int rows = grid_->Rows();
    if (row == rows - 1) color = QColor(0xFF, 0xFF, 0xF0);
    else if (row == rows - 2) color = QColor(0xD4, 0xD0, 0xC8);
  });
  connect(grid_, &platform::SplitGrid::DblClick, this, &frmYHDZCX1::ZqgridSP1_DblClick);
  outer->addWidget(grid_, 1);
  // An empty panel under the grid, across the window.
  picture3_ = new QWidget(this);
  picture3_->setObjectName(QStringLiteral("Picture3"));
  picture3_->setFixedHeight(180 / 15);
  outer->addWidget(picture3_);
}

void frmYHDZCX1::TakeHeldFunction(const QString& functionId) {
  GiveBackFunction();
  heldFunction_ = functionId;
}

void frmYHDZCX1::GiveBackFunction() {
  if (heldFunction_.isEmpty()) return;
  const QString id = heldFunction_;
  heldFunction_.clear();
  try {
    shared::ClaimFunction(id, false);
  } catch (const std::exception&) {
  }
}

bool frmYHDZCX1::Qr() {
  WaitGuard wait;
  shared::ShowWait(GetResString(kCash + QStringLiteral("00935")));
  try {
    if (CurYHKM.isEmpty()) {
      // Without a code handed over, the account text names it: its last bracket.
      QString text = lblKm_->text();
      const int open = text.lastIndexOf(QLatin1Char('('));
      if (open >= 0) CurYHKM = text.mid(open + 1).chopped(text.endsWith(QLatin1Char(')')) ? 1 : 0);
    }
    InitZqgridSP();
    LoadData(CurYHKM);
    return true;
  } catch (const std::exception& e) {
    shared::HideWait();
    shared::ShowMsgBox(GetResString(QStringLiteral("corvane.balance.detailfailed"), shared::FailureText(e)), 16,
                       GetResString(shared::kCashTitleKey));
    return false;
  }
}

void frmYHDZCX1::InitZqgridSP() {
  Session& s = Session::Current();
  const platform::GridFontSettings fonts = s.Common().GetGridFontSettings();
  QFont header = grid_->font();
  if (!fonts.TitleFontName.isEmpty()) header.setFamily(fonts.TitleFontName);
  if (fonts.TitleFontSize > 0) header.setPointSize(fonts.TitleFontSize);
  header.setBold(false);
  grid_->SetHeaderFont(header);
  QFont body = grid_->font();
  if (!fonts.BodyFontName.isEmpty()) body.setFamily(fonts.BodyFontName);
  if (fonts.BodyFontSize > 0) body.setPointSize(fonts.BodyFontSize);
  grid_->SetBodyFont(body);
  grid_->SetRedraw(false);
  grid_->SetCols(kCols);
  if (grid_->Rows() <= kHeaderRows) grid_->SetRows(kHeaderRows);
  grid_->SetFixedRows(kHeaderRows);
  auto fill = [this](int row, int c1, int c2, const QString& text) {
    for (int c = c1; c <= c2; ++c) grid_->SetTextMatrix(row, c, text);
  };
  fill(0, 0, 5, Res("00598") + sQyYe);
  fill(0, 7, 14, Res("00604") + sYhYe);
  fill(1, 0, 2, Res("00610"));
  fill(1, 3, 5, Res("00613"));
  fill(1, 7, 10, Res("00616"));
  fill(1, 11, 14, Res("00620"));
  const QString number = s.BookMode() ? GetResString(QStringLiteral("corvane.balance.flowno")) : Res("00080");
  const QString captions[kCols] = {Res("00024"), Res("00026"), Res("00008"), Res("00024"), Res("00026"), Res("00008"),
                                   QString(),    Res("00024"), number,       Res("00077"), Res("00008"), Res("00024"),
                                   number,       Res("00077"), Res("00008"), QString()};
  for (int c = 0; c < kCols; ++c) grid_->SetTextMatrix(2, c, captions[c]);
  if (grid_->Merges().empty()) {
    grid_->MergeCells(0, 0, 0, 5);
    grid_->MergeCells(0, 7, 0, 14);
    grid_->MergeCells(1, 0, 1, 2);
    grid_->MergeCells(1, 3, 1, 5);
    grid_->MergeCells(1, 7, 1, 10);
    grid_->MergeCells(1, 11, 1, 14);
  }
  const int colWidthB = s.gColWidthB > 0 ? s.gColWidthB : 1500;
  const bool english = s.Common().GetLanguage().toLower() == QLatin1String("en-us");
  for (int c = 0; c < kCols; ++c) {
    int w = 1000;
    if (c == 2 || c == 5 || c == 10 || c == 14) w = colWidthB;
    if (c == 8 || c == 9 || c == 12 || c == 13) w = 2000;
    if (c == 6) w = 55;
    if (c == kKeyCol) w = 0;
    if (english && w > 100) w = 1500;
    grid_->SetColWidth(c, w);
    grid_->SetAmountColumn(c, c == 2 || c == 5 || c == 10 || c == 14);
    // Dates and settlement, voucher or flow numbers print whole; the digests wrap.
    const bool date = c == 0 || c == 3 || c == 7 || c == 11, number = c == 1 || c == 4 || c == 8 || c == 12;
    grid_->SetPrintKind(c, date ? platform::PrintColumnKind::Date
                                : number ? platform::PrintColumnKind::Number : platform::PrintColumnKind::Text);
  }
  grid_->SetRedraw(true);
}

void frmYHDZCX1::LoadData(const QString& code) {
  CurYHKM = code;
  sections_ = ReadDetailSections(code, Smode);
  size_t n = 0;
  for (const auto& section : sections_.items) n = std::max(n, section.size());
  const int rows = static_cast<int>(n) + kHeaderRows + 2;
  grid_->SetRedraw(false);
  grid_->SetRows(rows);
  // A second load of the same window starts from empty rows, so no item or key of
  // the account shown before stays behind.
  grid_->ClearRows(kHeaderRows);
  const int firstCol[4] = {0, 3, 7, 11};
  for (int s = 0; s < 4; ++s) {
    const auto& items = sections_.items[s];
    const int c = firstCol[s];
    for (size_t i = 0; i < items.size(); ++i) {
      const int row = kHeaderRows + static_cast<int>(i);
      const DetailItem& it = items[i];
      grid_->SetTextMatrix(row, c, it.date);
      grid_->SetTextMatrix(row, c + 1, it.number);
      if (s < 2) {
        grid_->SetTextMatrix(row, c + 2, it.amount);
        continue;
      }
      grid_->SetTextMatrix(row, c + 2, it.digest);
      grid_->SetTextMatrix(row, c + 3, it.amount);
      if (s == 2) grid_->SetTextMatrix(row, kKeyCol, it.key + QLatin1Char(';'));
      else grid_->SetTextMatrix(row, kKeyCol, (grid_->TextMatrix(row, kKeyCol).trimmed().isEmpty()
                                                   ? QStringLiteral(";") : grid_->TextMatrix(row, kKeyCol)) + it.key);
    }
  }
  const int totals = rows - 2, balance = rows - 1;
  for (int c : {1, 4, 9, 13}) grid_->SetTextMatrix(totals, c, Res("00182"));
  grid_->SetTextMatrix(totals, 2, AmountText(sYsQs));
  grid_->SetTextMatrix(totals, 5, AmountText(sYfQf));
  grid_->SetTextMatrix(totals, 10, AmountText(sQsYs));
  grid_->SetTextMatrix(totals, 14, AmountText(sQfYf));
  grid_->SetTextMatrix(balance, 2, Res("00541"));
  grid_->SetTextMatrix(balance, 3, Res("00542"));
  grid_->SetTextMatrix(balance, 5, AmountText(sTzQyYe));
  grid_->SetTextMatrix(balance, 10, Res("00543"));
  grid_->SetTextMatrix(balance, 11, Res("00542"));
  grid_->SetTextMatrix(balance, 14, AmountText(sTzYhYe));
  grid_->SetRedraw(true);
}

void frmYHDZCX1::ZqgridSP1_DblClick(int row, int col) {
  const int rows = grid_->Rows();
  if (row < kHeaderRows || row > rows - 3) return;
  const QString keys = grid_->TextMatrix(row, kKeyCol);
  if (keys.isEmpty()) return;
  int part;
  const QString* sql;
  const platform::DbParams* params;
  if (col >= 7 && col <= 10) {
    part = 0, sql = &sections_.debitSql, params = &sections_.debitParams;
  } else if (col >= 11 && col <= 14) {
    part = 1, sql = &sections_.creditSql, params = &sections_.creditParams;
  } else {
    return;
  }
  const QStringList parts = keys.split(QLatin1Char(';'));
  if (part >= parts.size() || parts[part].isEmpty()) return;
  const QStringList f = parts[part].split(QLatin1Char(','));
  // Only vouchers of the twelve periods have a voucher to show; opening items and
  // book flows (two-field keys) have none.
  if (f.size() < 4) return;
  const int period = f[1].toInt();
  if (period < 1 || period > 12) return;
  try {
    Session& s = Session::Current();
    auto viewer = platform::VoucherViewer::Create();
    viewer->SetServices(&s.Common());
    viewer->SetLogin(s.gLogin);
    viewer->SetListSql(*sql, *params);
    viewer->ShowVoucher(QStringLiteral("GL"), QStringLiteral("GL0205"), 3, QStringLiteral("CN"), f[0], f[1], f[2], f[3]);
  } catch (const std::exception&) {
    // A voucher that cannot be shown leaves the statement as it is.
  }
}

void frmYHDZCX1::Toolbar1_ButtonClick(const QString& key) {
  const QString k = key.toLower();
  if (k == QLatin1String("setup")) rSetup();
  else if (k == QLatin1String("print")) OutputStatementReport(1);
  else if (k == QLatin1String("preview")) OutputStatementReport(2);
  else if (k == QLatin1String("vouch")) ZqgridSP1_DblClick(grid_->Row(), grid_->Col());
  else if (k == QLatin1String("help")) shared::ShowHelpPage(QStringLiteral("RP0306"));
  else if (k == QLatin1String("exit")) close();
}

void frmYHDZCX1::rSetup() { shared::PageSetup(this, QStringLiteral("GLYhDzdGd")); }

void frmYHDZCX1::OutputStatementReport(int mode) { OutputDetailReport(*this, mode); }

void frmYHDZCX1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  shared::InitToolbar(this);
}

void frmYHDZCX1::closeEvent(QCloseEvent* event) {
  GiveBackFunction();
  event->accept();
}

}  // namespace corvane::balance
