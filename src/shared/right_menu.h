#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

class QWidget;

namespace corvane::shared {

// Set by a command that wants its window unloaded once the right-click menu has
// closed; cleared at the start of every ShowRightMenu.
extern bool gUnloadAfterMenu;

// Shows the right-click menu of a list window at the mouse pointer: one item per
// key the window lists ("filt" shows "rFilt", "se1" to "se11" are separators;
// keys compare exactly, so "Filt" is unknown, and unknown keys are skipped), in
// the order the window lists them, each once, so its separators part its groups;
// the items of disabledKeys are greyed out. Every other item is hidden and every
// listed one enabled anew on each call. The chosen item runs the
// window's procedure of the item's name ("rFilt") by name, so a window declares
// its commands as public slots or Q_INVOKABLE methods.
//
// An empty key list shows "Q9.CW.GL.ZWSQL.BAS.03494" and no menu. x and y (the
// caller's point) are accepted and not used: the menu opens at the pointer.
void ShowRightMenu(QWidget* frm, const QStringList& keys, const QStringList& disabledKeys = {},
                   const QVariant& x = {}, const QVariant& y = {});

// Unloads (closes and deletes) the window after its menu has closed.
void UnloadMenuForm(QWidget* frm);

}  // namespace corvane::shared
