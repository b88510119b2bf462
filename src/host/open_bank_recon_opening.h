#pragma once

#include <QString>

namespace corvane::host {

// "RP0303": after the base-data checks the user chooses the bank account (or
// book), the function is claimed and the account held, and the opening set-up
// window opens modally on the choice. Returns when the window has closed.
void OpenBankReconOpening();

// The function id "RP0303" is claimed under in the session's mode.
QString OpeningFunctionId();

}  // namespace corvane::host
