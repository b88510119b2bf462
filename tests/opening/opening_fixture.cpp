#include "opening_fixture.h"

#include "host/menu_dispatcher.h"
#include "shared/frm_yhkmxz.h"
#include "shared/messages.h"
#include "shared/session.h"

#include <QComboBox>
#include <QDir>

namespace corvane::opening::testing {

using platform::DbValue;
using platform::Money;

OpeningFixture::OpeningFixture(corvane::testing::SuiteSession& session, bool bookMode, bool debitDirection,
                               bool foreign, const QString& bookCode)
    : session_(session), bookMode_(bookMode), foreign_(foreign), bookCode_(bookCode) {
  journal_ = bookMode ? QStringLiteral("RP_Flow") : QStringLiteral("gl_accvouch");
  statement_ = bookMode ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp");
  keyColumn_ = bookMode ? QStringLiteral("cBookCode") : QStringLiteral("ccode");
  const QString currency = foreign ? QStringLiteral("美元") : QString();
  Db().Execute(QStringLiteral("insert into code (ccode, ccode_name, igrade, bd_c, be, bend, cexch_name, dbegin) "
                              "values (?, ?, 2, ?, 1, 1, ?, ?)"),
               {account_, QStringLiteral("测试银行"), debitDirection ? 1 : 0,
                currency.isEmpty() ? DbValue() : DbValue(currency), start_});
  Db().Execute(QStringLiteral("insert into RP_Book (cBookCode, cBookName, iBookType, ccode, cexch_name, dOpenDate, "
                              "bCloseFlag, dBeginDate, bd_c) values (?, ?, 2, ?, ?, ?, 0, ?, ?)"),
               {bookCode_, QStringLiteral("测试账簿"), account_, foreign ? currency : QStringLiteral("人民币"),
                QDate(2025, 1, 1), start_, debitDirection ? 1 : 0});
  // The two opening rows.
  Db().Execute(QStringLiteral("insert into %1 (ccode, cBookCode, ddate, bd_c, mmoney, ibegin) values (?, ?, ?, 1, ?, 0)")
                   .arg(statement_),
               {account_, bookMode ? DbValue(bookCode_) : DbValue(), start_, Money::FromCents(90000)});
  AddJournal(start_.addDays(-60), 20, 1000, 0);
  AddStatement(QDate(2026, 2, 10), 1, 150);
  AddStatement(QDate(2026, 2, 11), 1, 50, 3);
  AddStatement(QDate(2026, 2, 12), 0, 30, 0, 1);
  AddStatement(QDate(2026, 2, 13), 0, 20);
  AddStatement(start_, 1, 999);
  AddJournal(QDate(2026, 2, 5), 21, 30, 0);
  AddJournal(QDate(2026, 1, 20), 1, 0, 50);
  AddJournal(QDate(2026, 2, 28), 2, 0, 30, 5);
  AddJournal(start_, 3, 777, 0);
  if (!bookMode) AddJournal(QDate(2026, 2, 1), 2, 555, 0, 0, 0, 1);
}

OpeningTarget OpeningFixture::Target() const { return {account_, bookMode_ ? bookCode_ : QString(), bookMode_}; }

long long OpeningFixture::AddStatement(const QDate& d, const DbValue& bdC, double amount, int tick, int deleted) {
  return Db()
      .QueryValue(QStringLiteral("insert into %1 (ccode, cBookCode, ddate, bd_c, mmoney, iflag, bdelete, ibegin) "
                                 "values (?, ?, ?, ?, ?, ?, ?, 2) returning i_id")
                      .arg(statement_),
                  {account_, bookMode_ ? DbValue(bookCode_) : DbValue(), d, bdC, Money::FromDouble(amount),
                   tick ? DbValue(tick) : DbValue(), deleted})
      .ToInt();
}

QString OpeningFixture::AddJournal(const QDate& d, int period, double debit, double credit, int tick, int deleted,
                                   int voidFlag) {
  // Home amounts always; a foreign account also keeps a tenth of them in its own currency.
  const platform::DbParams amounts{Money::FromDouble(debit), Money::FromDouble(credit),
                         Money::FromDouble(foreign_ ? debit / 10 : 0), Money::FromDouble(foreign_ ? credit / 10 : 0)};
  platform::DbParams p{account_, d, period, tick ? DbValue(tick) : DbValue(), deleted};
  p.insert(p.end(), amounts.begin(), amounts.end());
  if (bookMode_) {
    const QString flow = QStringLiteral("%1%2").arg(bookCode_).arg(++flowNo_, 6, 10, QLatin1Char('0'));
    p.push_back(flow);
    p.push_back(bookCode_);
    Db().Execute(QStringLiteral("insert into RP_Flow (ccode, BillDate, iperiod, iflagbank, bdelete, md, mc, md_f, mc_f, "
                                "cFlowID, cBookCode, ibook, iBookType) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1, 2)"),
                 p);
    Db().Execute(QStringLiteral("update RP_Book set iLastFlowNo=? where cBookCode=?"), {flowNo_, bookCode_});
    return flow;
  }
  p.push_back(voidFlag ? DbValue(voidFlag) : DbValue());
  return Db()
      .QueryValue(QStringLiteral("insert into gl_accvouch (ccode, dbill_date, iperiod, iflagbank, bdelete, md, mc, md_f, "
                                 "mc_f, iflag, ibook, csign, isignseq, ino_id, inid) values (?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                 "?, 1, '记', 1, 1, 1) returning i_id"),
                  p)
      .ToString();
}

long long OpeningFixture::Count(const QString& table, const QString& where, const platform::DbParams& extra) {
  platform::DbParams p{Key()};
  p.insert(p.end(), extra.begin(), extra.end());
  return Db()
      .QueryValue(QStringLiteral("select count(*) from %1 where %2=? and %3").arg(table, keyColumn_, where), p)
      .ToInt();
}

corvane::testing::ScriptedModals::Step ChooseInDialog(const QString& key, bool confirm, QWidget** owner) {
  return [=](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHKMXZ&>(d);
    if (owner) *owner = dialog.parentWidget();
    const bool book = shared::Session::Current().BookMode();
    QComboBox* list = book ? dialog.cmbBook() : dialog.Combo1();
    for (int i = 0; i < list->count(); ++i) {
      const QString code = book ? dialog.cmbBookCode()->itemText(i) : list->itemData(i).toString();
      if (code.compare(key, Qt::CaseInsensitive) == 0) list->setCurrentIndex(i);
    }
    confirm ? dialog.Command1_Click() : dialog.Command2_Click();
  };
}

QString Cash(const char* number) {
  return shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(number));
}

void OpeningWindowTest::Open(const std::function<void(frmYHDZQC&)>& inside) {
  session_.Modals().Then(ChooseInDialog(fx_.Key()));
  bool ran = false;
  session_.Modals().Then([&](QDialog& d) {
    auto& w = dynamic_cast<frmYHDZQC&>(d);
    ran = true;
    inside(w);
    if (w.isVisible()) w.close();
  });
  host::ExecuteMenu(QStringLiteral("RP0303"), {}, {}, {});
  ASSERT_TRUE(ran) << "the set-up window did not open";
}

Money OpeningWindowTest::JournalOpening() {
  return fx_.Db()
      .QueryValue(QStringLiteral("select md from %1 where %2=? and iperiod=20").arg(fx_.JournalTable(), fx_.KeyColumn()),
                  {fx_.Key()})
      .ToMoney();
}

void OpeningWindowTest::Shot(QWidget& w, const QString& name) {
  const QString dir = qEnvironmentVariable("CORVANE_SCREENSHOT_DIR");
  if (!dir.isEmpty()) w.grab().save(QDir(dir).filePath(name));
}

}  // namespace corvane::opening::testing
