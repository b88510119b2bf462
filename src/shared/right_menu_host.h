#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>

class QAction;
class QMenu;
class QWidget;

namespace corvane::shared {

// Carries the right-click menu of one window: the menu "mnuRight" with one action
// per catalogue item (object name = item name), whose visible and enabled states
// are set by item name, and the window (frmP) whose procedure a chosen item runs.
// A window gets its host on first use, as a child object, so the menu lives and
// dies with the window.
class RightMenuHost : public QObject {
  Q_OBJECT

 public:
  // Pops the menu up at a screen point and gives the action chosen, nullptr when
  // the menu was dismissed. The default is QMenu::exec; tests install their own.
  using Chooser = std::function<QAction*(QMenu& menu, const QPoint& globalPos)>;

  // The window's host, made on first use.
  static RightMenuHost& For(QWidget* window);
  // Installs a chooser for every host; an empty one restores QMenu::exec.
  static void InstallChooser(Chooser chooser);

  QPointer<QWidget> frmP;

  QMenu& mnuRight() { return *menu_; }
  QAction* Item(const QString& name) const;
  void SetVisible(const QString& name, bool visible);
  bool IsVisible(const QString& name) const;
  void SetEnabled(const QString& name, bool enabled);
  bool IsEnabled(const QString& name) const;

  // Puts the named items first, in this order; the rest follow in catalogue order.
  void Arrange(const QStringList& names);

  // Shows the menu at the screen point and, when the user chooses a shown and
  // enabled item, runs the procedure of the item's name on frmP. Returns the name
  // of the procedure run, empty when none was.
  QString ShowPopupMenu(const QPoint& globalPos);

 private:
  explicit RightMenuHost(QWidget* window);
  QString RunItem(QAction* chosen);

  QMenu* menu_;
  std::map<QString, QAction*> items_;  // by item name
  QStringList order_;
};

}  // namespace corvane::shared
