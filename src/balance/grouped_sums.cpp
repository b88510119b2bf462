#include "balance/grouped_sums.h"

#include "platform/db/db_error.h"
#include "shared/session.h"
#include "shared/unreadable_dates.h"

#include <QStringList>
#include <array>

namespace corvane::balance {

using platform::DbParams;
using platform::DbValue;
using platform::Money;
using shared::Session;

namespace {

// Accounts per query: five bound values each, well within every engine's limit
// of bound values in one statement.
constexpr size_t kAccountsPerQuery = 2000;

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
const QString kBankBase = QStringLiteral("r.ibegin<>0");

// Some accounts of the list, by their numbers in it, as a table of bound values:
// the statement only reads, so its accounts go into its queries, never into the
// database. Columns n (the number), code, dstart, dend and bounded (1 when the
// account has an end date). dend is never NULL (the start date stands in for a
// missing end), so that every engine types the column as a date.
struct AccountSource {
  QString table;
  DbParams params;
};

// typedDates: the dates are cast to date in the list itself, for the portable SQL
// on PostgreSQL, which gives a column of nothing but NULLs (no account with a
// start date) the type text, and no date compares with a text. Never on SQLite,
// where a cast to date reads a date's text as the number of its year.
AccountSource ValuesOf(const std::vector<AccountFacts>& accounts, const std::vector<size_t>& numbers,
                       bool typedDates = false) {
  AccountSource v;
  QStringList rows;
  rows.reserve(static_cast<qsizetype>(numbers.size()));
  v.params.reserve(numbers.size() * 5);
  for (const size_t n : numbers) {
    const AccountFacts& a = accounts[n];
    rows << QStringLiteral("(?,?,?,?,?)");
    v.params.insert(v.params.end(), {static_cast<long long>(n), a.code, a.start, a.end.isValid() ? a.end : a.start,
                                     a.end.isValid() ? 1 : 0});
  }
  const QString start = typedDates ? QStringLiteral("cast(column3 as date)") : QStringLiteral("column3");
  const QString end = typedDates ? QStringLiteral("cast(column4 as date)") : QStringLiteral("column4");
  v.table = QStringLiteral("(select column1 as n, column2 as code, %2 as dstart, %3 as dend, "
                           "column5 as bounded from (values %1) v)")
                .arg(rows.join(QLatin1Char(',')), start, end);
  return v;
}

// The same accounts in a temporary table of the connection's own, for the
// connection's own aggregates (SQLite): keyed by the account number, it lets the
// engine walk the accounts in that order and reach each account's lines through
// the date index of their key. A temporary table lives outside the database:
// filling it (one statement, no transaction) takes no write lock and no other
// session sees it. Its bounds of the lines' dates never miss: dupper is the end
// date, dbefore the start date, and where the account has none, a blob, which
// sorts after every date (SQLite orders any text before any blob).
AccountSource TemporaryTableOf(platform::DbConnection& db, const std::vector<AccountFacts>& accounts,
                               const std::vector<size_t>& numbers) {
  const QString table = QStringLiteral("temp.corvane_balance_accounts");
  db.Execute(QStringLiteral("create temp table if not exists corvane_balance_accounts (n integer primary key, "
                            "code varchar(40) collate ci, dstart date, dupper, dbefore, bounded smallint)"));
  db.Execute(QStringLiteral("delete from %1").arg(table));
  const AccountSource values = ValuesOf(accounts, numbers);
  db.Execute(QStringLiteral("insert into %1 (n, code, dstart, dupper, dbefore, bounded) "
                            "select n, code, dstart, case when bounded=1 then dend else x'ff' end, "
                            "coalesce(dstart, x'ff'), bounded from %2 v")
                 .arg(table, values.table),
             values.params);
  // Its statistics tell the planner that it is the small side: the lines are then
  // found through their key index, not through an index built for the query.
  db.Execute(QStringLiteral("analyze %1").arg(table));
  return {table, {}};
}

// The numbers of the accounts that pass, cut into lists of kAccountsPerQuery.
template <class Pass>
std::vector<std::vector<size_t>> Batches(const std::vector<AccountFacts>& accounts, Pass pass) {
  std::vector<std::vector<size_t>> out;
  for (size_t n = 0; n < accounts.size(); ++n) {
    if (!pass(accounts[n])) continue;
    if (out.empty() || out.back().size() == kAccountsPerQuery) out.emplace_back();
    out.back().push_back(n);
  }
  return out;
}

// The four sums of each side per account (RawSums), as portable SQL: each a
// conditional sum. Cleared and live lines count from the account's start date to
// its end date (none: no bound), the unticked live lines up to its end date. A
// line is a debit line when bd_c is 1, a credit line otherwise (0, none or any
// other value), in the signed sums and in the unticked sums alike.
const QString kBankSums = QStringLiteral(
    "sum(case when r.bdelete=1 and r.ddate>=a.dstart and (a.bounded=0 or r.ddate<=a.dend)"
    " then (case when r.bd_c=1 then r.mmoney else -r.mmoney end) end),"
    " sum(case when r.bdelete=0 and r.ddate>=a.dstart and (a.bounded=0 or r.ddate<=a.dend)"
    " then (case when r.bd_c=1 then r.mmoney else -r.mmoney end) end),"
    " sum(case when (r.iflag=0 or r.iflag is null) and r.bd_c=1 and r.bdelete=0 and (a.bounded=0 or r.ddate<=a.dend)"
    " then r.mmoney end),"
    " sum(case when (r.iflag=0 or r.iflag is null) and (r.bd_c<>1 or r.bd_c is null) and r.bdelete=0"
    " and (a.bounded=0 or r.ddate<=a.dend) then r.mmoney end)");
// %1 the journal's date column, %2 and %3 its debit and credit columns; opening
// items (period 21) count in neither the cleared nor the live sum.
const QString kJournalSums = QStringLiteral(
    "sum(case when j.bdelete=1 and j.iperiod<>21 and %1>=a.dstart and (a.bounded=0 or %1<=a.dend) then %2-%3 end),"
    " sum(case when j.bdelete=0 and j.iperiod<>21 and %1>=a.dstart and (a.bounded=0 or %1<=a.dend) then %2-%3 end),"
    " sum(case when (j.iflagbank=0 or j.iflagbank is null) and j.bdelete=0 and (a.bounded=0 or %1<=a.dend)"
    " then %2 end),"
    " sum(case when (j.iflagbank=0 or j.iflagbank is null) and j.bdelete=0 and (a.bounded=0 or %1<=a.dend)"
    " then %3 end)");
// The same four sums from the connection's own aggregates, which decide the
// conditions natively and give them as one text "s1;s2;s3;s4". The lines are
// picked by date through the date index of the key (an aggregate only checks that
// a line's date is a calendar day, which the text comparisons need to place it
// right): the lines in the account's range go to its "sums" aggregate, the lines
// before the range up to the end date (and those without a date, when the
// account has no end date) to its "unticked" aggregate, each set a scalar
// subquery of the walk over the accounts.
struct NativeSide {
  QString side;  // "bank" or "journal", of the aggregates' names
  QString table, alias, key, date, base, arguments;
};

QString NativeSumsSql(const NativeSide& s, const QString& accounts) {
  const QString lines = QStringLiteral("from %1 %2 where %2.%3 = a.code and %4 and ").arg(s.table, s.alias, s.key, s.base);
  const QString date = s.alias + QLatin1Char('.') + s.date;
  return QStringLiteral("select a.n, (select corvane_%1_sums(%2) %3%4 >= a.dstart and %4 <= a.dupper), "
                        "(select corvane_%1_unticked(%2) %3(%4 < a.dbefore and %4 <= a.dupper "
                        "or %4 is null and a.bounded = 0)) from %5 a")
      .arg(s.side, s.arguments, lines, date, accounts);
}

// An aggregate's "s1;s2;s3;s4"; an empty sum is 0.
std::array<Money, 4> ParsedSums(const DbValue& value) {
  std::array<Money, 4> out;
  const QString text = value.ToString();
  const QStringList parts = text.split(QLatin1Char(';'));
  bool ok = parts.size() == 4;
  for (qsizetype i = 0; ok && i < 4; ++i)
    if (!parts[i].isEmpty()) out[static_cast<size_t>(i)] = Money::FromRaw(parts[i].toLongLong(&ok));
  if (!ok) throw platform::DbError(QStringLiteral("Unexpected balance sums \"%1\"").arg(text));
  return out;
}

// The four sums of a result row after its account number; no line is 0. A native
// row adds the unticked sums of the lines before the range to those in it (a sum
// that leaves Money's range is an error, never a wrapped figure).
std::array<Money, 4> FourSums(const std::vector<DbValue>& row, bool native) {
  std::array<Money, 4> out;
  if (!native) {
    for (size_t i = 0; i < 4; ++i) out[i] = row[i + 1].ToMoney();
    return out;
  }
  out = ParsedSums(row[1]);
  const std::array<Money, 4> before = ParsedSums(row[2]);
  for (size_t i = 0; i < 4; ++i) out[i] += before[i];
  return out;
}

// The account of a result row, by its number.
RawSums* SumsOf(std::vector<RawSums>& sums, const DbValue& n) {
  const long long i = n.ToInt();
  return i >= 0 && i < static_cast<long long>(sums.size()) ? &sums[static_cast<size_t>(i)] : nullptr;
}

// The lines of one side a query sums: the table with its alias, the date and the key column.
struct SideLines {
  QString table;
  QString date;
  QString key;
};

// Runs a query of four sums per account and puts them into the fields given.
void ReadFourSums(platform::DbConnection& db, const AccountSource& a, const QString& sql, bool native,
                  const SideLines& lines, std::vector<RawSums>& sums, const std::array<Money RawSums::*, 4>& fields) {
  try {
    db.ForEachRow(sql, a.params, [&](const std::vector<DbValue>& row) {
      RawSums* p = SumsOf(sums, row[0]);
      if (!p) return;
      const std::array<Money, 4> m = FourSums(row, native);
      for (size_t i = 0; i < 4; ++i) p->*fields[i] = m[i];
    });
  } catch (const platform::DbError& e) {
    // An aggregate that refused a date cannot tell its column nor its line; these can.
    if (!e.IsUnreadableDate() || !e.UnreadValue()->column.isEmpty()) throw;
    shared::RefuseUnreadableDate(db, e.UnreadValue()->value, lines.table, lines.date,
                                 QStringLiteral("%1 in (select a.code from %2 a)").arg(lines.key, a.table), a.params);
  }
}

// The sums compare the lines' dates: first a line of the accounts whose date
// cannot be read (whatever the account's range, which would count or drop it
// unseen) is refused, one probe of the index of key and date per account. The
// native aggregates refuse such a line among those they sum themselves; a text
// that sorts after the account's upper bound reaches none of them, so those
// lines alone are probed there, a range of that index that is mostly empty.
void RefuseUnreadableDates(platform::DbConnection& db, const AccountSource& a, const QString& table,
                           const QString& key, const QString& date, bool native) {
  const QString after = native ? QStringLiteral(" and r.%1 > a.dupper").arg(date) : QString();
  const QString probe = shared::UnreadableDateProbe(db, table + QStringLiteral(" r"), QStringLiteral("r.") + date,
                                                    QStringLiteral("r.%1 = a.code").arg(key) + after);
  const platform::ResultSet found =
      db.Query(QStringLiteral("select code, d from (select a.code as code, %1 as d from %2 a) x "
                              "where d is not null limit 1").arg(probe, a.table),
               a.params);
  if (found.rows.empty()) return;
  shared::RefuseUnreadableDate(db, found.rows.front().at(1), table, date, key + QStringLiteral(" = ?"),
                               {found.rows.front().at(0)});
}

// The first row of each account wins (the opening rows, by their order).
void FirstPerAccount(platform::DbConnection& db, const QString& sql, const DbParams& params,
                     std::vector<RawSums>& sums, Money RawSums::*field) {
  long long last = -1;
  db.ForEachRow(sql, params, [&](const std::vector<DbValue>& row) {
    const long long n = row[0].ToInt();
    if (n == last || n < 0 || n >= static_cast<long long>(sums.size())) return;
    last = n;
    sums[static_cast<size_t>(n)].*field = row[1].ToMoney().RoundedToCents();
  });
}

// Each query walks the accounts and finds each account's lines (on SQLite the
// accounts are the outer side, of the cross join or of the subqueries;
// PostgreSQL plans the join as any join).
// The line table is on the left of each comparison, so that its key column's rule
// decides which codes are equal, as in the one-account sums.
void BankSide(platform::DbConnection& db, const Names& n, const AccountSource& a, bool native,
              std::vector<RawSums>& sums) {
  const NativeSide side{QStringLiteral("bank"), n.statement, QStringLiteral("r"), n.key, QStringLiteral("ddate"),
                        kBankBase, QStringLiteral("r.bdelete, r.iflag, r.bd_c, r.mmoney, r.ddate")};
  RefuseUnreadableDates(db, a, n.statement, n.key, QStringLiteral("ddate"), native);
  const QString sql = native ? NativeSumsSql(side, a.table)
                             : QStringLiteral("select a.n, %1 from %2 a cross join %3 r where r.%4 = a.code and %5 "
                                              "group by a.n")
                                   .arg(kBankSums, a.table, n.statement, n.key, kBankBase);
  ReadFourSums(db, a, sql, native, {n.statement + QStringLiteral(" r"), QStringLiteral("r.ddate"), QStringLiteral("r.") + n.key},
               sums,
               {&RawSums::bankClearedNet, &RawSums::bankLiveSigned, &RawSums::bankUnmatchedDebit,
                &RawSums::bankUnmatchedCredit});
  FirstPerAccount(db,
                  QStringLiteral("select a.n, r.mmoney from %1 a cross join %2 r where r.%3 = a.code and r.ibegin=0 "
                                 "order by a.n, r.i_id").arg(a.table, n.statement, n.key),
                  a.params, sums, &RawSums::bankOpening);
}

// Home and foreign-currency accounts go apart, each summing its own amount columns.
void JournalSide(platform::DbConnection& db, const Names& n, const AccountSource& a, bool foreign, bool native,
                 std::vector<RawSums>& sums) {
  const QString date = QStringLiteral("j.") + n.journalDate;
  const QString md = foreign ? QStringLiteral("j.md_f") : QStringLiteral("j.md");
  const QString mc = foreign ? QStringLiteral("j.mc_f") : QStringLiteral("j.mc");
  const NativeSide side{QStringLiteral("journal"), n.journal, QStringLiteral("j"), n.key, n.journalDate, n.journalBase,
                        QStringLiteral("j.bdelete, j.iflagbank, j.iperiod, %1, %2, %3").arg(md, mc, date)};
  RefuseUnreadableDates(db, a, n.journal, n.key, n.journalDate, native);
  const QString sql = native ? NativeSumsSql(side, a.table)
                             : QStringLiteral("select a.n, %1 from %2 a cross join %3 j where j.%4 = a.code and %5 "
                                              "group by a.n")
                                   .arg(kJournalSums.arg(date, md, mc), a.table, n.journal, n.key, n.journalBase);
  ReadFourSums(db, a, sql, native, {n.journal + QStringLiteral(" j"), date, QStringLiteral("j.") + n.key}, sums,
               {&RawSums::journalClearedNet, &RawSums::journalLiveSigned, &RawSums::journalUnmatchedDebit,
                &RawSums::journalUnmatchedCredit});
  FirstPerAccount(db,
                  QStringLiteral("select a.n, j.md from %1 a cross join %2 j where j.%3 = a.code and j.iperiod=20 "
                                 "order by a.n, j.%4").arg(a.table, n.journal, n.key, n.journalOrder),
                  a.params, sums, &RawSums::journalOpening);
}

// Whether the connection sums through its own aggregates (SQLite).
bool SumsByOwnAggregates(platform::DbConnection& db) {
  for (const char* f : {"corvane_bank_sums", "corvane_bank_unticked", "corvane_journal_sums", "corvane_journal_unticked"})
    if (!db.ProvidesFunction(f)) return false;
  return true;
}

}  // namespace

std::map<QString, RawSums> GroupedSums(const std::vector<AccountFacts>& accounts) {
  Session& session = Session::Current();
  return GroupedSums(session.Db(), session.BookMode(), accounts);
}

std::map<QString, RawSums> GroupedSums(platform::DbConnection& db, bool bookMode,
                                       const std::vector<AccountFacts>& accounts) {
  std::map<QString, RawSums> out;
  if (accounts.empty()) return out;
  const Names n = NamesOfMode(bookMode);
  const bool native = SumsByOwnAggregates(db);
  std::vector<RawSums> sums(accounts.size());
  auto source = [&](const std::vector<size_t>& batch) {
    return native ? TemporaryTableOf(db, accounts, batch) : ValuesOf(accounts, batch, true);
  };
  for (const auto& batch : Batches(accounts, [](const AccountFacts&) { return true; }))
    BankSide(db, n, source(batch), native, sums);
  for (const bool foreign : {false, true})
    for (const auto& batch : Batches(accounts, [foreign](const AccountFacts& a) { return a.foreign == foreign; }))
      JournalSide(db, n, source(batch), foreign, native, sums);
  for (size_t i = 0; i < accounts.size(); ++i) out[accounts[i].code] = sums[i];
  return out;
}

}  // namespace corvane::balance
