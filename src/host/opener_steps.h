#pragma once

#include <QString>

#include <exception>

class QWidget;

namespace corvane::host {

// Steps the menu openers share. What differs between openers (which checks,
// which claims and locks, modal or not) stays in each opener.

// Brings a window that is already open to the front; false when there is none.
bool BringToFront(QWidget* open);

// Claims the function, then locks the account for it. A refused lock gives the
// claim back, so a refused opening holds nothing.
bool ClaimAndLock(const QString& functionId, const QString& account);

// Nothing to choose: in book mode the text of bookKey under the cash title,
// otherwise the missing bank account message under the usual title.
void RefuseNothingToChoose(const QString& bookKey);

// An opening that failed before its window was made: the error, under the usual
// title (a wait that ran out in the component's own words).
void ShowFailure(const std::exception& e);

// The wait window comes down however the opening ends.
class WaitScope {
 public:
  explicit WaitScope(const QString& text);
  ~WaitScope();
  WaitScope(const WaitScope&) = delete;
  WaitScope& operator=(const WaitScope&) = delete;
};

}  // namespace corvane::host
