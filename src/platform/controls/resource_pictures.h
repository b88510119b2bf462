#pragma once

#include <QIcon>
#include <QString>

namespace corvane::platform {

// The pictures of the component's bitmap resources (toolbar buttons, dialog images),
// by resource number. One table decides the picture of each number, so a command
// shows the same picture in every window that uses its number. The pictures are the
// icons of the Tango icon theme (public domain, Debian package tango-icon-theme),
// looked up by their icon names in the theme's folders.

// The icon name the table gives a resource number; empty for a number it lacks.
QString ResourcePictureName(int resourceId);
// The picture of a resource number; a null icon when the table lacks the number or
// the theme is not installed.
QIcon ResourcePicture(int resourceId);
// The picture of an icon name of the theme, every installed size of it; null when
// the theme has no such icon.
QIcon ThemePicture(const QString& iconName);
// The resource numbers in the table, in ascending order.
QList<int> ResourcePictureIds();

}  // namespace corvane::platform
