#include "balance/frm_yhzhx.h"

#include "balance/balance_calculator.h"
#include "balance/clearing.h"
#include "platform/controls/resource_pictures.h"
#include "platform/db/db_error.h"
#include "shared/help_page.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/window_dressing.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

namespace corvane::balance {

using shared::GetResString;
using shared::Session;

namespace {

constexpr int kYes = 6;
const QString kCash = QStringLiteral("Q9.GL.ZWSQL.CASHBANK.");

QString Res(const char* number) { return GetResString(kCash + QString::fromLatin1(number)); }
QString Title() { return GetResString(shared::kCashTitleKey); }

// A text naming what the window clears: the book in book mode, else the account.
QString Said(const char* accountNumber, const char* bookKey) {
  return Session::Current().BookMode() ? GetResString(QStringLiteral("corvane.balance.book.") + QLatin1String(bookKey))
                                       : Res(accountNumber);
}

// Holds the account (in book mode the book's account) for clearing or its
// restore, as the windows that tick it lock it, and gives it back on every path.
class AccountHold {
 public:
  explicit AccountHold(const QString& code) : account_(Clearing::LockedAccount(code)) {
    Session& s = Session::Current();
    // The book comes from this window's own list: a refusal names it, not the
    // book last chosen in the selection dialog.
    held_ = s.BookMode() ? s.Common().LockBookAccount(account_, code, Clearing::LockFunctionId())
                         : s.Common().LockAccount(account_, true, Clearing::LockFunctionId());
  }
  ~AccountHold() {
    if (!held_) return;
    try {
      Session::Current().Common().LockAccount(account_, false, Clearing::LockFunctionId());
    } catch (const std::exception&) {
    }
  }
  bool Held() const { return held_; }

 private:
  QString account_;
  bool held_ = false;
};

// A failure: another session's wait that ran out, or what failed as the user is
// told it (a line whose date cannot be read named in the session's language).
void ShowClearFailure(const std::exception& e) {
  const auto* db = dynamic_cast<const platform::DbError*>(&e);
  const QString prompt = db && db->IsBusy()
                             ? GetResString(QStringLiteral("corvane.recon.locktimeout"))
                             : GetResString(QStringLiteral("corvane.balance.clearfailed"), shared::FailureText(e));
  shared::ShowMsgBox(prompt, 16, Title());
}

void ShowChangedMeanwhile() {
  shared::ShowMsgBox(GetResString(QStringLiteral("corvane.balance.changedmeanwhile")), 48, Title());
}

}  // namespace

frmYHZHX::frmYHZHX(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmYHZHX"));
  setWindowTitle(QStringLiteral("核销银行账"));
  BuildControls();
  shared::LocalizeForm(this, QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK."));
  shared::ClearFormIcon(this);
  label1_->setText(GetResString(Session::Current().BookMode() ? QStringLiteral("corvane.balance.book")
                                                              : QStringLiteral("corvane.balance.account")));
  FillList();
  try {
    Session::Current().UiStyle().StyleForm(this, false);
  } catch (const std::exception&) {
  }
}

void frmYHZHX::BuildControls() {
  auto* outer = new QVBoxLayout(this);
  auto* frame1 = new QGroupBox(this);
  frame1->setObjectName(QStringLiteral("Frame1"));
  auto* row = new QHBoxLayout(frame1);
  label1_ = new QLabel(Session::Current().BookMode() ? QStringLiteral("账簿") : QStringLiteral("科目"), frame1);
  label1_->setObjectName(QStringLiteral("Label1"));
  combo1_ = new QComboBox(frame1);
  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo1_->setMinimumWidth(320);
  combo1_->installEventFilter(this);
  row->addWidget(label1_);
  row->addWidget(combo1_, 1);
  outer->addWidget(frame1);
  auto* frame2 = new QGroupBox(this);
  frame2->setObjectName(QStringLiteral("Frame2"));
  auto* warn = new QHBoxLayout(frame2);
  auto* image1 = new QLabel(frame2);
  image1->setObjectName(QStringLiteral("Image1"));
  image1->setPixmap(platform::ResourcePicture(157).pixmap(32, 32));
  warn->addWidget(image1, 0, Qt::AlignTop);
  label2_ = new QLabel(QStringLiteral("核销已达账将删除已两清的单位日记账和银行对账单，在进行核销之前，请作好数据的备份工作，"
                                      "防止因误清理而带来的工作不便。"),
                       frame2);
  label2_->setObjectName(QStringLiteral("Label2"));
  label2_->setWordWrap(true);
  warn->addWidget(label2_, 1);
  outer->addWidget(frame2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  command2_ = new QPushButton(QStringLiteral("确定"), this);
  command2_->setObjectName(QStringLiteral("Command2"));
  command3_ = new QPushButton(QStringLiteral("取消"), this);
  command3_->setObjectName(QStringLiteral("Command3"));
  buttons->addWidget(command2_);
  buttons->addWidget(command3_);
  outer->addLayout(buttons);
  connect(command2_, &QPushButton::clicked, this, &frmYHZHX::Command2_Click);
  connect(command3_, &QPushButton::clicked, this, &QDialog::reject);
  resize(460, 240);
}

void frmYHZHX::FillList() {
  try {
    for (const ListedAccount& a : BalanceCalculator::ListAccounts())
      combo1_->addItem(a.name + QLatin1Char('(') + a.code + QLatin1Char(')'), a.code);
  } catch (const std::exception& e) {
    shared::ShowMsgBox(GetResString(QStringLiteral("corvane.balance.loadfailed"), shared::FailureText(e)), 16,
                       Title());
  }
  command2_->setEnabled(combo1_->count() > 0);
  if (combo1_->count() > 0) combo1_->setCurrentIndex(0);
}

QString frmYHZHX::ChosenCode() const { return combo1_->currentData().toString(); }

QString frmYHZHX::ChosenName() const {
  const QString text = combo1_->currentText();
  const QString code = ChosenCode();
  return text.left(text.size() - code.size() - 2);
}

void frmYHZHX::Command2_Click() {
  if (running_ || combo1_->currentIndex() < 0) return;
  running_ = true;
  const QString code = ChosenCode();
  try {
    // Held before the test, so that no other function ticks or unticks the
    // account between the test and the writes.
    AccountHold hold(code);
    if (!hold.Held()) {
      running_ = false;
      return;
    }
    const BalanceFigures figures = BalanceCalculator::ForAccount(BalanceCalculator::ReadFacts(code));
    if (!figures.balanced) {
      shared::ShowMsgBox(Said("00905", "unbalanced"), 0, Title());
    } else if (shared::ShowMsgBox(Said("00901", "clear"), 260, Title()) == kYes) {
      if (Clearing::ClearReconciled(code, figures).changedMeanwhile) ShowChangedMeanwhile();
      else shared::ShowMsgBox(Res("00903"), 64, Title());
    }
  } catch (const std::exception& e) {
    ShowClearFailure(e);
  }
  running_ = false;
}

void frmYHZHX::RestoreClearedItems() {
  if (running_ || !command2_->isEnabled() || combo1_->currentIndex() < 0) return;
  running_ = true;
  const QString code = ChosenCode();
  try {
    if (shared::ShowMsgBox(Res("00895"), 260, Title()) == kYes) {
      const QString prompt = Said("00897", "restore") + QStringLiteral("\r\n\r\n") + Said("00898", "restorecode") +
                             code.trimmed() + QStringLiteral("\r\n") + Said("00899", "restorename") +
                             ChosenName().trimmed();
      if (shared::ShowMsgBox(prompt, 260, Res("00900")) == kYes) {
        AccountHold hold(code);
        if (hold.Held()) Clearing::RestoreCleared(code);
      }
    }
  } catch (const std::exception& e) {
    ShowClearFailure(e);
  }
  running_ = false;
}

// One restore per press: a held key's repeats are not new presses, and the
// release starts nothing.
bool frmYHZHX::HandleRestoreKey(QKeyEvent* event) {
  if (event->key() != Qt::Key_U || !(event->modifiers() & Qt::AltModifier)) return false;
  if (!event->isAutoRepeat()) RestoreClearedItems();
  event->accept();
  return true;
}

void frmYHZHX::keyPressEvent(QKeyEvent* event) {
  // F1 from anywhere in the window: its controls leave the key to it.
  if (event->key() == Qt::Key_F1 && !event->isAutoRepeat()) {
    shared::ShowHelpPage(QStringLiteral("RP0308"));
    event->accept();
    return;
  }
  if (!HandleRestoreKey(event)) QDialog::keyPressEvent(event);
}

bool frmYHZHX::eventFilter(QObject* watched, QEvent* event) {
  if (watched == combo1_ && event->type() == QEvent::KeyPress && HandleRestoreKey(static_cast<QKeyEvent*>(event)))
    return true;
  return QDialog::eventFilter(watched, event);
}

}  // namespace corvane::balance
