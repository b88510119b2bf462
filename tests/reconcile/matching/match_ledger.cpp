#include "match_ledger.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane::reconcile::test {

using platform::DbValue;

DbValue MatchLedger::Add(const JournalRow& r) {
  const int period = r.period ? r.period : r.date.month();
  if (bookMode_) {
    const QString key = QStringLiteral("BK1%1").arg(++flows_, 6, 10, QLatin1Char('0'));
    db_.Execute(QStringLiteral("insert into RP_Flow (cFlowID, cBookCode, ccode, BillDate, iperiod, ibook, csettle, cn_id, "
                               "md, mc, md_f, mc_f, iflagbank, bdelete) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                {key, r.book, r.code, r.date, period, r.posted, r.style, r.number, Yuan(r.md), Yuan(r.mc),
                 Yuan(r.mdForeign), Yuan(r.mcForeign), r.tick, r.cleared});
    return key;
  }
  return db_.QueryValue(
      QStringLiteral("insert into gl_accvouch (ccode, dbill_date, iperiod, ibook, iflag, csettle, cn_id, md, mc, md_f, "
                     "mc_f, iflagbank, bdelete) values (?,?,?,?,?,?,?,?,?,?,?,?,?) returning i_id"),
      {r.code, r.date, period, r.posted, r.voucherState, r.style, r.number, Yuan(r.md), Yuan(r.mc), Yuan(r.mdForeign),
       Yuan(r.mcForeign), r.tick, r.cleared});
}

DbValue MatchLedger::Add(const StatementRow& r) {
  return db_.QueryValue(QStringLiteral("insert into %1 (ccode, cBookCode, dDate, csettle, cn_id, bd_c, mmoney, iflag, "
                                       "ibegin, bdelete) values (?,?,?,?,?,?,?,?,?,?) returning i_id")
                            .arg(StatementTable()),
                        {r.code, r.book, r.date, r.style, r.number, r.debit, Yuan(r.amount), r.tick, r.begin, r.cleared});
}

int MatchLedger::JournalTick(const DbValue& key) {
  return static_cast<int>(
      db_.QueryValue(QStringLiteral("select iflagbank from %1 where %2=?").arg(JournalTable(), JournalKey()), {key}).ToInt());
}

int MatchLedger::StatementTick(const DbValue& key) {
  return static_cast<int>(
      db_.QueryValue(QStringLiteral("select iflag from %1 where i_id=?").arg(StatementTable()), {key}).ToInt());
}

long long MatchLedger::TickedLines() {
  const QString ticked = QStringLiteral("select count(*) from %1 where ccode=? and %2 is not null and %2<>0");
  return db_.QueryValue(ticked.arg(JournalTable(), QStringLiteral("iflagbank")), {QStringLiteral("A")}).ToInt() +
         db_.QueryValue(ticked.arg(StatementTable(), QStringLiteral("iflag")), {QStringLiteral("A")}).ToInt();
}

std::vector<int> MatchLedger::Ticks(bool journal) {
  const QString sql = QStringLiteral("select %2 from %1 where %2 is not null");
  std::vector<int> ticks;
  for (const auto& row : db_.Query(journal ? sql.arg(JournalTable(), QStringLiteral("iflagbank"))
                                           : sql.arg(StatementTable(), QStringLiteral("iflag"))).rows)
    ticks.push_back(static_cast<int>(row.at(0).ToInt()));
  std::sort(ticks.begin(), ticks.end());
  return ticks;
}

void MatchLedger::Clear() {
  for (const char* table : {"gl_accvouch", "RP_Flow", "rp_bankrecp", "rp_bankrecp_rp"})
    db_.Execute(QStringLiteral("delete from ") + QLatin1String(table));
}

void MatchLedger::Change(platform::DbConnection& via, bool journal, const platform::DbValue& key, const char* change,
                         const platform::DbValue& value) {
  const QString table = journal ? JournalTable() : StatementTable();
  const QString keyColumn = journal ? JournalKey() : QStringLiteral("i_id");
  if (QLatin1String(change) == QLatin1String("delete")) {
    via.Execute(QStringLiteral("delete from %1 where %2=?").arg(table, keyColumn), {key});
    return;
  }
  const QString date = !journal ? QStringLiteral("ddate") : bookMode_ ? QStringLiteral("BillDate") : QStringLiteral("dbill_date");
  const QString assignment = QString::fromLatin1(change)
                                 .replace(QLatin1String("TICK"), journal ? QLatin1String("iflagbank") : QLatin1String("iflag"))
                                 .replace(QLatin1String("AMOUNT"), journal ? QLatin1String("md") : QLatin1String("mmoney"))
                                 .replace(QLatin1String("DATE"), date)
                                 .replace(QLatin1String("TURN"), journal ? QLatin1String("mc=md, md=?") : QLatin1String("bd_c=1-?"));
  const QString sql = QStringLiteral("update %1 set %2 where %3=?").arg(table, assignment, keyColumn);
  ASSERT_EQ(via.Execute(sql, {value, key}), 1) << sql.toStdString();
}

QVariant MatchLedger::RowKey(const platform::DbValue& key) {
  return key.IsInteger() ? QVariant(static_cast<qlonglong>(key.ToInt())) : QVariant(key.ToString());
}

MatchRequest MatchLedger::Request() const {
  MatchRequest r;
  r.code = QStringLiteral("A");
  r.bookMode = bookMode_;
  r.bookCode = bookMode_ ? QStringLiteral("BK1") : QString();
  r.reconStart = QDate(2026, 2, 1);
  r.startDate = QDate(2026, 1, 1);
  r.endDate = QDate(2026, 12, 31);
  return r;
}

}  // namespace corvane::reconcile::test
