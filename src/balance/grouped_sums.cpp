#include "balance/grouped_sums.h"

#include "shared/session.h"

namespace corvane::balance {

using platform::DbValue;
using platform::Money;
using shared::Session;

namespace {

const QString kAccounts = QStringLiteral("corvane_balance_accounts");

struct Names {
  QString statement, journal, key, journalDate, journalOrder, journalBase;
};

Names NamesOfMode(bool book) {
  if (book)
    return {QStringLiteral("rp_bankrecp_rp"), QStringLiteral("RP_Flow"), QStringLiteral("cBookCode"),
            QStringLiteral("billdate"), QStringLiteral("cFlowID"), QStringLiteral("j.ibook=1 and j.iperiod<>20")};
  return {QStringLiteral("rp_bankrecp"), QStringLiteral("gl_accvouch"), QStringLiteral("ccode"),
          QStringLiteral("dbill_date"), QStringLiteral("i_id"),
          QStringLiteral("j.ibook=1 and j.iperiod<>20 and j.iflag is null")};
}

// The accounts' dates and currency flags, in a table of this connection only.
// Numbered in the order given, so that the sums can be grouped by that number as
// the engine walks the accounts (no sorting of the lines); the code keeps the key
// rule of the line tables. Its statistics tell the planner that it is the small
// side of the join, so each account's lines are found through their index.
void FillAccountTable(platform::DbConnection& db, const std::vector<AccountFacts>& accounts) {
  db.Execute(QStringLiteral("create temp table if not exists %1 (n integer primary key, code varchar(100) collate ci, "
                            "dstart date, dend date, bforeign smallint)").arg(kAccounts));
  db.Execute(QStringLiteral("delete from %1").arg(kAccounts));
  std::vector<platform::DbParams> rows;
  rows.reserve(accounts.size());
  int n = 0;
  for (const AccountFacts& a : accounts) rows.push_back({++n, a.code, a.start, a.end, a.foreign ? 1 : 0});
  if (!rows.empty())
    db.ExecuteBatch(
        QStringLiteral("insert into %1 (n, code, dstart, dend, bforeign) values (?,?,?,?,?)").arg(kAccounts), rows);
  db.Execute(QStringLiteral("analyze %1").arg(kAccounts));
}

// The first row of each account wins (the opening rows, by their order).
void FirstPerAccount(platform::DbConnection& db, const QString& sql, std::map<QString, RawSums>& out,
                     Money RawSums::*field) {
  QString last;
  bool any = false;
  db.ForEachRow(sql, {}, [&](const std::vector<DbValue>& row) {
    const QString code = row[0].ToString();
    if (any && code == last) return;
    any = true;
    last = code;
    out[code].*field = row[1].ToMoney().RoundedToCents();
  });
}

}  // namespace

std::map<QString, RawSums> GroupedSums(const std::vector<AccountFacts>& accounts) {
  std::map<QString, RawSums> out;
  for (const AccountFacts& a : accounts) out[a.code];
  if (accounts.empty()) return out;
  platform::DbConnection& db = Session::Current().Db();
  const Names n = NamesOfMode(Session::Current().BookMode());
  FillAccountTable(db, accounts);

  // Each line table on the left of the join, so that its key column's rule
  // decides which codes are equal, as in the one-account sums. Grouped by the
  // accounts' numbers in the order the engine walks them, the lines need no sorting.
  const QString bankInRange = QStringLiteral("r.ddate>=a.dstart and (a.dend is null or r.ddate<=a.dend)");
  const QString bankToEnd = QStringLiteral("(a.dend is null or r.ddate<=a.dend)");
  const QString bankSql =
      QStringLiteral(
          "select a.code,"
          " sum(case when r.bdelete=1 and r.bd_c=1 and %1 then r.mmoney end),"
          " sum(case when r.bdelete=1 and r.bd_c=0 and %1 then r.mmoney end),"
          " sum(case when r.bdelete=0 and %1 then (case when r.bd_c=1 then r.mmoney else -r.mmoney end) end),"
          " sum(case when r.bdelete=0 and r.bd_c=1 and (r.iflag=0 or r.iflag is null) and %2 then r.mmoney end),"
          " sum(case when r.bdelete=0 and r.bd_c=0 and (r.iflag=0 or r.iflag is null) and %2 then r.mmoney end)"
          " from %3 r join %4 a on r.%5 = a.code where r.ibegin<>0 group by a.n, a.code")
          .arg(bankInRange, bankToEnd, n.statement, kAccounts, n.key);
  db.ForEachRow(bankSql, {}, [&](const std::vector<DbValue>& row) {
    RawSums& s = out[row[0].ToString()];
    s.bankClearedDebit = row[1].ToMoney();
    s.bankClearedCredit = row[2].ToMoney();
    s.bankLiveSigned = row[3].ToMoney();
    s.bankUnmatchedDebit = row[4].ToMoney();
    s.bankUnmatchedCredit = row[5].ToMoney();
  });

  // Home and foreign-currency accounts apart, each summing its own amount columns.
  const QString d = QStringLiteral("j.") + n.journalDate;
  const QString journalInRange =
      QStringLiteral("j.iperiod<>21 and %1>=a.dstart and (a.dend is null or %1<=a.dend)").arg(d);
  const QString journalToEnd = QStringLiteral("(a.dend is null or %1<=a.dend)").arg(d);
  for (const int foreign : {0, 1}) {
    const QString md = foreign ? QStringLiteral("j.md_f") : QStringLiteral("j.md");
    const QString mc = foreign ? QStringLiteral("j.mc_f") : QStringLiteral("j.mc");
    const QString journalSql =
        QStringLiteral(
            "select a.code,"
            " sum(case when j.bdelete=1 and %1 then %3 end),"
            " sum(case when j.bdelete=1 and %1 then %4 end),"
            " sum(case when j.bdelete=0 and %1 then %3-%4 end),"
            " sum(case when j.bdelete=0 and (j.iflagbank=0 or j.iflagbank is null) and %2 then %3 end),"
            " sum(case when j.bdelete=0 and (j.iflagbank=0 or j.iflagbank is null) and %2 then %4 end)"
            " from %5 j join %6 a on j.%7 = a.code where a.bforeign=? and %8 group by a.n, a.code")
            .arg(journalInRange, journalToEnd, md, mc, n.journal, kAccounts, n.key, n.journalBase);
    db.ForEachRow(journalSql, {foreign}, [&](const std::vector<DbValue>& row) {
      RawSums& s = out[row[0].ToString()];
      s.journalClearedDebit = row[1].ToMoney();
      s.journalClearedCredit = row[2].ToMoney();
      s.journalLiveSigned = row[3].ToMoney();
      s.journalUnmatchedDebit = row[4].ToMoney();
      s.journalUnmatchedCredit = row[5].ToMoney();
    });
  }

  FirstPerAccount(db,
                  QStringLiteral("select a.code, r.mmoney from %1 r join %2 a on r.%3 = a.code where r.ibegin=0 "
                                 "order by a.code, r.i_id").arg(n.statement, kAccounts, n.key),
                  out, &RawSums::bankOpening);
  FirstPerAccount(db,
                  QStringLiteral("select a.code, j.md from %1 j join %2 a on j.%3 = a.code where j.iperiod=20 "
                                 "order by a.code, j.%4").arg(n.journal, kAccounts, n.key, n.journalOrder),
                  out, &RawSums::journalOpening);
  return out;
}

}  // namespace corvane::balance
