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

// "收-0012": the voucher sign and its number in four digits (more when larger).
QString VoucherNumber(const DbValue& sign, const DbValue& number) {
  long long n = number.ToInt();
  const bool negative = n < 0;
  if (negative) n = -n;
  char digits[24];
  int pos = sizeof(digits);
  do {
    digits[--pos] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n > 0 || static_cast<int>(sizeof(digits)) - pos < 4);
  if (negative) digits[--pos] = '-';
  QString out = Text(sign);
  out.reserve(out.size() + 1 + static_cast<int>(sizeof(digits)) - pos);
  out += QLatin1Char('-');
  out += QLatin1String(digits + pos, static_cast<int>(sizeof(digits)) - pos);
  return out;
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

GridRows JournalRows(platform::DbConnection& db, const SqlBuilder& query, bool foreign, const RowTexts& texts,
                     const LoadProgress& progress) {
  GridRows out;
  const Money cent = Money::FromCents(1);
  int read = 0;
  db.ForEachRow(query.Sql(), query.Params(), [&](const std::vector<DbValue>& row) {
    if (progress && read++ % kRowsPerReport == 0)
      progress(row[1].ToDate().toString(QStringLiteral("yyyy年MM月dd日")),
               Text(row[10]) + QStringLiteral(" - ") + QStringLiteral("%1").arg(row[11].ToInt(), 4, 10, QLatin1Char('0')));
    const Money debit = row[foreign ? 5 : 7].ToMoney();
    const Money credit = row[foreign ? 6 : 8].ToMoney();
    if (foreign && (debit < Money() ? -debit : debit) < cent && (credit < Money() ? -credit : credit) < cent) return;
    const bool isDebit = !debit.IsZero();
    const Money amount = isDebit ? debit : credit;
    const DbValue& tick = row[9];
    LineFacts f{row[1].ToDate(), Text(row[3]).trimmed(), Text(row[4]).trimmed(), isDebit, amount, TickOf(tick)};
    std::vector<QString> cells;
    cells.reserve(9);
    cells.emplace_back(DisplayDate(f.date));
    cells.emplace_back(DisplayDate(row[2].ToDate()));
    cells.emplace_back(Text(row[3]));
    cells.emplace_back(Text(row[4]));
    cells.emplace_back(isDebit ? texts.debit : texts.credit);
    cells.emplace_back(amount.ToDisplayText());
    cells.emplace_back(TickMarkOf(tick));
    cells.emplace_back(VoucherNumber(row[10], row[11]));
    cells.emplace_back(Text(row[12]));
    out.cells.push_back(std::move(cells));
    out.keys.push_back(row[0].IsInteger() ? QVariant(static_cast<qlonglong>(row[0].ToInt())) : QVariant(row[0].ToString()));
    out.facts.push_back(std::move(f));
  });
  return out;
}

GridRows StatementRows(platform::DbConnection& db, const SqlBuilder& query, const RowTexts& texts,
                       const LoadProgress& progress) {
  GridRows out;
  int read = 0;
  db.ForEachRow(query.Sql(), query.Params(), [&](const std::vector<DbValue>& row) {
    if (progress && read++ % kRowsPerReport == 0)
      progress(row[1].ToDate().toString(QStringLiteral("yyyy-MM-dd")),
               Text(row[2]) + QStringLiteral(" - ") + QStringLiteral("%1").arg(row[0].ToInt(), 4, 10, QLatin1Char('0')));
    const bool isDebit = row[4].ToInt() != 0;
    const Money amount = row[5].ToMoney();
    const DbValue& tick = row[6];
    LineFacts f{row[1].ToDate(), Text(row[2]).trimmed(), Text(row[3]).trimmed(), isDebit, amount, TickOf(tick)};
    std::vector<QString> cells;
    cells.reserve(6);
    cells.emplace_back(DisplayDate(f.date));
    cells.emplace_back(Text(row[2]));
    cells.emplace_back(Text(row[3]));
    cells.emplace_back(isDebit ? texts.debit : texts.credit);
    cells.emplace_back(amount.ToDisplayText());
    cells.emplace_back(TickMarkOf(tick));
    out.cells.push_back(std::move(cells));
    out.keys.push_back(QVariant(static_cast<qlonglong>(row[0].ToInt())));
    out.facts.push_back(std::move(f));
  });
  return out;
}

}  // namespace corvane::reconcile
