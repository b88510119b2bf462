#include "shared/right_menu.h"

#include "shared/messages.h"
#include "shared/right_menu_catalogue.h"
#include "shared/right_menu_host.h"

#include <QCursor>
#include <QPointer>
#include <QWidget>

namespace corvane::shared {

bool gUnloadAfterMenu = false;

namespace {

// The item names of the keys, in the order listed, each once.
QStringList ItemNames(const QStringList& keys) {
  QStringList names;
  for (const QString& key : keys) {
    const RightMenuItem* item = FindRightMenuItem(key);
    if (item && !names.contains(item->name)) names.append(item->name);
  }
  return names;
}

}  // namespace

void ShowRightMenu(QWidget* frm, const QStringList& keys, const QStringList& disabledKeys, const QVariant&,
                   const QVariant&) {
  gUnloadAfterMenu = false;
  if (keys.isEmpty()) {
    ShowMsgBox(GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03494")), 16, QString());
    return;
  }
  if (!frm) return;
  QPointer<QWidget> window(frm);
  RightMenuHost& host = RightMenuHost::For(frm);
  host.frmP = frm;

  // Every item starts hidden and enabled, so an item greyed out for one call is
  // not greyed out for the next that does not ask for it.
  for (const RightMenuItem& item : RightMenuCatalogue()) {
    host.SetVisible(item.name, false);
    host.SetEnabled(item.name, true);
  }
  const QStringList shown = ItemNames(keys);
  for (const QString& name : shown) host.SetVisible(name, true);
  for (const QString& name : ItemNames(disabledKeys)) host.SetEnabled(name, false);

  // The window's items in the window's order, its separators where it put them.
  host.Arrange(shown);
  host.ShowPopupMenu(QCursor::pos());
  if (gUnloadAfterMenu && window) UnloadMenuForm(window.data());
}

void UnloadMenuForm(QWidget* frm) {
  if (!frm) return;
  frm->close();
  frm->deleteLater();
}

}  // namespace corvane::shared
