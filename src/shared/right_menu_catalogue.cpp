#include "shared/right_menu_catalogue.h"

#include <QHash>

namespace corvane::shared {

namespace {

std::vector<RightMenuItem> BuildCatalogue() {
  const char* const names[] = {
      "rChange", "rLock", "rRestore", "rSe11", "rBankCheck", "rBankUnCheck", "rSetup", "rAdd", "rAdd2", "rAdd3",
      "rAutoCheck", "rBalance", "rBankDirec", "rBottom", "rCheck", "rCheckBook", "rCode", "rDataOut", "rDel",
      "rDel1", "rDel2", "rDel3", "rDetail1", "rDetail2", "rDetail3", "rDirec", "rDrillMXZ", "rDrillPZ",
      "rDrillZZ", "rEdit", "rEdit2", "rEditBook", "rError", "rExit", "rFilt", "rFind", "rSort", "rHelp",
      "rList", "rNext", "rPeriod", "rPrev", "rPreview", "rPrint", "rRef", "rSave", "rSe1", "rSe2", "rSe3",
      "rSe4", "rSe5", "rSe6", "rSe7", "rSe8", "rSe9", "rSe10", "rSearch", "rTop", "rUndo", "rUndoCheck",
      "rView1", "rView2", "rView3", "rRbd", "rUpgrade", "rLastDay",
  };
  std::vector<RightMenuItem> catalogue;
  for (const char* name : names) catalogue.push_back({QString::fromLatin1(name)});
  return catalogue;
}

}  // namespace

const std::vector<RightMenuItem>& RightMenuCatalogue() {
  static const std::vector<RightMenuItem> catalogue = BuildCatalogue();
  return catalogue;
}

const RightMenuItem* FindRightMenuItem(const QString& key) {
  static const QHash<QString, int> byKey = [] {
    QHash<QString, int> h;
    const auto& c = RightMenuCatalogue();
    for (int i = 0; i < static_cast<int>(c.size()); ++i) h.insert(c[i].Key(), i);
    return h;
  }();
  // Keys compare exactly: "Setup" is no key, "setup" is.
  const auto it = byKey.constFind(key);
  return it == byKey.constEnd() ? nullptr : &RightMenuCatalogue()[*it];
}

QString RightMenuCaptionKey(const RightMenuItem& item) {
  return QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK.") + item.name;
}

}  // namespace corvane::shared
