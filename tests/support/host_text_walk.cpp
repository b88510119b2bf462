#include "support/host_text_walk.h"

#include "platform/controls/grid_base.h"
#include "platform/controls/toolbar_host.h"
#include "platform/db/db_connection.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTableWidget>
#include <QTextDocument>
#include <QToolBar>

#include <algorithm>

namespace corvane::testing {

namespace {

QString Where(const QWidget* w) {
  return w ? w->window()->objectName() + QLatin1Char('.') + w->objectName() : QStringLiteral("message box");
}

}  // namespace

TextWalk::TextWalk(platform::DbConnection& db) {
  // Names come from the data, which is Chinese whatever the language.
  for (const char* sql : {"select ccode_name from code", "select cBookName from RP_Book", "select cexch_name from RP_Book"})
    db.ForEachRow(QString::fromLatin1(sql), {}, [this](const std::vector<platform::DbValue>& row) {
      if (!row[0].IsNull()) names_ << row[0].ToString().trimmed();
    });
  std::sort(names_.begin(), names_.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
}

void TextWalk::Text(const QWidget* where, const QString& what, QString text) {
  for (const QString& name : names_)
    if (!name.isEmpty()) text.remove(name);
  if (text.contains(QRegularExpression(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"))))
    faults << Where(where) + QLatin1Char(' ') + what + QStringLiteral(": ") + text;
}

void TextWalk::Window(QWidget* w) {
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

void TextWalk::RightMenu(QWidget* w) {
  const auto read = [this, w] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    menus << w->objectName();
    for (QAction* a : menu->actions()) {
      if (!a->isVisible() || a->isSeparator()) continue;
      Text(w, QStringLiteral("right-click item"), a->text());
      if (a->text().isEmpty() || a->text().startsWith(QLatin1String("Q9.")))
        faults << Where(w) + QStringLiteral(" no text: ") + a->objectName();
    }
    menu->close();
  };
  // A menu that waits in a loop of its own is read from within that loop.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, read);
  poll.start(10);
  QWidget* grid = nullptr;
  for (platform::GridBase* g : w->findChildren<platform::GridBase*>())
    if (!grid && g->isVisible()) grid = g->View()->viewport();
  for (QWidget* target : {grid, w}) {
    if (!target) continue;
    const qsizetype before = menus.size();
    QTest::mouseClick(target, Qt::RightButton, {}, QPoint(5, 5));
    read();  // one that pops up and returns
    if (menus.size() > before) break;
  }
}

void TextWalk::Toolbar(platform::ToolbarHost* t) {
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

}  // namespace corvane::testing
