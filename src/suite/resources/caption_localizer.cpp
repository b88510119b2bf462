#include "suite/resources/caption_localizer.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

namespace corvane::suite {
namespace {

class CaptionWalker {
 public:
  CaptionWalker(const QString& base, const CaptionLookup& lookup) : base_(base), lookup_(lookup) {}

  void Walk(QObject* parent) {
    for (QObject* child : parent->children()) {
      if (IsOwnWindow(child)) continue;
      Apply(child);
      Walk(child);
    }
  }

  int Count() const { return count_; }

 private:
  // A dialog or tool window parented to the window is a window of its own; a pop-up
  // menu is also a window for Qt, but its items are this window's commands.
  static bool IsOwnWindow(QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget != nullptr && widget->isWindow() && qobject_cast<QMenu*>(widget) == nullptr;
  }

  void Apply(QObject* object) {
    const QString name = object->objectName();
    if (name.isEmpty()) return;
    const QString key = base_ + name;
    if (auto* tabs = qobject_cast<QTabWidget*>(object)) {
      for (int i = 0; i < tabs->count(); ++i) {
        if (auto text = lookup_(key + u'.' + QString::number(i))) {
          tabs->setTabText(i, *text);
          ++count_;
        }
      }
    } else if (auto* bar = qobject_cast<QTabBar*>(object);
               bar != nullptr && qobject_cast<QTabWidget*>(bar->parent()) == nullptr) {
      for (int i = 0; i < bar->count(); ++i) {
        if (auto text = lookup_(key + u'.' + QString::number(i))) {
          bar->setTabText(i, *text);
          ++count_;
        }
      }
    } else if (HasCaption(object)) {
      if (auto text = lookup_(key)) {
        SetCaption(object, *text);
        ++count_;
      }
    }
    if (qobject_cast<QWidget*>(object) != nullptr || qobject_cast<QAction*>(object) != nullptr) {
      if (auto tip = lookup_(key + QStringLiteral(".tip"))) {
        SetToolTip(object, *tip);
        ++count_;
      }
    }
  }

  // Only these kinds show a caption; a text box or a grid named like a key is left alone.
  static bool HasCaption(QObject* object) {
    return qobject_cast<QLabel*>(object) != nullptr || qobject_cast<QAbstractButton*>(object) != nullptr ||
           qobject_cast<QGroupBox*>(object) != nullptr || qobject_cast<QMenu*>(object) != nullptr ||
           qobject_cast<QAction*>(object) != nullptr;
  }

  static void SetCaption(QObject* object, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(object)) {
      label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
      button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(object)) {
      group->setTitle(text);
    } else if (auto* menu = qobject_cast<QMenu*>(object)) {
      menu->setTitle(text);
    } else if (auto* action = qobject_cast<QAction*>(object)) {
      action->setText(text);
    }
  }

  static void SetToolTip(QObject* object, const QString& tip) {
    if (auto* widget = qobject_cast<QWidget*>(object)) {
      widget->setToolTip(tip);
    } else if (auto* action = qobject_cast<QAction*>(object)) {
      action->setToolTip(tip);
    }
  }

  QString base_;
  const CaptionLookup& lookup_;
  int count_ = 0;
};

}  // namespace

int ApplyCaptions(QWidget* window, const QString& keyPrefix, const CaptionLookup& lookup) {
  if (window == nullptr || window->objectName().isEmpty()) return 0;
  const QString windowKey = keyPrefix + window->objectName();
  int count = 0;
  if (auto title = lookup(windowKey)) {
    window->setWindowTitle(*title);
    ++count;
  }
  CaptionWalker walker(windowKey + u'.', lookup);
  walker.Walk(window);
  return count + walker.Count();
}

}  // namespace corvane::suite
