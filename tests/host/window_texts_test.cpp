// Every window of the seven functions as an English user sees it, in both modes:
// no Chinese in what the program writes itself, no label cut off, and a picture
// on every toolbar button, the separators between groups only.
#include "balance/frm_yetjb.h"
#include "balance/frm_yetjb1.h"
#include "host/menu_dispatcher.h"
#include "opening/frm_yhdzqc.h"
#include "platform/controls/toolbar_host.h"
#include "platform/services/cash_services.h"
#include "query/frm_yhcqwdtj.h"
#include "shared/frm_yhkmxz.h"
#include "shared/session.h"
#include "support/host_text_walk.h"
#include "support/suite_session.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>


namespace corvane::host {
namespace {

using shared::Session;

// Walks each dialog as it comes up and answers it so the function goes on.
testing::ScriptedModals::Step Answer(testing::TextWalk& walk, testing::ScriptedModals& modals) {
  return [&walk, &modals](QDialog& d) {
    walk.Window(&d);
    if (auto* choose = dynamic_cast<shared::frmYHKMXZ*>(&d)) {
      const bool book = Session::Current().BookMode();
      QComboBox* start = book ? choose->cmbStartDate() : choose->Combo2();
      QComboBox* end = book ? choose->cmbEndDate() : choose->Combo3();
      QComboBox* list = book ? choose->cmbBook() : choose->Combo1();
      if (list->currentIndex() < 0 && list->count() > 0) list->setCurrentIndex(0);
      if (start->isVisibleTo(choose) && start->count() > 0) start->setCurrentIndex(0);
      if (end->isVisibleTo(choose) && end->count() > 0) end->setCurrentIndex(end->count() - 1);
      choose->Command1_Click();
    } else if (auto* audit = dynamic_cast<query::frmYHCQWDTJ*>(&d)) {
      audit->Text1()->setText(QStringLiteral("2026.12.31"));
      audit->Text2()->setText(QStringLiteral("30"));
      audit->Command1_Click();
    } else if (auto* opening = dynamic_cast<opening::frmYHDZQC*>(&d)) {
      // Its two item windows, then the summary with its figures.
      modals.Then(Answer(walk, modals));
      opening->Command1_Click();
      modals.Then(Answer(walk, modals));
      opening->Command2_Click();
      opening->Command6_Click();
      walk.Window(&d);
    } else if (auto* view = dynamic_cast<balance::frmYETJB1*>(&d)) {
      view->ShowDetailStatement();
    }
  };
}

class EnglishWindows : public ::testing::TestWithParam<bool> {};

TEST_P(EnglishWindows, ShowNoChineseNoCutLabelAndPicturesOnEveryButton) {
  testing::SuiteSession session(GetParam(), QDate(2026, 12, 15), QStringLiteral("en-US"));
  testing::TextWalk walk(session.Db());
  walk.Text(nullptr, QStringLiteral("message title"), Session::Current().Cash().GetMessageTitle());
  for (const char* menu : {"RP0303", "RP0304", "RP0305", "RP0306", "RP0307", "RP0308", "RP0309"}) {
    SCOPED_TRACE(menu);
    session.Modals().Then(Answer(walk, session.Modals()));
    // The opening set-up is itself a modal window after its selection.
    if (QLatin1String(menu) == QLatin1String("RP0303")) session.Modals().Then(Answer(walk, session.Modals()));
    ExecuteMenu(QString::fromLatin1(menu), {}, {}, {});
    if (auto* balance = Session::Current().windows.Find<balance::frmYETJB>()) {
      session.Modals().Then(Answer(walk, session.Modals()));
      balance->rView3();
    }
    QApplication::processEvents();
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
      walk.Window(w);
      // The page set-up its toolbar offers.
      auto* toolbar = w->findChild<platform::ToolbarHost*>();
      if (toolbar && toolbar->IsButtonVisible(QStringLiteral("setup"))) {
        session.Modals().Then(Answer(walk, session.Modals()));
        toolbar->Click(QStringLiteral("setup"));
      }
      w->close();
    }
    QApplication::processEvents();
  }
  for (const platform::MessageRequest& m : session.Messages().Shown())
    walk.Text(nullptr, QStringLiteral("message"), m.title + m.prompt);
  EXPECT_TRUE(walk.faults.isEmpty()) << walk.faults.join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Host, EnglishWindows, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

}  // namespace
}  // namespace corvane::host
