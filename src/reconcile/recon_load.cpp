#include "reconcile/recon_load.h"

#include "reconcile/tick_mark.h"

namespace corvane::reconcile {

using platform::DbValue;
using platform::Money;
using platform::SqlBuilder;

namespace {

// No lower bound is the suite's zero date, before any account set begins.
const QDate kZeroDate(1899, 12, 30);

QDate Lower(const ReconLoadRequest& r) { return r.startDate.isValid() ? r.startDate : kZeroDate; }

QString Text(const DbValue& v) { return v.IsNull() ? QString() : v.ToString(); }

std::optional<int> TickOf(const DbValue& v) {
  if (v.IsNull() || v.ToInt() == 0) return std::nullopt;
  return static_cast<int>(v.ToInt());
}

QString VoucherNumber(const DbValue& sign, const DbValue& number) {
  return Text(sign) + QLatin1Char('-') + QStringLiteral("%1").arg(number.ToInt(), 4, 10, QLatin1Char('0'));
}

}  // namespace

QString DisplayDate(const QDate& d) {
  if (!d.isValid()) return QString();
  // Built by hand: this runs for every loaded line, and QDate::toString is slow.
  char buf[11];
  const int y = d.year(), m = d.month(), day = d.day();
  buf[0] = static_cast<char>('0' + y / 1000 % 10);
  buf[1] = static_cast<char>('0' + y / 100 % 10);
  buf[2] = static_cast<char>('0' + y / 10 % 10);
  buf[3] = static_cast<char>('0' + y % 10);
  buf[4] = '.';
  buf[5] = static_cast<char>('0' + m / 10);
  buf[6] = static_cast<char>('0' + m % 10);
  buf[7] = '.';
  buf[8] = static_cast<char>('0' + day / 10);
  buf[9] = static_cast<char>('0' + day % 10);
  buf[10] = 0;
  return QString::fromLatin1(buf, 10);
}

SqlBuilder JournalLoadQuery(const ReconLoadRequest& r) {
  SqlBuilder q;
  if (!r.bookMode) {
    q.Add(QStringLiteral("select i_id,dBill_date,dt_date,csettle,cn_id,md_f,mc_f,md,mc,iflagbank,cSign,iNo_id,cDigest "
                         "from gl_accvouch where ibook=1 and (iflag is null or iflag=2) and bdelete=0 and iperiod <> 20 "
                         "and ccode = ? and not(iperiod=21 and dbill_date>=?) and dbill_date>=? and dbill_date<=?"),
          r.code, r.reconStart, Lower(r), r.endDate);
    if (!r.includeTicked) q.Add(QStringLiteral(" and (iflagbank=0 or iflagbank is null)"));
    q.Add(QStringLiteral(" order by dbill_date,isignseq,ino_id,inid,i_id"));
  } else {
    q.Add(QStringLiteral("select cflowid as i_id, billdate as dBill_date, dt_date,csettle,cn_id,md_f,mc_f,md,mc,iflagbank,"
                         "'' as cSign,0 as iNo_id,cDigest from rp_flow where ibook=1 and bdelete=0 and iperiod <> 20 "
                         "and ccode = ? and cBookCode = ? and not(iperiod=21 and billdate>=?) "
                         "and billdate>=? and billdate<=?"),
          r.code, r.bookCode, r.reconStart, Lower(r), r.endDate);
    if (!r.includeTicked) q.Add(QStringLiteral(" and (iflagbank=0 or iflagbank is null)"));
    q.Add(QStringLiteral(" order by billdate,cflowid"));
  }
  return q;
}

SqlBuilder StatementLoadQuery(const ReconLoadRequest& r) {
  SqlBuilder q;
  if (!r.bookMode) {
    q.Add(QStringLiteral("select i_id,dDate,csettle,cn_id,bd_c,mmoney,iflag from rp_bankrecp "
                         "where bdelete=0 and ibegin <> 0 and ccode = ? and ddate>=? and ddate<=?"),
          r.code, Lower(r), r.endDate);
  } else {
    q.Add(QStringLiteral("select i_id,dDate,csettle,cn_id,bd_c,mmoney,iflag from rp_bankrecp_rp "
                         "where bdelete=0 and ibegin <> 0 and ccode = ? and cBookCode = ? and ddate>=? and ddate<=?"),
          r.code, r.bookCode, Lower(r), r.endDate);
  }
  if (!r.includeTicked) q.Add(QStringLiteral(" and (iflag=0 or iflag is null)"));
  q.Add(QStringLiteral(" order by ddate,i_id"));
  return q;
}

GridRows JournalRows(platform::RecordsetWrapper& rs, bool foreign, const RowTexts& texts) {
  GridRows out;
  out.cells.reserve(rs.RecordCount());
  const Money cent = Money::FromCents(1);
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
    const Money debit = rs.Field(foreign ? 5 : 7).ToMoney();
    const Money credit = rs.Field(foreign ? 6 : 8).ToMoney();
    if (foreign && (debit < Money() ? -debit : debit) < cent && (credit < Money() ? -credit : credit) < cent) continue;
    const bool isDebit = !debit.IsZero();
    const Money amount = isDebit ? debit : credit;
    const DbValue& tick = rs.Field(9);
    LineFacts f{rs.Field(1).ToDate(), Text(rs.Field(3)).trimmed(), Text(rs.Field(4)).trimmed(), isDebit, amount,
                TickOf(tick)};
    out.cells.push_back({DisplayDate(f.date), DisplayDate(rs.Field(2).ToDate()), Text(rs.Field(3)), Text(rs.Field(4)),
                         isDebit ? texts.debit : texts.credit, amount.ToDisplayText(), TickMarkOf(tick),
                         VoucherNumber(rs.Field(10), rs.Field(11)), Text(rs.Field(12))});
    out.keys.push_back(rs.Field(0).IsInteger() ? QVariant(static_cast<qlonglong>(rs.Field(0).ToInt()))
                                               : QVariant(rs.Field(0).ToString()));
    out.ticked.push_back(!tick.IsNull() && tick.ToInt() > 0);
    out.facts.push_back(std::move(f));
  }
  return out;
}

GridRows StatementRows(platform::RecordsetWrapper& rs, const RowTexts& texts) {
  GridRows out;
  out.cells.reserve(rs.RecordCount());
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
    const bool isDebit = rs.Field(4).ToInt() != 0;
    const Money amount = rs.Field(5).ToMoney();
    const DbValue& tick = rs.Field(6);
    LineFacts f{rs.Field(1).ToDate(), Text(rs.Field(2)).trimmed(), Text(rs.Field(3)).trimmed(), isDebit, amount,
                TickOf(tick)};
    out.cells.push_back({DisplayDate(f.date), Text(rs.Field(2)), Text(rs.Field(3)), isDebit ? texts.debit : texts.credit,
                         amount.ToDisplayText(), TickMarkOf(tick)});
    out.keys.push_back(QVariant(static_cast<qlonglong>(rs.Field(0).ToInt())));
    out.ticked.push_back(!tick.IsNull() && tick.ToInt() > 0);
    out.facts.push_back(std::move(f));
  }
  return out;
}

}  // namespace corvane::reconcile
