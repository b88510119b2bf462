#pragma once

#include <QString>

namespace corvane::suite {

// Makes Qt's own texts follow the session's language ("zh-CN", "en-US"): loads Qt's
// translations of that language (Debian's qt6-translations-l10n) and sets the
// default locale, so standard buttons (OK, Yes, No), calendars and month and day
// names match the component's captions. A later call replaces the earlier one.
// False when Qt has no translations for a language other than English; the locale
// is set all the same.
bool InstallQtLanguage(const QString& language);

}  // namespace corvane::suite
