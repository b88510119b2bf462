#include "query/two_grid_window.h"

#include "platform/controls/list_grid.h"
#include "platform/controls/toolbar_host.h"
#include "platform/print/grid_print_service.h"
#include "platform/print/print_control.h"
#include "shared/function_claim.h"
#include "shared/help_page.h"
#include "shared/messages.h"
#include "shared/right_menu.h"
#include "shared/session.h"
#include "shared/twips.h"
#include "shared/window_dressing.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTabBar>
#include <QVBoxLayout>
#include <exception>

namespace corvane::query {

using shared::GetResString;
using shared::Session;

TwoGridWindow::TwoGridWindow(const QString& objectName, quint8 dialogMode, shared::AmountMatch findMatch,
                             bool searchApart)
    : QWidget(nullptr, Qt::Window) {
  setObjectName(objectName);
  setAttribute(Qt::WA_DeleteOnClose);
  toolbar_ = new platform::ToolbarHost(this);
  toolbar_->setObjectName(QStringLiteral("CTBCtrl1"));
  BuildToolbar(searchApart);
  picture2_ = new QWidget(this);
  picture2_->setObjectName(QStringLiteral("Picture2"));
  picture2_->setFocusPolicy(Qt::StrongFocus);
  tabs_ = new QTabBar(this);
  tabs_->setObjectName(QStringLiteral("TabS1"));
  tabs_->addTab(QStringLiteral("银行对账单"));
  tabs_->addTab(QStringLiteral("单位日记账"));
  tabs_->setExpanding(false);
  grid1_ = new platform::ListGrid(this);
  grid1_->setObjectName(QStringLiteral("MSGrid1"));
  grid2_ = new platform::ListGrid(this);
  grid2_->setObjectName(QStringLiteral("MSGrid2"));
  grid2_->hide();
  body_ = new QVBoxLayout(this);
  body_->setContentsMargins(4, 0, 4, 4);
  body_->setSpacing(4);
  body_->addWidget(toolbar_);
  body_->addWidget(picture2_);
  body_->addWidget(tabs_);
  body_->addWidget(grid1_, 1);
  body_->addWidget(grid2_, 1);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int page) { TabS1_Click(page); });
  for (platform::ListGrid* grid : {grid1_, grid2_}) {
    connect(grid, &platform::GridBase::RightClick, this, [this, grid](const QPoint& pos, const QPoint&) {
      ShowContextMenu(shared::PixelsToTwips(grid->x() + pos.x()), shared::PixelsToTwips(grid->y() + pos.y()));
    });
  }
  prnCtrl_ = new platform::PrintControl(this);
  prnCtrl_->setObjectName(QStringLiteral("prnCtrl"));
  filterFind_ = std::make_unique<shared::GridFilterFind>(*this, this, dialogMode, findMatch);
}

TwoGridWindow::~TwoGridWindow() = default;

void TwoGridWindow::BuildToolbar(bool searchApart) {
  struct Button { const char* key; const char* caption; const char* tip; int picture; };
  // A separator whose key is "apart" stands only where search and exit are apart.
  const Button buttons[] = {{"setup", "设置", "打印设置", 263}, {"print", "打印", "打印", 141},
                            {"preview", "预览", "预览", 140},   {"dout", "输出", "数据输出", 235},
                            {nullptr, nullptr, nullptr, 0},     {"search", "查询", "查询", 122},
                            {"apart", nullptr, nullptr, 0},     {"find", "定位", "定位", 146},
                            {"filt", "过滤", "过滤", 120},      {nullptr, nullptr, nullptr, 0},
                            {"help", "帮助", "帮助", 125},      {"apart", nullptr, nullptr, 0},
                            {"exit", "退出", "退出", 118}};
  for (const Button& b : buttons) {
    if (!b.caption) {
      if (!b.key || searchApart) toolbar_->AddSeparator();
      continue;
    }
    // Named by its key, so that the captions follow the session's language.
    toolbar_->AddButton(QString::fromLatin1(b.key), QString::fromUtf8(b.caption), QString::fromUtf8(b.tip))
        ->setObjectName(QString::fromLatin1(b.key));
    toolbar_->SetPicture(QString::fromLatin1(b.key), b.picture);
  }
  toolbar_->SetHotKey(QStringLiteral("help"), QKeySequence(Qt::Key_F1));
  connect(toolbar_, &platform::ToolbarHost::ButtonClicked, this, &TwoGridWindow::Toolbar1_ButtonClick);
}

void TwoGridWindow::SetHeld(const QString& functionId, const QString& lockedCode) {
  heldFunction_ = functionId;
  heldLock_ = lockedCode;
}

void TwoGridWindow::SetDirectionTexts(const QString& debitText, const QString& creditText) {
  filterFind_->SetDirectionTexts(debitText, creditText);
}

void TwoGridWindow::SetBusy(bool busy) {
  busy_ = busy;
  toolbar_->setEnabled(!busy);
}

int TwoGridWindow::TitledColumnWidth(const platform::GridBase* grid, int twips, const QString& title) {
  if (twips == 0) return 0;
  const int titleTwips = grid->ColumnTwips(QFontMetrics(grid->font()).horizontalAdvance(title) + 12);
  return std::max(twips, titleTwips);
}

void TwoGridWindow::SetTitleRow(platform::ListGrid* grid, const std::vector<QString>& titles,
                                const std::vector<int>& widths, const std::vector<Qt::Alignment>& alignments) {
  grid->SetRows(1);
  grid->SetCols(static_cast<int>(titles.size()));
  for (int c = 0; c < grid->Cols(); ++c) {
    grid->SetTextMatrix(0, c, titles[c]);
    grid->SetCellAlignment(0, c, Qt::AlignCenter);
    grid->SetColAlignment(c, alignments[c]);
    grid->SetColWidth(c, TitledColumnWidth(grid, widths[c], titles[c]));
  }
  grid->SetRowHeight(0, 480);  // twips
  grid->SetSelectionColors(Session::Current().gColorLightRose, Qt::black);
}

void TwoGridWindow::SetPrintKinds(platform::ListGrid* grid,
                                  const std::vector<std::pair<int, platform::PrintColumnKind>>& kinds) {
  for (int c = 0; c < grid->Cols(); ++c) grid->SetColPrintKind(c, platform::PrintColumnKind::Text);
  for (const auto& [c, kind] : kinds) grid->SetColPrintKind(c, kind);
}

platform::ListGrid* TwoGridWindow::CurrentGrid() const { return tabs_->currentIndex() == 0 ? grid1_ : grid2_; }

void TwoGridWindow::TabS1_Click(int page) {
  grid1_->setVisible(page == 0);
  grid2_->setVisible(page != 0);
  CurrentGrid()->Refresh();
}

void TwoGridWindow::Toolbar1_ButtonClick(const QString& key) {
  if (busy_) return;
  const QString k = key.toLower();
  if (k == QLatin1String("setup")) rSetup();
  else if (k == QLatin1String("print")) rPrint();
  else if (k == QLatin1String("preview")) rPreview();
  else if (k == QLatin1String("dout")) rDataOut();
  else if (k == QLatin1String("search")) rSearch();
  else if (k == QLatin1String("find")) rFind();
  else if (k == QLatin1String("filt")) rFilt();
  else if (k == QLatin1String("help")) rHelp();
  else if (k == QLatin1String("exit")) {
    rExit();
    return;
  }
  picture2_->setFocus();
}

void TwoGridWindow::ShowContextMenu(int x, int y) {
  if (busy_) return;
  shared::ShowRightMenu(this,
                        {QStringLiteral("setup"), QStringLiteral("print"), QStringLiteral("preview"),
                         QStringLiteral("dataout"), QStringLiteral("se1"), QStringLiteral("search"),
                         QStringLiteral("find"), QStringLiteral("filt"), QStringLiteral("se5"), QStringLiteral("help"),
                         QStringLiteral("exit")},
                        {}, x, y);
}

void TwoGridWindow::FilterRows() {
  platform::ListGrid* grid = CurrentGrid();
  filterFind_->FilterRows(*grid, ColumnsOf(grid == grid1_ ? 1 : 2));
}

void TwoGridWindow::FindRows() {
  platform::ListGrid* grid = CurrentGrid();
  filterFind_->FindRows(*grid, ColumnsOf(grid == grid1_ ? 1 : 2));
}

void TwoGridWindow::rSetup() { if (!busy_) PrintCurrentGrid(3); }
void TwoGridWindow::rPrint() { if (!busy_) PrintCurrentGrid(0); }
void TwoGridWindow::rPreview() { if (!busy_) PrintCurrentGrid(1); }
void TwoGridWindow::rDataOut() { if (!busy_) PrintCurrentGrid(2); }
void TwoGridWindow::rSearch() { if (!busy_) RequeryWithConditions(); }
void TwoGridWindow::rFind() { if (!busy_) FindRows(); }
void TwoGridWindow::rFilt() { if (!busy_) FilterRows(); }

void TwoGridWindow::rHelp() { shared::ShowHelpPage(MenuId()); }

void TwoGridWindow::rExit() { close(); }

void TwoGridWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  shared::InitToolbar(this);
}

void TwoGridWindow::closeEvent(QCloseEvent* event) {
  if (busy_) {
    event->ignore();
    return;
  }
  try {
    if (!heldLock_.isEmpty()) Session::Current().Common().LockAccount(heldLock_, false, heldFunction_);
    if (!heldFunction_.isEmpty()) shared::ClaimFunction(heldFunction_, false);
  } catch (const std::exception&) {
    // The window closes in any case; the host cleans up what a lost session held.
  }
  heldLock_.clear();
  heldFunction_.clear();
  event->accept();
}

}  // namespace corvane::query
