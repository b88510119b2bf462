#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace corvane::platform {
class DbConnection;
class ToolbarHost;
}

namespace corvane::testing {

// Collects what is wrong with the windows it is shown, as an English user sees
// them: Chinese in what the program writes itself (names from the data excepted),
// labels and cells cut off, toolbar buttons without a picture, separators that
// divide nothing.
class TextWalk {
 public:
  explicit TextWalk(platform::DbConnection& db);

  // One text; where is null for a message box.
  void Text(const QWidget* where, const QString& what, QString text);
  // Every visible text of a window or dialog and its toolbars.
  void Window(QWidget* w);
  // Right-clicks the window where a clerk would (its first visible grid, else
  // the window itself), reads the captions of the menu that comes up and closes it.
  void RightMenu(QWidget* w);

  QStringList faults;
  QStringList menus;  // the windows whose right-click menu was read

 private:
  void Toolbar(platform::ToolbarHost* t);

  QStringList names_;
};

}  // namespace corvane::testing
