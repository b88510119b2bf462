#include "platform/controls/toolbar_host.h"

#include "platform/controls/resource_pictures.h"

#include <QAction>
#include <QToolBar>
#include <QVBoxLayout>

namespace corvane::platform {

namespace {
const char* const kKeyProperty = "corvaneKey";
}

ToolbarHost::ToolbarHost(QWidget* parent) : QWidget(parent) {
  toolBar_ = new QToolBar(this);
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(toolBar_);
}

QAction* ToolbarHost::AddButton(const QString& key, const QString& caption, const QString& toolTip,
                                const QIcon& icon) {
  const QString k = key.toLower();
  if (k.isEmpty() || buttons_.contains(k)) return buttons_.value(k);
  QAction* action = toolBar_->addAction(icon, caption);
  action->setProperty(kKeyProperty, k);
  // Named by its key, so that the caption rule finds the button's text in the
  // session's language ("<prefix><window>.<key>").
  action->setObjectName(k);
  // Without a tip of its own a button's tip is its caption, in whatever language
  // the caption is later given.
  if (!toolTip.isEmpty()) action->setToolTip(toolTip);
  action->setShortcutContext(Qt::WindowShortcut);
  // A click never takes the keyboard from the window's grid: what the user types
  // after a command goes where it went before.
  if (QWidget* button = toolBar_->widgetForAction(action)) button->setFocusPolicy(Qt::NoFocus);
  connect(action, &QAction::triggered, this, [this, action] { OnTriggered(action); });
  buttons_.insert(k, action);
  order_.append(k);
  return action;
}

void ToolbarHost::AddSeparator(const QString& key) {
  QAction* separator = toolBar_->addSeparator();
  const QString k = key.toLower();
  if (!k.isEmpty() && !buttons_.contains(k)) buttons_.insert(k, separator);
}

bool ToolbarHost::HasButton(const QString& key) const { return buttons_.contains(key.toLower()); }

QStringList ToolbarHost::Keys() const { return order_; }

QAction* ToolbarHost::Button(const QString& key) const { return buttons_.value(key.toLower()); }

QString ToolbarHost::Caption(const QString& key) const {
  const QAction* a = Button(key);
  return a ? a->text() : QString();
}

void ToolbarHost::SetCaption(const QString& key, const QString& caption) {
  if (QAction* a = Button(key)) a->setText(caption);
}

QString ToolbarHost::ToolTip(const QString& key) const {
  const QAction* a = Button(key);
  return a ? a->toolTip() : QString();
}

void ToolbarHost::SetToolTip(const QString& key, const QString& toolTip) {
  if (QAction* a = Button(key)) a->setToolTip(toolTip);
}

void ToolbarHost::SetIcon(const QString& key, const QIcon& icon) {
  if (QAction* a = Button(key)) a->setIcon(icon);
}

void ToolbarHost::SetPicture(const QString& key, int resourceId) { SetIcon(key, ResourcePicture(resourceId)); }

bool ToolbarHost::IsButtonEnabled(const QString& key) const {
  const QAction* a = Button(key);
  return a && a->isEnabled();
}

void ToolbarHost::SetButtonEnabled(const QString& key, bool enabled) {
  if (QAction* a = Button(key)) a->setEnabled(enabled);
}

bool ToolbarHost::IsButtonVisible(const QString& key) const {
  const QAction* a = Button(key);
  return a && a->isVisible();
}

void ToolbarHost::SetButtonVisible(const QString& key, bool visible) {
  if (QAction* a = Button(key)) a->setVisible(visible);
}

void ToolbarHost::SetCheckable(const QString& key, bool checkable) {
  if (QAction* a = Button(key)) a->setCheckable(checkable);
}

bool ToolbarHost::IsChecked(const QString& key) const {
  const QAction* a = Button(key);
  return a && a->isChecked();
}

void ToolbarHost::SetChecked(const QString& key, bool checked) {
  if (QAction* a = Button(key)) a->setChecked(checked);
}

QKeySequence ToolbarHost::HotKey(const QString& key) const {
  const QAction* a = Button(key);
  return a ? a->shortcut() : QKeySequence();
}

void ToolbarHost::SetHotKey(const QString& key, const QKeySequence& sequence) {
  if (QAction* a = Button(key)) a->setShortcut(sequence);
}

bool ToolbarHost::Click(const QString& key) {
  QAction* a = Button(key);
  if (!a || a->isSeparator() || !a->isEnabled() || !a->isVisible() || !isEnabled()) return false;
  a->trigger();
  return true;
}

void ToolbarHost::OnTriggered(QAction* action) {
  // A disabled host (a command is running) must not start another one, and a hot key
  // reaches its action even while the toolbar widget itself is disabled.
  if (!action || action->isSeparator() || !isEnabled() || !action->isVisible()) return;
  const QString key = action->property(kKeyProperty).toString();
  if (!key.isEmpty()) emit ButtonClicked(key);
}

}  // namespace corvane::platform
