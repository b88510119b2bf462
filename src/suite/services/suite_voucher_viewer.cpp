#include "suite/services/suite_voucher_viewer.h"

#include "platform/db/db_connection.h"
#include "platform/services/common_services.h"
#include "platform/services/modal_runner.h"
#include "platform/services/service_error.h"

#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvane::suite {

using platform::Money;

bool SuiteVoucherViewer::ShowVoucher(const QString&, const QString&, int, const QString&, const QString& book,
                                     const QString& period, const QString& sign, const QString& number) {
  if (!services_) throw platform::ServiceError(QStringLiteral("The voucher viewer has no services"));
  auto text = [this](const char* key) { return services_->GetString(QString::fromLatin1(key)); };
  const platform::ResultSet rs = services_->GetConnection().Query(
      QStringLiteral("select dbill_date, ccode, cdigest, md, mc from gl_accvouch where ibook=? and iperiod=? and "
                     "csign=? and ino_id=? order by inid, i_id"),
      {book.toInt(), period.toInt(), sign, number.toInt()});
  if (rs.rows.empty()) return false;

  QDialog dialog;
  dialog.setObjectName(QStringLiteral("frmVoucherViewer"));
  dialog.setWindowTitle(text("corvane.voucher.title"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* head = new QLabel(QStringLiteral("%1 - %2   %3").arg(sign, number.rightJustified(4, QLatin1Char('0')),
                                                             services_->FormatDate(rs.rows[0][0].ToDate())),
                          &dialog);
  head->setObjectName(QStringLiteral("lblVoucher"));
  layout->addWidget(head);
  auto* table = new QTableWidget(static_cast<int>(rs.rows.size()) + 1, 4, &dialog);
  table->setObjectName(QStringLiteral("gridLines"));
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setHorizontalHeaderLabels({text("corvane.voucher.account"), text("corvane.voucher.digest"),
                                    text("corvane.voucher.debit"), text("corvane.voucher.credit")});
  table->verticalHeader()->hide();
  Money debit, credit;
  auto put = [table](int r, int c, const QString& s, bool amount) {
    auto* item = new QTableWidgetItem(s);
    if (amount) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(r, c, item);
  };
  int r = 0;
  for (const auto& row : rs.rows) {
    const Money md = row[3].ToMoney(), mc = row[4].ToMoney();
    debit += md;
    credit += mc;
    const QString account = row[1].ToString();
    const QString name = services_->GetAccountName(account);
    put(r, 0, name.isEmpty() ? account : account + QLatin1Char(' ') + name, false);
    put(r, 1, row[2].ToString(), false);
    put(r, 2, md.IsZero() ? QString() : md.ToDisplayText(), true);
    put(r, 3, mc.IsZero() ? QString() : mc.ToDisplayText(), true);
    ++r;
  }
  put(r, 1, text("corvane.voucher.total"), false);
  put(r, 2, debit.ToDisplayText(), true);
  put(r, 3, credit.ToDisplayText(), true);
  table->resizeColumnsToContents();
  layout->addWidget(table);
  auto* close = new QPushButton(text("corvane.voucher.close"), &dialog);
  close->setObjectName(QStringLiteral("cmdClose"));
  QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
  layout->addWidget(close, 0, Qt::AlignRight);
  dialog.resize(720, 360);
  platform::RunModal(dialog);
  return true;
}

}  // namespace corvane::suite
