#include "ledger_probe.h"

#include <QHash>
#include <QSet>
#include <cstdlib>
#include <map>

namespace corvane::suite {

using platform::DbConnection;
using platform::DbValue;
using platform::Money;

namespace {

QString Key(const DbValue& v) { return v.ToString().trimmed().toLower(); }

Money Signed(const LedgerProbe::Line& l) { return l.moneyIn ? l.amount : -l.amount; }

}  // namespace

LedgerProbe LedgerProbe::ForAccount(DbConnection& connection, const QString& code) {
  LedgerProbe p;
  const auto account =
      connection.Query(QStringLiteral("select bd_c, dbegin, cexch_name from code where ccode=?"), {code});
  if (account.rows.empty()) return p;
  p.debitDirection_ = account.rows[0][0].ToBool();
  p.start_ = account.rows[0][1].ToDate();
  p.foreign_ = !account.rows[0][2].IsNullOrBlank();
  p.Load(connection,
         QStringLiteral("select dbill_date, iperiod, md, mc, md_f, mc_f, csettle, cn_id from gl_accvouch "
                        "where ibook=1 and (iflag is null or iflag=2) and bdelete=0 and ccode=?"),
         QStringLiteral("select ddate, bd_c, mmoney, csettle, cn_id, ibegin from rp_bankrecp "
                        "where bdelete=0 and ccode=?"),
         code);
  return p;
}

LedgerProbe LedgerProbe::ForBook(DbConnection& connection, const QString& bookCode) {
  LedgerProbe p;
  const auto book =
      connection.Query(QStringLiteral("select bd_c, dBeginDate, cexch_name from RP_Book where cBookCode=?"), {bookCode});
  if (book.rows.empty()) return p;
  const QString home =
      connection.QueryValue(QStringLiteral("select cvalue from corvane_options where ckey=?"), {"HomeCurrency"})
          .ToString();
  p.debitDirection_ = book.rows[0][0].ToBool();
  p.start_ = book.rows[0][1].ToDate();
  p.foreign_ = book.rows[0][2].ToString() != home;
  p.Load(connection,
         QStringLiteral("select BillDate, iperiod, md, mc, md_f, mc_f, csettle, cn_id from RP_Flow "
                        "where ibook=1 and bdelete=0 and cBookCode=?"),
         QStringLiteral("select ddate, bd_c, mmoney, csettle, cn_id, ibegin from rp_bankrecp_rp "
                        "where bdelete=0 and cBookCode=?"),
         bookCode);
  return p;
}

void LedgerProbe::Load(DbConnection& connection, const QString& journalSql, const QString& bankSql,
                       const QString& key) {
  for (const auto& r : connection.Query(journalSql, {key}).rows) {
    const int period = static_cast<int>(r[1].ToInt());
    if (period == 20) {
      ++journalOpeningRows_;
      journalOpening_ = r[2].ToMoney();
      continue;
    }
    Line l;
    l.date = r[0].ToDate();
    l.period = period;
    // Opening items on or after the start date never reach the lists.
    if (period == 21 && l.date >= start_) continue;
    const Money debit = foreign_ ? r[4].ToMoney() : r[2].ToMoney();
    const Money credit = foreign_ ? r[5].ToMoney() : r[3].ToMoney();
    if (foreign_ && debit.IsZero() && credit.IsZero()) continue;  // a home-only revaluation is not listed
    l.moneyIn = !debit.IsZero();
    l.amount = l.moneyIn ? debit : credit;
    l.settle = Key(r[6]);
    l.number = Key(r[7]);
    journal_.push_back(l);
  }
  for (const auto& r : connection.Query(bankSql, {key}).rows) {
    if (r[5].ToInt() == 0) {
      ++bankOpeningRows_;
      bankOpening_ = r[2].ToMoney();
      continue;
    }
    Line l;
    l.date = r[0].ToDate();
    // The statement's direction decides which of its sides faces a journal debit.
    l.moneyIn = r[1].ToBool() == debitDirection_;
    l.amount = r[2].ToMoney();
    l.settle = Key(r[3]);
    l.number = Key(r[4]);
    bank_.push_back(l);
  }
}

int LedgerProbe::OneToOnePairs(int dateWindow) const {
  std::multimap<std::int64_t, size_t> byAmount;
  for (size_t i = 0; i < bank_.size(); ++i) byAmount.emplace(bank_[i].amount.Raw(), i);
  std::vector<bool> used(bank_.size(), false);
  int pairs = 0;
  for (const Line& j : journal_) {
    auto [from, to] = byAmount.equal_range(j.amount.Raw());
    for (auto it = from; it != to; ++it) {
      const Line& b = bank_[it->second];
      if (used[it->second] || b.moneyIn != j.moneyIn || b.number != j.number || b.settle != j.settle) continue;
      if (std::abs(j.date.daysTo(b.date)) > dateWindow) continue;
      used[it->second] = true;
      ++pairs;
      break;
    }
  }
  return pairs;
}

int LedgerProbe::Groups(std::int64_t cents) const {
  struct Totals { Money jIn, jOut, bIn, bOut; int jLines = 0, bLines = 0; };
  QHash<QString, Totals> groups;
  for (const Line& l : journal_) {
    if (l.number.isEmpty()) continue;
    Totals& t = groups[l.number];
    (l.moneyIn ? t.jIn : t.jOut) += l.amount;
    ++t.jLines;
  }
  for (const Line& l : bank_) {
    if (l.number.isEmpty()) continue;
    Totals& t = groups[l.number];
    (l.moneyIn ? t.bIn : t.bOut) += l.amount;
    ++t.bLines;
  }
  int count = 0;
  for (const Totals& t : groups) {
    if (t.jLines == 0 || t.bLines == 0 || std::max(t.jLines, t.bLines) < 2) continue;
    const bool agree = t.jIn == t.bIn && t.jOut == t.bOut;
    const std::int64_t diff = ((t.bIn - t.jIn) + (t.bOut - t.jOut)).Raw();
    if (cents == 0 ? agree : !agree && std::llabs(diff) == cents * 100) ++count;
  }
  return count;
}

int LedgerProbe::JournalOnly() const {
  QSet<std::int64_t> bankAmounts;
  for (const Line& l : bank_) bankAmounts.insert(l.amount.Raw());
  int n = 0;
  for (const Line& l : journal_) n += bankAmounts.contains(l.amount.Raw()) ? 0 : 1;
  return n;
}

int LedgerProbe::BankOnly() const {
  QSet<std::int64_t> journalAmounts;
  for (const Line& l : journal_) journalAmounts.insert(l.amount.Raw());
  int n = 0;
  for (const Line& l : bank_) n += journalAmounts.contains(l.amount.Raw()) ? 0 : 1;
  return n;
}

Money LedgerProbe::OpeningGap() const {
  Money gap = journalOpening_ - bankOpening_;
  for (const Line& l : bank_)
    if (l.date < start_) gap += Signed(l);
  for (const Line& l : journal_)
    if (l.date < start_) gap -= Signed(l);
  return gap;
}

}  // namespace corvane::suite
