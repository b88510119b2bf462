#include "opening/opening_items.h"

#include "platform/controls/date_text.h"
#include "platform/db/transaction_guard.h"
#include "shared/grid_editor_balance.h"
#include "shared/session.h"

namespace corvane::opening {

using platform::DbValue;
using platform::Money;
using shared::Session;

namespace {

QString Table(const ItemContext& c) {
  return c.target.bookMode ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp");
}
// The guard of a write to a statement line: not cleared, not ticked.
const QLatin1String kUntickedLine(" and bdelete=0 and (iflag is null or iflag=0)");
QString KeyColumn(const ItemContext& c) { return c.target.bookMode ? QStringLiteral("cBookCode") : QStringLiteral("ccode"); }


}  // namespace

std::vector<ItemRow> LoadBankItems(const ItemContext& c, shared::RunningBalance* kept) {
  std::vector<ItemRow> rows;
  shared::RunningBalance local;
  shared::RunningBalance& balance = kept ? *kept : local;
  balance.Reset(c.bankOpening, c.debitDirection);
  Session::Current().Db().ForEachRow(
      QStringLiteral("select i_id, ddate, csettle, cn_id, bd_c, mmoney, iflag, bdelete from %1 where %2 = ? "
                     "and ibegin<>0 and ddate < ? order by ddate,i_id")
          .arg(Table(c), KeyColumn(c)),
      {c.target.Key(), c.startDate}, [&](const std::vector<DbValue>& v) {
        ItemRow row;
        row.cells.resize(kYhColumns);
        row.key = QString::number(v[0].ToInt());
        row.cells[kYhId] = row.key.rightJustified(6, QLatin1Char('0'));
        row.cells[kYhDate] = platform::DateText::Format(v[1].ToDate());
        row.cells[kYhSettle] = v[2].ToString();
        row.cells[kYhNumber] = v[3].ToString();
        // A line without a direction is a credit line, as every sum of the statement reads it.
        const bool debit = !v[4].IsNull() && v[4].ToInt() == 1;
        const Money amount = v[5].ToMoney();
        row.cells[debit ? kYhDebit : kYhCredit] = amount.ToDisplayText();
        row.cells[kYhBalance] = balance.Append(debit ? amount : Money(), debit ? Money() : amount, debit);
        row.state = v[7].ToInt() != 0 ? kCleared : (!v[6].IsNull() && v[6].ToInt() != 0 ? kTicked : kOpen);
        rows.push_back(std::move(row));
      });
  return rows;
}

WriteOutcome SaveBankRow(ItemRow& row, const ItemContext& c) {
  Session& s = Session::Current();
  std::vector<QString>& cell = row.cells;
  const bool debit = !cell[kYhDebit].trimmed().isEmpty();
  const Money amount = CheckedAmount(debit ? cell[kYhDebit] : cell[kYhCredit]);
  const QString settle = cell[kYhSettle].trimmed(), number = cell[kYhNumber].trimmed();
  platform::DbParams values{CheckedDate(cell[kYhDate]), settle.isEmpty() ? DbValue() : DbValue(settle),
                            number.isEmpty() ? DbValue() : DbValue(number), debit ? 1 : 0, amount};
  if (row.key.isEmpty()) {
    platform::TransactionGuard guard(s.Db());
    const bool book = c.target.bookMode;
    values.push_back(c.target.accountCode);
    if (book) values.push_back(c.target.bookCode);
    const DbValue id = s.Db().QueryValue(
        QStringLiteral("insert into %1 (ddate, csettle, cn_id, bd_c, mmoney, ccode%2, mbalance, ibegin, bdelete) "
                       "values (?, ?, ?, ?, ?, ?%3, 0, 2, 0) returning i_id")
            .arg(Table(c), book ? QStringLiteral(", cBookCode") : QString(), book ? QStringLiteral(", ?") : QString()),
        values);
    guard.Commit();
    row.key = QString::number(id.ToInt());
  } else {
    values.push_back(row.key.toLongLong());
    const WriteOutcome w = WriteOpenLine(
        c.target.accountCode,
        QStringLiteral("update %1 set ddate=?, csettle=?, cn_id=?, bd_c=?, mmoney=?, ibegin=2 where i_id=?").arg(Table(c)) +
            kUntickedLine,
        values, Table(c), QStringLiteral("i_id"), row.key.toLongLong());
    if (w != WriteOutcome::Written) return w;
  }
  cell[kYhId] = QStringLiteral("%1").arg(row.key.toLongLong(), 6, 10, QLatin1Char('0'));
  row.state = kOpen;
  return WriteOutcome::Written;
}

WriteOutcome DeleteBankRow(const ItemRow& row, const ItemContext& c) {
  const DbValue key(row.key.toLongLong());
  return WriteOpenLine(c.target.accountCode, QStringLiteral("delete from %1 where i_id=?").arg(Table(c)) + kUntickedLine,
                       {key}, Table(c), QStringLiteral("i_id"), key);
}

}  // namespace corvane::opening
