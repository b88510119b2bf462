#include "statement/frm_yhdzd.h"

#include "platform/controls/entry_grid.h"
#include "platform/controls/resource_pictures.h"
#include "platform/controls/toolbar_host.h"
#include "platform/db/db_error.h"
#include "platform/services/common_services.h"
#include "shared/frm_yhkmxz.h"
#include "shared/function_claim.h"
#include "shared/messages.h"
#include "shared/screen_placement.h"
#include "shared/session.h"
#include "shared/window_dressing.h"
#include "statement/statement_cells.h"
#include "statement/statement_store.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <optional>
#include <utility>

namespace corvane::statement {

using platform::ColumnKind;
using platform::Money;
using shared::GetResString;
using shared::Session;

namespace {

const QString kPrefix = QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.");

// Thrown out of the walk over the lines when the window stopped the load.
struct LoadStopped {};

bool IsInput(QEvent::Type t) {
  switch (t) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
      return true;
    default:
      return false;
  }
}

// A statement line as a message names it: its id as the window shows it, date and amount.
QString LineName(const StatementLine& l) {
  return QStringLiteral("%1  %2  %3").arg(QString::number(l.id).rightJustified(6, QLatin1Char('0')),
                                           l.date.toString(QStringLiteral("yyyy.MM.dd")), l.amount.ToDisplayText());
}

// Lines read since the grid last grew.
struct LoadedRows {
  std::vector<std::vector<QString>> cells;
  std::vector<qint64> keys;
  std::vector<std::pair<size_t, int>> states;  // rows not in state 0
};

// Appends the lines read to the grid and empties the batch. The first batch fills
// the empty grid in one pass; later ones give the view one insert, and their texts
// and colours show in one go with the redraw back on.
void AppendLoaded(platform::EntryGrid& grid, shared::GridEditor& editor, LoadedRows& batch) {
  if (batch.cells.empty()) return;
  const int first = grid.Rows();
  if (first == 1) {
    std::vector<QVariant> keys;
    keys.reserve(batch.keys.size());
    for (qint64 id : batch.keys) keys.push_back(QVariant::fromValue(id));
    grid.SetRedraw(false);
    grid.FillRows(std::move(batch.cells), std::move(keys));
  } else {
    grid.SetRows(first + static_cast<int>(batch.cells.size()));
    grid.SetRedraw(false);
    for (size_t i = 0; i < batch.cells.size(); ++i) {
      const int row = first + static_cast<int>(i);
      const std::vector<QString>& cells = batch.cells[i];
      for (size_t c = 0; c < cells.size(); ++c) grid.SetTextMatrix(row, static_cast<int>(c), cells[c]);
      grid.SetRowData(row, QVariant::fromValue(batch.keys[i]));
    }
  }
  for (const auto& [i, state] : batch.states) editor.SetRowState(first + static_cast<int>(i), state);
  grid.SetRedraw(true);
  batch = LoadedRows();
}

}  // namespace

// --- Busy ------------------------------------------------------------------------

StatementBusy::StatementBusy(frmYHDZD& w) : w_(w) {
  w_.busy_ = true;
  w_.toolbar_->setEnabled(false);
  qApp->installEventFilter(&w_);
}

StatementBusy::~StatementBusy() {
  // Input that arrived during the run is delivered now, while the filter still
  // swallows it: dropped, never replayed.
  QCoreApplication::processEvents();
  qApp->removeEventFilter(&w_);
  w_.busy_ = false;
  w_.toolbar_->setEnabled(true);
  if (w_.closePending_) {
    w_.closePending_ = false;
    QTimer::singleShot(0, &w_, &QWidget::close);
  }
}

bool frmYHDZD::eventFilter(QObject* watched, QEvent* event) {
  if ((busy_ || loading_) && IsInput(event->type())) {
    auto* widget = qobject_cast<QWidget*>(watched);
    // While lines load, the toolbar stays: the buttons it leaves enabled then are
    // the commands a load allows.
    const bool toolbar = widget && !busy_ && (widget == toolbar_ || toolbar_->isAncestorOf(widget));
    if (widget && widget->window() == this && !toolbar) return true;
  }
  return QWidget::eventFilter(watched, event);
}

// --- Loading guard -------------------------------------------------------------------

int frmYHDZD::pumpIntervalMs_ = 100;

void frmYHDZD::SetPumpInterval(int milliseconds) { pumpIntervalMs_ = std::max(0, milliseconds); }

StatementLoading::StatementLoading(frmYHDZD& w) : w_(w) {
  w_.loading_ = true;
  w_.EnableToolbarButtons(false);
  qApp->installEventFilter(&w_);
}

StatementLoading::~StatementLoading() {
  // Input that arrived during the walk is delivered now, while the filter still
  // swallows it: dropped, never replayed.
  QCoreApplication::processEvents();
  qApp->removeEventFilter(&w_);
  w_.loading_ = false;
  w_.label3_->clear();
  w_.EnableToolbarButtons(true);
  if (w_.closePending_) {
    w_.closePending_ = false;
    w_.afterLoad_.clear();
    QTimer::singleShot(0, &w_, &QWidget::close);
  } else if (!w_.afterLoad_.isEmpty()) {
    const QString key = std::exchange(w_.afterLoad_, QString());
    // The command runs on lines not all shown yet; when it loads nothing itself
    // (the import was cancelled), the lines are loaded again.
    QTimer::singleShot(0, &w_, [w = &w_, key] {
      const int loads = w->loads_;
      w->Toolbar1_ButtonClick(key);
      if (w->loads_ == loads) w->Reload();
    });
  }
}

void frmYHDZD::StopLoadFor(const QString& key) {
  afterLoad_ = key;
  loading_ = false;
}

// --- Set-up ------------------------------------------------------------------------

frmYHDZD::frmYHDZD(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmYHDZD"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("银行对账单"));
  resize(900, 600);
  BuildControls();
  shared::LocalizeForm(this, kPrefix);
  shared::SetFormIcon(this);
  KeepSelectionDialog();
  const bool book = Session::Current().BookMode();
  toolbar_->SetButtonVisible(QStringLiteral("import1"), book);
  lblBook_->setVisible(book);
  lblBookName_->setVisible(book);
  SetUpGrid();
  shared::InitToolbar(this);
  try {
    Session::Current().UiStyle().StyleHeaderLabel(lblHeader_);
    Session::Current().UiStyle().StyleForm(this, true);
  } catch (const std::exception&) {
    // The suite's styling is a nicety; the window works without it.
  }
  // Every column shows at its width in the styled font, the balance beside the scroll bar.
  shared::WidenWindow(this, shared::GridWidthForColumns(*grid_));
}

frmYHDZD::~frmYHDZD() = default;

void frmYHDZD::BuildControls() {
  toolbar_ = new platform::ToolbarHost(this);
  toolbar_->setObjectName(QStringLiteral("CTBCtrl1"));
  BuildToolbar();
  picture2_ = new QWidget(this);
  picture2_->setObjectName(QStringLiteral("Picture2"));
  picture2_->setFocusPolicy(Qt::StrongFocus);
  lblHeader_ = new QLabel(QStringLiteral("银行对账单"), picture2_);
  lblHeader_->setObjectName(QStringLiteral("lblHeader"));
  QFont f = lblHeader_->font();
  f.setPointSize(f.pointSize() + 4);
  f.setBold(true);
  lblHeader_->setFont(f);
  label1_ = new QLabel(picture2_);
  label1_->setObjectName(QStringLiteral("Label1"));
  label3_ = new QLabel(picture2_);
  label3_->setObjectName(QStringLiteral("Label3"));
  lblBook_ = new QLabel(QStringLiteral("账簿："), picture2_);
  lblBook_->setObjectName(QStringLiteral("lblBook"));
  lblBookName_ = new QLabel(picture2_);
  lblBookName_->setObjectName(QStringLiteral("lblBookName"));
  auto* head = new QVBoxLayout(picture2_);
  head->addWidget(lblHeader_, 0, Qt::AlignHCenter);
  auto* line = new QHBoxLayout;
  line->addWidget(label1_);
  line->addSpacing(24);
  line->addWidget(lblBook_);
  line->addWidget(lblBookName_);
  line->addStretch(1);
  line->addWidget(label3_);
  head->addLayout(line);

  grid_ = new platform::EntryGrid(this);
  grid_->setObjectName(QStringLiteral("MsGrid1"));
  editor_ = std::make_unique<shared::GridEditor>(grid_, static_cast<shared::GridEditorHost*>(this), this);
  editor_->AttachBalance(&balance_, 6);

  picture4_ = new QWidget(this);
  picture4_->setObjectName(QStringLiteral("Picture4"));
  auto* legend = new QHBoxLayout(picture4_);
  auto swatch = [&](const QColor& c, const QString& name, const QString& text) {
    auto* box = new QLabel(picture4_);
    box->setFixedSize(24, 14);
    box->setStyleSheet(QStringLiteral("background:%1;border:1px solid gray").arg(c.name()));
    auto* label = new QLabel(text, picture4_);
    label->setObjectName(name);
    legend->addWidget(box);
    legend->addWidget(label);
  };
  swatch(shared::RowStateColor(shared::kRowTicked), QStringLiteral("Label2"), QStringLiteral("已勾对"));
  swatch(shared::RowStateColor(shared::kRowProtected), QStringLiteral("Label12"), QStringLiteral("启用日期以前"));
  legend->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolbar_);
  layout->addWidget(picture2_);
  layout->addWidget(grid_, 1);
  layout->addWidget(picture4_);

  connect(grid_, &platform::EntryGrid::EditKeyPress, this, [this](int row, int col, const QString& text) {
    if (!text.isEmpty()) OnEditKey(row, col);
  });
  connect(grid_, &platform::EntryGrid::AddRowRequest, this, &frmYHDZD::AddRow);
  connect(editor_.get(), &shared::GridEditor::CellButton, this, [](int, int col, QWidget* editor) {
    if (col == 2) Session::Current().Common().AttachSettleStyleList(editor, true);
  });
  grid_->SetRefRequest([](int, int, QString&) {
    shared::ShowMsgBox(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00648")), 0, GetResString(shared::kCashTitleKey));
    return false;
  });
  connect(grid_, &platform::GridBase::KeyPressed, this,
          [this](int key, Qt::KeyboardModifiers modifiers) { ZqKeyHookCtrl1_KeyUp(key, modifiers); });
  connect(grid_, &platform::GridBase::RightClick, this, [this] { ShowContextMenu(); });
}

void frmYHDZD::BuildToolbar() {
  struct Button {
    const char* key;
    const char* caption;
    const char* tip;
    int picture;  // 0: none
  };
  const Button buttons[] = {{"setup", "设置", "打印设置", 263},
                            {"print", "打印", "打印", 141},
                            {"preview", "预览", "预览", 140},
                            {"dout", "输出", "数据输出", 235},
                            {nullptr, nullptr, nullptr, 0},
                            {"add", "增加", "增加", 100},
                            {"save", "保存", "保存", 145},
                            {"del", "删除", "删除", 114},
                            {nullptr, nullptr, nullptr, 0},
                            {"filt", "过滤", "过滤", 120},
                            {nullptr, nullptr, nullptr, 0},
                            {"import", "引入", "引入外部数据", 151},
                            {"import1", "导入", "从网上银行导入对账单", 0},
                            {nullptr, nullptr, nullptr, 0},
                            {"help", "帮助", "帮助", 125},
                            {"exit", "退出", "退出", 118}};
  for (const Button& b : buttons) {
    if (!b.key) {
      toolbar_->AddSeparator();
      continue;
    }
    toolbar_->AddButton(QString::fromLatin1(b.key), QString::fromUtf8(b.caption), QString::fromUtf8(b.tip));
    if (b.picture) toolbar_->SetPicture(QString::fromLatin1(b.key), b.picture);
  }
  // The bank feed has no bitmap of the component's own: it shows the theme's
  // picture of data arriving over the network.
  toolbar_->SetIcon(QStringLiteral("import1"), platform::ThemePicture(QStringLiteral("network-receive")));
  toolbar_->SetHotKey(QStringLiteral("help"), QKeySequence(Qt::Key_F1));
  connect(toolbar_, &platform::ToolbarHost::ButtonClicked, this, &frmYHDZD::Toolbar1_ButtonClick);
}

void frmYHDZD::SetUpGrid() {
  auto title = [](const char* key) { return GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(key)); };
  const Qt::Alignment left = platform::AlignmentFromCode(1);
  const Qt::Alignment right = platform::AlignmentFromCode(7);
  editor_->SetColumns({{QStringLiteral("ID"), 0, platform::AlignmentFromCode(4), ColumnKind::ReadOnly, 0, true},
                       {title("00024"), 1330, left, ColumnKind::Date, 10, false, true},
                       {title("00025"), 2000, left, ColumnKind::List, 20, false, true},
                       {title("00026"), 1000, left, ColumnKind::Text, 30, false, false, platform::PrintColumnKind::Number},
                       {title("00083"), 2000, right, ColumnKind::Amount, 16},
                       {title("00084"), 2000, right, ColumnKind::Amount, 16},
                       {title("00643"), 2000, right, ColumnKind::ReadOnly, 0, false, false, platform::PrintColumnKind::Amount}},
                      480);
  grid_->SetDataRowHeight(300);
  grid_->SetSelectionColors(Session::Current().gColorLightRose, Qt::black);
}

void frmYHDZD::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  shared::InitToolbar(this);
}

void frmYHDZD::SetHeld(const QString& functionId, const QString& lockedCode) {
  heldFunction_ = functionId;
  heldCode_ = lockedCode;
}

// --- Loading -------------------------------------------------------------------------

void frmYHDZD::LoadData(const QString& code, const QDate& startDate) {
  if (busy_) return;
  try {
    context_ = ContextFromSelection(code, startDate);
  } catch (const std::exception& e) {
    shared::ShowMsgBox(shared::FailureText(e), 16, GetResString(shared::kCashTitleKey));
    return;
  }
  Reload();
}

void frmYHDZD::Reload() {
  if (busy_) return;
  CurYHKM = context_.accountCode;
  strBookCode = context_.bookCode;
  BDate = context_.startDate;
  strDateEnd = context_.endPeriodText;
  try {
    Session& s = Session::Current();
    label1_->setText(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00015")) + s.Common().GetAccountName(CurYHKM) +
                     QLatin1Char('(') + CurYHKM + QLatin1Char(')'));
    if (context_.bookMode) lblBookName_->setText(s.Cash().GetBookName(strBookCode));
    LoadRows();
  } catch (const std::exception& e) {
    label3_->clear();
    EnableToolbarButtons(true);
    shared::ShowMsgBox(shared::FailureText(e), 16, GetResString(shared::kCashTitleKey));
  }
}

void frmYHDZD::LoadRows() {
  ++loads_;
  StatementLoading loading(*this);
  Session& s = Session::Current();
  StatementStore store(s.Db(), context_);
  // The lines join the grid as they are read, a batch at every pause.
  grid_->SetRows(1);
  // A start beyond the range of amounts leaves every balance unknown; the line to
  // blame is named below, or the failure is reported as it is.
  std::optional<platform::DbError> startError;
  Money start;
  try {
    start = store.BalanceBeforeStart();
  } catch (const platform::DbError& e) {
    startError = e;
  }
  balance_.Reset(start, context_.debitDirection);
  if (startError) balance_.MarkStartUnknown();
  LoadedRows batch;
  platform::CommonServices& common = s.Common();
  // Lines share their dates: each is formatted once.
  QHash<qint64, QString> dateTexts;
  // The line to blame when a balance leaves the range of amounts, named once
  // loaded: the first beyond what a line may carry, else the one where it left.
  QString oversized, faultLine;
  // The line being read shows in Label3, and the window's events run, as often
  // as the eye can follow: the toolbar's remaining commands and the close box
  // answer while a large account loads.
  QElapsedTimer sinceShown;
  bool first = true;
  const auto showProgress = [&](const StatementLine& l) {
    if (!first && sinceShown.elapsed() < pumpIntervalMs_) return;
    first = false;
    label3_->setText(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.loading"), l.date.toString(Qt::ISODate),
                                  l.settle + QStringLiteral(" - ") + FourDigitNumber(l.number)));
    AppendLoaded(*grid_, *editor_, batch);
    QCoreApplication::processEvents();
    sinceShown.restart();
    if (!loading_) throw LoadStopped{};
  };
  // The last line read (its id, date and amount): a line that cannot be read is
  // named as the one after it.
  StatementLine lastRead;
  try {
    store.ForEachLine([&](StatementLine& l) {
      lastRead.id = l.id;
      lastRead.date = l.date;
      lastRead.amount = l.amount;
      showProgress(l);
      if (oversized.isEmpty() && l.amount > Money::LineMax()) oversized = LineName(l);
      const Money debit = l.debit ? l.amount : Money();
      const Money credit = l.debit ? Money() : l.amount;
      if (context_.lowerBound.isValid() && l.date < context_.lowerBound) {
        // Not shown, but its amount stays in the balance of the first shown line.
        if (!balance_.CarryIntoStart(l.amount, l.debit) && faultLine.isEmpty()) faultLine = LineName(l);
        return;
      }
      if (context_.upperBound.isValid() && l.date > context_.upperBound) return;
      QString after = balance_.Append(debit, credit, l.debit);
      if (faultLine.isEmpty() && balance_.FaultRow() == balance_.Rows()) faultLine = LineName(l);
      auto date = dateTexts.find(l.date.toJulianDay());
      if (date == dateTexts.end()) date = dateTexts.insert(l.date.toJulianDay(), common.FormatDate(l.date));
      // Cells moved in, not copied out of a brace list: the load makes 700,000 of them.
      std::vector<QString>& cells = batch.cells.emplace_back();
      cells.reserve(7);
      cells.push_back(QString::number(l.id).rightJustified(6, QLatin1Char('0')));
      cells.push_back(*date);
      cells.push_back(std::move(l.settle));
      cells.push_back(std::move(l.number));
      cells.push_back(l.debit ? debit.ToDisplayText() : QString());
      cells.push_back(l.debit ? QString() : credit.ToDisplayText());
      cells.push_back(std::move(after));
      batch.keys.push_back(l.id);
      int state = l.ticked ? shared::kRowTicked : shared::kRowOpen;
      if (BDate.isValid() && l.date < BDate) state = l.ticked ? shared::kRowProtectedMarked : shared::kRowProtected;
      if (state != shared::kRowOpen) batch.states.emplace_back(batch.cells.size() - 1, state);
    });
  } catch (const LoadStopped&) {
    // The window closes, or runs the command that stopped the load and loads again.
    return;
  } catch (const std::exception& e) {
    // The lines read before the failure stay in the grid, as the next pause would have shown them.
    AppendLoaded(*grid_, *editor_, batch);
    if (grid_->Rows() >= 2) grid_->SetRow(1);
    const auto* db = dynamic_cast<const platform::DbError*>(&e);
    if (db && db->ErrorKind() == platform::DbError::Kind::Unreadable)
      throw platform::DbError(lastRead.id ? GetResString(QStringLiteral("corvane.statement.unreadable"), LineName(lastRead))
                                          : GetResString(QStringLiteral("corvane.statement.unreadablefirst")));
    throw;
  }
  AppendLoaded(*grid_, *editor_, batch);
  if (grid_->Rows() >= 2) grid_->SetRow(1);
  if (startError && oversized.isEmpty()) throw *startError;
  if (balance_.FaultRow() > 0)
    shared::ShowMsgBox(GetResString(QStringLiteral("corvane.statement.balancefault"),
                                    oversized.isEmpty() ? faultLine : oversized),
                       48, GetResString(shared::kCashTitleKey));
}

void frmYHDZD::EnableToolbarButtons(bool enabled) {
  for (const char* key : {"print", "preview", "dout", "add", "save", "del", "filt", "import"})
    toolbar_->SetButtonEnabled(QString::fromLatin1(key), enabled);
}

// --- Closing -------------------------------------------------------------------------

void frmYHDZD::closeEvent(QCloseEvent* event) {
  if (loading_) {
    // The load stops after the line it is on; the window then closes.
    loading_ = false;
    closePending_ = true;
    event->ignore();
    return;
  }
  if (busy_) {
    closePending_ = true;
    event->ignore();
    return;
  }
  if (!SettleCurrentRow()) {
    event->ignore();
    return;
  }
  // The window closes in any case, and each of the two is given back on its own:
  // a lock that cannot be released must not keep the function from another
  // window. The host cleans up what a lost session held.
  try {
    if (!heldCode_.isEmpty()) Session::Current().Common().LockAccount(heldCode_, false);
  } catch (const std::exception&) {
  }
  try {
    if (!heldFunction_.isEmpty()) shared::ClaimFunction(heldFunction_, false);
  } catch (const std::exception&) {
  }
  heldCode_.clear();
  heldFunction_.clear();
  shared::frmYHKMXZ::Unload();
  event->accept();
}

}  // namespace corvane::statement
