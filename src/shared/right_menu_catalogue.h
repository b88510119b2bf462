#pragma once

#include <QString>
#include <vector>

namespace corvane::shared {

// One item of the right-click menu: its name ("r" + key in the capitals of the
// window procedure it runs). Its caption is the resource text of
// RightMenuCaptionKey, in the session's language; separators ("rSe1" to
// "rSe11") have none.
struct RightMenuItem {
  QString name;

  // The toolbar key the windows list: the name without its "r", in lower case.
  QString Key() const { return name.mid(1).toLower(); }
  // "rSe" and a number: "rSetup" and "rSearch" are commands.
  bool IsSeparator() const {
    if (!name.startsWith(QLatin1String("rSe")) || name.size() == 3) return false;
    for (int i = 3; i < name.size(); ++i)
      if (!name[i].isDigit()) return false;
    return true;
  }
};

// The 66 items every list window may offer, in a fixed order.
const std::vector<RightMenuItem>& RightMenuCatalogue();

// The item of a key, compared without regard to letter case; nullptr for a key
// the catalogue lacks.
const RightMenuItem* FindRightMenuItem(const QString& key);

// Resource key of an item's caption: "Q9.CW.GL.ZWSQL.CASHBANK." + item name.
QString RightMenuCaptionKey(const RightMenuItem& item);

}  // namespace corvane::shared
