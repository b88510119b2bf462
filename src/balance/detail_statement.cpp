#include "balance/detail_statement.h"

#include "platform/db/sql_builder.h"
#include "shared/account_facts.h"
#include "shared/session.h"

#include <QStringBuilder>
#include <unordered_map>

namespace corvane::balance {

using platform::DbValue;
using platform::Money;
using platform::SqlBuilder;
using shared::Session;

namespace {

// The suite's date text, asked once per distinct date: a long list holds a few
// hundred dates at most.
class DateTexts {
 public:
  explicit DateTexts(platform::CommonServices& common) : common_(common) {}
  const QString& operator()(const QDate& d) {
    auto it = texts_.find(d.toJulianDay());
    if (it == texts_.end()) it = texts_.emplace(d.toJulianDay(), common_.FormatDate(d)).first;
    return it->second;
  }

 private:
  platform::CommonServices& common_;
  std::unordered_map<qint64, QString> texts_;
};

void AddShowMode(SqlBuilder& q, int showMode, const QString& column) {
  if (showMode == 1) q.Add(QStringLiteral(" and (%1=0 or %1 is null)").arg(column));
  if (showMode == 2) q.Add(QStringLiteral(" and %1>0").arg(column));
}

void ReadBank(const QString& code, int showMode, const QDate& asOf, bool debitSide, std::vector<DetailItem>& out) {
  Session& s = Session::Current();
  const bool book = s.BookMode();
  SqlBuilder q(QStringLiteral("select ddate, cn_id, mmoney from %1 where bdelete=0 and ibegin>0 and %2 =?")
                   .arg(book ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp"),
                        book ? QStringLiteral("cBookCode") : QStringLiteral("ccode")),
               code);
  AddShowMode(q, showMode, QStringLiteral("iflag"));
  if (asOf.isValid()) q.Add(QStringLiteral(" and ddate <= ?"), asOf);
  // A debit line has bd_c 1; every other line, one without a direction included,
  // is a credit line, as the sums under the sections read it.
  q.Add(debitSide ? QStringLiteral(" and bd_c=1 order by ddate,i_id")
                  : QStringLiteral(" and (bd_c<>1 or bd_c is null) order by ddate,i_id"));
  DateTexts dateText(s.Common());
  s.Db().ForEachRow(q.Sql(), q.Params(), [&](const std::vector<DbValue>& row) {
    out.push_back({dateText(row[0].ToDate()), row[1].ToString(), QString(), row[2].ToMoney().ToDisplayText(),
                   QString()});
  });
}

SqlBuilder JournalQuery(const QString& code, int showMode, const QDate& start, const QDate& asOf, bool foreign,
                        bool debitSide) {
  const bool book = Session::Current().BookMode();
  const QString date = book ? QStringLiteral("BillDate") : QStringLiteral("dbill_date");
  SqlBuilder q(book ? QStringLiteral("select BillDate, cFlowID, cdigest, md, mc, md_f, mc_f, ibook, iperiod from RP_Flow "
                                     "where ibook=1 and bdelete=0 and iperiod<>20 and cBookCode =?")
                    : QStringLiteral("select dbill_date, csign, ino_id, cdigest, md, mc, md_f, mc_f, ibook, iperiod "
                                     "from gl_accvouch where ibook=1 and (iflag is null or iflag=2) and bdelete=0 "
                                     "and iperiod<>20 and ccode =?"),
               code);
  // Opening items (period 21) dated from the start date on are already in the lines.
  q.Add(QStringLiteral(" and not(iperiod=21 and %1>=?)").arg(date), start);
  AddShowMode(q, showMode, QStringLiteral("iflagbank"));
  if (asOf.isValid()) q.Add(QStringLiteral(" and %1 <= ?").arg(date), asOf);
  const QString zeroOther = debitSide ? (foreign ? QStringLiteral("mc_f") : QStringLiteral("mc"))
                                      : (foreign ? QStringLiteral("md_f") : QStringLiteral("md"));
  q.Add(QStringLiteral(" and %1=0 and not (cexch_name is not null and md_f=0 and mc_f=0) ").arg(zeroOther));
  q.Add(book ? QStringLiteral("order by BillDate") : QStringLiteral("order by dbill_date,isignseq,ino_id,inid,i_id"));
  return q;
}

void ReadJournal(const SqlBuilder& q, const QDate& asOf, bool foreign, bool debitSide, std::vector<DetailItem>& out) {
  Session& s = Session::Current();
  const bool book = s.BookMode();
  DateTexts dateText(s.Common());
  const int amountColumn = (book ? 3 : 4) + (debitSide ? 0 : 1) + (foreign ? 2 : 0);
  s.Db().ForEachRow(q.Sql(), q.Params(), [&](const std::vector<DbValue>& row) {
    const QDate d = row[0].ToDate();
    if (asOf.isValid() && d > asOf) return;
    DetailItem item;
    item.date = dateText(d);
    const int last = static_cast<int>(row.size()) - 1;  // iperiod; ibook before it
    const QString bookFlag = QString::number(row[last - 1].ToInt());
    const QString period = QString::number(row[last].ToInt());
    if (book) {
      item.number = row[1].ToString();
      item.digest = row[2].ToString();
      item.key = bookFlag % QLatin1Char(',') % period;
    } else {
      const QString sign = row[1].ToString();
      const QString number = QString::number(row[2].ToInt());
      item.number = sign % QStringLiteral(" - ") % number.rightJustified(4, QLatin1Char('0'));
      item.digest = row[3].ToString();
      item.key = bookFlag % QLatin1Char(',') % period % QLatin1Char(',') % sign % QLatin1Char(',') % number;
    }
    item.amount = row[amountColumn].ToMoney().ToDisplayText();
    out.push_back(std::move(item));
  });
}

}  // namespace

DetailSections ReadDetailSections(const QString& code, int showMode) {
  DetailSections d;
  const bool debit = shared::GetAccountDirection(code);
  const QDate start = shared::GetStartDate(code);
  const bool foreign = !shared::GetCurrencyName(code).isEmpty();
  const QDate asOf = shared::GetEndDate(code);
  // Section 1 holds what the bank received: its debits on a debit-direction
  // account, its credits on a credit-direction one.
  ReadBank(code, showMode, asOf, debit, d.items[0]);
  ReadBank(code, showMode, asOf, !debit, d.items[1]);
  const SqlBuilder debits = JournalQuery(code, showMode, start, asOf, foreign, true);
  const SqlBuilder credits = JournalQuery(code, showMode, start, asOf, foreign, false);
  d.debitSql = debits.Sql();
  d.debitParams = debits.Params();
  d.creditSql = credits.Sql();
  d.creditParams = credits.Params();
  ReadJournal(debits, asOf, foreign, true, d.items[2]);
  ReadJournal(credits, asOf, foreign, false, d.items[3]);
  return d;
}

}  // namespace corvane::balance
