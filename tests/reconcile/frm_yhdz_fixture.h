#pragma once

#include "host/menu_dispatcher.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/toolbar_host.h"
#include "reconcile/frm_yh_un_auto.h"
#include "reconcile/frm_yhdz_auto.h"
#include "reconcile/frm_yhdz.h"
#include "reconcile/tick_mark.h"
#include "shared/frm_yhfilter.h"
#include "shared/frm_yhkmxz.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "support/suite_session.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>

namespace corvane::reconcile::test {

using shared::GetResString;
using shared::Session;
using Step = testing::ScriptedModals::Step;

// The selection dialog filled as a user would: the account (or book) whose code
// is given, the year from the given period on (0: the first entry, which bounds
// nothing), and whether ticked lines are shown too.
inline Step Choose(const QString& code, bool includeTicked, int firstPeriod = 1) {
  return [=](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHKMXZ&>(d);
    const bool books = Session::Current().BookMode();
    QComboBox* list = books ? dialog.cmbBook() : dialog.Combo1();
    for (int i = 0; i < list->count(); ++i) {
      const QString itemCode = books ? dialog.cmbBookCode()->itemText(i) : list->itemData(i).toString();
      if (itemCode.compare(code, Qt::CaseInsensitive) == 0) list->setCurrentIndex(i);
    }
    QComboBox* start = books ? dialog.cmbStartDate() : dialog.Combo2();
    QComboBox* end = books ? dialog.cmbEndDate() : dialog.Combo3();
    if (start->isVisible() && start->count() > 0) start->setCurrentIndex(firstPeriod);
    if (end->isVisible() && end->count() > 0) end->setCurrentIndex(end->count() - 1);
    dialog.Check1()->setChecked(includeTicked);
    dialog.Command1_Click();
  };
}

// The matching-conditions dialog confirmed with no cut-off and no date window.
inline Step MatchAll(bool sameNumber) {
  return [sameNumber](QDialog& d) {
    d.findChild<QLineEdit*>(QStringLiteral("Text1"))->clear();
    d.findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(false);
    d.findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(false);
    d.findChild<QCheckBox*>(QStringLiteral("Check3"))->setChecked(sameNumber);
    dynamic_cast<frmYHDZAuto&>(d).Command1_Click();
  };
}

// The cancel-range dialog: from the period (1 to 12), kinds 0 all, 1 automatic, 2 manual.
inline Step CancelFrom(int period, int kind) {
  return [period, kind](QDialog& d) {
    d.findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(period - 1);
    d.findChild<QComboBox*>(QStringLiteral("Combo2"))->setCurrentIndex(kind);
    dynamic_cast<frmYhUnAuto&>(d).Command1_Click();
  };
}

// The filter dialog confirmed with a tick kind (0 unmarked, 1 "○", 2 "Y"), a date
// range and, when asked, only the last style entry ("no settlement style").
inline Step FilterKind(int kind, bool onlyWithoutStyle = false, const QString& start = {}, const QString& end = {}) {
  return [=](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHFilter&>(d);
    dialog.SetFilterOff(false);
    dialog.cboType()->setCurrentIndex(kind);
    dialog.Text1()->setText(start);
    dialog.Text2()->setText(end);
    for (int i = 0; i < dialog.List1()->count(); ++i)
      dialog.List1()->item(i)->setSelected(onlyWithoutStyle && i == dialog.List1()->count() - 1);
    dialog.Command1_Click();
  };
}

// The reconciliation window opened through the menu over a whole session on the
// demo data, in account mode (false) and book mode (true).
class FrmYhdzTest : public ::testing::TestWithParam<bool> {
 protected:
  bool BookMode() const { return GetParam(); }
  QString Code() const { return BookMode() ? QStringLiteral("YH001") : QStringLiteral("100201"); }
  QString JournalTable() const { return BookMode() ? QStringLiteral("RP_Flow") : QStringLiteral("gl_accvouch"); }
  QString JournalKey() const { return BookMode() ? QStringLiteral("cFlowID") : QStringLiteral("i_id"); }
  QString StatementTable() const { return BookMode() ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp"); }

  frmYHDZ* Open(bool includeTicked = false) {
    session_.Modals().Then(Choose(Code(), includeTicked));
    host::ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
    return Session::Current().windows.Find<frmYHDZ>();
  }
  void Close(frmYHDZ* w) {
    w->close();
    QApplication::processEvents();
  }
  long long Count(const QString& sql, const platform::DbParams& params = {}) {
    return session_.Db().QueryValue(sql, params).ToInt();
  }
  long long ManualTicks() {
    return Count(QStringLiteral("select count(*) from %1 where iflagbank>=13").arg(JournalTable())) +
           Count(QStringLiteral("select count(*) from %1 where iflag>=13").arg(StatementTable()));
  }
  long long Ticks() {
    return Count(QStringLiteral("select count(*) from %1 where iflagbank>0").arg(JournalTable())) +
           Count(QStringLiteral("select count(*) from %1 where iflag>0").arg(StatementTable()));
  }
  // Sets the tick of statement lines behind the window's back: the first count
  // unticked lines of the account, or the lines of the given grid rows.
  void TickStatementLines(int value, int count) {
    session_.Db().Execute(QStringLiteral("update %1 set iflag=? where i_id in (select i_id from %1 where ccode='100201' "
                                         "and ibegin<>0 and iflag is null order by i_id limit %2)")
                              .arg(StatementTable())
                              .arg(count),
                          {value});
  }
  void TickStatementRows(frmYHDZ* w, int value, std::initializer_list<int> rows) {
    for (int r : rows)
      session_.Db().Execute(QStringLiteral("update %1 set iflag=? where i_id=?").arg(StatementTable()),
                            {value, w->MsGrid2()->RowData(r).toLongLong()});
  }
  static std::vector<QString> ShownMarks(platform::ListGrid* grid, int markColumn) {
    std::vector<QString> marks;
    for (int r = 1; r < grid->Rows(); ++r)
      if (!grid->IsRowHidden(r)) marks.push_back(grid->TextMatrix(r, markColumn));
    return marks;
  }
  // Whether another session could take the account now; the box its refusal
  // shows stays out of this session's messages.
  bool OtherSessionCanLock(const QString& code) {
    testing::ScriptedMessages quiet;
    return session_.OtherSessionCanLock(code, QStringLiteral("GL040703"));
  }
  // How a message names a line of the account (by its key): side, number and amount.
  QString NamedLine(bool statement, const platform::DbValue& key) {
    const QString sql = statement ? QStringLiteral("select i_id, '', mmoney from %1 where i_id=?").arg(StatementTable())
                        : BookMode() ? QStringLiteral("select cflowid, '', md + mc from RP_Flow where cflowid=?")
                                     : QStringLiteral("select ino_id, csign, md + mc from gl_accvouch where i_id=?");
    const auto l = session_.Db().Query(sql, {key}).rows.at(0);
    const QString n = l[0].ToString().rightJustified(statement ? 6 : 4, QLatin1Char('0'));
    const QString kind = statement ? QStringLiteral("statement") : BookMode() ? QStringLiteral("flow") : QStringLiteral("voucher");
    return GetResString(QStringLiteral("corvane.host.unreadable.%1line").arg(kind),
                        GetResString(QStringLiteral("corvane.host.unreadable.") + (BookMode() ? "book" : "account"), Code()),
                        statement || BookMode() ? n : l[1].ToString() + QStringLiteral(" - ") + n, l[2].ToMoney().ToDisplayText());
  }
  void SaveScreenshot(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("CORVANE_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    w.resize(1100, 640);
    QApplication::processEvents();
    w.grab().save(QDir(dir).filePath(name));
  }

  testing::SuiteSession session_{GetParam()};
};

}  // namespace corvane::reconcile::test
