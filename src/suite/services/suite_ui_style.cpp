#include "suite/services/suite_ui_style.h"

#include <QAbstractItemView>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QMutex>
#include <QPalette>
#include <QTableView>
#include <QHeaderView>

namespace corvane::suite {

namespace {

QMutex g_traceMutex;
QString& TracePath() {
  static QString path;
  return path;
}

}  // namespace

void SuiteUiStyle::SetTraceFile(const QString& path) {
  QMutexLocker lock(&g_traceMutex);
  TracePath() = path;
}

QString SuiteUiStyle::TraceFile() {
  QMutexLocker lock(&g_traceMutex);
  return TracePath();
}

void SuiteUiStyle::WriteTrace(const QString& line) {
  QMutexLocker lock(&g_traceMutex);
  if (TracePath().isEmpty()) return;
  QFile f(TracePath());
  // A trace that cannot be written must never stop the program it traces.
  if (!f.open(QIODevice::Append | QIODevice::Text)) return;
  const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
  f.write((stamp + QLatin1Char(' ') + line + QLatin1Char('\n')).toUtf8());
}

void SuiteUiStyle::StyleForm(QWidget* window, bool) {
  if (!window) return;
  // Dialogs of the suite take the palette of the application, not of their parent.
  window->setAutoFillBackground(true);
}

void SuiteUiStyle::StyleHeaderLabel(QWidget* label) {
  if (!label) return;
  QFont f = label->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() > 0 ? f.pointSizeF() * 1.25 : 12.0);
  label->setFont(f);
  if (auto* l = qobject_cast<QLabel*>(label)) l->setAlignment(Qt::AlignCenter);
}

void SuiteUiStyle::StylePanel(QWidget* panel) {
  if (!panel) return;
  QPalette p = panel->palette();
  p.setColor(QPalette::Window, p.color(QPalette::Base));
  panel->setPalette(p);
  panel->setAutoFillBackground(true);
}

void SuiteUiStyle::StyleGrid(QWidget* grid, bool) {
  if (!grid) return;
  // The component's grids are widgets around their table view.
  auto* view = qobject_cast<QAbstractItemView*>(grid);
  if (!view) view = grid->findChild<QAbstractItemView*>(QString(), Qt::FindDirectChildrenOnly);
  if (!view) return;
  view->setAlternatingRowColors(true);
  if (auto* table = qobject_cast<QTableView*>(view)) table->horizontalHeader()->setHighlightSections(false);
}

}  // namespace corvane::suite
