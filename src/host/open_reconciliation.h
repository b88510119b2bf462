#pragma once

#include <QString>

namespace corvane::host {

// "RP0305": the user chooses the bank account (or book) and period range, the
// function is claimed and the account locked, and the reconciliation window opens
// on it. A window already open is brought to the front instead, so no second lock
// is taken.
void OpenReconciliation();

// The function id a menu id is claimed under in the session's mode.
QString ReconciliationFunctionId();

}  // namespace corvane::host
