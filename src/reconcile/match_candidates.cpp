#include "reconcile/match_candidates.h"

#include "shared/statement_direction.h"

#include <QHash>

namespace corvane::reconcile {

using platform::DbValue;
using platform::SqlBuilder;

namespace {

// The range is always bound, as the window's own load binds it, so a line
// without a date (which the window never shows) never takes part either.
const QDate kNoLowerBound(1899, 12, 30);
const QDate kNoUpperBound(9999, 12, 31);

QDate Lower(const MatchRequest& r) { return r.startDate.isValid() ? r.startDate : kNoLowerBound; }
QDate Upper(const MatchRequest& r) { return r.endDate.isValid() ? r.endDate : kNoUpperBound; }

// Match texts of the styles already met on one side: an account uses a handful
// of styles, so each line's style key is looked up instead of made again.
using StyleKeys = QHash<QString, QString>;

QString StyleText(StyleKeys& known, const DbValue& value) {
  if (value.IsNull()) return QString();
  const QString text = value.ToString();
  auto it = known.constFind(text);
  if (it == known.constEnd()) it = known.insert(text, MatchText(text));
  return *it;
}

MatchLine LineFrom(const std::vector<DbValue>& row, StyleKeys& styles) {
  MatchLine line;
  line.key = row[0];
  line.date = row[1].ToDate();
  line.style = StyleText(styles, row[2]);
  SetMatchNumber(line, row[3]);
  return line;
}

}  // namespace

SqlBuilder JournalCandidateQuery(const MatchRequest& r) {
  const QString amounts = r.foreign ? QStringLiteral("md_f,mc_f") : QStringLiteral("md,mc");
  SqlBuilder q;
  if (!r.bookMode) {
    q.Add(QStringLiteral("select i_id,dbill_date,csettle,cn_id,%1 from gl_accvouch "
                         "where ibook=1 and (iflag is null or iflag=2) and bdelete=0 and iperiod <> 20 and ccode=?")
              .arg(amounts),
          r.code);
  } else {
    q.Add(QStringLiteral("select cFlowID,BillDate,csettle,cn_id,%1 from RP_Flow "
                         "where ibook=1 and bdelete=0 and iperiod <> 20 and ccode=? and cBookCode=?")
              .arg(amounts),
          r.code, r.bookCode);
  }
  const QString date = r.bookMode ? QStringLiteral("BillDate") : QStringLiteral("dbill_date");
  if (r.reconStart.isValid()) q.Add(QStringLiteral(" and not(iperiod=21 and %1>=?)").arg(date), r.reconStart);
  q.Add(QStringLiteral(" and %1>=? and %1<=?").arg(date), Lower(r), Upper(r));
  if (r.cutOff.isValid()) q.Add(QStringLiteral(" and %1<=?").arg(date), r.cutOff);
  q.Add(QStringLiteral(" and (iflagbank=0 or iflagbank is null) order by %1,%2")
            .arg(date, r.bookMode ? QStringLiteral("cFlowID") : QStringLiteral("i_id")));
  return q;
}

SqlBuilder StatementCandidateQuery(const MatchRequest& r) {
  SqlBuilder q;
  if (!r.bookMode) {
    q.Add(QStringLiteral("select i_id,ddate,csettle,cn_id,bd_c,mmoney from rp_bankrecp "
                         "where bdelete=0 and ibegin <> 0 and ccode=?"),
          r.code);
  } else {
    q.Add(QStringLiteral("select i_id,ddate,csettle,cn_id,bd_c,mmoney from rp_bankrecp_rp "
                         "where bdelete=0 and ibegin <> 0 and ccode=? and cBookCode=?"),
          r.code, r.bookCode);
  }
  q.Add(QStringLiteral(" and ddate>=? and ddate<=?"), Lower(r), Upper(r));
  if (r.cutOff.isValid()) q.Add(QStringLiteral(" and ddate<=?"), r.cutOff);
  q.Add(QStringLiteral(" and (iflag=0 or iflag is null) order by ddate,i_id"));
  return q;
}

namespace {

// The lines of one side's query, each finished by its side's amounts.
template <class Amounts>
std::vector<MatchLine> LoadLines(platform::DbConnection& db, const SqlBuilder& q, Amounts amounts) {
  std::vector<MatchLine> out;
  StyleKeys styles;
  db.ForEachRow(q.Sql(), q.Params(), [&](const std::vector<DbValue>& row) {
    MatchLine line = LineFrom(row, styles);
    amounts(row, line);
    out.push_back(std::move(line));
  });
  return out;
}

}  // namespace

std::vector<MatchLine> LoadJournalCandidates(platform::DbConnection& db, const MatchRequest& r) {
  return LoadLines(db, JournalCandidateQuery(r), [](const std::vector<DbValue>& row, MatchLine& line) {
    line.debit = row[4].ToMoney();
    line.credit = row[5].ToMoney();
  });
}

std::vector<MatchLine> LoadStatementCandidates(platform::DbConnection& db, const MatchRequest& r) {
  return LoadLines(db, StatementCandidateQuery(r), [](const std::vector<DbValue>& row, MatchLine& line) {
    const bool debit = shared::IsDebitLine(row[4]);
    (debit ? line.debit : line.credit) = row[5].ToMoney();
    line.debitSide = debit;
  });
}

MatchCandidates LoadMatchCandidates(platform::DbConnection& db, const MatchRequest& r) {
  MatchCandidates out;
  out.journal = LoadJournalCandidates(db, r);
  out.statement = LoadStatementCandidates(db, r);
  AlignNumberKeys(out);
  return out;
}

}  // namespace corvane::reconcile
