#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace corvane::opening {

// The right-click menu "mnuRight" of one opening window: the window's own items
// in its own order, separators included, every item always shown and enabled,
// each running one procedure of the window. The items carry the names under
// which the window's resource texts caption them, so the window's LocalizeForm
// gives them the session's language; the captions given here are the design's.
class OpeningMenu : public QObject {
  Q_OBJECT

 public:
  struct Item {
    QString name;     // the item's name; a separator's too
    QString caption;  // empty for a separator
    std::function<void()> run;
  };

  // Builds the menu on the window; build it before the window takes its captions.
  OpeningMenu(QWidget* window, const std::vector<Item>& items);

  QMenu* mnuRight() const { return menu_; }
  // Pops the menu up at a screen point (the pointer's) and, once it has closed,
  // runs the procedure of the item chosen; nothing when it was dismissed.
  void ShowAt(const QPoint& globalPos);

 private:
  QMenu* menu_;
  std::map<QAction*, std::function<void()>> procedures_;
};

}  // namespace corvane::opening
