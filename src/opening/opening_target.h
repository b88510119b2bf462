#pragma once

#include <QDate>
#include <QString>

namespace corvane::opening {

// What the opener chose for the opening set-up: the bank account and, in book
// mode, the bank book. It is taken once when the set-up window is first loaded
// and every reload, save and item window works from this copy, so a dialog that
// reuses the session's shared choice meanwhile (the digest reference empties it)
// can never turn the set-up onto another key.
struct OpeningTarget {
  QString accountCode;  // the account; in book mode the book's account
  QString bookCode;     // book mode only
  bool bookMode = false;

  // The key the opening rows and sums are stored under.
  const QString& Key() const { return bookMode ? bookCode : accountCode; }
};

}  // namespace corvane::opening
