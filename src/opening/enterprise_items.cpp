#include "opening/opening_items.h"

#include "platform/controls/date_text.h"
#include "platform/db/transaction_guard.h"
#include "shared/session.h"

namespace corvane::opening {

using platform::DbValue;
using platform::Money;
using shared::Session;

namespace {

QString DateCell(const DbValue& v) { return platform::DateText::Format(v.ToDate()); }
QString AmountCell(const DbValue& v) {
  const Money m = v.ToMoney();
  return m.IsZero() ? QString() : m.ToDisplayText();
}
// Zero-padded digits, built in one go: four of these are made for every loaded line.
QString Padded(long long n, int width) {
  if (n < 0) return QString::number(n).rightJustified(width, QLatin1Char('0'));
  char digits[24];
  int pos = sizeof(digits);
  do {
    digits[--pos] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n > 0 || static_cast<int>(sizeof(digits)) - pos < width);
  return QString::fromLatin1(digits + pos, static_cast<int>(sizeof(digits)) - pos);
}

int StateOf(const DbValue& deleted, const DbValue& tick, long long period) {
  int state = deleted.ToInt() != 0 ? kCleared : (!tick.IsNull() && tick.ToInt() != 0 ? kTicked : kOpen);
  if (period >= 0 && period < 13) state = state == kOpen ? kRegular : kRegularLocked;
  return state;
}

DbValue TextOrNull(const QString& text) { return text.isEmpty() ? DbValue() : DbValue(text); }
// The guard of a write to a journal line: not cleared, not ticked.
const QLatin1String kUntickedLine(" and bdelete=0 and (iflagbank is null or iflagbank=0)");

}  // namespace

std::vector<ItemRow> LoadEnterpriseItems(const ItemContext& c) {
  const bool book = c.target.bookMode;
  const QString sql = book
      ? QStringLiteral("select BillDate, cFlowID, csettle, cn_id, md, mc, md_f, mc_f, dt_date, cdigest, bdelete, "
                       "iflagbank, iperiod from RP_Flow where ibook=1 and cBookCode = ? and iperiod<>20 "
                       "and BillDate < ? order by BillDate,cFlowID")
      : QStringLiteral("select dbill_date, isignseq, ino_id, inid, i_id, csign, csettle, cn_id, md, mc, md_f, mc_f, "
                       "dt_date, cdigest, bdelete, iflagbank, iperiod from gl_accvouch where ibook=1 and "
                       "(iflag is null or iflag=2) and ccode = ? and iperiod<>20 and dbill_date < ? "
                       "order by dbill_date,isignseq,ino_id,inid,i_id");
  std::vector<ItemRow> rows;
  Session::Current().Db().ForEachRow(sql, {c.target.Key(), c.startDate}, [&](const std::vector<DbValue>& v) {
    // Columns by position: book (0 date,1 flow,2 settle,3 number,4 md,5 mc,6 md_f,7 mc_f,8 dt,9 digest,10 del,
    // 11 tick,12 period); account (0 date,1 seq,2 no,3 nid,4 id,5 sign,6 settle,7 number,8 md,9 mc,10 md_f,
    // 11 mc_f,12 dt,13 digest,14 del,15 tick,16 period).
    const int o = book ? 0 : 4;  // offset of the columns after the key parts
    const Money debitF = v[o + 6].ToMoney(), creditF = v[o + 7].ToMoney();
    if (c.foreign && platform::AmountsAgree(debitF, Money()) && platform::AmountsAgree(creditF, Money())) return;
    ItemRow row;
    row.cells.resize(kQyColumns);
    row.cells[kQyDate] = DateCell(v[0]);
    if (book) {
      const QString flow = v[1].ToString();
      row.cells[kQyPzid] = flow;
      row.cells[kQyRowid] = QStringLiteral("  ");
      row.cells[kQyAutoId] = flow;
      row.cells[kQyNo] = flow;
      row.key = flow;
    } else {
      row.cells[kQySignSeq] = Padded(v[1].ToInt(), 3);
      row.cells[kQyPzid] = Padded(v[2].ToInt(), 5);
      row.cells[kQyRowid] = Padded(v[3].ToInt(), 5);
      row.cells[kQyAutoId] = Padded(v[4].ToInt(), 5);
      row.cells[kQySign] = v[5].ToString();
      row.cells[kQyNo] = v[2].ToInt() == 0 ? QStringLiteral(" ") : QString::number(v[2].ToInt());
      row.key = QString::number(v[4].ToInt());
    }
    row.cells[kQySettle] = v[o + 2].ToString();
    row.cells[kQyNumber] = v[o + 3].ToString();
    row.cells[kQyDebit] = c.foreign ? AmountCell(v[o + 6]) : AmountCell(v[o + 4]);
    row.cells[kQyCredit] = c.foreign ? AmountCell(v[o + 7]) : AmountCell(v[o + 5]);
    row.cells[kQyBillDate] = DateCell(v[o + 8]);
    row.cells[kQyDigest] = v[o + 9].ToString();
    row.state = StateOf(v[o + 10], v[o + 11], v[o + 12].ToInt());
    rows.push_back(std::move(row));
  });
  return rows;
}

WriteOutcome SaveEnterpriseRow(ItemRow& row, const ItemContext& c) {
  Session& s = Session::Current();
  const bool book = c.target.bookMode;
  std::vector<QString>& cell = row.cells;
  const Money debit = CheckedAmount(cell[kQyDebit]), credit = CheckedAmount(cell[kQyCredit]);
  const QString debitColumn = c.foreign ? QStringLiteral("md_f") : QStringLiteral("md");
  const QString creditColumn = c.foreign ? QStringLiteral("mc_f") : QStringLiteral("mc");
  // A new line carries zero in the amounts of the other currency kind.
  const QString otherAmounts = c.foreign ? QStringLiteral("md, mc") : QStringLiteral("md_f, mc_f");
  const QString sign = cell[kQySign].trimmed();
  const QString digest = cell[kQyDigest].isEmpty() ? QStringLiteral(" ") : cell[kQyDigest];
  const DbValue billDate = cell[kQyBillDate].isEmpty() ? DbValue() : DbValue(CheckedDate(cell[kQyBillDate]));
  int signSeq = 0;
  if (!book && !sign.isEmpty()) {
    platform::VoucherSignInfo info;
    s.Common().GetVoucherSign(sign, info);
    signSeq = info.SignSeq;
  }
  const long long voucherNo = cell[kQyNo].trimmed().toLongLong();

  if (book) {
    // Shared values of both statements: date, sign, settlement, number, amounts, bill date, digest.
    platform::DbParams values{CheckedDate(cell[kQyDate]), TextOrNull(sign), TextOrNull(cell[kQySettle]),
                              TextOrNull(cell[kQyNumber]), debit, credit, billDate, digest};
    if (row.key.isEmpty()) {
      platform::TransactionGuard guard(s.Db());
      // The flow id is taken here, once, so the row shows the id that is stored.
      const QString flow = s.Cash().NewFlowId(c.target.bookCode, true);
      values.insert(values.begin(), {flow, c.target.bookCode, c.target.accountCode});
      s.Db().Execute(QStringLiteral("insert into RP_Flow (cFlowID, cBookCode, ccode, iBookType, ibook, %3, "
                                    "BillDate, csign, csettle, cn_id, %1, %2, dt_date, cdigest, iperiod) "
                                    "values (?, ?, ?, 2, 1, 0, 0, ?, ?, ?, ?, ?, ?, ?, ?, 21)")
                         .arg(debitColumn, creditColumn, otherAmounts),
                     values);
      guard.Commit();
      row.key = flow;
    } else {
      values.push_back(row.key);
      const WriteOutcome w = WriteOpenLine(
          c.target.accountCode,
          QStringLiteral("update RP_Flow set BillDate=?, csign=coalesce(?, csign), csettle=?, cn_id=?, %1=?, %2=?, "
                         "dt_date=?, cdigest=?, iperiod=21 where cFlowID=?")
                  .arg(debitColumn, creditColumn) + kUntickedLine,
          values, QStringLiteral("RP_Flow"), QStringLiteral("cFlowID"), row.key);
      if (w != WriteOutcome::Written) return w;
    }
    cell[kQyAutoId] = row.key;
    cell[kQyNo] = row.key;
    cell[kQyPzid] = sign.isEmpty() ? QString() : cell[kQyPzid];
  } else {
    platform::DbParams values{CheckedDate(cell[kQyDate]), TextOrNull(sign), sign.isEmpty() ? DbValue() : DbValue(signSeq),
                              voucherNo, TextOrNull(cell[kQySettle]), TextOrNull(cell[kQyNumber]), debit, credit,
                              billDate, digest};
    if (row.key.isEmpty()) {
      values.insert(values.begin(), c.target.accountCode);
      platform::TransactionGuard guard(s.Db());
      const DbValue id = s.Db().QueryValue(
          QStringLiteral("insert into gl_accvouch (ccode, %3, ibook, idoc, nfrat, nd_s, nc_s, inid, "
                         "dbill_date, csign, isignseq, ino_id, csettle, cn_id, %1, %2, dt_date, cdigest, iperiod) "
                         "values (?, 0, 0, 1, 0, 0, 0, 0, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 21) returning i_id")
              .arg(debitColumn, creditColumn, otherAmounts),
          values);
      guard.Commit();
      row.key = QString::number(id.ToInt());
    } else {
      values.push_back(row.key.toLongLong());
      const WriteOutcome w = WriteOpenLine(
          c.target.accountCode,
          QStringLiteral("update gl_accvouch set dbill_date=?, csign=?, isignseq=?, ino_id=?, csettle=?, cn_id=?, "
                         "%1=?, %2=?, dt_date=?, cdigest=?, iperiod=21 where i_id=?")
                  .arg(debitColumn, creditColumn) + kUntickedLine,
          values, QStringLiteral("gl_accvouch"), QStringLiteral("i_id"), row.key.toLongLong());
      if (w != WriteOutcome::Written) return w;
    }
    cell[kQySignSeq] = sign.isEmpty() ? cell[kQySignSeq] : Padded(signSeq, 3);
    cell[kQyPzid] = sign.isEmpty() ? QString() : Padded(voucherNo, 5);
    cell[kQyAutoId] = Padded(row.key.toLongLong(), 5);
  }
  cell[kQyRowid] = QStringLiteral("00001");
  row.state = kOpen;
  return WriteOutcome::Written;
}

WriteOutcome DeleteEnterpriseRow(const ItemRow& row, const ItemContext& c) {
  const QString table = c.target.bookMode ? QStringLiteral("RP_Flow") : QStringLiteral("gl_accvouch");
  const QString keyColumn = c.target.bookMode ? QStringLiteral("cFlowID") : QStringLiteral("i_id");
  const DbValue key = c.target.bookMode ? DbValue(row.key) : DbValue(row.key.toLongLong());
  // A line of the journal's own periods stays in the journal, out of reconciliation.
  const QString sql = row.state == kRegular ? QStringLiteral("update %1 set bdelete=1 where %2=?")
                                            : QStringLiteral("delete from %1 where %2=?");
  return WriteOpenLine(c.target.accountCode, sql.arg(table, keyColumn) + kUntickedLine, {key}, table, keyColumn, key);
}

WriteOutcome WriteOpenLine(const QString& account, const QString& sql, const platform::DbParams& params,
                           const QString& table, const QString& keyColumn, const DbValue& key) {
  platform::DbConnection& db = Session::Current().Db();
  platform::AccountWriteTransaction transaction(db, account);
  if (db.Execute(sql, params) == 1) {
    transaction.Commit();
    return WriteOutcome::Written;
  }
  const bool stored = !db.QueryValue(QStringLiteral("select %1 from %2 where %1=?").arg(keyColumn, table), {key}).IsNull();
  return stored ? WriteOutcome::ChangedMeanwhile : WriteOutcome::Vanished;
}

QString DeleteRefusalKey(int state, bool enterpriseSide) {
  if (state == kCleared) return QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00110");
  if (state == kTicked || (enterpriseSide && state == kRegularLocked)) return QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00112");
  return QString();
}

}  // namespace corvane::opening
