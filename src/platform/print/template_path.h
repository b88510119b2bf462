#pragma once

#include <QString>

namespace corvane::platform {

// The folder of a language's report templates: <program folder>/REP/<language>,
// the language "zh-CN" when the login gives none.
QString ReportTemplateFolder(const QString& programFolder, const QString& languageId);

// <folder>/<base name>.rep; the empty text when the base name is empty (no
// print format was found), so that no run starts on a nameless template.
QString ReportTemplatePath(const QString& folder, const QString& baseName);

}  // namespace corvane::platform
