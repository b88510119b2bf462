#include "suite/demo/demo_data.h"

#include "platform/db/db_error.h"
#include "platform/db/transaction_guard.h"
#include "suite/demo/account_ledger_writer.h"
#include "suite/demo/base_data_writer.h"
#include "suite/demo/book_ledger_writer.h"
#include "suite/demo/ledger_planner.h"

#include <functional>
#include <optional>

namespace corvane::suite {

using platform::Money;

namespace {

QDate Day(int month, int day) { return QDate(kDemoYear, month, day); }
QDate MonthEnd(int month) { return Day(month, 1).addMonths(1).addDays(-1); }
const QDate kYearEnd = Day(12, 31);

// perMonth pairs in each month from first to last.
void MonthlyPairs(LedgerPlanner& p, int perMonth, int first = 1, int last = 12) {
  for (int m = first; m <= last; ++m) p.AddPairs(perMonth, Day(m, 1), MonthEnd(m));
}

struct DemoLedger {
  std::uint64_t seed;
  int amountPercent;
  bool foreign;
  Money bankOpening;
  std::function<void(LedgerPlanner&)> fill;

  LedgerPlan Plan(const QDate& start) const {
    LedgerPlanner planner({seed, start, kYearEnd, amountPercent, foreign});
    fill(planner);
    return planner.Finish(bankOpening);
  }
};

const char* const kChart[][2] = {
    {"1001", "库存现金"},     {"1122", "应收账款"}, {"2202", "应付账款"}, {"2211", "应付职工薪酬"},
    {"2221", "应交税费"},     {"6602", "管理费用"}, {"6603", "财务费用"}};

void WriteAccounts(platform::DbConnection& connection, GeneratedCounts& counts) {
  AccountLedgerWriter writer(connection, true);
  for (const auto& row : kChart) writer.AddChartAccount(row[0], QString::fromUtf8(row[1]), 1, false, true);
  writer.AddChartAccount(QStringLiteral("1002"), QStringLiteral("银行存款"), 1, true, false);

  struct Entry { BankAccountSpec account; DemoLedger ledger; };
  const Entry entries[] = {
      // The main account: every case, statement in the bank's direction.
      {{"100201", QStringLiteral("工商银行北京朝阳支行"), {}, 1.0, false, Day(1, 1), {}},
       {11, 100, false, Money::FromCents(128654035), [](LedgerPlanner& p) {
          MonthlyPairs(p, 8);
          p.AddCaseVariantPair(Day(3, 16));
          p.AddGroup(3, 1, Day(2, 10));
          p.AddGroup(1, 2, Day(5, 20));
          p.AddGroup(2, 3, Day(8, 12));
          p.AddGroup(2, 1, Day(11, 5));
          p.AddNearMissGroup(2, 1, Day(9, 15));
          p.AddJournalOnly(1, Day(3, 1), MonthEnd(3));
          p.AddJournalOnly(2, Day(12, 20), kYearEnd);
          p.AddBankOnly(1, Day(6, 1), MonthEnd(6));
          p.AddBankOnly(2, Day(12, 24), kYearEnd);
          p.AddOpeningJournalItem(3, true);
          p.AddOpeningJournalItem(5, true);
          p.AddOpeningJournalItem(45, false);
          p.AddOpeningBankItem(1, true);
          p.AddOpeningBankItem(2, false);
          p.AddVoidedJournalLine(Day(4, 8));
          p.AddUnpostedJournalLine(Day(12, 30));
        }}},
      // Statement in the enterprise's direction, reconciled up to the end of June.
      {{"100202", QStringLiteral("建设银行北京海淀支行"), {}, 1.0, true, Day(1, 1), Day(6, 30)},
       {22, 100, false, Money::FromCents(43621860), [](LedgerPlanner& p) {
          MonthlyPairs(p, 5);
          p.AddGroup(3, 1, Day(3, 18));
          p.AddGroup(1, 3, Day(6, 8));
          p.AddJournalOnly(1, Day(5, 1), MonthEnd(5));
          p.AddJournalOnly(1, Day(12, 15), kYearEnd);
          p.AddBankOnly(1, Day(4, 1), MonthEnd(4));
          p.AddBankOnly(1, Day(12, 20), kYearEnd);
          p.AddOpeningJournalItem(4, true);
          p.AddOpeningJournalItem(30, false);
          p.AddOpeningBankItem(2, true);
        }}},
      // Kept in US dollars: matched on the dollar amounts.
      {{"100203", QStringLiteral("招商银行北京分行美元户"), QStringLiteral("美元"), 7.10, false, Day(1, 1), {}},
       {33, 14, true, Money::FromCents(8642055), [](LedgerPlanner& p) {
          MonthlyPairs(p, 3);
          p.AddGroup(2, 1, Day(4, 9));
          p.AddGroup(1, 2, Day(10, 14));
          p.AddJournalOnly(1, Day(12, 10), kYearEnd);
          p.AddBankOnly(2, Day(11, 1), kYearEnd);
          p.AddOpeningJournalItem(2, true);
          p.AddOpeningBankItem(3, true);
          p.AddRevaluation(Day(6, 30));
          p.AddRevaluation(Day(12, 31));
        }}},
      // Reconciled from July on: its opening items lie in June.
      {{"100204", QStringLiteral("农业银行北京西城支行"), {}, 1.0, false, Day(7, 1), {}},
       {44, 100, false, Money::FromCents(152003180), [](LedgerPlanner& p) {
          MonthlyPairs(p, 4, 7, 12);
          p.AddGroup(2, 1, Day(9, 7));
          p.AddJournalOnly(1, Day(12, 1), kYearEnd);
          p.AddBankOnly(1, Day(10, 1), MonthEnd(10));
          p.AddOpeningJournalItem(3, true);
          p.AddOpeningJournalItem(20, false);
          p.AddOpeningBankItem(2, true);
        }}},
  };
  for (const Entry& e : entries) {
    writer.AddBankAccount(e.account);
    writer.WriteLedger(e.account, e.ledger.Plan(e.account.start));
  }
  writer.Finish(counts);
}

void WriteBooks(platform::DbConnection& connection, GeneratedCounts& counts) {
  BookLedgerWriter writer(connection);
  const QString rmb = QStringLiteral("人民币");
  const QString usd = QStringLiteral("美元");

  struct Entry { BankBookSpec book; std::optional<DemoLedger> ledger; };
  const Entry entries[] = {
      {{"YH001", QStringLiteral("工行基本户"), 2, "100201", "0200 0049 0920 0112 345", rmb, false, 1.0, false,
        Day(1, 1), false, Day(1, 1), {}},
       DemoLedger{101, 100, false, Money::FromCents(97532010), [](LedgerPlanner& p) {
         MonthlyPairs(p, 6);
         p.AddCaseVariantPair(Day(4, 22));
         p.AddGroup(3, 1, Day(1, 20));
         p.AddGroup(1, 2, Day(7, 9));
         p.AddGroup(2, 3, Day(10, 16));
         p.AddNearMissGroup(2, 1, Day(5, 12));
         p.AddJournalOnly(2, Day(12, 18), kYearEnd);
         p.AddBankOnly(2, Day(12, 22), kYearEnd);
         p.AddOpeningJournalItem(2, true);
         p.AddOpeningJournalItem(60, false);
         p.AddOpeningBankItem(1, true);
         p.AddUnpostedJournalLine(Day(12, 29));
       }}},
      {{"YH002", QStringLiteral("建行一般户"), 2, "100202", "1100 1085 3000 5300 6789", rmb, false, 1.0, true,
        Day(1, 1), false, Day(1, 1), Day(9, 30)},
       DemoLedger{202, 100, false, Money::FromCents(31877542), [](LedgerPlanner& p) {
         MonthlyPairs(p, 4);
         p.AddGroup(2, 1, Day(8, 3));
         p.AddJournalOnly(1, Day(11, 1), kYearEnd);
         p.AddBankOnly(1, Day(12, 1), kYearEnd);
         p.AddOpeningJournalItem(3, true);
         p.AddOpeningBankItem(2, false);
       }}},
      {{"YH003", QStringLiteral("招行美元户"), 2, "100203", "1109 0123 4532 001", usd, true, 7.10, false, Day(1, 1),
        false, Day(1, 1), {}},
       DemoLedger{303, 14, true, Money::FromCents(5210088), [](LedgerPlanner& p) {
         MonthlyPairs(p, 2);
         p.AddGroup(1, 2, Day(6, 10));
         p.AddJournalOnly(1, Day(12, 1), kYearEnd);
         p.AddBankOnly(1, Day(12, 1), kYearEnd);
         p.AddOpeningJournalItem(2, true);
         p.AddRevaluation(Day(12, 31));
       }}},
      // Closed after the first quarter: lists of the balance statement still show it.
      {{"YH004", QStringLiteral("农行专户"), 2, "100204", "1121 0501 0400 0987 6", rmb, false, 1.0, false, Day(1, 1),
        true, Day(1, 1), Day(3, 31)},
       DemoLedger{404, 100, false, Money::FromCents(2000000), [](LedgerPlanner& p) {
         MonthlyPairs(p, 2, 1, 3);
         p.AddBankOnly(1, Day(3, 20), MonthEnd(3));
       }}},
      {{"YH005", QStringLiteral("中行外汇户"), 2, "100203", "3478 5612 0091", usd, true, 7.10, false, {}, false, {},
        {}},
       std::nullopt},
      {{"XJ001", QStringLiteral("现金日记账"), 1, "1001", {}, rmb, false, 1.0, true, Day(1, 1), false, Day(1, 1), {}},
       std::nullopt},
  };
  for (const Entry& e : entries) {
    if (e.ledger) {
      const LedgerPlan plan = e.ledger->Plan(e.book.start);
      writer.WriteBook(e.book, &plan);
    } else {
      writer.WriteBook(e.book, nullptr);
    }
  }
  writer.Finish(counts);
}

}  // namespace

GeneratedCounts GenerateDemoData(platform::DbConnection& connection) {
  if (connection.QueryValue(QStringLiteral("select count(*) from code")).ToInt() > 0)
    throw platform::DbError(QStringLiteral("The database already has accounts: demo data goes into an empty account set"));
  platform::TransactionGuard transaction(connection);
  GeneratedCounts counts;
  BaseDataWriter(connection).Write(counts);
  WriteAccounts(connection, counts);
  WriteBooks(connection, counts);
  transaction.Commit();
  AnalyzeWritten(connection, counts);
  return counts;
}

}  // namespace corvane::suite
