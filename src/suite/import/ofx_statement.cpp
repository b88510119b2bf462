#include "suite/import/statement_file.h"

#include <libofx/libofx.h>

#include <QDateTime>
#include <QFileInfo>
#include <cmath>

namespace corvane::suite {

using platform::ImportLine;
using platform::Money;

namespace {

int OnAccount(const OfxAccountData data, void* user) {
  auto* out = static_cast<ParsedStatement*>(user);
  if (data.account_number_valid && out->accountNo.isEmpty()) out->accountNo = QString::fromUtf8(data.account_number);
  if (data.currency_valid && out->currency.isEmpty()) out->currency = QString::fromUtf8(data.currency);
  return 0;
}

// A positive amount is money in: the bank's credit; a negative one its debit.
int OnTransaction(const OfxTransactionData data, void* user) {
  auto* out = static_cast<ParsedStatement*>(user);
  ImportLine l;
  l.lineNo = static_cast<int>(out->lines.size()) + 1;
  if (data.date_posted_valid)
    l.date = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(data.date_posted), Qt::UTC).date();
  if (data.amount_valid) {
    l.bd_c = data.amount < 0 ? 1 : 0;
    l.amount = Money::FromDouble(std::fabs(data.amount));
  }
  if (data.check_number_valid) l.number = QString::fromUtf8(data.check_number);
  else if (data.reference_number_valid) l.number = QString::fromUtf8(data.reference_number);
  else if (data.fi_id_valid) l.number = QString::fromUtf8(data.fi_id);
  out->lines.push_back(l);
  return 0;
}

}  // namespace

// OFX 1.x (SGML) and 2.x (XML) through libofx, which reads from a file.
ParsedStatement ReadOfxFile(const QString& path) {
  ParsedStatement out;
  out.format = StatementFormat::Ofx;
  if (!QFileInfo::exists(path)) {
    out.error = path;
    return out;
  }
  LibofxContextPtr ctx = libofx_get_new_context();
  ofx_set_account_cb(ctx, OnAccount, &out);
  ofx_set_transaction_cb(ctx, OnTransaction, &out);
  const QByteArray file = QFile::encodeName(path);
  libofx_proc_file(ctx, file.constData(), OFX);
  libofx_free_context(ctx);
  return out;
}

}  // namespace corvane::suite
