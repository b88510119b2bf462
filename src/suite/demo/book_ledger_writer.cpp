#include "suite/demo/book_ledger_writer.h"

#include "suite/demo/account_ledger_writer.h"

namespace corvane::suite {

using platform::DbValue;
using platform::Money;

namespace {

DbValue TextOrNull(const QString& s) { return s.isEmpty() ? DbValue() : DbValue(s); }

const QStringList kBookColumns = {
    QStringLiteral("cBookCode"), QStringLiteral("cBookName"), QStringLiteral("iBookType"), QStringLiteral("ccode"),
    QStringLiteral("cBankAccount"), QStringLiteral("cexch_name"), QStringLiteral("dOpenDate"),
    QStringLiteral("bCloseFlag"), QStringLiteral("dBeginDate"), QStringLiteral("dEndDate"), QStringLiteral("bd_c"),
    QStringLiteral("iLastFlowNo")};

const QStringList kFlowColumns = {
    QStringLiteral("cFlowID"), QStringLiteral("cBookCode"), QStringLiteral("iBookType"), QStringLiteral("ccode"),
    QStringLiteral("BillDate"), QStringLiteral("iperiod"), QStringLiteral("ibook"), QStringLiteral("csign"),
    QStringLiteral("csettle"), QStringLiteral("cn_id"), QStringLiteral("dt_date"), QStringLiteral("cexch_name"),
    QStringLiteral("md"), QStringLiteral("mc"), QStringLiteral("md_f"), QStringLiteral("mc_f"),
    QStringLiteral("cdigest"), QStringLiteral("iflagbank"), QStringLiteral("bdelete")};

const QStringList kStatementColumns = {
    QStringLiteral("ccode"), QStringLiteral("cBookCode"), QStringLiteral("dDate"), QStringLiteral("csettle"),
    QStringLiteral("cn_id"), QStringLiteral("bd_c"), QStringLiteral("mmoney"), QStringLiteral("mbalance"),
    QStringLiteral("iflag"), QStringLiteral("ibegin"), QStringLiteral("bdelete")};

}  // namespace

BookLedgerWriter::BookLedgerWriter(platform::DbConnection& connection)
    : books_(connection, QStringLiteral("RP_Book"), kBookColumns),
      flows_(connection, QStringLiteral("RP_Flow"), kFlowColumns),
      statement_(connection, QStringLiteral("rp_bankrecp_rp"), kStatementColumns) {}

QString BookLedgerWriter::NextFlowId(const BankBookSpec& book) {
  return book.code + QStringLiteral("%1").arg(++lastFlowNo_, 6, 10, QLatin1Char('0'));
}

void BookLedgerWriter::AddFlow(const BankBookSpec& book, const PlannedJournalLine& line) {
  Money md, mc, mdForeign, mcForeign;
  QString currency;
  if (line.keyedOpening) {
    // Keyed in the opening set-up: the foreign amount only on a foreign book, no currency name.
    (line.moneyIn ? (book.foreign ? mdForeign : md) : (book.foreign ? mcForeign : mc)) = line.amount;
  } else if (line.homeAmountOnly) {
    currency = book.currency;
    (line.moneyIn ? md : mc) = line.amount;
  } else if (book.foreign) {
    // A home-currency flow carries no currency name: only foreign flows say which one.
    currency = book.currency;
    (line.moneyIn ? mdForeign : mcForeign) = line.amount;
    (line.moneyIn ? md : mc) =
        Money::FromDouble(line.amount.ToDouble() * MonthRate(book.rate, line.date)).RoundedToCents();
  } else {
    (line.moneyIn ? md : mc) = line.amount;
  }
  flows_.Add({NextFlowId(book), book.code, book.bookType, book.account, line.date, line.period,
              line.posted ? 1 : 0, DbValue(), TextOrNull(line.settle), TextOrNull(line.number), line.billDate,
              TextOrNull(currency), md, mc, mdForeign, mcForeign, line.digest, DbValue(), 0});
}

void BookLedgerWriter::WriteBook(const BankBookSpec& book, const LedgerPlan* plan) {
  lastFlowNo_ = 0;
  if (plan) {
    // The journal opening as the opening set-up creates it: a flow of period 20.
    flows_.Add({NextFlowId(book), book.code, book.bookType, book.account, book.start, 20, 1, DbValue(), DbValue(),
                DbValue(), DbValue(), DbValue(), plan->journalOpening, Money(), Money(), Money(),
                QStringLiteral(" "), DbValue(), 0});
    statement_.Add({book.account, book.code, book.start, DbValue(), DbValue(), 1, plan->bankOpening, Money(),
                    DbValue(), 0, 0});
    for (const PlannedJournalLine& line : plan->journal) AddFlow(book, line);
    for (const PlannedStatementLine& line : plan->bank) {
      const int debit = line.moneyIn == book.debitDirection ? 1 : 0;
      statement_.Add({book.account, book.code, line.date, TextOrNull(line.settle), TextOrNull(line.number), debit,
                      line.amount, Money(), DbValue(), 2, 0});
    }
  }
  books_.Add({book.code, book.name, book.bookType, book.account, TextOrNull(book.bankAccountNo),
              TextOrNull(book.currency), book.openDate, book.closed ? 1 : 0, book.start, book.end,
              book.debitDirection ? 1 : 0, lastFlowNo_});
}

void BookLedgerWriter::Finish(GeneratedCounts& counts) {
  for (BatchInserter* b : {&books_, &flows_, &statement_}) {
    b->Flush();
    counts.Add(b->Table(), b->RowsAdded());
  }
}

}  // namespace corvane::suite
