#include "opening/opening_item_window.h"

#include "opening/guarded_command.h"
#include "opening/opening_menu.h"
#include "platform/controls/entry_grid.h"
#include "platform/controls/grid_types.h"
#include "platform/controls/toolbar_host.h"
#include "platform/print/grid_print_service.h"
#include "platform/print/print_control.h"
#include "platform/print/rtprn.h"
#include "platform/services/object_factory.h"
#include "shared/grid_filter_command.h"
#include "shared/help_page.h"
#include "shared/messages.h"
#include "shared/popups.h"
#include "shared/print_setup.h"
#include "shared/session.h"
#include "shared/window_dressing.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane::opening {

using shared::GetResString;
using shared::Session;

namespace {

QString CashText(const char* number) { return GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(number)); }
void Tell(const QString& prompt) { shared::ShowMsgBox(prompt, 0, CashText("00046")); }
void TellChangedMeanwhile() {
  shared::ShowMsgBox(GetResString(QStringLiteral("corvane.recon.changedmeanwhile")), 48, CashText("00046"));
}

}  // namespace

OpeningItemWindow::OpeningItemWindow(const QString& objectName, int columns) {
  setObjectName(objectName);
  BuildControls(columns);
  rtprn_ = new platform::RTPrn(this);
  prnCtrl_ = new platform::PrintControl(this);
}

OpeningItemWindow::~OpeningItemWindow() = default;

void OpeningItemWindow::BuildControls(int columns) {
  auto* root = new QVBoxLayout(this);
  toolbar_ = new platform::ToolbarHost(this);
  toolbar_->setObjectName(QStringLiteral("Toolbar1"));
  struct Button { const char* key; const char* caption; const char* tip; int picture; };
  const Button buttons[] = {{"setup", "设置", "打印设置", 263}, {"print", "打印", "打印", 141},
                            {"preview", "预览", "预览", 140},    {"dout", "输出", "数据输出", 235},
                            {nullptr, nullptr, nullptr, 0},     {"add", "增加", "增加", 100},
                            {"save", "保存", "保存", 145},       {"del", "删除", "删除", 114},
                            {nullptr, nullptr, nullptr, 0},     {"filt", "过滤", "过滤", 120},
                            {nullptr, nullptr, nullptr, 0},     {"help", "帮助", "帮助", 125},
                            {"exit", "退出", "退出", 118}};
  for (const Button& b : buttons) {
    if (!b.key) {
      toolbar_->AddSeparator();
      continue;
    }
    const QString key = QString::fromLatin1(b.key);
    toolbar_->AddButton(key, QString::fromUtf8(b.caption), QString::fromUtf8(b.tip))->setObjectName(key);  // its caption key
    toolbar_->SetPicture(key, b.picture);
  }
  toolbar_->SetHotKey(QStringLiteral("help"), QKeySequence(Qt::Key_F1));
  connect(toolbar_, &platform::ToolbarHost::ButtonClicked, this, &OpeningItemWindow::Toolbar1_ButtonClick);
  root->addWidget(toolbar_);
  auto* head = new QGridLayout;
  lblHeader_ = new QLabel(this);
  lblHeader_->setObjectName(QStringLiteral("lblHeader"));
  lblBook_ = new QLabel(this);
  lblBook_->setObjectName(QStringLiteral("lblBook"));
  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label3_ = new QLabel(this);
  label3_->setObjectName(QStringLiteral("Label3"));
  head->addWidget(lblHeader_, 0, 0, 1, 2, Qt::AlignCenter);
  head->addWidget(lblBook_, 1, 0);
  head->addWidget(label1_, 2, 0);
  head->addWidget(label3_, 2, 1, Qt::AlignRight);
  root->addLayout(head);
  grid_ = new platform::EntryGrid(this);
  grid_->setObjectName(QStringLiteral("MsGrid1"));
  grid_->SetCols(columns);
  grid_->SetRows(1);
  root->addWidget(grid_, 1);
  auto* legend = new QHBoxLayout;
  auto* swatch = new QLabel(this);
  swatch->setObjectName(QStringLiteral("Shape1"));
  swatch->setFixedSize(24, 14);
  swatch->setAutoFillBackground(true);
  QPalette p = swatch->palette();
  p.setColor(QPalette::Window, Session::Current().gColorLightYellow);
  swatch->setPalette(p);
  auto* ticked = new QLabel(QStringLiteral("已勾对"), this);
  ticked->setObjectName(QStringLiteral("Label2"));
  auto* open = new QLabel(QStringLiteral("未勾对"), this);
  open->setObjectName(QStringLiteral("Label12"));
  legend->addStretch();
  legend->addWidget(swatch);
  legend->addWidget(ticked);
  legend->addSpacing(16);
  legend->addWidget(open);
  root->addLayout(legend);

  editor_ = new shared::GridEditor(grid_, this, this);
  connect(grid_, &platform::EntryGrid::AddRowRequest, this, &OpeningItemWindow::AddRow);
  connect(grid_, &platform::GridBase::KeyPressed, this,
          [this](int key, Qt::KeyboardModifiers m, const QString&) { HotKey(key, m); });
  connect(grid_, &platform::GridBase::RightClick, this,
          [this](const QPoint&, const QPoint& globalPos) { menu_->ShowAt(globalPos); });
  BuildMenu();
  resize(900, 560);
}

// The window's own menu, captioned by its own texts; every item always offered.
void OpeningItemWindow::BuildMenu() {
  const auto item = [this](const char* name, const char* caption, void (OpeningItemWindow::*run)()) {
    return OpeningMenu::Item{QString::fromLatin1(name), QString::fromUtf8(caption), [this, run] { (this->*run)(); }};
  };
  const auto separator = [](const char* name) { return OpeningMenu::Item{QString::fromLatin1(name), {}, {}}; };
  menu_ = new OpeningMenu(this, {item("rightSetup", "打印设置", &OpeningItemWindow::rSetup),
                                 item("rightPrint", "打印", &OpeningItemWindow::rPrint),
                                 item("rightPreview", "打印预览", &OpeningItemWindow::rPreview),
                                 item("rightDataOut", "数据输出", &OpeningItemWindow::rDataOut),
                                 separator("rSe1"),
                                 item("rightAdd", "增加", &OpeningItemWindow::rAdd),
                                 item("rightSave", "保存", &OpeningItemWindow::rSave),
                                 item("rightDel", "删除", &OpeningItemWindow::rDel),
                                 separator("rSe2"),
                                 item("rightFilt", "过滤", &OpeningItemWindow::rFilt),
                                 separator("rSe3"),
                                 item("rightHelp", "帮助", &OpeningItemWindow::rHelp),
                                 item("rightExit", "退出", &OpeningItemWindow::rExit)});
}

void OpeningItemWindow::Caption(const QString& header, const QString& account, const QString& balance) {
  Session& s = Session::Current();
  lblHeader_->setText(header);
  s.UiStyle().StyleHeaderLabel(lblHeader_);
  lblBook_->setVisible(context_.target.bookMode);
  if (context_.target.bookMode)
    lblBook_->setText(GetResString(QStringLiteral("corvane.opening.bookprefix")) + s.Cash().GetBookName(strBookCode) +
                      QStringLiteral("(") + strBookCode + QStringLiteral(")"));
  label1_->setText(account);
  label3_->setText(CashText("00087") + QStringLiteral(" ") + balance);
}

QString OpeningItemWindow::RowKey(int row) const { return shared::GridEditor::KeyText(editor_->Key(row)); }
int OpeningItemWindow::RowState(int row) const { return editor_->RowStateOf(row); }

std::vector<QString> OpeningItemWindow::RowCells(int row) const {
  const QStringList texts = editor_->RowTexts(row);
  return std::vector<QString>(texts.begin(), texts.end());
}

// Journal lines of book mode are keyed by their whole flow id; everything else by i_id.
shared::GridRowKey OpeningItemWindow::KeyFor(const QString& key) const {
  if (key.isEmpty()) return {};
  if (EnterpriseSide() && context_.target.bookMode) return key;
  return key.toLongLong();
}

void OpeningItemWindow::SetUpGrid() { editor_->SetColumns(ColumnSpecs()); }

void OpeningItemWindow::ShowRows(std::vector<ItemRow>&& rows) {
  std::vector<std::vector<QString>> cells;
  std::vector<int> states;
  cells.reserve(rows.size());
  states.reserve(rows.size());
  for (ItemRow& r : rows) {
    cells.push_back(std::move(r.cells));
    states.push_back(r.state);
  }
  grid_->SetRedraw(false);
  grid_->FillRows(std::move(cells));
  const bool plainOpenRows = EnterpriseSide();  // no column of its own colour on open rows
  for (size_t i = 0; i < rows.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    editor_->SetKey(row, KeyFor(rows[i].key));
    // A filled row is white already; other states paint the whole row in one call.
    if (states[i] == kOpen && plainOpenRows) continue;
    if (plainOpenRows) grid_->SetRowBackColor(row, shared::RowStateColor(states[i]));
    else editor_->SetRowState(row, states[i]);
  }
  grid_->SetRedraw(true);
  if (grid_->Rows() > 1) grid_->SetRow(1);
}

void OpeningItemWindow::SetRowColor(int row, int state) { editor_->SetRowState(row, state); }

bool OpeningItemWindow::ValidateCell(int row, int col, QString& text) {
  const CellCheck r = CheckCell(col, text);
  if (!r.ok) {
    Tell(r.prompt);
    grid_->setFocus();
    return false;
  }
  text = r.text;
  return true;
}

bool OpeningItemWindow::ValidateRow(int row, int& col) {
  std::vector<QString> cells = RowCells(row);
  const RowCheck r = CheckRow(cells);
  if (!r.ok) {
    Tell(r.prompt);
    col = r.col;
    return false;
  }
  checked_ = std::move(cells);
  return true;
}

bool OpeningItemWindow::SaveRow(int row) {
  ItemRow item{checked_, RowKey(row), kOpen};
  const WriteOutcome written = Save(item);
  if (written == WriteOutcome::ChangedMeanwhile) {
    // Ticked or cleared meanwhile, nothing written: the row goes back to the texts it had.
    TellChangedMeanwhile();
    editor_->DiscardCurrentRow();
  } else if (written == WriteOutcome::Vanished) {
    shared::ShowMsgBox(GetResString(EnterpriseSide() ? QStringLiteral("Q9.GL.ZWSQL.CASHBANK.indexerror")
                                                     : QStringLiteral("Q9.GL.ZWSQL.CASHBANK.checkindexerr"),
                                    item.key),
                       16, CashText("00107"));
  } else {
    for (int c = 0; c < grid_->Cols() && c < static_cast<int>(item.cells.size()); ++c)
      grid_->SetTextMatrix(row, c, item.cells[c]);
    editor_->SetKey(row, KeyFor(item.key));
  }
  editor_->SetRowState(row, kOpen);
  AfterSave(row);
  return true;
}

void OpeningItemWindow::rSave() { editor_->SettleBeforeCommand(); }

void OpeningItemWindow::Output(int mode) {
  if (editor_->SettleBeforeCommand()) OutputReport(mode);
}

void OpeningItemWindow::AddRow() {
  if (!editor_->SettleBeforeCommand()) return;
  QStringList cells;
  if (!RunGuarded([&] { cells = NewRowCells(); })) return;
  const int row = editor_->AppendRow(cells);
  // The cursor goes to the new row's first cell that can be typed in, as a new
  // row opened by the Down key does; the hidden key columns take no keys.
  const int col = grid_->FirstEditableCol(row);
  grid_->SetCurrentCell(row, col >= 0 ? col : grid_->Col());
}

void OpeningItemWindow::DeleteRow() {
  const int rows = grid_->Rows();
  // A row dropped here was the unsaved row the user meant to delete.
  if (!editor_->SettleBeforeCommand() || grid_->Rows() != rows) return;
  const int row = grid_->Row();
  if (row < 1 || row >= grid_->Rows()) return;
  const QString refusal = DeleteRefusalKey(RowState(row), EnterpriseSide());
  if (!refusal.isEmpty()) {
    Tell(GetResString(refusal));
    return;
  }
  // A line the filter hides is never deleted unseen, nor refused without a word.
  if (grid_->IsRowHidden(row)) {
    Tell(GetResString(QStringLiteral("corvane.grid.deletehidden")));
    return;
  }
  // The row is shown selected while the question is open; whatever the answer,
  // the selection goes back to the first column.
  grid_->SetCol(0);
  grid_->SetColSel(EnterpriseSide() ? static_cast<int>(kQyCredit) : static_cast<int>(kYhBalance));
  const int answer = shared::ShowMsgBox(CashText("00114"), 260, CashText("00115"));
  grid_->SetColSel(0);
  if (answer != 6) return;
  const ItemRow item{RowCells(row), RowKey(row), RowState(row)};
  WriteOutcome removed = WriteOutcome::Written;
  if (!item.key.isEmpty() && !RunGuarded([&] { removed = Remove(item); })) return;  // the row stays as it was
  if (removed == WriteOutcome::ChangedMeanwhile) {
    TellChangedMeanwhile();  // ticked or cleared meanwhile: it stays
    return;
  }
  if (removed == WriteOutcome::Vanished) Tell(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.notfind"), item.key));
  editor_->RemoveRow(row);
  AfterDelete(row);
}

void OpeningItemWindow::FilterRows() {
  if (!editor_->SettleBeforeCommand()) return;
  shared::GridFilterFind filter(*this, this, EnterpriseSide() ? 2 : 1, shared::AmountMatch::Equal);
  filter.FilterRows(*grid_, FilterMap());
}

void OpeningItemWindow::Toolbar1_ButtonClick(const QString& key) {
  const QString k = key.toLower();
  if (k == QLatin1String("setup")) rSetup();
  else if (k == QLatin1String("print")) Output(1);
  else if (k == QLatin1String("preview")) Output(2);
  else if (k == QLatin1String("dout")) Output(3);
  else if (k == QLatin1String("add")) AddRow();
  else if (k == QLatin1String("save")) rSave();
  else if (k == QLatin1String("del")) DeleteRow();
  else if (k == QLatin1String("filt")) FilterRows();
  else if (k == QLatin1String("help")) shared::ShowHelpPage(QStringLiteral("RP0303"));
  else if (k == QLatin1String("exit")) close();
}

void OpeningItemWindow::rHelp() { Tell(CashText("00108")); }

void OpeningItemWindow::rSetup() {
  Session& s = Session::Current();
  if (!s.BookMode()) {
    shared::PageSetup(this, PageKey());
    return;
  }
  RunGuarded([&] {
    if (!gridPrint_) gridPrint_ = platform::ObjectFactory::Instance().CreateGridPrintService(s.Common());
    int result = 0;
    gridPrint_->PrintGrid(grid_, GridPrintKey(), prnCtrl_, platform::GridPrintService::kPageSetup,
                          GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.frmYHDZQC.setup.tip")), result);
  });
}

void OpeningItemWindow::HotKey(int key, Qt::KeyboardModifiers m) {
  const bool ctrl = m == Qt::ControlModifier;
  if (ctrl && key == Qt::Key_P) Output(1);
  else if (ctrl && key == Qt::Key_I) AddRow();
  else if ((key == Qt::Key_Delete || (ctrl && key == Qt::Key_D)) && !RowKey(grid_->Row()).isEmpty()) DeleteRow();
  else if (key == Qt::Key_F9) shared::PopupCalculatorKey(opener_ ? opener_ : this);  // the set-up window's
  else if (key == Qt::Key_F7) ChooseAgain();
}

void OpeningItemWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;
  // A key the grid let through has run its hot key there already; only keys
  // pressed elsewhere in the window run it here.
  QWidget* focus = focusWidget();
  if (!focus || !grid_->isAncestorOf(focus)) HotKey(event->key(), event->modifiers());
  QDialog::keyPressEvent(event);
}

void OpeningItemWindow::closeEvent(QCloseEvent* event) {
  if (!editor_->SettleBeforeCommand()) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

}  // namespace corvane::opening
