#pragma once

#include "host/menu_dispatcher.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/toolbar_host.h"
#include "platform/services/object_factory.h"
#include "reconcile/frm_yh_un_auto.h"
#include "reconcile/frm_yhdz_auto.h"
#include "reconcile/frm_yhdz.h"
#include "reconcile/tick_mark.h"
#include "shared/frm_yhfilter.h"
#include "shared/frm_yhkmxz.h"
#include "shared/session.h"
#include "suite/services/suite_login_context.h"
#include "support/suite_session.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QComboBox>
#include <QDir>
#include <gtest/gtest.h>
#include <memory>

namespace corvane::reconcile::test {

using shared::Session;

// The selection dialog filled as a user would: the account (or book) whose code
// is given, the whole year, and whether ticked lines are shown too.
inline testing::ScriptedModals::Step Choose(const QString& code, bool includeTicked) {
  return [code, includeTicked](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHKMXZ&>(d);
    QComboBox* list = Session::Current().BookMode() ? dialog.cmbBook() : dialog.Combo1();
    const QComboBox* codes = Session::Current().BookMode() ? dialog.cmbBookCode() : nullptr;
    for (int i = 0; i < list->count(); ++i) {
      const QString itemCode = codes ? codes->itemText(i) : list->itemData(i).toString();
      if (itemCode.compare(code, Qt::CaseInsensitive) == 0) list->setCurrentIndex(i);
    }
    QComboBox* start = Session::Current().BookMode() ? dialog.cmbStartDate() : dialog.Combo2();
    QComboBox* end = Session::Current().BookMode() ? dialog.cmbEndDate() : dialog.Combo3();
    if (start->isVisible() && start->count() > 0) start->setCurrentIndex(0);
    if (end->isVisible() && end->count() > 0) end->setCurrentIndex(end->count() - 1);
    dialog.Check1()->setChecked(includeTicked);
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
  long long Count(const QString& sql, const platform::DbParams& params = {}) {
    return session_.Db().QueryValue(sql, params).ToInt();
  }
  // Whether another session could take the account now; the box its refusal
  // shows stays out of this session's messages.
  bool OtherSessionCanLock(const QString& code) {
    testing::ScriptedMessages quiet;
    return session_.OtherSessionCanLock(code, QStringLiteral("GL040703"));
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
