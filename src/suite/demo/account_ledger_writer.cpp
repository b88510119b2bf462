#include "suite/demo/account_ledger_writer.h"

namespace corvane::suite {

using platform::DbParams;
using platform::DbValue;
using platform::Money;

namespace {

DbValue TextOrNull(const QString& s) { return s.isEmpty() ? DbValue() : DbValue(s); }

const QStringList kJournalColumns = {
    QStringLiteral("iperiod"), QStringLiteral("csign"), QStringLiteral("isignseq"), QStringLiteral("ino_id"),
    QStringLiteral("inid"), QStringLiteral("dbill_date"), QStringLiteral("idoc"), QStringLiteral("ibook"),
    QStringLiteral("iflag"), QStringLiteral("ccode"), QStringLiteral("cexch_name"), QStringLiteral("md"),
    QStringLiteral("mc"), QStringLiteral("md_f"), QStringLiteral("mc_f"), QStringLiteral("nfrat"),
    QStringLiteral("nd_s"), QStringLiteral("nc_s"), QStringLiteral("csettle"), QStringLiteral("cn_id"),
    QStringLiteral("dt_date"), QStringLiteral("cdigest"), QStringLiteral("iflagbank"), QStringLiteral("bdelete")};

const QStringList kStatementColumns = {
    QStringLiteral("ccode"), QStringLiteral("cBookCode"), QStringLiteral("dDate"), QStringLiteral("csettle"),
    QStringLiteral("cn_id"), QStringLiteral("bd_c"), QStringLiteral("mmoney"), QStringLiteral("mbalance"),
    QStringLiteral("iflag"), QStringLiteral("ibegin"), QStringLiteral("bdelete")};

const QStringList kCodeColumns = {
    QStringLiteral("ccode"), QStringLiteral("ccode_name"), QStringLiteral("igrade"), QStringLiteral("bd_c"),
    QStringLiteral("be"), QStringLiteral("bend"), QStringLiteral("cexch_name"), QStringLiteral("dbegin"),
    QStringLiteral("dend")};

}  // namespace

double MonthRate(double middleRate, const QDate& date) {
  return middleRate + 0.01 * ((date.month() * 7) % 5 - 2);
}

// One row of gl_accvouch with the values the general ledger gives a line that
// does not say otherwise.
struct AccountLedgerWriter::VoucherLine {
  int period = 0;
  QString sign;
  int signSeq = 0;
  int number = -1;  // ino_id; -1 for none
  int row = 1;
  QDate date;
  int attachments = 1;
  bool posted = true;
  bool voided = false;
  QString code;
  QString currency;
  Money md, mc, mdForeign, mcForeign;
  double rate = 0;
  QString settle, settleNumber;
  QDate billDate;
  QString digest;
};

AccountLedgerWriter::AccountLedgerWriter(platform::DbConnection& connection, bool withVoucherPartners)
    : partners_(withVoucherPartners),
      accounts_(connection, QStringLiteral("code"), kCodeColumns),
      journal_(connection, QStringLiteral("gl_accvouch"), kJournalColumns),
      statement_(connection, QStringLiteral("rp_bankrecp"), kStatementColumns) {}

void AccountLedgerWriter::AddChartAccount(const QString& code, const QString& name, int grade, bool bank,
                                          bool leaf) {
  accounts_.Add({code, name, grade, 1, bank ? 1 : 0, leaf ? 1 : 0, DbValue(), DbValue(), DbValue()});
}

void AccountLedgerWriter::AddBankAccount(const BankAccountSpec& a) {
  accounts_.Add({a.code, a.name, 2, a.debitDirection ? 1 : 0, 1, 1, TextOrNull(a.currency), a.start, a.end});
}

int AccountLedgerWriter::NextVoucherNumber(const QString& sign, int period) {
  return ++lastVoucher_[{sign, period}];
}

void AccountLedgerWriter::AddJournalRow(const VoucherLine& v) {
  journal_.Add({v.period, TextOrNull(v.sign), v.signSeq ? DbValue(v.signSeq) : DbValue(),
                v.number < 0 ? DbValue() : DbValue(v.number), v.row, v.date,
                v.attachments, v.posted ? 1 : 0, v.voided ? DbValue(1) : DbValue(), v.code, TextOrNull(v.currency),
                v.md, v.mc, v.mdForeign, v.mcForeign, v.rate, 0.0, 0.0, TextOrNull(v.settle),
                TextOrNull(v.settleNumber), v.billDate, v.digest, DbValue(), 0});
}

void AccountLedgerWriter::WriteLedger(const BankAccountSpec& account, const LedgerPlan& plan) {
  // The journal opening as the opening set-up creates it: period 20, one blank digest.
  VoucherLine opening;
  opening.period = 20;
  opening.row = 0;
  opening.date = account.start;
  opening.attachments = 0;
  opening.code = account.code;
  opening.md = plan.journalOpening;
  opening.digest = QStringLiteral(" ");
  AddJournalRow(opening);
  statement_.Add({account.code, DbValue(), account.start, DbValue(), DbValue(), 1, plan.bankOpening, Money(),
                  DbValue(), 0, 0});
  for (const PlannedJournalLine& line : plan.journal) WriteJournalLine(account, line);
  for (const PlannedStatementLine& line : plan.bank) WriteStatementLine(account, line);
}

void AccountLedgerWriter::WriteJournalLine(const BankAccountSpec& account, const PlannedJournalLine& line) {
  const bool foreign = !account.currency.isEmpty();
  VoucherLine v;
  v.period = line.period;
  v.date = line.date;
  v.posted = line.posted;
  v.voided = line.voided;
  v.code = account.code;
  v.settle = line.settle;
  v.settleNumber = line.number;
  v.billDate = line.billDate;
  v.digest = line.digest;
  Money home = line.amount;
  if (line.keyedOpening) {
    // Keyed in the opening set-up: no voucher sign, voucher number 0, foreign
    // amounts only on a foreign account.
    v.attachments = 0;
    v.number = 0;
    if (foreign) {
      (line.moneyIn ? v.mdForeign : v.mcForeign) = line.amount;
    } else {
      (line.moneyIn ? v.md : v.mc) = line.amount;
    }
    AddJournalRow(v);
    return;
  }
  if (line.homeAmountOnly) {
    v.sign = QStringLiteral("转");
    v.signSeq = 4;
    v.currency = account.currency;
  } else {
    v.sign = line.moneyIn ? QStringLiteral("收") : QStringLiteral("付");
    v.signSeq = line.moneyIn ? 2 : 3;
    if (foreign) {
      v.currency = account.currency;
      v.rate = MonthRate(account.rate, line.date);
      home = Money::FromDouble(line.amount.ToDouble() * v.rate).RoundedToCents();
      (line.moneyIn ? v.mdForeign : v.mcForeign) = line.amount;
    }
  }
  (line.moneyIn ? v.md : v.mc) = home;
  v.number = NextVoucherNumber(v.sign, v.period);
  AddJournalRow(v);
  if (!partners_) return;
  VoucherLine partner = v;
  partner.row = 2;
  partner.code = line.counterAccount;
  partner.currency.clear();
  partner.rate = 0;
  partner.mdForeign = partner.mcForeign = Money();
  partner.md = v.mc;
  partner.mc = v.md;
  partner.settle.clear();
  partner.settleNumber.clear();
  partner.billDate = QDate();
  AddJournalRow(partner);
}

void AccountLedgerWriter::WriteStatementLine(const BankAccountSpec& account, const PlannedStatementLine& line) {
  // A statement kept in the bank's own direction (credit) shows a deposit as a
  // credit; one kept in the enterprise's direction (debit) as a debit.
  const int debit = line.moneyIn == account.debitDirection ? 1 : 0;
  statement_.Add({account.code, DbValue(), line.date, TextOrNull(line.settle), TextOrNull(line.number), debit,
                  line.amount, Money(), DbValue(), 2, 0});
}

void AccountLedgerWriter::Finish(GeneratedCounts& counts) {
  for (BatchInserter* b : {&accounts_, &journal_, &statement_}) {
    b->Flush();
    counts.Add(b->Table(), b->RowsAdded());
  }
}

}  // namespace corvane::suite
