#pragma once

#include "suite/print/print_texts.h"

#include <QString>

class QPrintDialog;

namespace corvane::suite {

// Keeps the print dialog away from the files of an open SQLite database.
//
// When Print is pressed with "Print to File (PDF)" chosen, Qt's dialog opens the
// named file to see that it can be written, asks whether to overwrite it when
// it exists, and closes it again: closing it drops the connection's locks on the
// database (see platform::DatabaseFiles), whatever the answer. The guard runs
// before that check, on every way of pressing Print (button, Enter): a file of
// an open database, by whatever name, is refused with a message and the dialog
// stays open for another name. The file itself is never opened.
class PrintTargetGuard {
 public:
  static void Protect(QPrintDialog& dialog, const PrintTexts& texts);

  // Whether the output file name leads to a database file, taken both as Qt's
  // check opens it (from the working folder) and as the printer then writes it
  // (a relative name from the home folder).
  static bool NamesDatabaseFile(const QString& name);
};

}  // namespace corvane::suite
