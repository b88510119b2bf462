// Every window of the seven functions as an English user sees it, in both modes:
// no Chinese in what the program writes itself, no label cut off, and a picture
// on every toolbar button, the separators between groups only.
#include "balance/frm_yetjb.h"
#include "balance/frm_yetjb1.h"
#include "host/menu_dispatcher.h"
#include "opening/frm_yhdzqc.h"
#include "platform/controls/grid_base.h"
#include "platform/controls/toolbar_host.h"
#include "platform/services/cash_services.h"
#include "query/frm_yhcqwdtj.h"
#include "shared/frm_yhkmxz.h"
#include "shared/session.h"
#include "support/suite_session.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabBar>
#include <QTableWidget>
#include <QTextDocument>
#include <QToolBar>
#include <gtest/gtest.h>

#include <algorithm>

namespace corvane::host {
namespace {

using shared::Session;

// Collects what is wrong with the windows it is shown.
class TextWalk {
 public:
  explicit TextWalk(platform::DbConnection& db) {
    // Names come from the data, which is Chinese whatever the language.
    for (const char* sql : {"select ccode_name from code", "select cBookName from RP_Book", "select cexch_name from RP_Book"})
      db.ForEachRow(QString::fromLatin1(sql), {}, [this](const std::vector<platform::DbValue>& row) {
        if (!row[0].IsNull()) names_ << row[0].ToString().trimmed();
      });
    std::sort(names_.begin(), names_.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
  }

  // Where is null for a message box.
  void Text(const QWidget* where, const QString& what, QString text) {
    for (const QString& name : names_)
      if (!name.isEmpty()) text.remove(name);
    if (text.contains(QRegularExpression(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"))))
      faults << Where(where) + QLatin1Char(' ') + what + QStringLiteral(": ") + text;
  }

  void Window(QWidget* w) {
    Text(w, QStringLiteral("title"), w->windowTitle());
    for (QLabel* l : w->findChildren<QLabel*>()) {
      if (!l->isVisibleTo(w) || l->text().isEmpty() || Qt::mightBeRichText(l->text())) continue;
      Text(l, QStringLiteral("label"), l->text());
      const int needed = QFontMetrics(l->font()).horizontalAdvance(l->text());
      if (!l->wordWrap() && !l->text().contains(QLatin1Char('\n')) && needed > l->contentsRect().width() + 1)
        faults << Where(l) + QStringLiteral(" cut: ") + l->text() + QStringLiteral(" needs %1, has %2")
                                                              .arg(needed)
                                                              .arg(l->contentsRect().width());
    }
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
      if (b->isVisibleTo(w)) Text(b, QStringLiteral("button"), b->text() + b->toolTip());
    for (QGroupBox* g : w->findChildren<QGroupBox*>())
      if (g->isVisibleTo(w)) Text(g, QStringLiteral("frame"), g->title());
    for (QTabBar* t : w->findChildren<QTabBar*>())
      for (int i = 0; i < t->count(); ++i) Text(t, QStringLiteral("tab"), t->tabText(i));
    for (platform::GridBase* g : w->findChildren<platform::GridBase*>())
      for (int c = 0; c < g->Cols(); ++c)
        if (g->ColWidth(c) > 0) Text(g, QStringLiteral("column title"), g->TextMatrix(0, c));
    for (QTableWidget* t : w->findChildren<QTableWidget*>()) {
      if (!t->isVisibleTo(w)) continue;
      for (int r = 0; r < t->rowCount(); ++r)
        for (int c = 0; c < t->columnCount(); ++c) {
          const QTableWidgetItem* item = t->item(r, c);
          if (!item || item->text().isEmpty() || t->columnSpan(r, c) != 1) continue;
          Text(t, QStringLiteral("cell"), item->text());
          if (QFontMetrics(t->font()).horizontalAdvance(item->text()) + 6 > t->columnWidth(c))
            faults << Where(t) + QStringLiteral(" cut: ") + item->text();
        }
    }
    for (platform::ToolbarHost* t : w->findChildren<platform::ToolbarHost*>()) Toolbar(t);
  }

  QStringList faults;

 private:
  static QString Where(const QWidget* w) {
    return w ? w->window()->objectName() + QLatin1Char('.') + w->objectName() : QStringLiteral("message box");
  }

  void Toolbar(platform::ToolbarHost* t) {
    bool afterSeparator = true;  // none first
    for (QAction* a : t->ToolBar()->actions()) {
      if (!a->isVisible()) continue;
      if (a->isSeparator()) {
        if (afterSeparator) faults << Where(t) + QStringLiteral(" separator after a separator or first");
        afterSeparator = true;
        continue;
      }
      afterSeparator = false;
      Text(t, QStringLiteral("button"), a->text() + a->toolTip());
      if (a->icon().isNull()) faults << Where(t) + QStringLiteral(" button without a picture: ") + a->text();
    }
    if (afterSeparator && !t->ToolBar()->actions().isEmpty()) faults << Where(t) + QStringLiteral(" separator last");
  }

  QStringList names_;
};

// Walks each dialog as it comes up and answers it so the function goes on.
testing::ScriptedModals::Step Answer(TextWalk& walk, testing::ScriptedModals& modals) {
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
  TextWalk walk(session.Db());
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
