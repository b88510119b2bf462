// Every list and entry grid of the seven functions, the opening-item windows and
// the detailed statement among them, as the host opens them over the demo data in
// both languages and both modes: each date, amount and code the grids show, and
// the largest amount a line may carry in every amount column, fits its column.
#include "choose_whole_range.h"
#include "balance/frm_yetjb.h"
#include "balance/frm_yetjb1.h"
#include "host/menu_dispatcher.h"
#include "opening/frm_yhdzqc.h"
#include "platform/controls/entry_grid.h"
#include "platform/controls/grid_base.h"
#include "platform/controls/split_grid.h"
#include "platform/db/money.h"
#include "query/frm_yhcqwdtj.h"
#include "shared/frm_yhkmxz.h"
#include "shared/session.h"
#include "support/query_windows.h"
#include "support/suite_session.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QRegularExpression>
#include <QStyle>
#include <QTableView>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>

namespace corvane::host {
namespace {

using shared::Session;

enum class Kind { Date, Amount, Code };

// What a cell holds, told by its text: a date, an amount or a code (letters and
// digits only, as settlement numbers, flow numbers and account codes are). Texts,
// names and voucher words are not measured: they may be cut.
std::optional<Kind> KindOf(const QString& text) {
  static const QRegularExpression date(QStringLiteral("^\\d{4}[.\\-/]\\d{2}[.\\-/]\\d{2}$"));
  static const QRegularExpression amount(QStringLiteral("^-?\\d{1,3}(,\\d{3})*\\.\\d{2}$"));
  static const QRegularExpression code(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9_-]*$"));
  if (date.match(text).hasMatch()) return Kind::Date;
  if (amount.match(text).hasMatch()) return Kind::Amount;
  if (code.match(text).hasMatch()) return Kind::Code;
  return std::nullopt;
}

// Measures the grids of every window it is shown.
class GridFit {
 public:
  void Window(QWidget* w) {
    for (platform::GridBase* g : w->findChildren<platform::GridBase*>()) Grid(g);
    for (platform::SplitGrid* g : w->findChildren<platform::SplitGrid*>()) Split(g);
  }

  QStringList faults;
  std::set<QString> grids;                  // window.grid, for each grid with a measured cell
  std::map<Kind, int> measured;             // cells measured, by kind

 private:
  void Grid(platform::GridBase* g) {
    auto* entry = qobject_cast<platform::EntryGrid*>(g);
    for (int c = 0; c < g->Cols(); ++c) {
      if (g->View()->isColumnHidden(c)) continue;
      QStringList texts;
      for (int r = 1; r < g->Rows(); ++r)
        if (!g->IsRowHidden(r)) texts << g->TextMatrix(r, c);
      const bool amounts = g->Model()->ColType(c).kind == platform::CellKind::Amount ||
                           (entry && entry->ColumnEditorOf(c).kind == platform::ColumnKind::Amount);
      Column(g->View(), c, texts, amounts, Name(g));
    }
  }

  void Split(platform::SplitGrid* g) {
    for (int c = 0; c < g->Cols(); ++c) {
      if (g->Body()->isColumnHidden(c)) continue;
      QStringList texts;
      for (int r = g->FixedRows(); r < g->Rows(); ++r) texts << g->TextMatrix(r, c);
      Column(g->Body(), c, texts, g->IsAmountColumn(c), Name(g));
    }
  }

  static QString Name(const QWidget* g) { return g->window()->objectName() + QLatin1Char('.') + g->objectName(); }

  // A cell's text has the column's width less the grid line and the margins the
  // view's style keeps on either side of an item's text.
  void Column(QTableView* view, int col, QStringList texts, bool amountColumn, const QString& where) {
    const QFontMetrics metrics(view->font());
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const int room = view->columnWidth(col) - (view->showGrid() ? 1 : 0) - 2 * margin;
    bool anyAmount = amountColumn;
    for (const QString& t : texts) anyAmount = anyAmount || KindOf(t.trimmed()) == Kind::Amount;
    if (anyAmount) texts << platform::Money::LineMax().ToDisplayText();
    for (const QString& text : texts) {
      const std::optional<Kind> kind = KindOf(text.trimmed());
      if (!kind) continue;
      ++measured[*kind];
      grids.insert(where);
      const int needs = metrics.horizontalAdvance(text.trimmed());
      if (needs > room)
        faults << QStringLiteral("%1 column %2: \"%3\" needs %4 px, has %5").arg(where).arg(col).arg(text).arg(needs).arg(room);
    }
  }
};

// Answers each dialog as a user would so the function goes on, measuring the grids
// of the windows shown modally (the opening set-up and its item windows) while
// they are up.
testing::ScriptedModals::Step Answer(GridFit& fit, testing::ScriptedModals& modals) {
  return [&fit, &modals](QDialog& d) {
    if (auto* choose = dynamic_cast<shared::frmYHKMXZ*>(&d)) {
      testing::ChooseFirstForTheWholeRange(*choose);
    } else if (dynamic_cast<query::frmYHCQWDTJ*>(&d)) {
      testing::AuditConditions(QStringLiteral("2026.12.31"), QStringLiteral("30"))(d);
    } else if (auto* opening = dynamic_cast<opening::frmYHDZQC*>(&d)) {
      modals.Then(Answer(fit, modals));
      opening->Command1_Click();
      modals.Then(Answer(fit, modals));
      opening->Command2_Click();
      opening->Command6_Click();
      fit.Window(&d);
    } else if (auto* view = dynamic_cast<balance::frmYETJB1*>(&d)) {
      view->ShowDetailStatement();
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != &d) fit.Window(w);
    } else {
      fit.Window(&d);
    }
  };
}

struct Case {
  bool book;
  const char* language;
};

class GridWidths : public ::testing::TestWithParam<Case> {};

TEST_P(GridWidths, DatesAmountsAndCodesShowWhole) {
  testing::SuiteSession session(GetParam().book, QDate(2026, 12, 15), QString::fromLatin1(GetParam().language));
  GridFit fit;
  for (const char* menu : {"RP0303", "RP0304", "RP0305", "RP0306", "RP0307", "RP0308", "RP0309"}) {
    SCOPED_TRACE(menu);
    session.Modals().Then(Answer(fit, session.Modals()));
    if (QLatin1String(menu) == QLatin1String("RP0303")) session.Modals().Then(Answer(fit, session.Modals()));
    ExecuteMenu(QString::fromLatin1(menu), {}, {}, {});
    if (auto* balance = Session::Current().windows.Find<balance::frmYETJB>()) {
      session.Modals().Then(Answer(fit, session.Modals()));
      balance->rView3();
    }
    QApplication::processEvents();
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
      fit.Window(w);
      w->close();
    }
    QApplication::processEvents();
  }
  EXPECT_TRUE(fit.faults.isEmpty()) << fit.faults.join(QLatin1Char('\n')).toStdString();
  // The walk reached the grids it is about, and found cells of each kind in them.
  const QStringList grids(fit.grids.begin(), fit.grids.end());
  for (const char* grid : {"frmYHFQC", "frmQYFQC", "frmYHDZD", "frmYHDZ", "frmYETJB", "frmYHDZCX1", "frmYHDZCX",
                           "frmYHCQWD"})
    EXPECT_FALSE(grids.filter(QRegularExpression(QStringLiteral("^%1\\.").arg(QLatin1String(grid)))).isEmpty())
        << grid << " in " << grids.join(QLatin1Char(' ')).toStdString();
  EXPECT_GT(fit.measured[Kind::Date], 0);
  EXPECT_GT(fit.measured[Kind::Amount], 0);
  EXPECT_GT(fit.measured[Kind::Code], 0);
}

INSTANTIATE_TEST_SUITE_P(Host, GridWidths,
                         ::testing::Values(Case{false, "zh-CN"}, Case{false, "en-US"}, Case{true, "zh-CN"},
                                           Case{true, "en-US"}),
                         [](const auto& info) {
                           return std::string(info.param.book ? "book_" : "account_") +
                                  (info.param.language[0] == 'z' ? "Chinese" : "English");
                         });

}  // namespace
}  // namespace corvane::host
