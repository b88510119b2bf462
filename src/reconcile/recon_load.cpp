#include "reconcile/recon_load.h"

#include "reconcile/tick_mark.h"
#include "shared/statement_direction.h"

#include <QSet>

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

// Texts that repeat from line to line (styles, numbers of grouped lines), one copy
// shared by the facts of every line that has them. Only the first thousand
// distinct texts are remembered, and a column that hardly repeats is soon no more
// looked up.
class SharedTexts {
 public:
  QString operator()(QString text) {
    if (text.isEmpty() || misses_ > 1024 + 8 * hits_) return text;
    if (const auto it = seen_.constFind(text); it != seen_.constEnd()) {
      ++hits_;
      return *it;
    }
    if (seen_.size() < 1024) seen_.insert(text);
    else ++misses_;
    return text;
  }

 private:
  QSet<QString> seen_;
  int hits_ = 0, misses_ = 0;
};

// Rows of `cols` text columns but for the date columns and the amount column.
GridRows TypedRows(int cols, std::initializer_list<int> dateCols, int amountCol) {
  GridRows out;
  out.cells.SetColCount(cols);
  for (int c : dateCols) out.cells.SetColType(c, {platform::CellKind::Date, '.'});
  out.cells.SetColType(amountCol, {platform::CellKind::Amount});
  return out;
}

}  // namespace

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
  GridRows out = TypedRows(9, {0, 1}, 5);
  const Money cent = Money::FromCents(1);
  SharedTexts styles, numbers;
  int read = 0;
  db.ForEachRow(query.Sql(), query.Params(), [&](const std::vector<DbValue>& row) {
    if (progress && read++ % kRowsPerReport == 0)
      progress(row[1].ToDate(),
               Text(row[10]) + QStringLiteral(" - ") + QStringLiteral("%1").arg(row[11].ToInt(), 4, 10, QLatin1Char('0')));
    const Money debit = row[foreign ? 5 : 7].ToMoney();
    const Money credit = row[foreign ? 6 : 8].ToMoney();
    if (foreign && (debit < Money() ? -debit : debit) < cent && (credit < Money() ? -credit : credit) < cent) return;
    const bool isDebit = !debit.IsZero();
    const Money amount = isDebit ? debit : credit;
    const DbValue& tick = row[9];
    const QString style = Text(row[3]), number = Text(row[4]);
    LineFacts f{row[1].ToDate(), styles(style.trimmed()), numbers(number.trimmed()), isDebit, amount, TickOf(tick)};
    const int i = out.cells.AppendRow();
    out.cells.SetDate(i, 0, f.date);
    out.cells.SetDate(i, 1, row[2].ToDate());
    out.cells.SetText(i, 2, style);
    out.cells.SetText(i, 3, number);
    out.cells.SetText(i, 4, isDebit ? texts.debit : texts.credit);
    out.cells.SetAmount(i, 5, amount);
    out.cells.SetText(i, 6, TickMarkOf(tick));
    out.cells.SetText(i, 7, VoucherNumber(row[10], row[11]));
    out.cells.SetText(i, 8, Text(row[12]));
    out.keys.push_back(row[0].IsInteger() ? QVariant(static_cast<qlonglong>(row[0].ToInt())) : QVariant(row[0].ToString()));
    out.facts.push_back(std::move(f));
  });
  out.facts.shrink_to_fit();  // kept as long as the window shows the lines
  return out;
}

GridRows StatementRows(platform::DbConnection& db, const SqlBuilder& query, const RowTexts& texts,
                       const LoadProgress& progress) {
  GridRows out = TypedRows(6, {0}, 4);
  SharedTexts styles, numbers;
  int read = 0;
  db.ForEachRow(query.Sql(), query.Params(), [&](const std::vector<DbValue>& row) {
    if (progress && read++ % kRowsPerReport == 0)
      progress(row[1].ToDate(),
               Text(row[2]) + QStringLiteral(" - ") + QStringLiteral("%1").arg(row[0].ToInt(), 4, 10, QLatin1Char('0')));
    const bool isDebit = shared::IsDebitLine(row[4]);
    const Money amount = row[5].ToMoney();
    const DbValue& tick = row[6];
    const QString style = Text(row[2]), number = Text(row[3]);
    LineFacts f{row[1].ToDate(), styles(style.trimmed()), numbers(number.trimmed()), isDebit, amount, TickOf(tick)};
    const int i = out.cells.AppendRow();
    out.cells.SetDate(i, 0, f.date);
    out.cells.SetText(i, 1, style);
    out.cells.SetText(i, 2, number);
    out.cells.SetText(i, 3, isDebit ? texts.debit : texts.credit);
    out.cells.SetAmount(i, 4, amount);
    out.cells.SetText(i, 5, TickMarkOf(tick));
    out.keys.push_back(QVariant(static_cast<qlonglong>(row[0].ToInt())));
    out.facts.push_back(std::move(f));
  });
  out.facts.shrink_to_fit();  // kept as long as the window shows the lines
  return out;
}

}  // namespace corvane::reconcile
