#include "reconcile/frm_yhdz.h"

#include "platform/controls/grid_types.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/toolbar_host.h"
#include "platform/db/db_error.h"
#include "shared/account_facts.h"
#include "shared/balance_sums.h"
#include "shared/function_claim.h"
#include "shared/messages.h"
#include "shared/screen_placement.h"
#include "shared/session.h"
#include "shared/window_dressing.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <exception>

namespace corvane::reconcile {

using shared::GetResString;
using shared::Session;

namespace {

const QString kPrefix = QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.");
constexpr int kTitleRowTwips = 480;
constexpr int kRowTwips = 300;
const QColor kMarkColor(255, 0, 0);

QWidget* TitleBox(QWidget* parent, const QString& name, QLabel*& label, const QString& labelName, const QString& text) {
  auto* box = new QWidget(parent);
  box->setObjectName(name);
  label = new QLabel(text, box);
  label->setObjectName(labelName);
  QFont f = label->font();
  f.setPointSize(f.pointSize() + 3);
  f.setBold(true);
  label->setFont(f);
  // The box follows its label, whatever font the suite's style gives it later.
  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(label);
  box->adjustSize();
  return box;
}

// Moves a control's top edge down to minTop, keeping its bottom edge where it was.
void KeepTopAtLeast(QWidget* control, int minTop) {
  if (control->y() >= minTop) return;
  const int bottom = control->y() + control->height();
  control->setGeometry(control->x(), minTop, control->width(), std::max(0, bottom - minTop));
}

}  // namespace

BusyScope::BusyScope(frmYHDZ& w) : w_(w) {
  w_.busy_ = true;
  w_.toolbar_->setEnabled(false);
}

BusyScope::~BusyScope() {
  w_.busy_ = false;
  w_.toolbar_->setEnabled(true);
  if (w_.closePending_) {
    w_.closePending_ = false;
    QTimer::singleShot(0, &w_, &QWidget::close);
  }
}

frmYHDZ::frmYHDZ(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmYHDZ"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("银行对账"));
  resize(1000, 640);
  BuildControls();
  Form_Load();
}

frmYHDZ::~frmYHDZ() = default;

void frmYHDZ::BuildControls() {
  toolbar_ = new platform::ToolbarHost(this);
  toolbar_->setObjectName(QStringLiteral("CTBCtrl1"));
  BuildToolbar();
  picture2_ = TitleBox(this, QStringLiteral("Picture2"), label3_, QStringLiteral("Label3"), QStringLiteral("单位日记账"));
  picture2_->setFocusPolicy(Qt::StrongFocus);
  picture3_ = TitleBox(this, QStringLiteral("Picture3"), label4_, QStringLiteral("Label4"), QStringLiteral("银行对账单"));
  picture4_ = new QWidget(this);
  picture4_->setObjectName(QStringLiteral("Picture4"));
  label5_ = new QLabel(QStringLiteral("正在调入数据..."), picture4_);
  label5_->setObjectName(QStringLiteral("Label5"));
  grid1_ = new platform::ListGrid(this);
  grid1_->setObjectName(QStringLiteral("MSGrid1"));
  grid2_ = new platform::ListGrid(this);
  grid2_->setObjectName(QStringLiteral("MsGrid2"));
  command1_ = new QPushButton(QStringLiteral("显示方向"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  connect(command1_, &QPushButton::clicked, this, &frmYHDZ::Command1_Click);
  WireGridEvents();
}

void frmYHDZ::BuildToolbar() {
  struct Button { const char* key; const char* caption; const char* tip; int picture; };
  const Button buttons[] = {{"auto", "对账", "自动对账", 205}, {"unauto", "取消", "取消对账", 175},
                            {nullptr, nullptr, nullptr, 0},    {"filt", "过滤", "过滤", 120},
                            {"ref", "对照", "对照", 166},       {"direc", "方向", "", 110},
                            {nullptr, nullptr, nullptr, 0},    {"check", "检查", "检查", 109},
                            {nullptr, nullptr, nullptr, 0},    {"help", "帮助", "帮助", 125},
                            {"exit", "退出", "退出", 118}};
  for (const Button& b : buttons) {
    if (!b.key) {
      toolbar_->AddSeparator();
      continue;
    }
    toolbar_->AddButton(QString::fromLatin1(b.key), QString::fromUtf8(b.caption), QString::fromUtf8(b.tip));
    toolbar_->SetPicture(QString::fromLatin1(b.key), b.picture);
  }
  toolbar_->SetCheckable(QStringLiteral("ref"), true);
  toolbar_->SetHotKey(QStringLiteral("help"), QKeySequence(Qt::Key_F1));
  connect(toolbar_, &platform::ToolbarHost::ButtonClicked, this, &frmYHDZ::Toolbar1_ButtonClick);
}

void frmYHDZ::Form_Load() {
  bLoaded = 0;
  shared::LocalizeForm(this, kPrefix);
  bLoaded = 1;
  shared::SetFormIcon(this);
  command1_->hide();
  // The localised caption stands in account mode; book mode names its own journal.
  if (Session::Current().BookMode()) label3_->setText(GetResString(QStringLiteral("corvane.recon.bookjournal")));
  shared::InitToolbar(this);
  try {
    Session::Current().UiStyle().StyleHeaderLabel(label3_);
    Session::Current().UiStyle().StyleHeaderLabel(label4_);
  } catch (const std::exception&) {
    // The suite's styling is a nicety; the window works without it.
  }
}

void frmYHDZ::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  shared::InitToolbar(this);
}

void frmYHDZ::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // Each activation applies the toolbar style again: another window may have
  // changed the suite's style meanwhile.
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) shared::InitToolbar(this);
}

void frmYHDZ::ShowStatus(const QString& text) {
  label5_->setText(text);
  InputDropper::KeepAlive();
}

void frmYHDZ::ShowAccountText() {
  label5_->setText(accountText_);
  label5_->adjustSize();
}

ReconLoadRequest frmYHDZ::RequestFromSelection(const QString& code, bool includeTicked) {
  platform::CommonServices& common = Session::Current().Common();
  const platform::ParamObject& param = common.GetParamObject();
  const platform::AccountingCalendar calendar = common.GetCalendar();
  ReconLoadRequest r;
  r.code = code;
  r.bookMode = Session::Current().BookMode();
  r.bookCode = r.bookMode ? param.Value4.trimmed() : QString();
  r.includeTicked = includeTicked;
  if (!param.Value2.trimmed().isEmpty())
    r.startDate = calendar.GetPeriodDate(common.GetPeriodOfDate(param.Value2) - 1, 0);
  // Without an end period there is no upper bound.
  r.endDate = param.Value3.trimmed().isEmpty() ? QDate(9999, 12, 31)
                                               : calendar.GetPeriodDate(common.GetPeriodOfDate(param.Value3) - 1, 1);
  if (!r.endDate.isValid()) r.endDate = QDate(9999, 12, 31);
  return r;
}

void frmYHDZ::LoadData(const QString& code, bool includeTicked) {
  if (busy_) return;
  try {
    request_ = RequestFromSelection(code, includeTicked);
  } catch (const std::exception& e) {
    shared::ShowMsgBox(shared::FailureText(e), 16, GetResString(shared::kTitleKey));
    return;
  }
  LoadFromRequest();
}

void frmYHDZ::Reload() {
  if (busy_) return;
  LoadFromRequest();
}

void frmYHDZ::LoadFromRequest(LoadFailureText failureText) {
  BusyScope busy(*this);
  loaded_ = false;
  Session& s = Session::Current();
  BookCode = request_.bookCode;
  CurYHKM = request_.code;
  LoadChecked = request_.includeTicked;
  grid1_->SetRows(1);
  grid2_->SetRows(1);
  journalFacts_.clear();
  statementFacts_.clear();
  try {
    const QString factsKey = request_.bookMode ? BookCode : CurYHKM;
    BankFx = shared::GetAccountDirection(factsKey);
    BDate = shared::GetStartDate(factsKey);
    request_.reconStart = BDate.isValid() ? BDate : QDate(9999, 12, 31);
    // The currency is the book's in book mode: the book code names it, not the account.
    bForeign = !shared::GetCurrencyName(factsKey).isEmpty();
    // A line whose date cannot be read is in neither list whatever its date (the
    // ranges would drop it unseen while its partner shows ticked): it is named,
    // and nothing is shown, as when the load itself meets one.
    shared::RefuseUnreadableLineDates(factsKey);
    // Book mode names the book the user chose, not the account behind it.
    accountText_ = request_.bookMode
                       ? GetResString(QStringLiteral("corvane.opening.bookprefix")) + BookCode + QLatin1Char('(') +
                             s.Cash().GetBookName(BookCode) + QLatin1Char(')')
                       : GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00015")) + CurYHKM + QLatin1Char('(') +
                             s.Common().GetAccountName(CurYHKM) + QLatin1Char(')');
    const RowTexts texts{s.Common().GetDirectionText(1), s.Common().GetDirectionText(0)};

    ShowStatus(GetResString(kPrefix + QStringLiteral("frmYHDZ.Label5")));
    // The journal's date reads as the session's language writes a date in full.
    const QString journalDate = GetResString(QStringLiteral("corvane.recon.loadingdate"));
    GridRows journalRows = JournalRows(s.Db(), JournalLoadQuery(request_), bForeign, texts,
                                       [this, &journalDate](const QDate& date, const QString& voucher) {
                                         ShowStatus(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.loadingbill"),
                                                                 date.toString(journalDate), voucher));
                                       });
    GridRows statementRows = StatementRows(s.Db(), StatementLoadQuery(request_), texts,
                                           [this](const QDate& date, const QString& line) {
                                             ShowStatus(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.loading"),
                                                                     date.toString(QStringLiteral("yyyy-MM-dd")), line));
                                           });

    SetUpGrid(grid1_, {"00031", "00032", "00025", "00026", "00027", "00008", "00496", "00037", "00038"},
              {1000, 1000, 1000, 1000, 280, 1500, 280, request_.bookMode ? 0 : 1400, 2000},
              {Qt::AlignCenter, Qt::AlignCenter, Qt::AlignCenter, Qt::AlignCenter, Qt::AlignRight | Qt::AlignVCenter,
               Qt::AlignRight | Qt::AlignVCenter, Qt::AlignCenter, Qt::AlignCenter, Qt::AlignLeft | Qt::AlignVCenter});
    SetUpGrid(grid2_, {"00024", "00025", "00026", "00027", "00008", "00488"}, {2000, 1000, 1000, 280, 1500, 280},
              {Qt::AlignCenter, Qt::AlignCenter, Qt::AlignCenter, Qt::AlignCenter, Qt::AlignRight | Qt::AlignVCenter,
               Qt::AlignCenter});
    OpenWideEnough();
    ShowRows(grid1_, journalRows, 6);
    journalFacts_ = std::move(journalRows.facts);
    ShowRows(grid2_, statementRows, 5);
    statementFacts_ = std::move(statementRows.facts);
    ShowAccountText();
    loaded_ = true;
  } catch (const std::exception& e) {
    // Nothing half-loaded stays: empty grids, the toolbar back, and the reason said.
    grid1_->SetRows(1);
    grid2_->SetRows(1);
    journalFacts_.clear();
    statementFacts_.clear();
    ShowAccountText();
    const QString reason = shared::FailureText(e);
    if (failureText == LoadFailureText::OwnWords) shared::ShowMsgBox(reason, 0, QString());
    else shared::ShowMsgBox(GetResString(QStringLiteral("corvane.recon.loadfailed"), reason), 16, GetResString(shared::kTitleKey));
  }
}

void frmYHDZ::SetUpGrid(platform::ListGrid* grid, const QStringList& titleKeys, const std::vector<int>& widths,
                        const std::vector<Qt::Alignment>& alignments) {
  grid->SetRedraw(false);
  // A reload keeps the widths the user dragged; only the first load sets them.
  const bool firstSetUp = grid->Cols() != titleKeys.size();
  grid->SetCols(titleKeys.size());
  grid->SetRows(1);
  try {
    Session::Current().UiStyle().StyleGrid(grid, true);
    Session::Current().Common().ApplyGridSettings(grid);
  } catch (const std::exception&) {
  }
  for (int c = 0; c < titleKeys.size(); ++c) {
    const QString title = GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + titleKeys[c]);
    grid->SetTextMatrix(0, c, title);
    // A shown column is never narrower than its title, whatever the language.
    const int titleTwips = grid->ColumnTwips(QFontMetrics(grid->font()).horizontalAdvance(title) + 12);
    if (firstSetUp) grid->SetColWidth(c, widths[c] == 0 ? 0 : std::max(widths[c], titleTwips));
    grid->SetColAlignment(c, alignments[c]);
  }
  grid->SetRowHeight(0, kTitleRowTwips);
  grid->SetSelectionColors(Session::Current().gColorLightRose, Qt::black);
  grid->SetRedraw(true);
}

// At the first load the window widens so that both grids show every column at
// its width side by side, as far as the screen allows; later the user's size stays.
void frmYHDZ::OpenWideEnough() {
  if (widened_) return;
  widened_ = true;
  // Each grid gets half of the window less the layout's margins, about a word each side.
  const int margins = 4 * platform::GridTwipsToPixels(180);
  shared::WidenWindow(this, 2 * std::max(shared::GridWidthForColumns(*grid1_), shared::GridWidthForColumns(*grid2_)) + margins);
}

void frmYHDZ::ShowRows(platform::ListGrid* grid, GridRows& rows, int markColumn) {
  grid->SetRedraw(false);
  const int count = rows.size();
  grid->FillRows(std::move(rows.cells), std::move(rows.keys));
  const QColor ticked = Session::Current().gColorLightYellow;
  for (int i = 0; i < count; ++i)
    if (rows.facts[i].tick.value_or(0) > 0) grid->SetRowBackColor(i + 1, ticked);
  if (count > 0) grid->SetRangeForeColor(1, markColumn, count, markColumn, kMarkColor);
  grid->SetRowHeight(1, kRowTwips);
  grid->SetRedraw(true);
}

void frmYHDZ::SetHeld(const QString& functionId, const QString& lockedCode) {
  heldFunction_ = functionId;
  heldCode_ = lockedCode;
}

void frmYHDZ::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Form_Resize();
}

void frmYHDZ::Form_Resize() {
  if (bLoaded == 0) return;
  if (!oLayout) oLayout = std::make_unique<shared::LayoutHelper>();
  oLayout->PrepareForm(this, 40, 8);
  const int titleStep = oLayout->GetTitleHeight() * 5 / 2 / 15;  // twips to pixels
  toolbar_->setGeometry(0, 0, width(), toolbar_->sizeHint().height());
  const int top = toolbar_->height();
  // The account line runs under the toolbar; the grids' titles go below it, so a
  // long account name and a centred title never share a line.
  const int firstGridTop = top + label5_->sizeHint().height() + 4 + titleStep;
  oLayout->FitControl(grid1_, 10, 4, 0, std::nullopt, 4, 0, true);
  KeepTopAtLeast(grid1_, firstGridTop);
  if (!bVertical) {
    oLayout->FitControl(grid2_, 10, 4, std::nullopt, 0, 4, 0, true);
    KeepTopAtLeast(grid2_, firstGridTop);
    picture2_->move(grid1_->x() + (grid1_->width() - picture2_->width()) / 2, grid1_->y() - titleStep);
    picture3_->move(grid2_->x() + (grid2_->width() - picture3_->width()) / 2, grid2_->y() - titleStep);
  } else {
    // One above the other: each grid keeps its title centred above it, so the
    // statement grid gives up a title's height to its own title.
    const int height = std::max(0, (grid1_->height() - titleStep) / 2);
    grid1_->resize(grid1_->width() * 2, height);
    grid2_->setGeometry(grid1_->x(), grid1_->y() + height + titleStep, grid1_->width(), height);
    picture2_->move(grid1_->x() + (grid1_->width() - picture2_->width()) / 2, grid1_->y() - titleStep);
    picture3_->move(grid2_->x() + (grid2_->width() - picture3_->width()) / 2, grid2_->y() - titleStep);
  }
  picture2_->adjustSize();
  picture3_->adjustSize();
  picture4_->setGeometry(0, top, width() / 3, label5_->sizeHint().height() + 4);
  label5_->resize(width(), label5_->sizeHint().height());
}

void frmYHDZ::Command1_Click() {
  bVertical = !bVertical;
  Form_Resize();
  grid1_->Refresh();
  grid2_->Refresh();
}

void frmYHDZ::closeEvent(QCloseEvent* event) {
  if (busy_) {
    closePending_ = true;
    event->ignore();
    return;
  }
  Session& s = Session::Current();
  // Each is given back on its own, so a lock that cannot be released never
  // keeps the function claimed. The window closes in any case; the host cleans
  // up what a lost session held.
  try {
    if (!heldCode_.isEmpty()) s.Common().LockAccount(heldCode_, false);
  } catch (const std::exception&) {
  }
  try {
    if (!heldFunction_.isEmpty()) shared::ClaimFunction(heldFunction_, false);
  } catch (const std::exception&) {
  }
  heldCode_.clear();
  heldFunction_.clear();
  event->accept();
}

}  // namespace corvane::reconcile
