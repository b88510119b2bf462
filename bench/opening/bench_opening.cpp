// The opening set-up on one bank account with 1,000,000 journal and 1,000,000
// statement lines: the figures the set-up window loads (both openings and the
// four sums before the start date) beside the same six aggregates run bare, and
// an opening-item window over 50,000 journal items beside reading the same rows
// bare. The start date is put where 50,000 journal lines lie before it.
#include "opening/frm_qyfqc.h"
#include "opening/frm_yhfqc.h"
#include "opening/opening_items.h"
#include "opening/opening_setup.h"
#include "platform/db/transaction_guard.h"
#include "platform/services/message_presenter.h"
#include "shared/session.h"
#include "support/bench_database.h"
#include "support/bench_session.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace corvane::bench {
namespace {

int lineCount = 1000000;  // --lines
constexpr int kItems = 50000;

// 1,000,000 journal and 1,000,000 statement lines of one account over the year,
// a tenth of them ticked, with the two opening rows.
void WriteBigAccount(platform::DbConnection& db) {
  using platform::Money;
  platform::TransactionGuard guard(db);
  db.Execute(QStringLiteral("insert into code (ccode, ccode_name, igrade, bd_c, be, bend) values (?, ?, 2, 1, 1, 1)"),
             {kOneAccount, QStringLiteral("基准测试账户")});
  db.Execute(QStringLiteral("insert into gl_accvouch (ccode, iperiod, ibook, dbill_date, md, mc, md_f, mc_f) "
                            "values (?, 20, 1, ?, ?, 0, 0, 0)"),
             {kOneAccount, QDate(2026, 1, 1), Money::FromCents(123456789)});
  db.Execute(QStringLiteral("insert into rp_bankrecp (ccode, ibegin, ddate, bd_c, mmoney) values (?, 0, ?, 1, ?)"),
             {kOneAccount, QDate(2026, 1, 1), Money::FromCents(98765432)});
  std::vector<platform::DbParams> journal, statement;
  journal.reserve(lineCount);
  statement.reserve(lineCount);
  for (int i = 0; i < lineCount; ++i) {
    const QDate d = QDate(2026, 1, 1).addDays(i % 365);
    const Money amount = Money::FromCents(1 + (static_cast<long long>(i) * 7919) % 1000000);
    const bool debit = i % 2 == 0;
    const platform::DbValue tick = i % 10 == 0 ? platform::DbValue(d.month()) : platform::DbValue();
    journal.push_back({kOneAccount, d.month(), d, debit ? amount : Money(), debit ? Money() : amount, tick,
                       QStringLiteral("N%1").arg(i)});
    statement.push_back({kOneAccount, d, debit ? 0 : 1, amount, tick, QStringLiteral("N%1").arg(i)});
  }
  db.ExecuteBatch(QStringLiteral("insert into gl_accvouch (ccode, iperiod, dbill_date, md, mc, iflagbank, cn_id, ibook, "
                                 "md_f, mc_f, csign, isignseq, ino_id, inid) values (?, ?, ?, ?, ?, ?, ?, 1, 0, 0, "
                                 "'记', 1, 1, 1)"),
                  journal);
  db.ExecuteBatch(QStringLiteral("insert into rp_bankrecp (ccode, ddate, bd_c, mmoney, iflag, cn_id, ibegin) "
                                 "values (?, ?, ?, ?, ?, ?, 2)"),
                  statement);
  guard.Commit();
  db.Execute(QStringLiteral("analyze"));
}

// The benchmark database of the engine (the base data only: the shared
// generator keeps every amount of an account unique, which a million lines of
// one account outgrow) with a session logged in on it, and the
// account's start date placed after its first 50,000 journal lines.
platform::DbConnection& Prepared(const QString& engine) {
  static platform::DbConnection* prepared = nullptr;
  platform::DbConnection& db = BenchDatabase(engine, BaseOnly());
  if (prepared == &db) return db;
  prepared = &db;
  std::fprintf(stderr, "Writing the %d-line account on %s ...\n", lineCount, qPrintable(engine));
  WriteBigAccount(db);
  const QDate start = db.QueryValue(QStringLiteral("select dbill_date from gl_accvouch where ccode=? and ibook=1 and "
                                                   "iperiod<>20 order by dbill_date limit 1 offset ?"),
                                    {kOneAccount, kItems})
                          .ToDate();
  db.Execute(QStringLiteral("update code set dbegin=? where ccode=?"), {start, kOneAccount});
  BenchLogIn(db);
  return db;
}

opening::OpeningTarget Target() { return {kOneAccount, QString(), false}; }

opening::ItemContext Items() {
  opening::ItemContext c;
  c.target = Target();
  c.startDate = shared::Session::Current().Db().QueryValue(QStringLiteral("select dbegin from code where ccode=?"),
                                                          {kOneAccount}).ToDate();
  return c;
}

void Figures(benchmark::State& state, const QString& engine) {
  Prepared(engine);
  for (auto _ : state) benchmark::DoNotOptimize(opening::LoadOpeningFigures(Target()));
}

// The floor: the two opening rows and the four sums, each one bare statement.
void FiguresBare(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = Prepared(engine);
  const QDate start = Items().startDate;
  const platform::DbParams p{kOneAccount, start};
  for (auto _ : state) {
    benchmark::DoNotOptimize(db.QueryValue(QStringLiteral("select md from gl_accvouch where ccode=? and iperiod=20"), {kOneAccount}));
    benchmark::DoNotOptimize(db.QueryValue(QStringLiteral("select mmoney from rp_bankrecp where ccode=? and ibegin=0"), {kOneAccount}));
    for (const char* bd : {"1", "0"})
      benchmark::DoNotOptimize(db.QueryValue(
          QStringLiteral("select sum(mmoney) from rp_bankrecp where ccode=? and ibegin<>0 and bd_c=%1 and ddate<?").arg(QLatin1String(bd)), p));
    for (const char* col : {"md", "mc"})
      benchmark::DoNotOptimize(db.QueryValue(
          QStringLiteral("select sum(%1) from gl_accvouch where ibook=1 and ccode=? and iperiod<>20 and iflag is null "
                         "and dbill_date<?").arg(QLatin1String(col)), p));
  }
}

void EnterpriseRows(benchmark::State& state, const QString& engine) {
  Prepared(engine);
  const opening::ItemContext c = Items();
  size_t n = 0;
  for (auto _ : state) n = opening::LoadEnterpriseItems(c).size();
  state.counters["items"] = static_cast<double>(n);
}

// The floor: the same rows read bare, every value touched once.
void EnterpriseBare(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = Prepared(engine);
  const opening::ItemContext c = Items();
  for (auto _ : state) {
    size_t n = 0;
    db.ForEachRow(QStringLiteral("select dbill_date, isignseq, ino_id, inid, i_id, csign, csettle, cn_id, md, mc, md_f, mc_f, "
                                 "dt_date, cdigest, bdelete, iflagbank, iperiod from gl_accvouch where ibook=1 and "
                                 "(iflag is null or iflag=2) and ccode = ? and iperiod<>20 and dbill_date < ? "
                                 "order by dbill_date,isignseq,ino_id,inid,i_id"),
                  {kOneAccount, c.startDate}, [&](const std::vector<platform::DbValue>& row) { n += row.size(); });
    benchmark::DoNotOptimize(n);
  }
}

void EnterpriseWindow(benchmark::State& state, const QString& engine) {
  Prepared(engine);
  const opening::ItemContext c = Items();
  // Each run loads a new window; making it and dropping the last one are not timed.
  std::unique_ptr<opening::frmQYFQC> w;
  for (auto _ : state) {
    state.PauseTiming();
    w = std::make_unique<opening::frmQYFQC>();
    state.ResumeTiming();
    w->LoadData(c, QString());
    benchmark::DoNotOptimize(w->MsGrid1());
  }
}

void BanrowCount(benchmark::State& state, const QString& engine) {
  Prepared(engine);
  const opening::ItemContext c = Items();
  size_t n = 0;
  for (auto _ : state) n = opening::LoadBankItems(c).size();
  state.counters["items"] = static_cast<double>(n);
}

void BankBare(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = Prepared(engine);
  const opening::ItemContext c = Items();
  for (auto _ : state) {
    size_t n = 0;
    db.ForEachRow(QStringLiteral("select i_id, ddate, csettle, cn_id, bd_c, mmoney, iflag, bdelete from rp_bankrecp "
                                 "where ccode = ? and ibegin<>0 and ddate < ? order by ddate,i_id"),
                  {kOneAccount, c.startDate}, [&](const std::vector<platform::DbValue>& row) { n += row.size(); });
    benchmark::DoNotOptimize(n);
  }
}

void BankWindow(benchmark::State& state, const QString& engine) {
  Prepared(engine);
  const opening::ItemContext c = Items();
  std::unique_ptr<opening::frmYHFQC> w;
  for (auto _ : state) {
    state.PauseTiming();
    w = std::make_unique<opening::frmYHFQC>();
    state.ResumeTiming();
    w->LoadData(c);
    benchmark::DoNotOptimize(w->MsGrid1());
  }
}

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
  using namespace corvane::bench;
  StartBenchSession(argc, argv);
  lineCount = static_cast<int>(BenchLines(lineCount));
  return RunPerEngine(argc, argv, "opening",
                     {{"figures_floor_bare", FiguresBare},
                      {"figures", Figures},
                      {"enterprise_items_floor_bare", EnterpriseBare},
                      {"enterprise_items", EnterpriseRows},
                      {"enterprise_window", EnterpriseWindow},
                      {"bank_items_floor_bare", BankBare},
                      {"bank_items", BanrowCount},
                      {"bank_window", BankWindow}});
}
