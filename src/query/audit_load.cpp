#include "query/audit_load.h"

#include "platform/controls/amount_reader.h"
#include "platform/controls/typed_value.h"

#include "platform/db/money.h"
#include "query/tick_status_load.h"
#include "shared/account_facts.h"

#include <cmath>

namespace corvane::query {

using platform::DbValue;
using platform::Money;
using platform::SqlBuilder;

namespace {

QString Text(const DbValue& v) { return v.IsNull() ? QString() : v.ToString(); }

// The rows come ordered by account (and book): consecutive rows share one copy
// of the code and name texts instead of each holding its own.
class SharedTexts {
 public:
  const QString& Of(int column, const DbValue& v) {
    QString& last = last_[column];
    if (v.IsNull()) {
      if (!last.isNull()) last = QString();
      return last;
    }
    const QString text = v.ToString();
    if (text != last) last = text;
    return last;
  }

 private:
  QString last_[4];
};

}  // namespace

std::optional<QDate> AuditCutOff(const QDate& auditDate, int days) {
  if (!auditDate.isValid()) return std::nullopt;
  return auditDate.addDays(-static_cast<qint64>(days));
}

std::optional<int> AuditDays(const QString& text) {
  if (platform::PlainForm(text).isEmpty()) return 0;
  const std::optional<qint64> days = platform::ReadWholeNumber(text, true);
  if (!days || *days < -32768 || *days > 32767) return std::nullopt;
  return static_cast<int>(*days);
}

SqlBuilder AuditStatementQuery(const AuditRequest& r) {
  SqlBuilder q;
  if (!r.bookMode) {
    q.Add(QStringLiteral("select a.ccode,b.ccode_name,a.ddate,a.csettle,a.cn_id,a.bd_c,a.mmoney "
                         "from rp_bankrecp a join code b on a.ccode=b.ccode where a.bdelete=? and a.ibegin>?"),
          0, 0);
  } else {
    // A book line whose account is missing from the chart stays, without a name.
    q.Add(QStringLiteral("select c.cBookCode,c.cBookName,a.ccode,b.ccode_name,a.ddate,a.csettle,a.cn_id,a.bd_c,a.mmoney "
                         "from rp_bankrecp_rp a join RP_Book c on a.cBookCode=c.cBookCode "
                         "left join code b on a.ccode=b.ccode "
                         "where a.bdelete=? and a.ibegin>? and c.dOpenDate is not null"),
          0, 0);
  }
  q.Add(QStringLiteral(" and (a.iflag=? or a.iflag is null)"), 0);
  if (r.cutOff) q.Add(QStringLiteral(" and a.ddate<=?"), *r.cutOff);
  q.Add(QStringLiteral(" order by a.ccode,a.ddate,a.i_id"));
  return q;
}

SqlBuilder AuditJournalQuery(const AuditRequest& r) {
  SqlBuilder q;
  if (!r.bookMode) {
    q.Add(QStringLiteral("select a.ccode,b.ccode_name,a.dbill_date,a.dt_date,a.csettle,a.cn_id,b.cexch_name,"
                         "a.md,a.mc,a.md_f,a.mc_f,a.csign,a.ino_id,a.cdigest "
                         "from gl_accvouch a join code b on a.ccode=b.ccode "
                         "where a.ibook=? and (a.iflag is null or a.iflag=?) and a.bdelete=? and a.iperiod<>? and b.be=?"),
          1, 2, 0, 20, 1);
  } else {
    q.Add(QStringLiteral("select c.cBookCode,c.cBookName,a.ccode,b.ccode_name,a.billdate,a.dt_date,a.csettle,a.cn_id,"
                         "b.cexch_name,a.md,a.mc,a.md_f,a.mc_f,a.cFlowID,a.cdigest "
                         "from RP_Flow a join RP_Book c on a.cBookCode=c.cBookCode "
                         "left join code b on a.ccode=b.ccode "
                         "where a.ibook=? and a.bdelete=? and a.iperiod<>? and (b.ccode is null or b.be=?)"),
          1, 0, 20, 1);
  }
  q.Add(QStringLiteral(" and (a.iflagbank=? or a.iflagbank is null)"), 0);
  if (r.cutOff) q.Add(r.bookMode ? QStringLiteral(" and a.billdate<=?") : QStringLiteral(" and a.dbill_date<=?"), *r.cutOff);
  q.Add(r.bookMode ? QStringLiteral(" order by c.cBookCode,a.ccode,a.billdate")
                   : QStringLiteral(" order by a.ccode,a.dbill_date,a.isignseq,a.ino_id,a.inid,a.i_id"));
  return q;
}

std::vector<std::vector<QString>> ReadAuditStatement(platform::DbConnection& db, const AuditRequest& r,
                                                     const AuditTexts& texts) {
  std::vector<std::vector<QString>> rows;
  const SqlBuilder q = AuditStatementQuery(r);
  const int lead = r.bookMode ? 2 : 0;
  SharedTexts shared;
  db.ForEachRow(q.Sql(), q.Params(), [&](const std::vector<DbValue>& row) {
    std::vector<QString> cells;
    cells.reserve(7 + lead);
    for (int i = 0; i < lead + 2; ++i) cells.emplace_back(shared.Of(i, row[i]));
    cells.emplace_back(DottedDate(row[lead + 2].ToDate()));
    cells.emplace_back(Text(row[lead + 3]));
    cells.emplace_back(Text(row[lead + 4]));
    const bool debit = !row[lead + 5].IsNull() && row[lead + 5].ToInt() == 1;
    cells.emplace_back(debit ? texts.debit : texts.credit);
    cells.emplace_back(platform::PlainAmountText(row[lead + 6].ToMoney()));
    rows.push_back(std::move(cells));
  });
  return rows;
}

std::vector<std::vector<QString>> ReadAuditJournal(platform::DbConnection& db, const AuditRequest& r,
                                                   const AuditTexts& texts) {
  std::vector<std::vector<QString>> rows;
  const SqlBuilder q = AuditJournalQuery(r);
  const int lead = r.bookMode ? 2 : 0;
  SharedTexts shared;
  db.ForEachRow(q.Sql(), q.Params(), [&](const std::vector<DbValue>& row) {
    // The foreign amounts on an account kept in a currency, else the home ones;
    // the debit when it is not zero, else the credit.
    const bool foreign = shared::IsForeignCurrency(Text(row[lead + 6]), r.homeCurrency);
    const Money debit = row[lead + (foreign ? 9 : 7)].ToMoney();
    const Money credit = row[lead + (foreign ? 10 : 8)].ToMoney();
    const Money amount = (debit.IsZero() ? credit : debit).RoundedToCents();
    if (amount.IsZero()) return;  // zero to the cent: nothing outstanding
    std::vector<QString> cells;
    cells.reserve(10 + lead);
    for (int i = 0; i < lead + 2; ++i) cells.emplace_back(shared.Of(i, row[i]));
    cells.emplace_back(DottedDate(row[lead + 2].ToDate()));
    cells.emplace_back(DottedDate(row[lead + 3].ToDate()));
    cells.emplace_back(Text(row[lead + 4]));
    cells.emplace_back(Text(row[lead + 5]));
    cells.emplace_back(debit.IsZero() ? texts.credit : texts.debit);
    cells.emplace_back(platform::PlainAmountText(amount));
    if (r.bookMode) {
      cells.emplace_back(Text(row[lead + 11]));
      cells.emplace_back(Text(row[lead + 12]));
    } else {
      cells.emplace_back(Text(row[11]) + QLatin1Char('-') + Text(row[12]));
      cells.emplace_back(Text(row[13]));
    }
    rows.push_back(std::move(cells));
  });
  return rows;
}

}  // namespace corvane::query
