#pragma once

#include <QString>

class QWidget;

namespace corvane::shared {

// The open window (shown or hidden) whose caption is caption, letter case aside;
// nullptr when there is none. A blank caption names no window: a missing resource
// text must not pass for a window that is open.
QWidget* FindOpenForm(const QString& caption);

// True when FindOpenForm finds a window.
bool IsFormOpen(const QString& caption);

}  // namespace corvane::shared
