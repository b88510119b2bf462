#include "shared/form_lookup.h"

#include <QApplication>
#include <QWidget>

namespace corvane::shared {

QWidget* FindOpenForm(const QString& caption) {
  if (caption.trimmed().isEmpty()) return nullptr;
  const QString wanted = caption.toUpper();
  const auto windows = QApplication::topLevelWidgets();
  for (QWidget* window : windows) {
    if (window->windowTitle().toUpper() == wanted) return window;
  }
  return nullptr;
}

bool IsFormOpen(const QString& caption) { return FindOpenForm(caption) != nullptr; }

}  // namespace corvane::shared
