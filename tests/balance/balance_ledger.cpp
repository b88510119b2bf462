#include "balance_ledger.h"
#include "shared/messages.h"

#include <QStringList>
#include <random>

namespace corvane::balance::test {

using platform::Money;

Money M(const char* text) { return *Money::Parse(QString::fromLatin1(text)); }

namespace {
QString Join(std::initializer_list<Money> amounts) {
  QStringList texts;
  for (const Money& m : amounts) texts << m.ToPlainText();
  return texts.join(QLatin1Char(' '));
}
}  // namespace

QString FiguresText(const BalanceFigures& f) {
  return Join({f.bankCarried, f.journalCarried, f.bankBalance, f.journalBalance, f.journalUnmatchedDebit,
               f.journalUnmatchedCredit, f.bankUnmatchedDebit, f.bankUnmatchedCredit, f.adjustedJournalBalance,
               f.adjustedBankBalance}) +
         (f.balanced ? QStringLiteral(" balanced") : QStringLiteral(" unbalanced"));
}

QString SumsText(const RawSums& s) {
  return Join({s.bankOpening, s.bankClearedNet, s.journalOpening, s.journalClearedNet, s.bankLiveSigned,
               s.journalLiveSigned, s.journalUnmatchedDebit, s.journalUnmatchedCredit, s.bankUnmatchedDebit,
               s.bankUnmatchedCredit});
}

void BalanceLedger::AddAccount(const TestAccount& a) {
  const QString currency = a.currency.isEmpty() ? QStringLiteral("人民币") : a.currency;
  if (book_) {
    db_.Execute(QStringLiteral("insert into RP_Book (cBookCode, cBookName, iBookType, ccode, cexch_name, dOpenDate, "
                               "bCloseFlag, dBeginDate, dEndDate, bd_c) values (?,?,2,?,?,?,0,?,?,?)"),
                {a.code, a.name, QStringLiteral("A") + a.code, currency, QDate(2026, 1, 1), a.start, a.end,
                 a.debit ? 1 : 0});
  } else {
    db_.Execute(QStringLiteral("insert into code (ccode, ccode_name, igrade, bd_c, be, bend, cexch_name, dbegin, dend) "
                               "values (?,?,2,?,1,1,?,?,?)"),
                {a.code, a.name, a.debit ? 1 : 0, a.currency.isEmpty() ? platform::DbValue() : platform::DbValue(currency),
                 a.start, a.end});
  }
}

void BalanceLedger::BankOpening(const QString& code, Money amount) {
  db_.Execute(QStringLiteral("insert into %1 (ccode, cBookCode, dDate, bd_c, mmoney, iflag, bdelete, ibegin) "
                             "values (?,?,?,1,?,0,0,0)").arg(StatementTable()),
              {book_ ? QStringLiteral("A") + code : code, book_ ? code : QString(), QDate(2026, 1, 1), amount});
}

void BalanceLedger::JournalOpening(const QString& code, Money amount) {
  Journal(code, QDate(2026, 1, 1), 20, amount, Money(), false, false);
}

void BalanceLedger::Journal(const QString& code, const QDate& date, int period, Money md, Money mc, bool ticked,
                            bool cleared, Money mdF, Money mcF) {
  const bool foreign = !mdF.IsZero() || !mcF.IsZero();
  const platform::DbValue currency = foreign ? platform::DbValue(QStringLiteral("美元")) : platform::DbValue();
  ++next_;
  if (book_) {
    db_.Execute(QStringLiteral("insert into RP_Flow (cFlowID, cBookCode, iBookType, ccode, BillDate, iperiod, ibook, "
                               "md, mc, md_f, mc_f, iflagbank, bdelete, cexch_name, cdigest) "
                               "values (?,?,2,?,?,?,1,?,?,?,?,?,?,?,?)"),
                {code + QStringLiteral("%1").arg(next_, 6, 10, QLatin1Char('0')), code, QStringLiteral("A") + code, date,
                 period, md, mc, mdF, mcF, ticked ? 1 : 0, cleared ? 1 : 0, currency,
                 QStringLiteral("摘要%1").arg(next_)});
  } else {
    db_.Execute(QStringLiteral("insert into gl_accvouch (iperiod, csign, isignseq, ino_id, inid, dbill_date, ibook, "
                               "ccode, md, mc, md_f, mc_f, iflagbank, bdelete, cexch_name, cdigest) "
                               "values (?,?,1,?,1,?,1,?,?,?,?,?,?,?,?,?)"),
                {period, QStringLiteral("记"), next_, date, code, md, mc, mdF, mcF, ticked ? 1 : 0, cleared ? 1 : 0,
                 currency, QStringLiteral("摘要%1").arg(next_)});
  }
}

void BalanceLedger::Bank(const QString& code, const QDate& date, int bdc, Money amount, bool ticked, bool cleared) {
  db_.Execute(QStringLiteral("insert into %1 (ccode, cBookCode, dDate, bd_c, mmoney, iflag, bdelete, ibegin, cn_id) "
                             "values (?,?,?,?,?,?,?,2,?)").arg(StatementTable()),
              {book_ ? QStringLiteral("A") + code : code, book_ ? code : QString(), date,
               bdc < 0 ? platform::DbValue() : platform::DbValue(bdc), amount, ticked ? 1 : 0,
               cleared ? 1 : 0, QStringLiteral("N%1").arg(++next_)});
}

std::vector<TestAccount> AddRandomAccounts(BalanceLedger& ledger, const QString& prefix, int accounts, int lines,
                                           unsigned seed) {
  std::mt19937 rng(seed);
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::vector<TestAccount> added;
  for (int a = 0; a < accounts; ++a) {
    TestAccount acc;
    acc.code = prefix + QStringLiteral("%1").arg(a, 2, 10, QLatin1Char('0'));
    acc.debit = pick(0, 1) == 1;
    acc.currency = pick(0, 3) == 0 ? QStringLiteral("美元") : QString();
    acc.start = QDate(2026, pick(1, 4), 1);
    acc.end = pick(0, 2) == 0 ? QDate() : QDate(2026, pick(5, 11), pick(1, 28));
    ledger.AddAccount(acc);
    if (pick(0, 3) > 0) ledger.BankOpening(acc.code, Money::FromCents(pick(0, 900000)));
    if (pick(0, 3) > 0) ledger.JournalOpening(acc.code, Money::FromCents(pick(0, 900000)));
    for (int i = 0; i < lines; ++i) {
      const QDate date(2026, pick(1, 12), pick(1, 28));
      const bool ticked = pick(0, 1) == 1;
      const bool cleared = ticked && pick(0, 2) == 0;
      const Money amount = Money::FromCents(pick(1, 500000));
      if (pick(0, 1) == 0) {
        const int direction = pick(0, 5) == 0 ? -1 : pick(0, 1);
        ledger.Bank(acc.code, date.addYears(pick(0, 5) == 0 ? -1 : 0), direction, amount, ticked, cleared);
      } else {
        const int period = pick(0, 6) == 0 ? 21 : date.month();
        const bool debit = pick(0, 1) == 1;
        const Money foreign = Money::FromCents(pick(0, 80000));
        ledger.Journal(acc.code, date, period, debit ? amount : Money(), debit ? Money() : amount, ticked, cleared,
                       debit ? foreign : Money(), debit ? Money() : foreign);
      }
    }
    added.push_back(acc);
  }
  return added;
}

long long BalanceLedger::ClearedCount(const QString& code) {
  return db_.QueryValue(QStringLiteral("select count(*) from %1 where bdelete=1 and %2=?").arg(JournalTable(), Key()),
                        {code}).ToInt() +
         db_.QueryValue(QStringLiteral("select count(*) from %1 where bdelete=1 and %2=?").arg(StatementTable(), Key()),
                        {code}).ToInt();
}

QString BalanceLedger::NamedStatementLine(const QString& code, const QDate& date) {
  const auto l = db_.Query(QStringLiteral("select i_id, mmoney from %1 where %2=? and ddate=?").arg(StatementTable(), Key()),
                           {code, date}).rows.at(0);
  return shared::GetResString(QStringLiteral("corvane.host.unreadable.statementline"), shared::GetResString(
      QStringLiteral("corvane.host.unreadable.") + (book_ ? "book" : "account"), code),
      l[0].ToString().rightJustified(6, QLatin1Char('0')), l[1].ToMoney().ToDisplayText());
}

}  // namespace corvane::balance::test
