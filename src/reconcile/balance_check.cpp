#include "reconcile/balance_check.h"

#include "platform/db/sql_builder.h"
#include "shared/statement_direction.h"
#include "shared/unreadable_dates.h"

#include <QMetaType>

namespace corvane::reconcile {

using platform::DbValue;
using platform::Money;
using platform::SqlBuilder;

namespace {

std::optional<Money> Total(const DbValue& v) {
  if (v.IsNull()) return std::nullopt;
  return v.ToMoney();
}

QString JournalDate(const ReconLoadRequest& a) {
  return a.bookMode ? QStringLiteral("billdate") : QStringLiteral("dbill_date");
}

// The ticked lines of one side the check sums: their table, date column, and
// the condition that picks them.
struct TickedLines {
  QString table;
  QString date;
  SqlBuilder where;
};

TickedLines JournalLines(const ReconLoadRequest& a) {
  TickedLines l{a.bookMode ? QStringLiteral("RP_Flow") : QStringLiteral("gl_accvouch"), JournalDate(a), {}};
  if (a.bookMode)
    l.where.Add(QStringLiteral("ibook=1 and bdelete=0 and iperiod <> 20 and ccode=? and cBookCode=? "
                               "and not(iperiod=21 and billdate>=?)"),
                a.code, a.bookCode, a.reconStart);
  else
    l.where.Add(QStringLiteral("ibook=1 and (iflag is null or iflag=2) and bdelete=0 and iperiod <> 20 and ccode=? "
                               "and not(iperiod=21 and dbill_date>=?)"),
                a.code, a.reconStart);
  l.where.Add(QStringLiteral(" and iflagbank<>0 and iflagbank is not null"));
  return l;
}

TickedLines StatementLines(const ReconLoadRequest& a) {
  TickedLines l{a.bookMode ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp"), QStringLiteral("ddate"), {}};
  if (a.bookMode)
    l.where.Add(QStringLiteral("bdelete=0 and ibegin <> 0 and ccode=? and cBookCode=?"), a.code, a.bookCode);
  else
    l.where.Add(QStringLiteral("bdelete=0 and ibegin <> 0 and ccode=?"), a.code);
  l.where.Add(QStringLiteral(" and iflag<>0 and iflag is not null"));
  return l;
}

// Sums the lines into two totals (sums: their two columns). After them the query
// gives a date among the lines that cannot be read (shared::UnreadableDateColumn):
// such a line is in no total shown, and is named with the line it is on.
void SumLines(platform::DbConnection& db, const TickedLines& l, const QString& sums, std::optional<Money>& debit,
              std::optional<Money>& credit) {
  const platform::ResultSet r =
      db.Query(QStringLiteral("select %1,%2 from %3 where ").arg(sums, shared::UnreadableDateColumn(db, l.date), l.table) +
                   l.where.Sql(),
               l.where.Params());
  if (r.rows.empty()) return;
  shared::RefuseUnreadableDate(db, r.rows.front().at(2), l.table, l.date, l.where.Sql(), l.where.Params());
  debit = Total(r.rows.front().at(0));
  credit = Total(r.rows.front().at(1));
}

}  // namespace

BalanceTotals SumTickedTotals(platform::DbConnection& db, const ReconLoadRequest& account, bool foreign) {
  BalanceTotals totals;
  SumLines(db, JournalLines(account),
           foreign ? QStringLiteral("sum(md_f) as jSum,sum(mc_f) as dSum") : QStringLiteral("sum(md) as jSum,sum(mc) as dSum"),
           totals.qyJf, totals.qyDf);
  // The statement direction is read as the lists show it (shared::IsDebitLine).
  SumLines(db, StatementLines(account),
           QStringLiteral("sum(case when %1=1 then mmoney else 0 end) as jSum,"
                          "sum(case when %1=1 then 0 else mmoney end) as dSum")
               .arg(shared::DebitLineSql()),
           totals.yhJf, totals.yhDf);
  return totals;
}

bool TotalsBalance(const BalanceTotals& totals, bool bankFx) {
  const Money qyJf = totals.qyJf.value_or(Money());
  const Money qyDf = totals.qyDf.value_or(Money());
  const Money yhJf = totals.yhJf.value_or(Money());
  const Money yhDf = totals.yhDf.value_or(Money());
  // The statement amounts facing the journal's debit and credit rows.
  const Money facingDebit = bankFx ? yhJf : yhDf;
  const Money facingCredit = bankFx ? yhDf : yhJf;
  return platform::AmountsAgree(qyJf - qyDf, facingDebit - facingCredit);
}

QVariant TotalVariant(const std::optional<Money>& total) {
  return total ? QVariant::fromValue(*total) : QVariant();
}

Money TotalOf(const QVariant& value) {
  if (!value.isValid() || value.isNull()) return Money();
  if (value.metaType() == QMetaType::fromType<Money>()) return value.value<Money>();
  switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
      return Money::FromRaw(value.toLongLong() * Money::kScale);
    case QMetaType::Double:
    case QMetaType::Float:
      return Money::FromDouble(value.toDouble());
    default:
      return Money::Parse(value.toString()).value_or(Money());
  }
}

}  // namespace corvane::reconcile
