#include "balance/grouped_sums.h"

#include "platform/db/db_error.h"
#include "platform/db/transaction_guard.h"
#include "shared/session.h"

#include <QStringList>
#include <array>

namespace corvane::balance {

using platform::DbValue;
using platform::Money;
using shared::Session;

namespace {

const QString kAccounts = QStringLiteral("corvane_balance_work");

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

// The accounts' dates and currency flags, numbered in the order given, in the
// schema's work table (rows of other sessions are told apart by the session's id). An ordinary table, not a temporary one: the engine may then
// scan the lines in parallel. Its statistics tell the planner it is the small
// side of the join; grouping by the accounts' numbers needs no sorting of codes.
void FillAccountTable(platform::DbConnection& db, const QString& session, const std::vector<AccountFacts>& accounts) {
  // One commit for the whole fill.
  platform::TransactionGuard guard(db);
  db.Execute(QStringLiteral("delete from %1 where session_id=?").arg(kAccounts), {session});
  std::vector<platform::DbParams> rows;
  rows.reserve(accounts.size());
  int n = 0;
  for (const AccountFacts& a : accounts) rows.push_back({session, n++, a.code, a.start, a.end, a.foreign ? 1 : 0});
  if (!rows.empty())
    db.ExecuteBatch(QStringLiteral("insert into %1 (session_id, n, code, dstart, dend, bforeign) values (?,?,?,?,?,?)")
                        .arg(kAccounts),
                    rows);
  db.Execute(QStringLiteral("analyze %1").arg(kAccounts));
  guard.Commit();
}

// Removes the run's rows however the run ends; a failure to remove them is left
// for the next run of the session, which starts by removing them.
class AccountTableRows {
 public:
  AccountTableRows(platform::DbConnection& db, const QString& session) : db_(db), session_(session) {}
  ~AccountTableRows() {
    try {
      db_.Execute(QStringLiteral("delete from %1 where session_id=?").arg(kAccounts), {session_});
    } catch (...) {
    }
  }
  AccountTableRows(const AccountTableRows&) = delete;
  AccountTableRows& operator=(const AccountTableRows&) = delete;

 private:
  platform::DbConnection& db_;
  QString session_;
};

// The first row of each account wins (the opening rows, by their order).
void FirstPerAccount(platform::DbConnection& db, const QString& sql, const QString& session,
                     std::vector<RawSums>& sums, Money RawSums::*field) {
  long long last = -1;
  db.ForEachRow(sql, {session}, [&](const std::vector<DbValue>& row) {
    const long long n = row[0].ToInt();
    if (n == last || n < 0 || n >= static_cast<long long>(sums.size())) return;
    last = n;
    sums[static_cast<size_t>(n)].*field = row[1].ToMoney().RoundedToCents();
  });
}

// The four sums of each side per account (RawSums), as portable SQL: each a
// conditional sum. Cleared and live lines count from the account's start date to
// its end date (none: no bound), the unticked live lines up to its end date.
const QString kBankSums = QStringLiteral(
    "sum(case when r.bdelete=1 and r.ddate>=a.dstart and (a.dend is null or r.ddate<=a.dend)"
    " then (case when r.bd_c=1 then r.mmoney else -r.mmoney end) end),"
    " sum(case when r.bdelete=0 and r.ddate>=a.dstart and (a.dend is null or r.ddate<=a.dend)"
    " then (case when r.bd_c=1 then r.mmoney else -r.mmoney end) end),"
    " sum(case when (r.iflag=0 or r.iflag is null) and r.bd_c=1 and r.bdelete=0 and (a.dend is null or r.ddate<=a.dend)"
    " then r.mmoney end),"
    " sum(case when (r.iflag=0 or r.iflag is null) and (r.bd_c=0 or r.bd_c is null) and r.bdelete=0"
    " and (a.dend is null or r.ddate<=a.dend) then r.mmoney end)");
// %1 the journal's date column, %2 and %3 its debit and credit columns; opening
// items (period 21) count in neither the cleared nor the live sum.
const QString kJournalSums = QStringLiteral(
    "sum(case when j.bdelete=1 and j.iperiod<>21 and %1>=a.dstart and (a.dend is null or %1<=a.dend) then %2-%3 end),"
    " sum(case when j.bdelete=0 and j.iperiod<>21 and %1>=a.dstart and (a.dend is null or %1<=a.dend) then %2-%3 end),"
    " sum(case when (j.iflagbank=0 or j.iflagbank is null) and j.bdelete=0 and (a.dend is null or %1<=a.dend)"
    " then %2 end),"
    " sum(case when (j.iflagbank=0 or j.iflagbank is null) and j.bdelete=0 and (a.dend is null or %1<=a.dend)"
    " then %3 end)");
// The same four sums in one call of the connection's own aggregate, which decides
// the conditions natively; it gives them as one text "s1;s2;s3;s4".
const QString kNativeBankSums =
    QStringLiteral("corvane_bank_sums(r.bdelete, r.iflag, r.bd_c, r.mmoney, r.ddate, a.dstart, a.dend)");
const QString kNativeJournalSums =
    QStringLiteral("corvane_journal_sums(j.bdelete, j.iflagbank, j.iperiod, %2, %3, %1, a.dstart, a.dend)");

// The four sums of a result row after its account number; no line is 0.
std::array<Money, 4> FourSums(const std::vector<DbValue>& row, bool native) {
  std::array<Money, 4> out;
  if (!native) {
    for (size_t i = 0; i < 4; ++i) out[i] = row[i + 1].ToMoney();
    return out;
  }
  const QString text = row[1].ToString();
  const QStringList parts = text.split(QLatin1Char(';'));
  bool ok = parts.size() == 4;
  for (qsizetype i = 0; ok && i < 4; ++i)
    if (!parts[i].isEmpty()) out[static_cast<size_t>(i)] = Money::FromRaw(parts[i].toLongLong(&ok));
  if (!ok) throw platform::DbError(QStringLiteral("Unexpected balance sums \"%1\"").arg(text));
  return out;
}

// The account of a result row, by its number.
RawSums* SumsOf(std::vector<RawSums>& sums, const DbValue& n) {
  const long long i = n.ToInt();
  return i >= 0 && i < static_cast<long long>(sums.size()) ? &sums[static_cast<size_t>(i)] : nullptr;
}

}  // namespace

std::map<QString, RawSums> GroupedSums(const std::vector<AccountFacts>& accounts) {
  Session& session = Session::Current();
  const QString sessionId = session.gLogin ? session.gLogin->GetSessionText3() : QStringLiteral("-");
  return GroupedSums(session.Db(), sessionId, session.BookMode(), accounts);
}

std::map<QString, RawSums> GroupedSums(platform::DbConnection& db, const QString& sessionId, bool bookMode,
                                       const std::vector<AccountFacts>& accounts) {
  std::map<QString, RawSums> out;
  if (accounts.empty()) return out;
  const Names n = NamesOfMode(bookMode);
  std::vector<RawSums> sums(accounts.size());
  const AccountTableRows removeRows(db, sessionId);
  FillAccountTable(db, sessionId, accounts);

  // Each line table on the left of the join, so that its key column's rule
  // decides which codes are equal, as in the one-account sums. Grouped by the
  // accounts' numbers in the order the engine walks them, the lines need no sorting.
  const bool native = db.ProvidesFunction("corvane_bank_sums") && db.ProvidesFunction("corvane_journal_sums");
  const QString bankSql =
      QStringLiteral("select a.n, %1 from %2 r join %3 a on r.%4 = a.code where a.session_id=? and r.ibegin<>0 "
                     "group by a.n")
          .arg(native ? kNativeBankSums : kBankSums, n.statement, kAccounts, n.key);
  db.ForEachRow(bankSql, {sessionId}, [&](const std::vector<DbValue>& row) {
    RawSums* p = SumsOf(sums, row[0]);
    if (!p) return;
    const std::array<Money, 4> m = FourSums(row, native);
    p->bankClearedNet = m[0];
    p->bankLiveSigned = m[1];
    p->bankUnmatchedDebit = m[2];
    p->bankUnmatchedCredit = m[3];
  });

  // Home and foreign-currency accounts apart, each summing its own amount columns.
  for (const int foreign : {0, 1}) {
    const QString md = foreign ? QStringLiteral("j.md_f") : QStringLiteral("j.md");
    const QString mc = foreign ? QStringLiteral("j.mc_f") : QStringLiteral("j.mc");
    const QString journalSql =
        QStringLiteral("select a.n, %1 from %2 j join %3 a on j.%4 = a.code where a.session_id=? and a.bforeign=? "
                       "and %5 group by a.n")
            .arg(QString(native ? kNativeJournalSums : kJournalSums)
                     .arg(QStringLiteral("j.") + n.journalDate, md, mc),
                 n.journal, kAccounts, n.key, n.journalBase);
    db.ForEachRow(journalSql, {sessionId, foreign}, [&](const std::vector<DbValue>& row) {
      RawSums* p = SumsOf(sums, row[0]);
      if (!p) return;
      const std::array<Money, 4> m = FourSums(row, native);
      p->journalClearedNet = m[0];
      p->journalLiveSigned = m[1];
      p->journalUnmatchedDebit = m[2];
      p->journalUnmatchedCredit = m[3];
    });
  }

  FirstPerAccount(db,
                  QStringLiteral("select a.n, r.mmoney from %1 r join %2 a on r.%3 = a.code where a.session_id=? "
                                 "and r.ibegin=0 order by a.n, r.i_id").arg(n.statement, kAccounts, n.key),
                  sessionId, sums, &RawSums::bankOpening);
  FirstPerAccount(db,
                  QStringLiteral("select a.n, j.md from %1 j join %2 a on j.%3 = a.code where a.session_id=? "
                                 "and j.iperiod=20 order by a.n, j.%4").arg(n.journal, kAccounts, n.key, n.journalOrder),
                  sessionId, sums, &RawSums::journalOpening);
  for (size_t i = 0; i < accounts.size(); ++i) out[accounts[i].code] = sums[i];
  return out;
}

}  // namespace corvane::balance
