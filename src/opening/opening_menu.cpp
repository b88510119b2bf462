#include "opening/opening_menu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace corvane::opening {

OpeningMenu::OpeningMenu(QWidget* window, const std::vector<Item>& items) : QObject(window), menu_(new QMenu(window)) {
  menu_->setObjectName(QStringLiteral("mnuRight"));
  menu_->setTitle(QStringLiteral("右键菜单"));
  for (const Item& item : items) {
    // A child of the menu, which the window's captions reach by the item's name.
    QAction* action = item.caption.isEmpty() ? menu_->addSeparator() : menu_->addAction(item.caption);
    action->setObjectName(item.name);
    if (item.run) procedures_[action] = item.run;
  }
}

void OpeningMenu::ShowAt(const QPoint& globalPos) {
  QAction* chosen = menu_->exec(globalPos);
  const auto it = procedures_.find(chosen);
  if (it != procedures_.end()) it->second();
}

}  // namespace corvane::opening
