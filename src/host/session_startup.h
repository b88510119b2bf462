#pragma once

#include <QString>

namespace corvane::host {

// The session start-up that Login runs: services, mode, date-text guard, colours,
// column widths, folders, print formats, help file. True when the session may
// start; a failing service call stops it and gives False without a message.
bool InitSession();

// The digest and amount column widths from the account-set settings, in twips.
void InitColumnWidths();
// Hands the folders and the help file to the services, then opens the print formats.
void InitPaths();
// Opens the account set's print-format database; a failure is shown and start-up goes on.
void InitPrintTables();

// How the shared print-format file is opened: a "file:" URI with the path escaped
// (a "#", "?" or "%" of a folder would otherwise end or change the path), read-write,
// created only when create is true. Such a file keeps its rollback journal (no WAL):
// other programs open it too.
QString PrintFormatConnectionString(const QString& path, bool create);

// The environment variable that decides the system's short date format (LC_ALL
// over LC_TIME over LANG, as the C library and Qt read them, an empty one counting
// as unset) and a setting that gives dates with "-" in this environment: while
// LC_ALL is set, LC_TIME cannot help.
struct DateLocaleVariable {
  QString name;
  QString example;
};
DateLocaleVariable DecidingDateLocaleVariable();

// "GL_" (or "GF_" for that system) and the language for the three languages with
// a help file of their own; empty for any other.
QString HelpName(const QString& sysCode, const QString& language);
// Trims the path and makes it end in exactly one separator; "" becomes "/".
void AddBackslash(QString& path);

}  // namespace corvane::host
