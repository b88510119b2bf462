#include "platform/print/template_path.h"

#include <QDir>

namespace corvane::platform {

QString ReportTemplateFolder(const QString& programFolder, const QString& languageId) {
  const QString language = languageId.trimmed().isEmpty() ? QStringLiteral("zh-CN") : languageId.trimmed();
  return QDir(programFolder).filePath(QStringLiteral("REP/") + language);
}

QString ReportTemplatePath(const QString& folder, const QString& baseName) {
  if (baseName.trimmed().isEmpty()) return QString();
  return QDir(folder).filePath(baseName.trimmed() + QStringLiteral(".rep"));
}

}  // namespace corvane::platform
