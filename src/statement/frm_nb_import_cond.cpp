#include "statement/frm_nb_import_cond.h"

#include "platform/controls/date_text.h"
#include "shared/typed_value_texts.h"

#include "platform/services/cash_services.h"
#include "platform/services/common_services.h"
#include "platform/services/statement_import.h"
#include "platform/services/statement_line_writer.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/window_dressing.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <exception>

namespace corvane::statement {

using shared::GetResString;
using shared::Session;

frmNBImportCond::frmNBImportCond(const QString& bookCode, const platform::StatementDateLimits& dates, QWidget* parent)
    : QDialog(parent), strBookCode(bookCode), dates_(dates) {
  setObjectName(QStringLiteral("frmNBImportCond"));
  setWindowTitle(QStringLiteral("网上银行对账单引入"));
  auto label = [this](const char* name, const char* text) {
    auto* l = new QLabel(QString::fromUtf8(text), this);
    l->setObjectName(QString::fromLatin1(name));
    return l;
  };
  lblBookName_ = label("lblBookName", "");
  lblAccount_ = label("lblAccount", "");
  lblExch_ = label("lblExch", "");
  // The seven characters a date never holds and a statement text must not carry.
  auto* noQuotes = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^<>'\"|&,]*")), this);
  txtStartDate_ = new QLineEdit(this);
  txtStartDate_->setObjectName(QStringLiteral("txtStartDate"));
  txtStartDate_->setValidator(noQuotes);
  txtEndDate_ = new QLineEdit(this);
  txtEndDate_->setObjectName(QStringLiteral("txtEndDate"));
  txtEndDate_->setValidator(noQuotes);
  // The small button after each date box; it has no command of its own.
  auto smallButton = [this](const char* name) {
    auto* b = new QPushButton(QStringLiteral("..."), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 12);
    b->setAutoDefault(false);
    return b;
  };
  cmdOK_ = new QPushButton(QStringLiteral("确定"), this);
  cmdOK_->setObjectName(QStringLiteral("cmdOK"));
  cmdCancel_ = new QPushButton(QStringLiteral("取消"), this);
  cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
  auto* grid = new QGridLayout(this);
  grid->addWidget(label("lblInfo_0", "账簿："), 0, 0);
  grid->addWidget(lblBookName_, 0, 1, 1, 5);
  grid->addWidget(label("lblInfo_1", "日期范围："), 1, 0);
  grid->addWidget(txtStartDate_, 1, 1);
  QPushButton* const button1 = smallButton("ZqCommandButton1");
  QPushButton* const button2 = smallButton("ZqCommandButton2");
  grid->addWidget(button1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("-"), this), 1, 3);
  grid->addWidget(txtEndDate_, 1, 4);
  grid->addWidget(button2, 1, 5);
  grid->addWidget(label("lblInfo_2", "账号："), 2, 0);
  grid->addWidget(lblAccount_, 2, 1, 1, 5);
  grid->addWidget(label("lblInfo_3", "币种："), 3, 0);
  grid->addWidget(lblExch_, 3, 1, 1, 5);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK_);
  buttons->addWidget(cmdCancel_);
  grid->addLayout(buttons, 4, 0, 1, 6);
  QWidget* const order[] = {txtStartDate_, button1, txtEndDate_, button2, cmdOK_, cmdCancel_};
  for (int i = 1; i < 6; ++i) QWidget::setTabOrder(order[i - 1], order[i]);
  connect(cmdOK_, &QPushButton::clicked, this, &frmNBImportCond::cmdOK_Click);
  connect(cmdCancel_, &QPushButton::clicked, this, &frmNBImportCond::cmdCancel_Click);
  // Captions follow the session's language like every other window's.
  shared::LocalizeForm(this, QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK."));
  try {
    book_ = Session::Current().Cash().GetBook(strBookCode);
  } catch (const std::exception&) {
    book_ = platform::BookInfo();
  }
  lblBookName_->setText(book_.BookName);
  lblAccount_->setText(book_.BankAccountNo);
  lblExch_->setText(book_.CurrencyText());
}

bool frmNBImportCond::ReadDate(QLineEdit* box, const QString& emptyMessage, const QString& fieldKey, QDate& date) {
  platform::CashServices& cash = Session::Current().Cash();
  const QString text = box->text().trimmed();
  if (text.isEmpty()) {
    shared::ShowMsgBox(GetResString(emptyMessage), 0, cash.GetMessageTitle());
    box->setFocus();
    return false;
  }
  if (!cash.CheckDateText(text, GetResString(fieldKey))) {
    box->setFocus();
    return false;
  }
  // The suite's check and the component read a date alike; a text it let pass
  // that is still no date is refused in the words of every other date box.
  const std::optional<QDate> read = platform::DateText::Parse(text);
  if (!read) {
    shared::RefuseBox(box, shared::DateRefusalText(text));
    return false;
  }
  date = *read;
  return true;
}

void frmNBImportCond::cmdOK_Click() {
  Session& s = Session::Current();
  QDate start, end;
  if (!ReadDate(txtStartDate_, QStringLiteral("corvane.import.nostart"), QStringLiteral("corvane.import.startfield"), start))
    return;
  if (!ReadDate(txtEndDate_, QStringLiteral("corvane.import.noend"), QStringLiteral("corvane.import.endfield"), end)) return;
  // The range goes to the bank as typed, a start after the end too.
  const QString title = s.Cash().GetMessageTitle();
  try {
    std::vector<platform::FetchedLine> fetched;
    QString message;
    auto source = platform::StatementImportFactory::Instance().CreateLineSource();
    if (!source->FetchLines(book_.BankAccountNo, start, end, s.Cash().TranslateCurrency(book_.CurrencyText(), 0), fetched,
                            message)) {
      shared::ShowMsgBox(message, 0, title);
      return;
    }
    std::vector<platform::ImportLine> lines;
    lines.reserve(fetched.size());
    int n = 0;
    for (const platform::FetchedLine& f : fetched)
      lines.push_back({++n, f.dDate, f.cSettle, f.cn_id, f.bd_c, f.mmoney});
    std::vector<platform::RefusedLine> refused;
    std::vector<platform::ImportLine> accepted = platform::StatementLineWriter::Check(lines, dates_, refused);
    if (!refused.empty()) {
      QStringList list;
      for (const platform::RefusedLine& r : refused)
        list << QStringLiteral("%1: %2").arg(r.lineNo).arg(shared::GetResStringWith(r.reasonKey, &r.args));
      shared::ShowMsgBox(GetResString(QStringLiteral("corvane.import.refused"), refused.size()) + QLatin1Char('\n') +
                             list.mid(0, 20).join(QLatin1Char('\n')),
                         64, title);
    }
    platform::StatementLineWriter writer(s.Db(), {true, book_.AccountCode, book_.BookCode, dates_});
    const std::vector<size_t> duplicates = writer.FindDuplicates(accepted);
    if (!duplicates.empty() &&
        shared::ShowMsgBox(GetResString(QStringLiteral("corvane.import.duplicates.book"), duplicates.size()), 260, title) != 6) {
      for (auto it = duplicates.rbegin(); it != duplicates.rend(); ++it)
        accepted.erase(accepted.begin() + static_cast<std::ptrdiff_t>(*it));
    }
    // A fetch that gave nothing is a successful import too: the window reloads.
    if (!accepted.empty()) writer.Write(accepted);
    bolConfirm = true;
  } catch (const std::exception& e) {
    shared::ShowMsgBox(shared::FailureText(e), 16, title);
    return;
  }
  accept();
}

void frmNBImportCond::cmdCancel_Click() {
  bolConfirm = false;
  reject();
}

}  // namespace corvane::statement
