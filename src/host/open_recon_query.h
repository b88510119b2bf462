#pragma once

#include <QString>

namespace corvane::host {

// "RP0307": the user chooses the account (or book) and which lines to show; the
// function is claimed (in book mode the book's account is locked too) and the
// tick-status window opens on the choice. A window already open comes to the
// front instead.
void OpenReconQuery();

// The function id of the tick-status query in the session's mode.
QString ReconQueryFunctionId();

}  // namespace corvane::host
