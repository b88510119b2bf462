#include "support/query_windows.h"

#include "host/menu_dispatcher.h"
#include "query/frm_yhcqwd.h"
#include "query/frm_yhcqwdtj.h"
#include "query/frm_yhdzcx.h"
#include "shared/frm_yhfilter.h"
#include "shared/frm_yhkmxz.h"
#include "shared/session.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace corvane::testing {

using shared::Session;

ScriptedModals::Step ChooseEntry(const QString& code, int showMode) {
  return [code, showMode](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHKMXZ&>(d);
    QComboBox* list = Session::Current().BookMode() ? dialog.cmbBook() : dialog.Combo1();
    for (int i = 0; i < list->count(); ++i)
      if (list->itemData(i).toString().compare(code, Qt::CaseInsensitive) == 0) list->setCurrentIndex(i);
    dialog.Option1(showMode)->setChecked(true);
    dialog.Command1_Click();
  };
}

ScriptedModals::Step AuditConditions(const QString& date, const QString& days) {
  return [date, days](QDialog& d) {
    auto& dialog = dynamic_cast<query::frmYHCQWDTJ&>(d);
    dialog.Text1()->setText(date);
    dialog.Text2()->setText(days);
    dialog.Command1_Click();
  };
}

ScriptedModals::Step FilterBy(const QString& number, int direction) {
  return [number, direction](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHFilter&>(d);
    dialog.Text3()->setText(number);
    dialog.Option1(direction)->setChecked(true);
    dialog.Command1_Click();
  };
}

query::frmYHDZCX* QueryWindows::OpenQuery(const QString& code, int showMode) {
  session_.Modals().Then(ChooseEntry(code, showMode));
  host::ExecuteMenu(QStringLiteral("RP0307"), {}, {}, {});
  return Session::Current().windows.Find<query::frmYHDZCX>();
}

query::frmYHCQWD* QueryWindows::OpenAudit(const QString& date, const QString& days) {
  session_.Modals().Then(AuditConditions(date, days));
  host::ExecuteMenu(QStringLiteral("RP0309"), {}, {}, {});
  return Session::Current().windows.Find<query::frmYHCQWD>();
}

long long QueryWindows::Claims() {
  return session_.Db().QueryValue(QStringLiteral("select count(*) from corvane_claim")).ToInt();
}

bool QueryWindows::OtherSessionCanLock(const QString& code) {
  ScriptedMessages quiet;
  return session_.OtherSessionCanLock(code, QStringLiteral("GL040703"));
}

void QueryWindows::Close(QWidget* w) {
  w->close();
  QApplication::processEvents();
}

void QueryWindows::ExpectHeldOnceUntilClosed(query::TwoGridWindow* w, const char* menu,
                                             const char* accountModeFunction) {
  EXPECT_EQ(w->HeldFunction(), QString::fromLatin1(bookMode_ ? menu : accountModeFunction));
  EXPECT_EQ(Claims(), 1);
  const int shown = session_.Modals().Count();
  host::ExecuteMenu(QString::fromLatin1(menu), {}, {}, {});
  EXPECT_EQ(session_.Modals().Count(), shown);
  EXPECT_EQ(Claims(), 1);
  Close(w);
  EXPECT_EQ(Claims(), 0);
}

}  // namespace corvane::testing
