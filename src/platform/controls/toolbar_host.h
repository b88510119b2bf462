#pragma once

#include <QHash>
#include <QIcon>
#include <QKeySequence>
#include <QString>
#include <QStringList>
#include <QWidget>

class QAction;
class QToolBar;

namespace corvane::platform {

// The toolbar of a function window. Buttons are known by lower-case keys ("setup",
// "print", "auto", ...); a key is matched without regard to letter case. Each button
// has a caption, a tooltip, an optional picture and hot key, and can be disabled,
// hidden or (for a check button such as "ref") pressed. A click, or its hot key,
// emits ButtonClicked with the lower-case key, but never while the button or the
// whole host is disabled or the button hidden. Buttons never take the keyboard
// focus.
class ToolbarHost : public QWidget {
  Q_OBJECT

 public:
  explicit ToolbarHost(QWidget* parent = nullptr);

  QAction* AddButton(const QString& key, const QString& caption, const QString& toolTip = QString(),
                     const QIcon& icon = QIcon());
  // Separators may carry a key too, so that they can be hidden with their group.
  void AddSeparator(const QString& key = QString());

  bool HasButton(const QString& key) const;
  // Button keys in order, separators left out.
  QStringList Keys() const;
  QAction* Button(const QString& key) const;

  QString Caption(const QString& key) const;
  void SetCaption(const QString& key, const QString& caption);
  QString ToolTip(const QString& key) const;
  void SetToolTip(const QString& key, const QString& toolTip);
  void SetIcon(const QString& key, const QIcon& icon);
  // The picture of one of the component's bitmap resources (resource_pictures.h).
  void SetPicture(const QString& key, int resourceId);

  bool IsButtonEnabled(const QString& key) const;
  void SetButtonEnabled(const QString& key, bool enabled);
  bool IsButtonVisible(const QString& key) const;
  void SetButtonVisible(const QString& key, bool visible);

  void SetCheckable(const QString& key, bool checkable);
  bool IsChecked(const QString& key) const;
  void SetChecked(const QString& key, bool checked);

  QKeySequence HotKey(const QString& key) const;
  void SetHotKey(const QString& key, const QKeySequence& sequence);

  // Clicks a button as the mouse would (a check button changes its state first).
  // False when there is no such button or it cannot be clicked now.
  bool Click(const QString& key);

  QToolBar* ToolBar() const { return toolBar_; }

 signals:
  void ButtonClicked(const QString& key);

 private:
  void OnTriggered(QAction* action);

  QToolBar* toolBar_;
  QHash<QString, QAction*> buttons_;  // by lower-case key, separators included
  QStringList order_;                 // button keys in order
};

}  // namespace corvane::platform
