// The bank statement window on an account with 100,000 statement lines: its load
// beside the bare read of the same rows (and the memory the process holds), the
// save of one edited line at the top with the balance recompute, deleting 10,000
// lines beside the bare DELETE, and importing a 100,000-line file of each format
// (CSV, MT940, camt.053, OFX) beside the floor of inserting the same rows with one
// prepared statement in one transaction; reading a 50 MB MT940 file.
#include "platform/controls/entry_grid.h"
#include "platform/db/transaction_guard.h"
#include "platform/services/message_presenter.h"
#include "platform/services/statement_line_writer.h"
#include "shared/session.h"
#include "statement/frm_yhdzd.h"
#include "statement/statement_store.h"
#include "statement_texts.h"
#include "suite/import/csv_statement.h"
#include "support/bench_database.h"
#include "support/bench_session.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace corvane::bench {
namespace {

using platform::Money;

void LogIn(platform::DbConnection& db) {
  BenchLogIn(db);
  platform::ParamObject& param = shared::Session::Current().Common().GetParamObject();
  param.Value2 = QStringLiteral("2026.01");
  param.Value3 = QStringLiteral("2026.12");
}

const QString kLoadSql = QStringLiteral(
    "select i_id, ddate, csettle, cn_id, bd_c, mmoney, iflag from rp_bankrecp where ccode=? and ibegin<>0 and bdelete=0 "
    "order by ddate, i_id");

// The same rows read bare, one at a time, into plain values.
void FloorRead(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = BenchDatabase(engine, OneAccount());
  for (auto _ : state) {
    long long n = 0;
    Money sum;
    db.ForEachRow(kLoadSql, {kOneAccount}, [&](const std::vector<platform::DbValue>& row) {
      ++n;
      sum += row[5].ToMoney();
    });
    benchmark::DoNotOptimize(n);
    benchmark::DoNotOptimize(sum);
  }
}

void WindowLoad(benchmark::State& state, const QString& engine) {
  LogIn(BenchDatabase(engine, OneAccount()));
  int rows = 0;
  double rss = 0;
  for (auto _ : state) {
    auto* w = new statement::frmYHDZD();
    w->LoadData(kOneAccount, QDate(2026, 1, 1));
    state.PauseTiming();
    rows = w->MsGrid1()->Rows() - 1;
    rss = ResidentMiB();
    delete w;
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
  state.counters["rss_MiB"] = rss;
}

statement::frmYHDZD& LoadedWindow(const QString& engine) {
  static std::map<QString, statement::frmYHDZD*> windows;
  LogIn(BenchDatabase(engine, OneAccount()));
  auto it = windows.find(engine);
  if (it != windows.end()) return *it->second;
  auto* w = new statement::frmYHDZD();
  w->LoadData(kOneAccount, QDate(2026, 1, 1));
  windows[engine] = w;
  return *w;
}

// Saving the first line with a changed amount: the write and the balance of
// every line below it.
void SaveTopLine(benchmark::State& state, const QString& engine) {
  statement::frmYHDZD& w = LoadedWindow(engine);
  platform::EntryGrid* g = w.MsGrid1();
  // The first open line (earlier ones may be ticked in the data set).
  int row = 1;
  while (row < g->Rows() && w.Editor().RowStateOf(row) != shared::kRowOpen) ++row;
  g->SetCurrentCell(row, 3);
  const int amountCol = g->TextMatrix(row, 4).isEmpty() ? 5 : 4;
  int i = 0;
  for (auto _ : state) {
    g->SetTextMatrix(row, amountCol, Money::FromCents(100000 + (++i % 2)).ToDisplayText());
    g->SetRowDirty(row, true);
    w.rSave();
  }
  state.counters["rows"] = g->Rows() - 1;
}

// 10,000 lines of their own account, made again before every round (untimed).
std::vector<qint64> MakeLines(platform::DbConnection& db, const QString& account, int n) {
  db.Execute(QStringLiteral("insert into code (ccode, ccode_name, igrade, bd_c, be, bend) select ?, ?, 2, 1, 1, 1 "
                            "where not exists (select 1 from code where ccode=?)"),
             {account, QStringLiteral("bench scratch"), account});
  db.Execute(QStringLiteral("delete from rp_bankrecp where ccode=? and ibegin<>0"), {account});
  std::vector<platform::DbParams> rows;
  rows.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i)
    rows.push_back({account, QDate(2026, 3, 1).addDays(i % 200), QStringLiteral("N%1").arg(i), i % 2,
                    Money::FromCents(100 + i), Money(), 2, 0});
  platform::TransactionGuard guard(db);
  db.ExecuteBatch(QStringLiteral("insert into rp_bankrecp (ccode, ddate, cn_id, bd_c, mmoney, mbalance, ibegin, bdelete) "
                                 "values (?,?,?,?,?,?,?,?)"),
                  rows);
  guard.Commit();
  std::vector<qint64> ids;
  db.ForEachRow(QStringLiteral("select i_id from rp_bankrecp where ccode=? and ibegin<>0"), {account},
                [&](const std::vector<platform::DbValue>& row) { ids.push_back(row[0].ToInt()); });
  return ids;
}

const QString kScratch = QStringLiteral("100298");

void FloorDelete(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = BenchDatabase(engine, OneAccount());
  for (auto _ : state) {
    state.PauseTiming();
    const std::vector<qint64> ids = MakeLines(db, kScratch, 10000);
    state.ResumeTiming();
    platform::TransactionGuard guard(db);
    for (size_t from = 0; from < ids.size(); from += 500) {
      platform::DbParams p(ids.begin() + static_cast<std::ptrdiff_t>(from),
                           ids.begin() + static_cast<std::ptrdiff_t>(std::min(ids.size(), from + 500)));
      QString marks = QStringLiteral("?");
      for (size_t k = 1; k < p.size(); ++k) marks += QStringLiteral(",?");
      db.Execute(QStringLiteral("delete from rp_bankrecp where i_id in (%1)").arg(marks), p);
    }
    guard.Commit();
  }
}

void StoreDelete(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = BenchDatabase(engine, OneAccount());
  statement::StatementContext c;
  c.accountCode = kScratch;
  statement::StatementStore store(db, c);
  for (auto _ : state) {
    state.PauseTiming();
    const std::vector<qint64> ids = MakeLines(db, kScratch, 10000);
    state.ResumeTiming();
    if (store.Delete(ids).refused) state.SkipWithError("refused");
  }
}

// The window's range delete: 10,000 of the 20,000 lines of an account, the lines
// and the grid rows in one go, with the balances recomputed.
void WindowDelete(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = BenchDatabase(engine, OneAccount());
  LogIn(db);
  for (auto _ : state) {
    state.PauseTiming();
    MakeLines(db, kScratch, 20000);
    auto* w = new statement::frmYHDZD();
    w->LoadData(kScratch, QDate(2026, 1, 1));
    w->MsGrid1()->SetCurrentCell(1, 1);
    w->MsGrid1()->SetRowSel(10000);
    Messages().quiet = true;  // yes to the question
    state.ResumeTiming();
    w->DeleteRow();
    state.PauseTiming();
    Messages().quiet = false;
    if (w->MsGrid1()->Rows() != 10001) state.SkipWithError("not deleted");
    delete w;
    state.ResumeTiming();
  }
}

// One prepared INSERT in one transaction, the rows already made.
void FloorInsert(benchmark::State& state, const QString& engine) {
  platform::DbConnection& db = BenchDatabase(engine, OneAccount());
  std::vector<platform::DbParams> rows;
  for (long long i = 0, n = BenchLines(100000); i < n; ++i)
    rows.push_back({kScratch, QDate(2026, 1, 1).addDays(i % 360), QStringLiteral("N%1").arg(i), i % 2 ? 1 : 0,
                    Money::FromCents(100 + i), Money(), 2, 0});
  for (auto _ : state) {
    state.PauseTiming();
    db.Execute(QStringLiteral("delete from rp_bankrecp where ccode=? and ibegin<>0"), {kScratch});
    state.ResumeTiming();
    platform::TransactionGuard guard(db);
    db.ExecuteBatch(QStringLiteral("insert into rp_bankrecp (ccode, ddate, cn_id, bd_c, mmoney, mbalance, ibegin, "
                                   "bdelete) values (?,?,?,?,?,?,?,?)"),
                    rows);
    guard.Commit();
  }
}

// Check, look for duplicates and write what a file gave.
int CheckAndWrite(platform::DbConnection& db, const suite::ParsedStatement& parsed) {
  if (!parsed.Importable()) return -1;
  std::vector<platform::RefusedLine> refused;
  const auto accepted = platform::StatementLineWriter::Check(parsed.lines, {}, refused);
  platform::StatementLineWriter writer(db, {false, kScratch, QString()});
  benchmark::DoNotOptimize(writer.FindDuplicates(accepted));
  return refused.empty() && parsed.refused.empty() ? writer.Write(accepted) : -1;
}

// The whole import of a file of --lines lines (100,000 unless told): read (with every check of the
// reader), check, look for duplicates, write.
void ImportFile(benchmark::State& state, const QString& engine, suite::StatementFormat format) {
  platform::DbConnection& db = BenchDatabase(engine, OneAccount());
  const int kLines = static_cast<int>(BenchLines(100000));
  QTemporaryDir dir;
  QString text;
  QByteArray bytes;
  switch (format) {
    case suite::StatementFormat::Csv: text = CsvText(kLines); break;
    case suite::StatementFormat::Mt940: bytes = Mt940Text(kLines); break;
    case suite::StatementFormat::Camt053: bytes = CamtText(kLines); break;
    default: bytes = OfxText(kLines); break;
  }
  const QString path = dir.filePath(QStringLiteral("statement.ofx"));
  if (format == suite::StatementFormat::Ofx) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) state.SkipWithError("cannot write the file");
  }
  int written = 0;
  for (auto _ : state) {
    state.PauseTiming();
    db.Execute(QStringLiteral("delete from rp_bankrecp where ccode=? and ibegin<>0"), {kScratch});
    state.ResumeTiming();
    suite::ParsedStatement parsed;
    switch (format) {
      case suite::StatementFormat::Csv: {
        const suite::CsvTable table = suite::ReadCsv(text);
        parsed = suite::ApplyCsvMapping(table, suite::GuessCsvMapping(table));
        break;
      }
      case suite::StatementFormat::Mt940: parsed = suite::ReadMt940(bytes); break;
      case suite::StatementFormat::Camt053: parsed = suite::ReadCamt053(bytes); break;
      default: parsed = suite::ReadOfxFile(path); break;
    }
    written = CheckAndWrite(db, parsed);
    if (written != kLines) state.SkipWithError("not every line was written");
  }
  state.counters["written"] = written;
}

void ImportCsv(benchmark::State& s, const QString& e) { ImportFile(s, e, suite::StatementFormat::Csv); }
void ImportMt940(benchmark::State& s, const QString& e) { ImportFile(s, e, suite::StatementFormat::Mt940); }
void ImportCamt(benchmark::State& s, const QString& e) { ImportFile(s, e, suite::StatementFormat::Camt053); }
void ImportOfx(benchmark::State& s, const QString& e) { ImportFile(s, e, suite::StatementFormat::Ofx); }

// Reading a 50 MB MT940 file with every check, no database.
void ParseMt940(benchmark::State& state) {
  const QByteArray bytes = Mt940Text(944000);  // 50 MB
  size_t lines = 0;
  for (auto _ : state) {
    const suite::ParsedStatement parsed = suite::ReadMt940(bytes);
    if (!parsed.Importable()) state.SkipWithError("not importable");
    lines = parsed.lines.size();
  }
  state.counters["MB"] = static_cast<double>(bytes.size()) / (1 << 20);
  state.counters["lines"] = static_cast<double>(lines);
}

// Reading a 100,000-line file alone, no database: the reader's share of an import.
void ParseCamt(benchmark::State& state) {
  const QByteArray bytes = CamtText(100000);
  for (auto _ : state) benchmark::DoNotOptimize(suite::ReadCamt053(bytes).lines.size());
}

// The OFX reader alone on a file of --lines lines (100,000 unless told).
void ParseOfx(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("statement.ofx"));
  const QByteArray bytes = OfxText(static_cast<int>(BenchLines(100000)));
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) state.SkipWithError("cannot write the file");
  f.close();
  size_t lines = 0;
  for (auto _ : state) {
    const suite::ParsedStatement parsed = suite::ReadOfxFile(path);
    if (!parsed.Importable()) state.SkipWithError("not importable");
    lines = parsed.lines.size();
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["MB"] = static_cast<double>(bytes.size()) / (1 << 20);
}

void ParseCsv(benchmark::State& state) {
  const QString text = CsvText(100000);
  for (auto _ : state) {
    const suite::CsvTable table = suite::ReadCsv(text);
    benchmark::DoNotOptimize(suite::ApplyCsvMapping(table, suite::GuessCsvMapping(table)).lines.size());
  }
}

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
  using namespace corvane::bench;
  StartBenchSession(argc, argv);
  Messages().answer = 6;  // yes to the questions a measured path asks
  benchmark::RegisterBenchmark("statement/parse_mt940_50mb", ParseMt940)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("statement/parse_csv_100000", ParseCsv)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("statement/parse_camt053_100000", ParseCamt)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("statement/parse_ofx", ParseOfx)->Unit(benchmark::kMillisecond);
  return RunPerEngine(argc, argv, "statement",
                     {{"floor_read", FloorRead},
                      {"load_with_balance", WindowLoad},
                      {"save_top_line", SaveTopLine},
                      {"floor_delete_10000", FloorDelete},
                      {"delete_10000", StoreDelete},
                      {"window_delete_10000", WindowDelete},
                      {"floor_insert_100000", FloorInsert},
                      {"import_csv_100000", ImportCsv},
                      {"import_mt940_100000", ImportMt940},
                      {"import_camt053_100000", ImportCamt},
                      {"import_ofx_100000", ImportOfx}});
}
