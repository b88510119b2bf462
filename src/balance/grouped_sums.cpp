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

  // Each line is classified once (cleared, direction, ticked, from the start
  // date, up to the end date) and summed per account and class; the figures are
  // put together from the classes here. The line table stays on the left of the
  // join, so its key column's rule decides which codes are equal.
  const QString bankSql =
      QStringLiteral(
          "select a.code, r.bdelete, r.bd_c,"
          " case when r.iflag=0 or r.iflag is null then 1 else 0 end as xu,"
          " case when r.ddate>=a.dstart then 1 else 0 end as xs,"
          " case when a.dend is null or r.ddate<=a.dend then 1 else 0 end as xe,"
          " sum(r.mmoney)"
          " from %1 r join %2 a on r.%3 = a.code where r.ibegin<>0"
          " group by a.n, a.code, r.bdelete, r.bd_c, xu, xs, xe")
          .arg(n.statement, kAccounts, n.key);
  db.ForEachRow(bankSql, {}, [&](const std::vector<DbValue>& row) {
    RawSums& s = out[row[0].ToString()];
    const bool cleared = row[1].ToInt() == 1, debit = !row[2].IsNull() && row[2].ToInt() == 1,
               credit = !row[2].IsNull() && row[2].ToInt() == 0;
    const bool unticked = row[3].ToInt() == 1, fromStart = row[4].ToInt() == 1, toEnd = row[5].ToInt() == 1;
    const Money m = row[6].ToMoney();
    if (!toEnd) return;
    if (cleared) {
      if (!fromStart) return;
      if (debit) s.bankClearedDebit += m;
      if (credit) s.bankClearedCredit += m;
      return;
    }
    if (fromStart) s.bankLiveSigned += debit ? m : -m;
    if (unticked && debit) s.bankUnmatchedDebit += m;
    if (unticked && credit) s.bankUnmatchedCredit += m;
  });

  // Home and foreign-currency accounts apart, each summing its own amount columns.
  const QString d = QStringLiteral("j.") + n.journalDate;
  for (const int foreign : {0, 1}) {
    const QString journalSql =
        QStringLiteral(
            "select a.code, j.bdelete,"
            " case when j.iperiod=21 then 1 else 0 end as xo,"
            " case when j.iflagbank=0 or j.iflagbank is null then 1 else 0 end as xu,"
            " case when %1>=a.dstart then 1 else 0 end as xs,"
            " case when a.dend is null or %1<=a.dend then 1 else 0 end as xe,"
            " sum(%2), sum(%3)"
            " from %4 j join %5 a on j.%6 = a.code where a.bforeign=? and %7"
            " group by a.n, a.code, j.bdelete, xo, xu, xs, xe")
            .arg(d, foreign ? QStringLiteral("j.md_f") : QStringLiteral("j.md"),
                 foreign ? QStringLiteral("j.mc_f") : QStringLiteral("j.mc"), n.journal, kAccounts, n.key,
                 n.journalBase);
    db.ForEachRow(journalSql, {foreign}, [&](const std::vector<DbValue>& row) {
      RawSums& s = out[row[0].ToString()];
      const bool cleared = row[1].ToInt() == 1, opening = row[2].ToInt() == 1, unticked = row[3].ToInt() == 1;
      const bool fromStart = row[4].ToInt() == 1, toEnd = row[5].ToInt() == 1;
      const Money md = row[6].ToMoney(), mc = row[7].ToMoney();
      if (!toEnd) return;
      // Opening items (period 21) are outstanding only; they never move a balance.
      const bool inBalance = fromStart && !opening;
      if (cleared) {
        if (!inBalance) return;
        s.journalClearedDebit += md;
        s.journalClearedCredit += mc;
        return;
      }
      if (inBalance) s.journalLiveSigned += md - mc;
      if (unticked) {
        s.journalUnmatchedDebit += md;
        s.journalUnmatchedCredit += mc;
      }
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
