#include "make_db_command.h"

#include "platform/db/db_error.h"
#include "suite/db/open_db_connection.h"
#include "suite/demo/bench_data.h"
#include "suite/demo/demo_data.h"

#include <QElapsedTimer>

#include <climits>

namespace corvane::makedb {

namespace {

bool ReadCount(const QString& text, long long& value) {
  bool ok = false;
  value = text.toLongLong(&ok);
  return ok && value > 0;
}

void PrintCounts(const suite::GeneratedCounts& counts, QTextStream& out) {
  for (const auto& [table, rows] : counts.rows)
    out << "  " << table.leftJustified(18) << QString::number(rows).rightJustified(10) << " rows\n";
}

}  // namespace

QString MakeDbUsage() {
  return QStringLiteral(
      "usage: corvane-makedb --db <connection string> [--demo] [--bench-one N] [--bench-many A L]\n"
      "  --db          sqlite:<file>, a plain file path, or postgresql://user@host:port/database\n"
      "  --demo        the demo account set (only into a database without accounts)\n"
      "  --bench-one   one bank account with N journal and N statement lines\n"
      "  --bench-many  A bank accounts sharing L journal and L statement lines\n"
      "Without a data option only the schema is installed.\n");
}

std::optional<MakeDbRequest> ParseMakeDbArguments(const QStringList& arguments, QString& error) {
  MakeDbRequest request;
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    const int left = static_cast<int>(arguments.size()) - i - 1;
    long long n = 0, m = 0;
    if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      error = MakeDbUsage();
      return std::nullopt;
    } else if (a == QLatin1String("--db") && left >= 1) {
      request.connectionString = arguments[++i];
    } else if (a == QLatin1String("--demo")) {
      request.demo = true;
    } else if (a == QLatin1String("--bench-one") && left >= 1 && ReadCount(arguments[i + 1], n) && n <= INT_MAX) {
      request.benchOneLines = static_cast<int>(n);
      ++i;
    } else if (a == QLatin1String("--bench-many") && left >= 2 && ReadCount(arguments[i + 1], n) &&
               ReadCount(arguments[i + 2], m) && n <= INT_MAX) {
      request.benchManyAccounts = static_cast<int>(n);
      request.benchManyLines = m;
      i += 2;
    } else {
      error = QStringLiteral("corvane-makedb: cannot use \"%1\"\n").arg(a) + MakeDbUsage();
      return std::nullopt;
    }
  }
  if (request.connectionString.isEmpty()) {
    error = QStringLiteral("corvane-makedb: --db is required\n") + MakeDbUsage();
    return std::nullopt;
  }
  if (request.demo && (request.benchOneLines > 0 || request.benchManyAccounts > 0)) {
    error = QStringLiteral("corvane-makedb: --demo goes into a database of its own\n") + MakeDbUsage();
    return std::nullopt;
  }
  return request;
}

int RunMakeDb(const MakeDbRequest& request, QTextStream& out, QTextStream& err) {
  try {
    QElapsedTimer timer;
    timer.start();
    auto connection = suite::OpenDbConnection(request.connectionString);
    suite::InstallSchema(*connection);
    out << "Schema installed: " << request.connectionString << "\n";
    out.flush();
    if (request.demo) {
      const suite::GeneratedCounts counts = suite::GenerateDemoData(*connection);
      out << "Demo account set written:\n";
      PrintCounts(counts, out);
    }
    if (request.benchOneLines > 0 || request.benchManyAccounts > 0) {
      suite::BenchDataOptions options;
      options.oneAccountLines = request.benchOneLines;
      options.manyAccounts = request.benchManyAccounts;
      options.manyLines = request.benchManyLines;
      out << "Writing benchmark data (" << (options.oneAccountLines + (options.manyAccounts > 0 ? options.manyLines : 0))
          << " lines a side) ...\n";
      out.flush();
      // A million lines take a while: say how far it got at every tenth.
      long long nextTenth = 1;
      options.progress = [&](long long written, long long total) {
        if (total <= 0 || written * 10 < nextTenth * total) return;
        nextTenth = written * 10 / total + 1;
        err << "  " << written << " of " << total << " lines a side written (" << timer.elapsed() / 1000.0 << " s)\n";
        err.flush();
      };
      const suite::GeneratedCounts counts = suite::GenerateBenchData(*connection, options);
      out << "Benchmark data written";
      if (options.oneAccountLines > 0) out << ", account 100299 with " << options.oneAccountLines << " lines a side";
      if (options.manyAccounts > 0)
        out << ", " << options.manyAccounts << " accounts with " << options.manyLines << " lines a side";
      out << ":\n";
      PrintCounts(counts, out);
    }
    out << "Done in " << timer.elapsed() / 1000.0 << " s\n";
    return 0;
  } catch (const platform::DbError& e) {
    err << "corvane-makedb: " << e.Message() << "\n";
    return 2;
  }
}

}  // namespace corvane::makedb
