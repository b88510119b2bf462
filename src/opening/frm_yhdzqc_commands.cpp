#include "opening/frm_qyfqc.h"
#include "opening/frm_yhdzqc.h"
#include "opening/frm_yhfqc.h"
#include "opening/guarded_command.h"
#include "opening/opening_menu.h"

#include "platform/controls/list_grid.h"
#include "platform/controls/toolbar_host.h"
#include "platform/db/transaction_guard.h"
#include "platform/services/common_services.h"
#include "platform/services/modal_runner.h"
#include "shared/byte_text.h"
#include "shared/help_page.h"
#include "shared/messages.h"
#include "shared/print_setup.h"
#include "shared/session.h"

#include <QApplication>
#include <QCursor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QFontMetrics>
#include <QPushButton>
#include <QTableWidget>

namespace corvane::opening {

using shared::GetResString;
using shared::Session;

namespace {

QString CashText(const char* number) { return GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(number)); }

const int kSummaryRowTwips = 600;  // the summary's rows are twice a list row's height

void SetCell(QTableWidget* t, int row, int col, const QString& text) {
  auto* item = t->item(row, col);
  if (!item) t->setItem(row, col, item = new QTableWidgetItem);
  item->setText(text);
  item->setTextAlignment((col % 2 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

// Turns the direction while no line of the target is ticked: the test and the
// write in one transaction serialised on the account, so no tick written
// meanwhile by another session slips between them. False (nothing written) when
// a line is ticked.
bool WriteDirectionUnticked(const OpeningTarget& target, bool debit) {
  platform::AccountWriteTransaction transaction(Session::Current().Db(), target.accountCode);
  if (HasTickedLines(target)) return false;
  WriteDirection(target, debit);
  transaction.Commit();
  return true;
}

}  // namespace

void frmYHDZQC::Toolbar1_ButtonClick(const QString& key) {
  if (busy_) return;
  const QString k = key.toLower();
  if (k == QLatin1String("setup")) rSetup();
  else if (k == QLatin1String("print")) OutputSummaryReport(1);
  else if (k == QLatin1String("preview")) OutputSummaryReport(2);
  else if (k == QLatin1String("dout")) OutputSummaryData();
  else if (k == QLatin1String("edit")) ChangeBalanceDirection();
  else if (k == QLatin1String("help")) rHelp();
  else if (k == QLatin1String("exit")) SaveAndClose();
}

void frmYHDZQC::rSetup() { shared::PageSetup(this, QStringLiteral("GLYhQc")); }
void frmYHDZQC::rPrint() { OutputSummaryReport(1); }
void frmYHDZQC::rPreview() { OutputSummaryReport(2); }
void frmYHDZQC::rDataOut() { OutputSummaryData(); }
void frmYHDZQC::rBankDirec() { ChangeBalanceDirection(); }

void frmYHDZQC::rHelp() { shared::ShowHelpPage(QStringLiteral("RP0303")); }

void frmYHDZQC::rExit() { close(); }

void frmYHDZQC::SaveAndClose() {
  SaveSetup();
  close();
}

// The window's own menu, captioned by its own texts.
void frmYHDZQC::BuildMenu() {
  menu_ = new OpeningMenu(this, {{QStringLiteral("barSetup"), QStringLiteral("打印设置"), [this] { rSetup(); }},
                                 {QStringLiteral("barPrint"), QStringLiteral("打印"), [this] { rPrint(); }},
                                 {QStringLiteral("barPreview"), QStringLiteral("打印预览"), [this] { rPreview(); }},
                                 {QStringLiteral("barDataOut"), QStringLiteral("数据输出"), [this] { rDataOut(); }},
                                 {QStringLiteral("Sep1"), {}, {}},
                                 {QStringLiteral("barChange"), QStringLiteral("调整余额方向"), [this] { rBankDirec(); }},
                                 {QStringLiteral("Sep2"), {}, {}},
                                 {QStringLiteral("barHelp"), QStringLiteral("帮助"), [this] { rHelp(); }},
                                 {QStringLiteral("barExit"), QStringLiteral("退出"), [this] { rExit(); }}});
}

void frmYHDZQC::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton || busy_) return;
  menu_->ShowAt(QCursor::pos());
}

void frmYHDZQC::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Control) ctrlDown_ = true;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    focusNextChild();  // Enter moves on as Tab does
    return;
  }
  if (event->key() == Qt::Key_Escape) return;  // the window closes by its commands only
  QDialog::keyPressEvent(event);
}

void frmYHDZQC::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Control) ctrlDown_ = false;
  else if (event->key() == Qt::Key_P && (ctrlDown_ || event->modifiers() == Qt::ControlModifier) && !busy_)
    OutputSummaryReport(1);
  QDialog::keyReleaseEvent(event);
}

void frmYHDZQC::ChangeBalanceDirection() {
  bool ticked = false;
  if (!RunGuarded([&] { ticked = HasTickedLines(target_); })) return;
  if (ticked) {
    shared::ShowMsgBox(CashText("00756"), 0, CashText("00046"));
    return;
  }
  const QString now = CashText(BankFx ? "00761" : "00762"), next = CashText(BankFx ? "00762" : "00761");
  const QString prompt = CashText("00760") + QStringLiteral("   ") + now + QStringLiteral("   -->   ") + next;
  if (shared::ShowMsgBox(prompt, 260, CashText("00765")) != 6) return;
  bool written = false;
  if (!RunGuarded([&] { written = WriteDirectionUnticked(target_, !BankFx); })) return;
  if (!written) {
    // Another session ticked a line while the question was open.
    shared::ShowMsgBox(CashText("00756"), 0, CashText("00046"));
    return;
  }
  Reload();
}

void frmYHDZQC::OpenItems(bool bankSide) {
  if (!SaveSetup()) return;
  QPushButton* button = commands_[bankSide ? 1 : 2];
  button->setEnabled(false);
  busy_ = true;
  Session& s = Session::Current();
  // Shows an item window; F7 there may turn this window to another account, and
  // the item window is then loaded again for it.
  auto run = [&](OpeningItemWindow& w, const std::function<void()>& loadItems) {
    auto load = [&] {
      w.strBookCode = strBookCode;
      w.strCode = target_.bookMode ? CurYHKM : QString();
      return RunGuarded(loadItems);
    };
    w.SetOpener(this, [&](const OpeningTarget& t) { return Retarget(t) && load(); });
    if (load()) platform::RunModal(w);
    w.SetOpener(nullptr, {});  // the callback refers to this frame
  };
  if (bankSide) {
    frmYHFQC& w = s.windows.Get<frmYHFQC>();
    run(w, [&] { w.LoadData(CurrentItemContext()); });
    s.windows.Unload<frmYHFQC>();
  } else {
    frmQYFQC& w = s.windows.Get<frmQYFQC>();
    run(w, [&] { w.LoadData(CurrentItemContext(), figures_.currencyName); });
    s.windows.Unload<frmQYFQC>();
  }
  busy_ = false;
  raise();
  button->setEnabled(true);
  Reload();
}

ItemContext frmYHDZQC::CurrentItemContext() const {
  ItemContext c;
  c.target = target_;
  c.startDate = BDate;
  c.foreign = figures_.foreign;
  c.debitDirection = BankFx;
  return c;
}

bool frmYHDZQC::Retarget(const OpeningTarget& target) {
  Session& s = Session::Current();
  if (target.accountCode.compare(CurYHKM, Qt::CaseInsensitive) != 0) {
    bool locked = false;
    if (!RunGuarded([&] { locked = s.Common().LockAccount(target.accountCode, true, heldFunction_); }) || !locked)
      return false;
    RunGuarded([&] { s.Common().LockAccount(CurYHKM, false); });
  }
  LoadData(target);
  return true;
}

void frmYHDZQC::Command1_Click() {
  if (!busy_) OpenItems(true);
}
void frmYHDZQC::Command2_Click() {
  if (!busy_) OpenItems(false);
}

// The summary's headings show from the start; its figures come with "Command6".
// A column is never narrower than its caption, whatever the language.
void frmYHDZQC::ShowSummaryHeadings() {
  header1_->setColumnCount(4);
  header1_->setRowCount(2);
  header1_->clearSpans();
  header1_->setSpan(0, 0, 1, 2);
  header1_->setSpan(0, 2, 1, 2);
  const QString before = CashText("00087");
  // The first column's caption is always 12 bytes wide, cut or filled; the third's whole.
  SetCell(header1_, 1, 0, shared::FitToWidth(before, 12));
  SetCell(header1_, 1, 2, before);
  SetCell(header1_, 0, 0, JournalSideCaption(Session::Current().BookMode()));
  SetCell(header1_, 0, 2, CashText("00502"));
  header1_->item(0, 0)->setTextAlignment(Qt::AlignCenter);
  header1_->item(0, 2)->setTextAlignment(Qt::AlignCenter);
  const QFontMetrics metrics(header1_->font());
  for (int c = 0; c < 4; ++c) {
    int pixels = 2500 / 15;
    for (int r = 0; r < 2; ++r)
      if (const QTableWidgetItem* item = header1_->item(r, c); item && header1_->columnSpan(r, c) == 1)
        pixels = std::max(pixels, metrics.horizontalAdvance(item->text()) + 12);
    header1_->setColumnWidth(c, pixels);
    grid_->SetColWidth(c, grid_->ColumnTwips(pixels));
    grid_->SetColAlignment(c, c % 2 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
  }
}

void frmYHDZQC::FillSummaryGrid() {
  const SummaryTexts t = Texts();
  SetCell(header1_, 1, 1, t.journalOpening);
  SetCell(header1_, 1, 3, t.bankOpening);
  const TextGrid cells = SummaryGridCells(t);
  grid_->SetCols(4);
  grid_->SetRows(static_cast<int>(cells.size()) + 1);
  for (size_t r = 0; r < cells.size(); ++r) {
    grid_->SetRowHeight(static_cast<int>(r) + 1, kSummaryRowTwips);
    for (int c = 0; c < 4; ++c) grid_->SetTextMatrix(static_cast<int>(r) + 1, c, cells[r][c]);
  }
  ShowSummaryHeadings();
  summaryShown_ = true;
}

void frmYHDZQC::ClearSummaryGrid() {
  SetCell(header1_, 1, 1, QString());
  SetCell(header1_, 1, 3, QString());
  grid_->SetRows(1);
  grid_->SetRows(4);
  summaryShown_ = false;
}

}  // namespace corvane::opening
