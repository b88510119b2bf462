#include "support/query_ledger.h"

namespace corvane::query::test {

using platform::DbValue;

namespace {

DbValue Of(const QVariant& v) {
  if (!v.isValid() || v.isNull()) return DbValue();
  if (v.typeId() == QMetaType::QString) return DbValue(v.toString());
  return DbValue(static_cast<long long>(v.toLongLong()));
}

}  // namespace

QueryLedger::QueryLedger(platform::DbConnection& db, bool bookMode, const QString& account, const QString& book)
    : db_(db), bookMode_(bookMode), account_(account), book_(book) {}

void QueryLedger::AddAccount(const QString& name, const QDate& start, const QString& currency) {
  db_.Execute(QStringLiteral("insert into code (ccode,ccode_name,igrade,bd_c,be,bend,cexch_name,dbegin) "
                             "values (?,?,?,?,?,?,?,?)"),
              {account_, name, 2, 1, 1, 1, currency, start});
  if (bookMode_) AddBookOnly(name, start);
  if (bookMode_ && !currency.isEmpty()) {
    db_.Execute(QStringLiteral("update RP_Book set cexch_name=? where cBookCode=?"), {currency, book_});
  }
}

void QueryLedger::AddBookOnly(const QString& name, const QDate& start) {
  db_.Execute(QStringLiteral("insert into RP_Book (cBookCode,cBookName,iBookType,ccode,cexch_name,dOpenDate,"
                             "bCloseFlag,dBeginDate,bd_c,iLastFlowNo) values (?,?,?,?,?,?,?,?,?,?)"),
              {book_, name, 2, account_, QStringLiteral("人民币"), QDate(2026, 1, 1), 0, start, 1, 0});
}

void QueryLedger::Add(const JournalLine& l) {
  if (!bookMode_) {
    db_.Execute(QStringLiteral("insert into gl_accvouch (iperiod,csign,isignseq,ino_id,inid,dbill_date,ibook,iflag,"
                               "ccode,cexch_name,md,mc,md_f,mc_f,csettle,cn_id,dt_date,cdigest,iflagbank,bdelete) "
                               "values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                {l.period, Of(l.sign), 2, Of(l.voucherNo), 1, l.date, l.ibook, Of(l.iflag), account_,
                 Of(l.currency), l.md, l.mc, l.mdF, l.mcF, l.settle, l.number, l.date, l.digest, Of(l.tick),
                 l.bdelete});
    return;
  }
  const QString flow = book_ + QStringLiteral("%1").arg(++flows_, 6, 10, QLatin1Char('0'));
  db_.Execute(QStringLiteral("insert into RP_Flow (cFlowID,cBookCode,iBookType,ccode,BillDate,iperiod,ibook,csettle,"
                             "cn_id,dt_date,cexch_name,md,mc,md_f,mc_f,cdigest,iflagbank,bdelete) "
                             "values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
              {flow, book_, 2, account_, l.date, l.period, l.ibook, l.settle, l.number, l.date,
               Of(l.currency), l.md, l.mc, l.mdF, l.mcF, l.digest, Of(l.tick), l.bdelete});
}

void QueryLedger::Add(const StatementLine& l) {
  db_.Execute(QStringLiteral("insert into %1 (ccode,cBookCode,dDate,csettle,cn_id,bd_c,mmoney,iflag,ibegin,bdelete) "
                             "values (?,?,?,?,?,?,?,?,?,?)")
                  .arg(bookMode_ ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp")),
              {account_, bookMode_ ? DbValue(book_) : DbValue(), l.date, l.settle, l.number, Of(l.debit), l.amount,
               Of(l.tick), l.ibegin, l.bdelete});
}

}  // namespace corvane::query::test
