#include "suite/print/print_target_guard.h"

#include "platform/db/database_files.h"
#include "platform/services/message_presenter.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QMetaObject>
#include <QPrintDialog>

namespace corvane::suite {

namespace {

void Refuse(QPrintDialog& dialog, QLineEdit& name, const PrintTexts& texts) {
  const QString prompt = PrintText(texts, "corvane.print.databasefile",
                                   "文件 %1 是本系统正在使用的数据库文件，不能用作打印输出文件。请另选一个文件。")
                             .arg(name.text());
  platform::MessagePresenter::Current().Show({prompt, 48, dialog.windowTitle(), QString(), 0});
  name.setFocus();
  name.selectAll();
}

}  // namespace

void PrintTargetGuard::Protect(QPrintDialog& dialog, const PrintTexts& texts) {
  auto* buttons = dialog.findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly);
  auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
  if (!buttons || !name) return;  // no output file to name: nothing opens one
  // The button box's "accepted" leads to Qt's check of the fields, which opens
  // the file. Ours takes its place and hands over to it only for other files.
  QObject::disconnect(buttons, &QDialogButtonBox::accepted, &dialog, nullptr);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, name, texts] {
    if (name->isEnabled() && NamesDatabaseFile(name->text())) return Refuse(dialog, *name, texts);
    if (!QMetaObject::invokeMethod(&dialog, "_q_checkFields")) dialog.accept();
  });
}

bool PrintTargetGuard::NamesDatabaseFile(const QString& name) {
  if (platform::DatabaseFiles::Contains(name)) return true;
  return QDir::isRelativePath(name) && platform::DatabaseFiles::Contains(QDir::home().filePath(name));
}

}  // namespace corvane::suite
