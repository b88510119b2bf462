#include "opening/frm_yhdzqc.h"
#include "opening/guarded_command.h"

#include "platform/controls/date_picker.h"
#include "platform/controls/date_text.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/resource_pictures.h"
#include "platform/print/rtprn.h"
#include "platform/controls/toolbar_host.h"
#include "platform/services/modal_runner.h"
#include "shared/amount_key_filter.h"
#include "shared/function_claim.h"
#include "shared/help_page.h"
#include "shared/messages.h"
#include "shared/popups.h"
#include "shared/session.h"
#include "shared/typed_value_texts.h"
#include "shared/window_dressing.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvane::opening {

using platform::Money;
using shared::GetResString;
using shared::Session;

namespace {

const QString kPrefix = QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.");

QString CashText(const char* number) { return GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(number)); }

QLabel* NewLabel(QWidget* parent, const QString& name, const QString& caption) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(name);
  return l;
}

QLabel* Amount(QWidget* parent, const QString& name) {
  QLabel* l = NewLabel(parent, name, QStringLiteral("0.00"));
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  l->setMinimumWidth(140);
  l->setFrameShape(QFrame::StyledPanel);
  return l;
}

}  // namespace

frmYHDZQC::frmYHDZQC() {
  setObjectName(QStringLiteral("frmYHDZQC"));
  setWindowTitle(QStringLiteral("银行对账期初"));
  BuildControls();
  Form_Load();
}

frmYHDZQC::~frmYHDZQC() = default;

QLabel* frmYHDZQC::Label(int n) const { return n >= 0 && n < 26 ? labels_[n] : nullptr; }
QPushButton* frmYHDZQC::Command(int n) const { return n >= 1 && n <= 6 ? commands_[n] : nullptr; }

void frmYHDZQC::BuildControls() {
  auto* root = new QVBoxLayout(this);
  toolbar_ = new platform::ToolbarHost(this);
  toolbar_->setObjectName(QStringLiteral("Toolbar1"));
  struct Button { const char* key; const char* caption; const char* tip; int picture; };
  const Button buttons[] = {{"setup", "设置", "打印设置", 263}, {"print", "打印", "打印", 141},
                            {"preview", "预览", "预览", 140},    {"dout", "输出", "数据输出", 235},
                            {"edit", "方向", "借贷方向", 110},   {"help", "帮助", "帮助", 125},
                            {"exit", "退出", "退出", 118}};
  for (const Button& b : buttons) {
    const QString key = QString::fromLatin1(b.key);
    toolbar_->AddButton(key, QString::fromUtf8(b.caption), QString::fromUtf8(b.tip))->setObjectName(key);  // its caption key
    toolbar_->SetPicture(key, b.picture);
  }
  toolbar_->SetHotKey(QStringLiteral("help"), QKeySequence(Qt::Key_F1));
  connect(toolbar_, &platform::ToolbarHost::ButtonClicked, this, &frmYHDZQC::Toolbar1_ButtonClick);
  root->addWidget(toolbar_);

  auto* head = new QGridLayout;
  labels_[11] = NewLabel(this, QStringLiteral("Label11"), QStringLiteral("科目："));
  labels_[12] = NewLabel(this, QStringLiteral("Label12"), QString());
  lblBookCap_ = NewLabel(this, QStringLiteral("lblBookCap"), QStringLiteral("账簿："));
  lblBook_ = NewLabel(this, QStringLiteral("lblBook"), QString());
  labels_[13] = NewLabel(this, QStringLiteral("Label13"), QStringLiteral("启用日期："));
  text11_ = new QLineEdit(this);
  text11_->setObjectName(QStringLiteral("text11"));
  text11_->setReadOnly(true);
  commands_[3] = new QPushButton(QStringLiteral("..."), this);
  commands_[3]->setObjectName(QStringLiteral("Command3"));
  text2_ = new QLineEdit(this);
  text2_->setObjectName(QStringLiteral("Text2"));
  text2_->setReadOnly(true);
  head->addWidget(labels_[11], 0, 0);
  head->addWidget(labels_[12], 0, 1, 1, 3);
  head->addWidget(lblBookCap_, 1, 0);
  head->addWidget(lblBook_, 1, 1, 1, 3);
  head->addWidget(labels_[13], 2, 0);
  head->addWidget(text11_, 2, 1);
  head->addWidget(commands_[3], 2, 2);
  head->addWidget(text2_, 2, 3);
  root->addLayout(head);

  frame1_ = new QGroupBox(this);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  auto* g = new QGridLayout(frame1_);
  labels_[25] = NewLabel(frame1_, QStringLiteral("Label25"), QStringLiteral("单位日记账"));
  labels_[23] = NewLabel(frame1_, QStringLiteral("Label23"), QStringLiteral("银行对账单"));
  g->addWidget(labels_[25], 0, 0, 1, 3, Qt::AlignCenter);
  g->addWidget(labels_[23], 0, 3, 1, 3, Qt::AlignCenter);
  struct Line { int caption; const char* name; const char* text; int amount; };
  const Line left[] = {{3, "Label3", "调整前余额", 21}, {4, "LABEL4", "加：银行已收     企业未收", 16},
                       {5, "Label5", "减：银行已付     企业未付", 17}, {6, "Label6", "调整后余额", 14}};
  const Line right[] = {{7, "Label7", "调整前余额", 22}, {8, "Label8", "加：企业已收     银行未收", 18},
                        {9, "Label9", "减：企业已付     银行未付", 19}, {10, "Label10", "调整后余额", 15}};
  for (int side = 0; side < 2; ++side) {
    for (int i = 0; i < 4; ++i) {
      const Line& l = side == 0 ? left[i] : right[i];
      labels_[l.caption] = NewLabel(frame1_, QString::fromLatin1(l.name), QString::fromUtf8(l.text));
      labels_[l.amount] = Amount(frame1_, QStringLiteral("Label%1").arg(l.amount));
      g->addWidget(labels_[l.caption], i + 1, side * 3);
      g->addWidget(labels_[l.amount], i + 1, side * 3 + 1);
    }
  }
  text1_ = new QLineEdit(frame1_);
  text1_->setObjectName(QStringLiteral("Text1"));
  text5_ = new QLineEdit(frame1_);
  text5_->setObjectName(QStringLiteral("Text5"));
  g->addWidget(text1_, 1, 1);
  g->addWidget(text5_, 1, 4);
  commands_[4] = new QPushButton(QStringLiteral("..."), frame1_);
  commands_[4]->setObjectName(QStringLiteral("Command4"));
  commands_[5] = new QPushButton(QStringLiteral("..."), frame1_);
  commands_[5]->setObjectName(QStringLiteral("Command5"));
  g->addWidget(commands_[4], 1, 2);
  g->addWidget(commands_[5], 1, 5);
  for (QLineEdit* box : {text1_, text5_}) {
    box->hide();
    box->setAlignment(Qt::AlignRight);
    box->installEventFilter(this);
  }
  labels_[21]->installEventFilter(this);
  labels_[22]->installEventFilter(this);
  frame1_->installEventFilter(this);
  root->addWidget(frame1_);

  auto* buttons2 = new QHBoxLayout;
  const char* names[] = {"", "Command1", "Command2", "", "", "", "Command6"};
  const char* captions[] = {"", "对账单期初未达项", "日记账期初未达项", "", "", "", "调节表"};
  for (int n : {1, 2, 6}) {
    commands_[n] = new QPushButton(QString::fromUtf8(captions[n]), this);
    commands_[n]->setObjectName(QString::fromLatin1(names[n]));
    buttons2->addWidget(commands_[n]);
  }
  root->addLayout(buttons2);

  header1_ = new QTableWidget(2, 4, this);
  header1_->setObjectName(QStringLiteral("Header1"));
  grid_ = new platform::ListGrid(this);
  grid_->setObjectName(QStringLiteral("MSGrid1"));
  grid_->SetCols(4);
  grid_->SetRows(4);
  grid_->SetRowHeight(0, 0);
  header1_->horizontalHeader()->hide();
  header1_->verticalHeader()->hide();
  header1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  header1_->setFocusPolicy(Qt::NoFocus);
  rtprn_ = new platform::RTPrn(this);
  header1_->setFixedHeight(header1_->rowHeight(0) * 2 + 4);
  root->addWidget(header1_);
  root->addWidget(grid_);

  connect(commands_[1], &QPushButton::clicked, this, &frmYHDZQC::Command1_Click);
  connect(commands_[2], &QPushButton::clicked, this, &frmYHDZQC::Command2_Click);
  connect(commands_[3], &QPushButton::clicked, this, &frmYHDZQC::Command3_Click);
  connect(commands_[4], &QPushButton::clicked, this, &frmYHDZQC::Command4_Click);
  connect(commands_[5], &QPushButton::clicked, this, &frmYHDZQC::Command5_Click);
  connect(commands_[6], &QPushButton::clicked, this, &frmYHDZQC::Command6_Click);
  BuildMenu();
  resize(760, 560);
}

void frmYHDZQC::Form_Load() {
  shared::LocalizeForm(this, kPrefix);
  if (Session::Current().BookMode()) {
    labels_[25]->setText(GetResString(QStringLiteral("corvane.opening.flowledger")));
    commands_[2]->setText(GetResString(QStringLiteral("corvane.opening.flowitems")));
  }
  ctrlDown_ = false;
  commands_[3]->setIcon(platform::ResourcePicture(212));
  commands_[4]->setIcon(platform::ResourcePicture(107));
  commands_[5]->setIcon(platform::ResourcePicture(107));
  shared::SetFormIcon(this);
  shared::InitToolbar(this);
  Session::Current().UiStyle().StyleHeaderLabel(labels_[25]);
  Session::Current().UiStyle().StyleHeaderLabel(labels_[23]);
  ShowSummaryHeadings();
}

bool frmYHDZQC::LoadData(const OpeningTarget& target) {
  target_ = target;
  CurYHKM = target.accountCode;
  strBookCode = target.bookCode;
  toldSumsFailure_.clear();
  // Another account or book starts without a summary, as the window first opens.
  ClearSummaryGrid();
  return Reload();
}

bool frmYHDZQC::Reload() {
  loaded_ = RunGuarded([&] {
    figures_ = LoadOpeningFigures(target_);
    ShowFigures();
  });
  if (!loaded_) ClearFigures();
  // Told once for the window's target, and again only when the reason changes.
  if (loaded_ && !figures_.sumsFailure.isEmpty() && figures_.sumsFailure != toldSumsFailure_)
    shared::ShowMsgBox(GetResString(QStringLiteral("corvane.opening.sumsfailed"), figures_.sumsFailure), 48,
                       CashText("00046"));
  toldSumsFailure_ = figures_.sumsFailure;
  return loaded_;
}

// After a failed load nothing read for another account or an earlier state stays
// on show, where a save would write it to this target.
void frmYHDZQC::ClearFigures() {
  figures_ = OpeningFigures();
  labels_[12]->setText(CurYHKM);
  text11_->clear();
  for (int n : {14, 15, 16, 17, 18, 19, 21, 22}) {
    labels_[n]->clear();
    labels_[n]->setToolTip(QString());
  }
  ClearSummaryGrid();
}

void frmYHDZQC::ShowFigures() {
  Session& s = Session::Current();
  BankFx = figures_.debitDirection;
  ShowDirection();
  lblBookCap_->setVisible(target_.bookMode);
  lblBook_->setVisible(target_.bookMode);
  if (target_.bookMode)
    lblBook_->setText(s.Cash().GetBookName(strBookCode) + QStringLiteral("(") + strBookCode + QStringLiteral(")"));
  QString account = s.Common().GetAccountName(CurYHKM) + QStringLiteral("(") + CurYHKM + QStringLiteral(")");
  // A book's currency is not named here (its item list still shows its amounts).
  if (figures_.foreign) account += CashText("00089") + (target_.bookMode ? QString() : figures_.currencyName);
  labels_[12]->setText(account);
  BDate = figures_.startDate;
  text11_->setText(BDate.isValid() ? s.Common().FormatDate(BDate) : QString());
  labels_[21]->setText(figures_.journalOpening.ToDisplayText());
  labels_[22]->setText(figures_.bankOpening.ToDisplayText());
  CalcAdjustedBalances();
}

void frmYHDZQC::ShowDirection() {
  text2_->setText(CashText(BankFx ? "00715" : "00716"));
}

Money frmYHDZQC::LabelAmount(const QLabel* label) const {
  return platform::ReadAmount(label->text()).value.value_or(Money());
}

void frmYHDZQC::CalcAdjustedBalances() {
  if (!figures_.sumsFailure.isEmpty()) {
    // No figure built on the sums before the start date, which could not be made.
    for (int n : {16, 17, 14, 18, 19, 15}) {
      labels_[n]->setText(GetResString(QStringLiteral("corvane.opening.notcomputed")));
      labels_[n]->setToolTip(figures_.sumsFailure);
    }
    if (summaryShown_) FillSummaryGrid();
    return;
  }
  for (int n : {16, 17, 14, 18, 19, 15}) labels_[n]->setToolTip(QString());
  const AdjustedBalances b =
      ComputeAdjusted(LabelAmount(labels_[21]), LabelAmount(labels_[22]), figures_.bankDebitBefore,
                      figures_.bankCreditBefore, figures_.journalDebitBefore, figures_.journalCreditBefore, BankFx);
  labels_[16]->setText(b.journalAdd.ToDisplayText());
  labels_[17]->setText(b.journalLess.ToDisplayText());
  labels_[14]->setText(b.journalAdjusted.ToDisplayText());
  labels_[18]->setText(b.bankAdd.ToDisplayText());
  labels_[19]->setText(b.bankLess.ToDisplayText());
  labels_[15]->setText(b.bankAdjusted.ToDisplayText());
  if (summaryShown_) FillSummaryGrid();
}

SummaryTexts frmYHDZQC::Texts() const {
  return {labels_[12]->text(), text11_->text(),     labels_[21]->text(), labels_[22]->text(), labels_[16]->text(),
          labels_[17]->text(), labels_[14]->text(), labels_[18]->text(), labels_[19]->text(), labels_[15]->text()};
}

bool frmYHDZQC::SaveSetup() {
  if (!loaded_) {
    shared::ShowMsgBox(GetResString(QStringLiteral("corvane.opening.notloaded")), 48, CashText("00046"));
    return false;
  }
  if (text11_->text().trimmed().isEmpty()) {
    shared::ShowMsgBox(CashText("00713"), 0, CashText("00046"));
    return false;
  }
  if (text1_->isVisible() && !TakeBalanceBox(text1_)) return false;
  if (text5_->isVisible()) {
    if (!TakeBalanceBox(text5_)) return false;
    CalcAdjustedBalances();
  }
  for (int n : {21, 22})
    if (labels_[n]->text().trimmed().isEmpty()) labels_[n]->setText(QStringLiteral("0.00"));
  const QDate start = platform::DateText::Parse(text11_->text()).value_or(QDate());
  return RunGuarded([&] { SaveOpeningSetup(target_, start, LabelAmount(labels_[21]), LabelAmount(labels_[22])); });
}

bool frmYHDZQC::TakeBalanceBox(QLineEdit* box) {
  QLabel* label = box == text1_ ? labels_[21] : labels_[22];
  const QString typed = box->text().trimmed();
  const platform::AmountReading balance = ReadOpeningBalance(typed);
  if (balance.value) {
    label->setText(balance.value->ToDisplayText());
    return true;
  }
  // Hidden before the message takes the focus, so losing it ends nothing twice.
  box->hide();
  label->show();
  const QString side = (box == text1_ ? labels_[25] : labels_[23])->text();
  const QString prompt =
      balance.refusal == platform::AmountRefusal::Range
          ? GetResString(QStringLiteral("corvane.opening.balancerefused"), side, typed,
                         Money::LineMax().ToDisplayText(), label->text())
          : GetResString(QStringLiteral("corvane.opening.balanceunread"), side,
                         shared::AmountRefusalText(typed, balance.refusal), label->text());
  shared::ShowMsgBox(prompt, 48, CashText("00046"));
  return false;
}

void frmYHDZQC::Command3_Click() {
  if (!platform::DatePicker::PopupUnder(text11_, CashText("00195"))) return;  // cancelled: nothing changes
  Session& s = Session::Current();
  const QDate picked = s.Common().ParseDate(text11_->text());
  text11_->setText(s.Common().FormatDate(picked));
  if (!SaveSetup()) return;
  // Every figure follows the new date at once: the sums before it, the adjusted
  // balances, and the summary with what prints and exports from it.
  Reload();
}

void frmYHDZQC::StartBalanceEdit(QLabel* label, QLineEdit* box) {
  // The figure without its separators, to be typed over.
  const std::optional<Money> shown = platform::ReadAmount(label->text()).value;
  box->setText(shown ? platform::PlainAmountText(*shown) : label->text());
  label->hide();
  box->show();
  box->setFocus();
  box->selectAll();
}

void frmYHDZQC::Label21_Click() { StartBalanceEdit(labels_[21], text1_); }
void frmYHDZQC::Label22_Click() { StartBalanceEdit(labels_[22], text5_); }

void frmYHDZQC::Command4_Click() {
  if (!text1_->isVisible()) Label21_Click();
  CalculateBalance(text1_);
}

void frmYHDZQC::Command5_Click() {
  if (!text5_->isVisible()) Label22_Click();
  CalculateBalance(text5_);
}

// The calculator pops up under the edit box and writes its result there: the
// edit stays open while the calculator has the focus, and ends when it closes.
void frmYHDZQC::CalculateBalance(QLineEdit* box) {
  calculating_ = box;
  const bool errorRefused = !shared::PopupCalculator(box, this);
  calculating_ = nullptr;
  if (!errorRefused) {
    EndBalanceEdit(box);
    return;
  }
  // The calculator ended on an error, which has been told: the edit ends unsaved.
  box->hide();
  (box == text1_ ? labels_[21] : labels_[22])->show();
}

void frmYHDZQC::EndBalanceEdit(QLineEdit* box) {
  if (!box->isVisible()) return;
  QLabel* label = box == text1_ ? labels_[21] : labels_[22];
  if (!TakeBalanceBox(box)) return;
  box->hide();
  label->show();
  SaveSetup();
  CalcAdjustedBalances();
}

bool frmYHDZQC::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == labels_[21] || watched == labels_[22]) && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (!busy_) watched == labels_[21] ? Label21_Click() : Label22_Click();
    return true;
  }
  if (watched == frame1_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    mouseReleaseEvent(static_cast<QMouseEvent*>(event));
    return true;
  }
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (box && (box == text1_ || box == text5_)) {
    if (event->type() == QEvent::FocusOut) {
      if (box != calculating_) EndBalanceEdit(box);
    } else if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        EndBalanceEdit(box);
        focusNextChild();
        return true;
      }
      // Only a printable character is typed: Delete (text "\x7f"), like the arrows, edits the box itself.
      if (!key->text().isEmpty() && key->text().at(0).isPrint()) {
        int ascii = key->text().at(0).unicode();
        shared::FilterAmountKey(ascii, box);
        if (ascii == 0 || shared::TypeAsAscii(box, key->text(), ascii)) return true;
      }
    } else if (event->type() == QEvent::InputMethod) {
      return platform::RetypeCommittedText(box, static_cast<QInputMethodEvent*>(event));
    }
  }
  return QDialog::eventFilter(watched, event);
}

int frmYHDZQC::ShowModal() { return platform::RunModal(*this); }

void frmYHDZQC::closeEvent(QCloseEvent* event) {
  if (busy_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

// Every way the window ends comes through here: the account and the function go back.
void frmYHDZQC::done(int result) {
  if (busy_) return;
  QDialog::done(result);
  Session& s = Session::Current();
  try {
    s.Common().LockAccount(CurYHKM, false);
  } catch (const std::exception&) {
    // The lock ends with the session in any case.
  }
  if (!heldFunction_.isEmpty()) shared::ClaimFunction(heldFunction_, false);
  heldFunction_.clear();
}

}  // namespace corvane::opening
