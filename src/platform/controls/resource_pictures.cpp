#include "platform/controls/resource_pictures.h"

#include <QFileInfo>
#include <QHash>
#include <map>

namespace corvane::platform {

namespace {

// Resource number -> icon name. The numbers are the component's: 100 to 263 are the
// toolbar commands and the dialogs' pictures; a later window that uses a number
// gets the picture already chosen for it.
const std::map<int, const char*>& Table() {
  static const std::map<int, const char*> table{
      {100, "list-add"},                 // add
      {107, "accessories-calculator"},   // amount button of the condition dialog
      {109, "x-office-spreadsheet"},     // check: balance check totals
      {110, "view-fullscreen"},          // direc: arrange the two grids
      {114, "edit-delete"},              // del
      {118, "system-log-out"},           // exit
      {120, "edit-find-replace"},        // filt
      {122, "system-search"},            // search
      {125, "help-browser"},             // help
      {140, "document-print-preview"},   // preview
      {141, "document-print"},           // print
      {145, "document-save"},            // edit: save
      {146, "edit-find"},                // find
      {151, "document-open"},            // import
      {157, "x-office-address-book"},    // picture of the account or book selection dialog
      {166, "edit-copy"},                // ref: reference mode
      {167, "dialog-information"},       // picture of the statement conditions dialog
      {175, "edit-undo"},                // unauto: cancel ticks
      {204, "window-new"},               // view
      {205, "mail-send-receive"},        // auto: automatic matching
      {212, "x-office-calendar"},        // date buttons
      {235, "document-save-as"},         // dout: data output
      {237, "x-office-document"},        // vouch: the voucher of a line
      {263, "document-properties"},      // setup: print set-up
  };
  return table;
}

const char* const kThemeFolder = "/usr/share/icons/Tango";
const char* const kSizes[] = {"16x16", "22x22", "24x24", "32x32", "48x48"};
const char* const kContexts[] = {"actions", "apps", "devices", "mimetypes", "places", "status", "categories"};

}  // namespace

QString ResourcePictureName(int resourceId) {
  const auto it = Table().find(resourceId);
  return it == Table().end() ? QString() : QString::fromLatin1(it->second);
}

QIcon ThemePicture(const QString& iconName) {
  static QHash<QString, QIcon> cache;
  if (iconName.isEmpty()) return QIcon();
  const auto hit = cache.constFind(iconName);
  if (hit != cache.constEnd()) return *hit;
  QIcon icon;
  for (const char* size : kSizes) {
    for (const char* context : kContexts) {
      const QString path = QStringLiteral("%1/%2/%3/%4.png")
                               .arg(QLatin1String(kThemeFolder), QLatin1String(size), QLatin1String(context), iconName);
      if (QFileInfo::exists(path)) {
        icon.addFile(path);
        break;
      }
    }
  }
  cache.insert(iconName, icon);
  return icon;
}

QIcon ResourcePicture(int resourceId) { return ThemePicture(ResourcePictureName(resourceId)); }

QList<int> ResourcePictureIds() {
  QList<int> ids;
  for (const auto& entry : Table()) ids << entry.first;
  return ids;
}

}  // namespace corvane::platform
