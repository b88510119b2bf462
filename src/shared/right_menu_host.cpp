#include "shared/right_menu_host.h"

#include "shared/messages.h"
#include "shared/right_menu_catalogue.h"

#include <QAction>
#include <QMenu>
#include <QMetaObject>
#include <QWidget>
#include <QtDebug>

namespace corvane::shared {

namespace {

RightMenuHost::Chooser& InstalledChooser() {
  static RightMenuHost::Chooser chooser;
  return chooser;
}

const QString kHostName = QStringLiteral("RightMenuHost");

}  // namespace

RightMenuHost& RightMenuHost::For(QWidget* window) {
  auto* host = window->findChild<RightMenuHost*>(kHostName, Qt::FindDirectChildrenOnly);
  return host ? *host : *new RightMenuHost(window);
}

void RightMenuHost::InstallChooser(Chooser chooser) { InstalledChooser() = std::move(chooser); }

RightMenuHost::RightMenuHost(QWidget* window) : QObject(window), menu_(new QMenu(window)) {
  setObjectName(kHostName);
  menu_->setObjectName(QStringLiteral("mnuRight"));
  // The actions belong to the host, not the menu, so that rearranging the menu
  // (which clears it) keeps them and their states.
  for (const RightMenuItem& item : RightMenuCatalogue()) {
    auto* action = new QAction(this);
    action->setObjectName(item.name);
    if (item.IsSeparator()) action->setSeparator(true);
    else action->setText(GetResString(RightMenuCaptionKey(item)));
    action->setVisible(false);
    items_[item.name] = action;
  }
  Arrange({});
}

QAction* RightMenuHost::Item(const QString& name) const {
  const auto it = items_.find(name);
  return it == items_.end() ? nullptr : it->second;
}

void RightMenuHost::SetVisible(const QString& name, bool visible) {
  if (QAction* a = Item(name)) a->setVisible(visible);
}

bool RightMenuHost::IsVisible(const QString& name) const {
  const QAction* a = Item(name);
  return a && a->isVisible();
}

void RightMenuHost::SetEnabled(const QString& name, bool enabled) {
  if (QAction* a = Item(name)) a->setEnabled(enabled);
}

bool RightMenuHost::IsEnabled(const QString& name) const {
  const QAction* a = Item(name);
  return a && a->isEnabled();
}

void RightMenuHost::Arrange(const QStringList& names) {
  if (names == order_ && !menu_->actions().isEmpty()) return;
  order_ = names;
  menu_->clear();
  for (const QString& name : names)
    if (QAction* a = Item(name)) menu_->addAction(a);
  for (const RightMenuItem& item : RightMenuCatalogue())
    if (!names.contains(item.name)) menu_->addAction(Item(item.name));
}

QString RightMenuHost::ShowPopupMenu(const QPoint& globalPos) {
  const Chooser& chooser = InstalledChooser();
  QAction* chosen = chooser ? chooser(*menu_, globalPos) : menu_->exec(globalPos);
  return RunItem(chosen);
}

// Only an item the menu offered can run: a stale or hidden choice does nothing.
QString RightMenuHost::RunItem(QAction* chosen) {
  if (!chosen || chosen->parent() != this || chosen->isSeparator() || !chosen->isVisible() || !chosen->isEnabled())
    return QString();
  const QString name = chosen->objectName();
  if (!frmP) return QString();
  const QByteArray method = name.toLatin1();
  if (!QMetaObject::invokeMethod(frmP.data(), method.constData(), Qt::DirectConnection)) {
    qWarning("The window %s offers no procedure %s", qPrintable(frmP->objectName()), method.constData());
    return QString();
  }
  return name;
}

}  // namespace corvane::shared
