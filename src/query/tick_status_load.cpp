#include "query/tick_status_load.h"

namespace corvane::query {

using platform::DbValue;
using platform::Money;
using platform::SqlBuilder;

namespace {

QString Text(const DbValue& v) { return v.IsNull() ? QString() : v.ToString(); }

// An amount cell: "#,0.00", or empty for a zero amount.
QString AmountCell(const Money& m) { return m.IsZero() ? QString() : m.ToDisplayText(); }

void AddShowCondition(SqlBuilder& q, ShowMode show, const char* column) {
  const QString c = QString::fromLatin1(column);
  if (show == ShowMode::Unticked) q.Add(QStringLiteral(" and (%1=0 or %1 is null)").arg(c));
  if (show == ShowMode::Ticked) q.Add(QStringLiteral(" and %1>0").arg(c));
}

// Opening items dated from the start on are left out; without a start date none is.
QDate OpeningCut(const TickStatusRequest& r) { return r.startDate.isValid() ? r.startDate : QDate(9999, 12, 31); }

}  // namespace

ShowMode ShowModeOf(int value) {
  return value == 1 ? ShowMode::Unticked : value == 2 ? ShowMode::Ticked : ShowMode::All;
}

QString TickMark(long long tick) {
  if (tick <= 0) return QString();
  return tick < 13 ? QStringLiteral("○") : QStringLiteral("Y");
}

QString DottedDate(const QDate& d) {
  if (!d.isValid()) return QString();
  // Written digit by digit: every line of a list has one or two dates.
  int year = 0, month = 0, day = 0;
  d.getDate(&year, &month, &day);
  QString out(10, QLatin1Char('.'));
  QChar* c = out.data();
  for (int i = 3; i >= 0; --i, year /= 10) c[i] = QLatin1Char(static_cast<char>('0' + year % 10));
  c[5] = QLatin1Char(static_cast<char>('0' + month / 10));
  c[6] = QLatin1Char(static_cast<char>('0' + month % 10));
  c[8] = QLatin1Char(static_cast<char>('0' + day / 10));
  c[9] = QLatin1Char(static_cast<char>('0' + day % 10));
  return out;
}

SqlBuilder StatementStatusQuery(const TickStatusRequest& r) {
  SqlBuilder q(QStringLiteral("select ddate,csettle,cn_id,bd_c,mmoney,iflag from %1 where bdelete=? and ibegin>? and %2=?")
                   .arg(r.bookMode ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp"),
                        r.bookMode ? QStringLiteral("cBookCode") : QStringLiteral("ccode")),
               0, 0, r.code);
  AddShowCondition(q, r.show, "iflag");
  q.Add(QStringLiteral(" order by ddate,i_id"));
  return q;
}

SqlBuilder JournalStatusQuery(const TickStatusRequest& r) {
  const QString amounts = r.foreign ? QStringLiteral("md_f,mc_f") : QStringLiteral("md,mc");
  SqlBuilder q;
  if (!r.bookMode) {
    q.Add(QStringLiteral("select dbill_date,dt_date,csettle,cn_id,%1,iflagbank,csign,ino_id,cdigest from gl_accvouch "
                         "where ibook=? and (iflag is null or iflag=?) and bdelete=? and iperiod<>? and ccode=? "
                         "and not(iperiod=? and dbill_date>=?)")
              .arg(amounts),
          1, 2, 0, 20, r.code, 21, OpeningCut(r));
  } else {
    q.Add(QStringLiteral("select billdate,dt_date,csettle,cn_id,%1,iflagbank,cflowid,cdigest from RP_Flow "
                         "where ibook=? and bdelete=? and iperiod<>? and cBookCode=? "
                         "and not(iperiod=? and billdate>=?)")
              .arg(amounts),
          1, 0, 20, r.code, 21, OpeningCut(r));
  }
  AddShowCondition(q, r.show, "iflagbank");
  // A line with a currency name but no foreign amount (a revaluation) is left
  // out, as the detailed statement leaves it out: both list the same lines.
  q.Add(QStringLiteral(" and not(cexch_name is not null and md_f=? and mc_f=?)"), Money(), Money());
  q.Add(r.bookMode ? QStringLiteral(" order by billdate,cflowid") : QStringLiteral(" order by dbill_date,isignseq,ino_id,inid,i_id"));
  return q;
}

StatusRows ReadStatementStatus(platform::DbConnection& db, const TickStatusRequest& r) {
  StatusRows out;
  const SqlBuilder q = StatementStatusQuery(r);
  db.ForEachRow(q.Sql(), q.Params(), [&](const std::vector<DbValue>& row) {
    const Money amount = row[4].ToMoney();
    // A line without a direction reads as credit.
    const bool debit = !row[3].IsNull() && row[3].ToInt() == 1;
    const QString mark = TickMark(row[5].IsNull() ? 0 : row[5].ToInt());
    std::vector<QString> cells;
    cells.reserve(6);
    cells.emplace_back(DottedDate(row[0].ToDate()));
    cells.emplace_back(Text(row[1]));
    cells.emplace_back(Text(row[2]));
    cells.emplace_back(debit ? amount.ToDisplayText() : QString());
    cells.emplace_back(debit ? QString() : amount.ToDisplayText());
    cells.emplace_back(mark);
    (debit ? out.debitTotal : out.creditTotal) += amount;
    out.ticked.push_back(!mark.isEmpty());
    out.cells.push_back(std::move(cells));
  });
  return out;
}

StatusRows ReadJournalStatus(platform::DbConnection& db, const TickStatusRequest& r) {
  StatusRows out;
  const SqlBuilder q = JournalStatusQuery(r);
  db.ForEachRow(q.Sql(), q.Params(), [&](const std::vector<DbValue>& row) {
    const Money debit = row[4].ToMoney();
    const Money credit = row[5].ToMoney();
    const QString mark = TickMark(row[6].IsNull() ? 0 : row[6].ToInt());
    std::vector<QString> cells;
    cells.reserve(9);
    cells.emplace_back(DottedDate(row[0].ToDate()));
    cells.emplace_back(DottedDate(row[1].ToDate()));
    cells.emplace_back(Text(row[2]));
    cells.emplace_back(Text(row[3]));
    cells.emplace_back(AmountCell(debit));
    cells.emplace_back(AmountCell(credit));
    cells.emplace_back(mark);
    if (r.bookMode) {
      cells.emplace_back(Text(row[7]));
      cells.emplace_back(Text(row[8]));
    } else {
      // Sign and number, or nothing when either is missing.
      const bool voucher = !row[7].IsNull() && !row[8].IsNull();
      cells.emplace_back(voucher ? Text(row[7]) + QLatin1Char('-') + Text(row[8]) : QString());
      cells.emplace_back(Text(row[9]));
    }
    out.debitTotal += debit;
    out.creditTotal += credit;
    out.ticked.push_back(!mark.isEmpty());
    out.cells.push_back(std::move(cells));
  });
  return out;
}

bool ShowsTotalRow(const Money& debitTotal, const Money& creditTotal) {
  return !debitTotal.IsZero() || !creditTotal.IsZero();
}

std::vector<QString> TotalRow(int columns, int debitColumn, const QString& caption, const Money& debitTotal,
                              const Money& creditTotal) {
  std::vector<QString> cells(columns);
  cells[0] = caption;
  cells[debitColumn] = debitTotal.ToDisplayText();
  cells[debitColumn + 1] = creditTotal.ToDisplayText();
  return cells;
}

}  // namespace corvane::query
