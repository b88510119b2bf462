#include "shared/balance_sums.h"

#include "platform/controls/date_text.h"

#include "platform/db/sql_builder.h"
#include "platform/services/service_error.h"
#include "shared/session.h"
#include "shared/unreadable_dates.h"

namespace corvane::shared {

using platform::DbConnection;
using platform::Money;
using platform::SqlBuilder;

namespace {

bool BookMode() { return Session::Current().BookMode(); }

// The end date text as a date; a text that is no date is an error, not "no bound".
QDate ParseEndDate(const QString& endDate) {
  const QDate d = platform::DateText::Parse(endDate).value_or(QDate());
  if (!d.isValid()) throw platform::ServiceError(QStringLiteral("\"%1\" is not a date").arg(endDate));
  return d;
}

void AddDeleted(SqlBuilder& q, std::optional<bool> bDeleted) {
  if (bDeleted) q.Add(*bDeleted ? QStringLiteral(" and bdelete=1") : QStringLiteral(" and bdelete=0"));
}

// The single "cal" value of an aggregate query; NULL (no line) is 0.
Money SumOf(const SqlBuilder& q) {
  auto rs = Session::Current().Db().OpenRecordset(q.Sql(), q.Params(), DbConnection::kOpenReadOnly);
  const Money sum = rs->Eof() ? Money() : rs->Field(QStringLiteral("cal")).ToMoney();
  rs->Close();
  return sum;
}

QString StatementTable() { return BookMode() ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp"); }
QString StatementKey() { return BookMode() ? QStringLiteral("cBookCode") : QStringLiteral("ccode"); }
QString JournalTable() { return BookMode() ? QStringLiteral("RP_Flow") : QStringLiteral("gl_accvouch"); }
QString JournalKey() { return BookMode() ? QStringLiteral("cBookCode") : QStringLiteral("ccode"); }
QString JournalDate() { return BookMode() ? QStringLiteral("billdate") : QStringLiteral("dbill_date"); }
// Account-mode journal sums take only lines outside the ledger's own tick (iflag null).
QString JournalBase() {
  return BookMode() ? QStringLiteral(" and iperiod <> 20") : QStringLiteral(" and iperiod <> 20 and iflag is null");
}

Money RoundedOpening(const platform::DbValue& v) { return v.ToMoney().RoundedToCents(); }

}  // namespace

Money GetBankOpeningBalance(const QString& code) {
  auto rs = Session::Current().Db().OpenRecordset(
      QStringLiteral("select * from %1 where ibegin=0 and %2 = ? order by i_id").arg(StatementTable(), StatementKey()),
      {code}, DbConnection::kOpenReadOnly);
  const Money m = rs->Eof() ? Money() : RoundedOpening(rs->Field(QStringLiteral("mmoney")));
  rs->Close();
  return m;
}

void SaveBankOpeningBalance(const QString& ccode, const QString& bookCode, Money amount) {
  const bool book = BookMode();
  auto rs = Session::Current().Db().OpenRecordset(
      QStringLiteral("select * from %1 where ibegin=0 and %2 = ? order by i_id").arg(StatementTable(), StatementKey()),
      {book ? bookCode : ccode}, DbConnection::kOpenEditable);
  if (rs->Eof()) {
    rs->AddNew();
    rs->SetField(QStringLiteral("ibegin"), 0);
    rs->SetField(QStringLiteral("dDate"), QDate::currentDate());
    rs->SetField(QStringLiteral("cCode"), ccode);
    if (book) rs->SetField(QStringLiteral("cBookCode"), bookCode);
    rs->SetField(QStringLiteral("bd_c"), 1);
    rs->SetField(QStringLiteral("mbalance"), Money());
  } else {
    rs->Edit();
  }
  rs->SetField(QStringLiteral("mmoney"), amount);
  rs->Update();
  rs->Close();
}

// The one period-20 row of the account (or book) holds the journal opening; read
// and written by its own key so that no second row can appear beside it.
Money GetJournalOpening(const QString& code) {
  const QString order = BookMode() ? QStringLiteral("cFlowID") : QStringLiteral("i_id");
  auto rs = Session::Current().Db().OpenRecordset(
      QStringLiteral("select * from %1 where %2=? and iperiod=20 order by %3").arg(JournalTable(), JournalKey(), order),
      {code}, DbConnection::kOpenReadOnly);
  const Money m = rs->Eof() ? Money() : RoundedOpening(rs->Field(QStringLiteral("md")));
  rs->Close();
  return m;
}

void SaveJournalOpening(const QString& ccode, const QString& bookCode, Money amount) {
  Session& s = Session::Current();
  const bool book = BookMode();
  const QString order = book ? QStringLiteral("cFlowID") : QStringLiteral("i_id");
  auto rs = s.Db().OpenRecordset(
      QStringLiteral("select * from %1 where %2=? and iperiod=20 order by %3").arg(JournalTable(), JournalKey(), order),
      {book ? bookCode : ccode}, DbConnection::kOpenEditable);
  if (rs->Eof()) {
    const QDate today = QDate::currentDate();
    rs->AddNew();
    rs->SetField(QStringLiteral("iPeriod"), 20);
    rs->SetField(QStringLiteral("iBook"), 1);
    rs->SetField(QStringLiteral("cDigest"), QStringLiteral(" "));
    rs->SetField(QStringLiteral("cCode"), ccode);
    if (book) {
      rs->SetField(QStringLiteral("cBookCode"), bookCode);
      rs->SetField(QStringLiteral("BillDate"), today);
      rs->SetField(QStringLiteral("iBookType"), 2);
      rs->SetField(QStringLiteral("cFlowID"), s.Cash().NewFlowId(bookCode, true));
    } else {
      rs->SetField(QStringLiteral("iNid"), 0);
      rs->SetField(QStringLiteral("dBill_date"), today);
      rs->SetField(QStringLiteral("idoc"), 0);
      rs->SetField(QStringLiteral("nd_s"), 0);
      rs->SetField(QStringLiteral("nc_s"), 0);
      rs->SetField(QStringLiteral("nfrat"), 0);
    }
    rs->SetField(QStringLiteral("mc"), Money());
    rs->SetField(QStringLiteral("md_f"), Money());
    rs->SetField(QStringLiteral("mc_f"), Money());
  } else {
    rs->Edit();
  }
  rs->SetField(QStringLiteral("md"), amount);
  rs->Update();
  rs->Close();
}

void RefuseUnreadableLineDates(const QString& code) {
  DbConnection& db = Session::Current().Db();
  RefuseUnreadableDates(db, StatementTable(), QStringLiteral("ddate"), StatementKey() + QStringLiteral(" = ?"), {code});
  RefuseUnreadableDates(db, JournalTable(), JournalDate(), JournalKey() + QStringLiteral(" = ?"), {code});
}

Money SumBankStatement(const QString& code, const QDate& startDate, bool bDebit, std::optional<bool> bDeleted,
                       int dateMode, std::optional<bool> bTicked, const QString& endDate) {
  SqlBuilder q(QStringLiteral("select sum(mmoney) as cal from %1 where %2 = ? and ibegin <>0")
                   .arg(StatementTable(), StatementKey()), code);
  // A debit line has bd_c 1; any other line, one without a direction included,
  // is a credit line, as the signed sums and every list read it.
  q.Add(bDebit ? QStringLiteral(" and bd_c=1") : QStringLiteral(" and (bd_c<>1 or bd_c is null)"));
  AddDeleted(q, bDeleted);
  if (dateMode == 1) q.Add(QStringLiteral(" and ddate < ?"), startDate);
  if (dateMode == 2) q.Add(QStringLiteral(" and ddate >= ?"), startDate);
  if (bTicked) q.Add(*bTicked ? QStringLiteral(" and iflag <>0") : QStringLiteral(" and (iflag =0 or iflag is null)"));
  if (!endDate.trimmed().isEmpty()) q.Add(QStringLiteral(" and ddate <= ?"), ParseEndDate(endDate));
  return SumOf(q);
}

Money SumJournal(const QString& code, const QDate& startDate, bool bDebit, bool bForeign,
                 std::optional<bool> bDeleted, int dateMode, std::optional<bool> bTicked, const QString& endDate) {
  const QString column = bForeign ? (bDebit ? QStringLiteral("md_f") : QStringLiteral("mc_f"))
                                  : (bDebit ? QStringLiteral("md") : QStringLiteral("mc"));
  SqlBuilder q(QStringLiteral("select sum(%1) as cal from %2 where ibook=1 and %3 = ?")
                   .arg(column, JournalTable(), JournalKey()), code);
  q.Add(JournalBase());
  AddDeleted(q, bDeleted);
  if (dateMode == 1) q.Add(QStringLiteral(" and %1 < ? and iperiod <> 20").arg(JournalDate()), startDate);
  if (dateMode == 2)
    q.Add(QStringLiteral(" and %1 >= ? and (iperiod <> 21 and iperiod <>20)").arg(JournalDate()), startDate);
  if (bTicked)
    q.Add(*bTicked ? QStringLiteral(" and iflagbank <>0") : QStringLiteral(" and (iflagbank =0 or iflagbank is null)"));
  if (!endDate.trimmed().isEmpty()) q.Add(QStringLiteral(" and %1 <= ?").arg(JournalDate()), ParseEndDate(endDate));
  return SumOf(q);
}

Money SumBankSigned(const QString& code, const QDate& startDate, const QString& endDate,
                    std::optional<bool> bDeleted, int dateMode) {
  SqlBuilder q(QStringLiteral("select sum(case when bd_c=1 then mmoney else -mmoney end) as cal from %1 "
                              "where %2 = ? and ibegin <>0").arg(StatementTable(), StatementKey()), code);
  AddDeleted(q, bDeleted);
  if (dateMode == 1) q.Add(QStringLiteral(" and ddate < ?"), startDate);
  if (dateMode == 2) q.Add(QStringLiteral(" and ddate >= ?"), startDate);
  if (!endDate.trimmed().isEmpty()) q.Add(QStringLiteral(" and ddate <= ?"), ParseEndDate(endDate));
  return SumOf(q);
}

Money SumJournalSigned(const QString& code, const QDate& startDate, const QString& endDate, bool bForeign,
                       std::optional<bool> bDeleted, int dateMode) {
  const QString amount = bForeign ? QStringLiteral("md_f-mc_f") : QStringLiteral("md-mc");
  SqlBuilder q(QStringLiteral("select sum(%1) as cal from %2 where ibook=1 and %3 = ?")
                   .arg(amount, JournalTable(), JournalKey()), code);
  q.Add(JournalBase());
  AddDeleted(q, bDeleted);
  if (dateMode == 1) q.Add(QStringLiteral(" and %1 < ? and iperiod = 21").arg(JournalDate()), startDate);
  if (dateMode == 2) q.Add(QStringLiteral(" and %1 >= ? and iperiod <> 21").arg(JournalDate()), startDate);
  if (!endDate.trimmed().isEmpty()) q.Add(QStringLiteral(" and %1 <= ?").arg(JournalDate()), ParseEndDate(endDate));
  return SumOf(q);
}

}  // namespace corvane::shared
