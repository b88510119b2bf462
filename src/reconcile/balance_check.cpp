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

// Each query gives, after its two totals, a date among the lines it sums that
// cannot be read (shared::UnreadableDateColumn): such a line is in no total shown.
SqlBuilder JournalTotals(const platform::DbConnection& db, const ReconLoadRequest& a, bool foreign) {
  const QString amounts = (foreign ? QStringLiteral("select sum(md_f) as jSum,sum(mc_f) as dSum,")
                                   : QStringLiteral("select sum(md) as jSum,sum(mc) as dSum,")) +
                          shared::UnreadableDateColumn(db, JournalDate(a));
  SqlBuilder q;
  if (a.bookMode)
    q.Add(amounts + QStringLiteral(" from RP_Flow where ibook=1 and bdelete=0 and iperiod <> 20 and ccode=? "
                                   "and cBookCode=? and not(iperiod=21 and billdate>=?)"),
          a.code, a.bookCode, a.reconStart);
  else
    q.Add(amounts + QStringLiteral(" from gl_accvouch where ibook=1 and (iflag is null or iflag=2) and bdelete=0 "
                                   "and iperiod <> 20 and ccode=? and not(iperiod=21 and dbill_date>=?)"),
          a.code, a.reconStart);
  q.Add(QStringLiteral(" and iflagbank<>0 and iflagbank is not null"));
  return q;
}

// The statement direction is read as the lists show it (shared::IsDebitLine).
SqlBuilder StatementTotals(const platform::DbConnection& db, const ReconLoadRequest& a) {
  const QString sums = QStringLiteral(
                           "select sum(case when %1=1 then mmoney else 0 end) as jSum,"
                           "sum(case when %1=1 then 0 else mmoney end) as dSum,%2")
                           .arg(shared::DebitLineSql(), shared::UnreadableDateColumn(db, QStringLiteral("ddate")));
  SqlBuilder q;
  if (a.bookMode)
    q.Add(sums + QStringLiteral(" from rp_bankrecp_rp where bdelete=0 and ibegin <> 0 and ccode=? and cBookCode=?"),
          a.code, a.bookCode);
  else
    q.Add(sums + QStringLiteral(" from rp_bankrecp where bdelete=0 and ibegin <> 0 and ccode=?"), a.code);
  q.Add(QStringLiteral(" and iflag<>0 and iflag is not null"));
  return q;
}

}  // namespace

BalanceTotals SumTickedTotals(platform::DbConnection& db, const ReconLoadRequest& account, bool foreign) {
  BalanceTotals totals;
  const SqlBuilder jq = JournalTotals(db, account, foreign);
  const platform::ResultSet journal = db.Query(jq.Sql(), jq.Params());
  if (!journal.rows.empty()) {
    shared::RefuseUnreadableDate(JournalDate(account), journal.rows.front().at(2));
    totals.qyJf = Total(journal.rows.front().at(0));
    totals.qyDf = Total(journal.rows.front().at(1));
  }
  const SqlBuilder sq = StatementTotals(db, account);
  const platform::ResultSet statement = db.Query(sq.Sql(), sq.Params());
  if (!statement.rows.empty()) {
    shared::RefuseUnreadableDate(QStringLiteral("ddate"), statement.rows.front().at(2));
    totals.yhJf = Total(statement.rows.front().at(0));
    totals.yhDf = Total(statement.rows.front().at(1));
  }
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
