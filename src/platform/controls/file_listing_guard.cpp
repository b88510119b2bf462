#include "platform/controls/file_listing_guard.h"

#include "platform/controls/name_only_icon_provider.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QPointer>
#include <QWidget>

namespace corvane::platform {

namespace {

void GiveNameOnlyProvider(QFileSystemModel& model) {
  if (dynamic_cast<NameOnlyIconProvider*>(model.iconProvider())) return;
  auto* provider = new NameOnlyIconProvider;
  // A file dialog also redraws its side bar with the provider it is given.
  if (auto* dialog = qobject_cast<QFileDialog*>(model.parent()); dialog && dialog->iconProvider() == model.iconProvider())
    dialog->setIconProvider(provider);
  else
    model.setIconProvider(provider);
  QObject::connect(&model, &QObject::destroyed, [provider] { delete provider; });
}

}  // namespace

void FileListingGuard::Install() {
  static QPointer<FileListingGuard> installed;
  if (installed || !qApp) return;
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  installed = new FileListingGuard(qApp);
  qApp->installEventFilter(installed);
}

void FileListingGuard::Protect(QObject& window) {
  Install();
  if (auto* model = qobject_cast<QFileSystemModel*>(&window)) GiveNameOnlyProvider(*model);
  for (QFileSystemModel* model : window.findChildren<QFileSystemModel*>()) GiveNameOnlyProvider(*model);
}

bool FileListingGuard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Polish && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
    Protect(*watched);
  return false;
}

}  // namespace corvane::platform
