#pragma once

#include "host/menu_dispatcher.h"
#include "host/open_bank_statement.h"
#include "platform/controls/entry_grid.h"
#include "platform/controls/toolbar_host.h"
#include "platform/db/db_connection.h"
#include "platform/services/common_services.h"
#include "shared/frm_yhfilter.h"
#include "shared/frm_yhkmxz.h"
#include "shared/function_claim.h"
#include "shared/help_page.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "statement/frm_yhdzd.h"
#include "suite/services/suite_settings.h"
#include "support/scripted_print.h"
#include "support/suite_session.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QLineEdit>
#include <QKeyEvent>
#include <QTest>
#include <QCoreApplication>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace corvane::statement {

using platform::Money;

// A whole session on the demo data, with account 100204 (book YH004 in book
// mode) emptied and given the lines a test needs: start date 2026-07-01, bank
// opening balance 1,000.00. The selection chooses the whole year 2026, so lines
// of 2025 are before the first shown period.
class StatementTest : public ::testing::TestWithParam<bool> {
 protected:
  StatementTest() : session_(GetParam()) {
    Exec("delete from " + Table() + " where " + KeyColumn() + "=? and ibegin<>0", {Key()});
    Exec("update " + Table() + " set mmoney=? where " + KeyColumn() + "=? and ibegin=0",
         {platform::Money::FromCents(100000), Key()});
    if (Count("select count(*) from " + Table() + " where ibegin=0 and " + KeyColumn() + "=?", {Key()}) == 0)
      Exec("insert into " + Table() + " (ccode, cBookCode, ddate, mmoney, bd_c, ibegin, bdelete, mbalance) "
           "values (?,?,?,?,1,0,0,?)",
           {QStringLiteral("100204"), Book() ? platform::DbValue(Key()) : platform::DbValue(),
            QDate(2026, 1, 1), platform::Money::FromCents(100000), platform::Money()});
    Exec("update code set dbegin=? where ccode='100204'", {QDate(2026, 7, 1)});
    Exec("update RP_Book set dBeginDate=?, bCloseFlag=0 where cBookCode='YH004'", {QDate(2026, 7, 1)});
    SetDirection(true);
  }

  bool Book() const { return GetParam(); }
  QString Key() const { return Book() ? QStringLiteral("YH004") : QStringLiteral("100204"); }
  QString Table() const { return Book() ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp"); }
  QString KeyColumn() const { return Book() ? QStringLiteral("cBookCode") : QStringLiteral("ccode"); }
  platform::DbConnection& Db() { return session_.Db(); }

  void Exec(const QString& sql, const platform::DbParams& params = {}) { Db().Execute(sql, params); }
  long long Count(const QString& sql, const platform::DbParams& params = {}) { return Db().QueryValue(sql, params).ToInt(); }

  void SetDirection(bool debit) {
    Exec("update code set bd_c=? where ccode='100204'", {debit ? 1 : 0});
    Exec("update RP_Book set bd_c=? where cBookCode='YH004'", {debit ? 1 : 0});
  }

  // The statement lines (not the opening row) of the account or book.
  long long Lines() {
    return Count("select count(*) from " + Table() + " where " + KeyColumn() + "=? and ibegin=2", {Key()});
  }

  // A statement line of the account (or book); returns its id.
  qint64 AddLine(const QDate& date, bool debit, double amount, int tick = 0, const QString& number = QString()) {
    const platform::ResultSet r = Db().Query(
        "insert into " + Table() + " (ccode, cBookCode, ddate, cn_id, bd_c, mmoney, mbalance, ibegin, bdelete, iflag) "
        "values (?,?,?,?,?,?,?,2,0,?) returning i_id",
        {QStringLiteral("100204"), Book() ? platform::DbValue(Key()) : platform::DbValue(), date,
         number.isEmpty() ? platform::DbValue() : platform::DbValue(number), debit ? 1 : 0,
         platform::Money::FromDouble(amount), platform::Money(), tick ? platform::DbValue(tick) : platform::DbValue()});
    return r.rows[0][0].ToInt();
  }

  // The account (or book; the test's own when empty) chosen for the whole year.
  testing::ScriptedModals::Step Choose(QString key = QString()) {
    if (key.isEmpty()) key = Key();
    return [key](QDialog& d) {
      auto& dialog = dynamic_cast<shared::frmYHKMXZ&>(d);
      const bool book = shared::Session::Current().BookMode();
      QComboBox* list = book ? dialog.cmbBook() : dialog.Combo1();
      for (int i = 0; i < list->count(); ++i) {
        const QString itemCode = book ? dialog.cmbBookCode()->itemText(i) : list->itemData(i).toString();
        if (itemCode.compare(key, Qt::CaseInsensitive) == 0) list->setCurrentIndex(i);
      }
      QComboBox* start = book ? dialog.cmbStartDate() : dialog.Combo2();
      QComboBox* end = book ? dialog.cmbEndDate() : dialog.Combo3();
      start->setCurrentIndex(1);  // the first period; the entry before it bounds nothing
      end->setCurrentIndex(end->count() - 1);
      dialog.Command1_Click();
    };
  }

  frmYHDZD* Open() {
    session_.Modals().Then(Choose());
    host::ExecuteMenu(QStringLiteral("RP0304"), {}, {}, {});
    frmYHDZD* w = shared::Session::Current().windows.Find<frmYHDZD>();
    if (w) w->resize(900, 500);
    return w;
  }

  // Whether a second login could lock the account for the function now.
  bool OtherSessionCanLock(const QString& code, const QString& functionId = QStringLiteral("GL040702")) {
    return session_.OtherSessionCanLock(code, functionId);
  }

  // The prompts of the message boxes shown since the last Clear().
  QStringList Prompts() {
    QStringList prompts;
    for (const auto& m : session_.Messages().Shown()) prompts << m.prompt;
    return prompts;
  }

  QStringList Column(frmYHDZD* w, int col) {
    QStringList texts;
    for (int r = 1; r < w->MsGrid1()->Rows(); ++r) texts << w->MsGrid1()->TextMatrix(r, col);
    return texts;
  }

  // Types a text into a cell and keeps it as Enter would; false when refused.
  // With `keys`, ASCII text goes in key by key, so the window sees each key.
  static bool Type(platform::EntryGrid* grid, int row, int col, const QString& text, bool keys = false) {
    if (!grid->StartEdit(row, col)) return false;
    auto* line = qobject_cast<QLineEdit*>(grid->ActiveEditor());
    if (auto* list = qobject_cast<QComboBox*>(grid->ActiveEditor())) line = list->lineEdit();
    if (!line) return false;
    if (keys) {
      line->selectAll();
      QTest::keyClicks(line, text);
    } else {
      line->setText(text);
    }
    return grid->CommitEdit();
  }

  // Closes the window as the user would and lets its deletion happen.
  static void CloseWindow(QWidget* w) {
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  testing::SuiteSession session_;
};

inline std::string ModeName(const ::testing::TestParamInfo<bool>& i) { return i.param ? "book" : "account"; }

}  // namespace corvane::statement
