#include "suite/demo/bench_data.h"

#include "platform/db/db_error.h"
#include "platform/db/text_key.h"
#include "platform/db/transaction_guard.h"
#include "suite/demo/account_ledger_writer.h"
#include "suite/demo/base_data_writer.h"
#include "suite/demo/ledger_planner.h"

#include <QSet>

namespace corvane::suite {

using platform::Money;

namespace {

const QDate kYearStart(kDemoYear, 1, 1);
const QDate kYearEnd(kDemoYear, 12, 31);
const QString kOneAccount = QStringLiteral("100299");

QString ManyAccountCode(int index, int count) {
  const int width = std::max(4, static_cast<int>(QString::number(count).size()));
  return QStringLiteral("1002") + QStringLiteral("%1").arg(index + 1, width, 10, QLatin1Char('0'));
}

// By key (platform::TextKey), as the database tells codes apart.
QSet<QByteArray> ExistingCodes(platform::DbConnection& connection) {
  QSet<QByteArray> codes;
  for (const auto& row : connection.Query(QStringLiteral("select ccode from code")).rows)
    codes.insert(platform::TextKey::Of(row[0].ToString()));
  return codes;
}

void WriteBenchAccount(AccountLedgerWriter& writer, const BankAccountSpec& account, std::uint64_t seed,
                       long long lines) {
  LedgerPlanner planner({seed, account.start, kYearEnd, 100, false});
  planner.AddMix(static_cast<int>(lines), kYearStart, kYearEnd);
  DemoRandom random(seed ^ 0x5A5A5A5Aull);
  writer.AddBankAccount(account);
  writer.WriteLedger(account, planner.Finish(Money::FromCents(random.Between(10000000, 900000000))));
}

}  // namespace

GeneratedCounts GenerateBenchData(platform::DbConnection& connection, const BenchDataOptions& options) {
  const QSet<QByteArray> existing = ExistingCodes(connection);
  QStringList wanted;
  if (options.oneAccountLines > 0) wanted << kOneAccount;
  for (int i = 0; i < options.manyAccounts; ++i) wanted << ManyAccountCode(i, options.manyAccounts);
  for (const QString& code : wanted)
    if (existing.contains(platform::TextKey::Of(code)))
      throw platform::DbError(QStringLiteral("Account %1 exists already: benchmark data goes next to other data only").arg(code));

  platform::TransactionGuard transaction(connection);
  GeneratedCounts counts;
  BaseDataWriter(connection).Write(counts);
  // Only the bank lines: the voucher's other lines would double the table without
  // being read by any function measured.
  AccountLedgerWriter writer(connection, false);
  const long long total = std::max(0, options.oneAccountLines) + (options.manyAccounts > 0 ? options.manyLines : 0);
  long long openingRows = 0;  // each account's opening row is no line
  if (options.progress)
    writer.OnStatementRowsWritten([&](long long rows) { options.progress(std::min(total, rows - openingRows), total); });
  if (!existing.contains(platform::TextKey::Of(QStringLiteral("1002"))))
    writer.AddChartAccount(QStringLiteral("1002"), QStringLiteral("银行存款"), 1, true, false);
  if (options.oneAccountLines > 0) {
    const BankAccountSpec account{kOneAccount, QStringLiteral("基准测试账户"), {}, 1.0, false, kYearStart, {}};
    WriteBenchAccount(writer, account, options.seed, options.oneAccountLines);
    ++openingRows;
  }
  for (int i = 0; i < options.manyAccounts; ++i) {
    const long long lines =
        options.manyLines / options.manyAccounts + (i < options.manyLines % options.manyAccounts ? 1 : 0);
    // Every fourth statement is kept in the enterprise's direction.
    const BankAccountSpec account{ManyAccountCode(i, options.manyAccounts),
                                  QStringLiteral("基准测试银行%1").arg(i + 1), {}, 1.0, i % 4 == 3, kYearStart, {}};
    WriteBenchAccount(writer, account, options.seed + 1 + static_cast<std::uint64_t>(i), lines);
    ++openingRows;
  }
  writer.Finish(counts);
  if (options.progress) options.progress(total, total);
  transaction.Commit();
  AnalyzeWritten(connection, counts);
  return counts;
}

}  // namespace corvane::suite
