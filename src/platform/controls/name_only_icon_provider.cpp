#include "platform/controls/name_only_icon_provider.h"

#include <QFileInfo>
#include <QMimeDatabase>

namespace corvane::platform {

namespace {

// The type that the name's extension gives; "application/octet-stream" when it
// gives none. Globs only: the file is never opened.
QMimeType TypeByName(const QFileInfo& info) {
  const QMimeDatabase types;
  const QList<QMimeType> byName = types.mimeTypesForFileName(info.fileName());
  return byName.isEmpty() ? types.mimeTypeForName(QStringLiteral("application/octet-stream")) : byName.constFirst();
}

}  // namespace

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
  // Folders and drives have no contents to sniff: Qt's own icons for them.
  if (!info.isFile()) return QFileIconProvider::icon(info);
  const QMimeType type = TypeByName(info);
  return QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName(), icon(File)));
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
  if (!info.isFile()) return QFileIconProvider::type(info);
  const QMimeType type = TypeByName(info);
  return type.comment().isEmpty() ? type.name() : type.comment();
}

}  // namespace corvane::platform
