#include "platform/controls/digest_reference.h"

#include "platform/db/db_connection.h"
#include "platform/services/common_services.h"
#include "platform/services/modal_runner.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace corvane::platform {

DigestReference::DigestReference(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DigestReference"));
  setWindowTitle(QStringLiteral("摘要参照"));
  auto* column = new QVBoxLayout(this);
  filter_ = new QLineEdit(this);
  filter_->setObjectName(QStringLiteral("txtFilter"));
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("lstDigest"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  column->addWidget(filter_);
  column->addWidget(list_);
  column->addWidget(buttons);
  connect(filter_, &QLineEdit::textChanged, this, &DigestReference::Refill);
  connect(list_, &QListWidget::itemDoubleClicked, this, &DigestReference::Confirm);
  connect(buttons, &QDialogButtonBox::accepted, this, &DigestReference::Confirm);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(360, 420);
}

void DigestReference::Refill() {
  list_->clear();
  if (!services_) return;
  // The digests of the account set's journal, most used first; the typed text
  // narrows them as a bound pattern, never as SQL.
  const QString typed = filter_->text().trimmed();
  auto rs = services_->GetConnection().OpenRecordset(
      QStringLiteral("select cdigest, count(*) as n from gl_accvouch where cdigest is not null and cdigest <> '' "
                     "and lower(cdigest) like lower(?) group by cdigest order by n desc, cdigest limit 200"),
      {QStringLiteral("%") + typed + QStringLiteral("%")});
  for (; !rs->Eof(); rs->MoveNext()) list_->addItem(rs->Field(0).ToString());
  if (list_->count() > 0) list_->setCurrentRow(0);
}

void DigestReference::Show() {
  if (services_) {
    ParamObject& param = services_->GetParamObject();
    param.Confirmed = false;
    filter_->setText(param.InputText);
  }
  Refill();
  RunModal(*this);
}

void DigestReference::Confirm() {
  QListWidgetItem* item = list_->currentItem();
  const QString chosen = item ? item->text() : filter_->text().trimmed();
  if (services_) {
    ParamObject& param = services_->GetParamObject();
    param.Confirmed = true;
    param.Value2 = chosen;
  }
  accept();
}

}  // namespace corvane::platform
