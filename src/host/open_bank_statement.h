#pragma once

#include <QString>

namespace corvane::host {

// "RP0304": the user chooses the bank account (or book) and a period range, the
// function is claimed and the account locked, and the statement window opens on
// it. A window already open is brought to the front instead.
void OpenBankStatement();

// The function id "RP0304" is claimed under in the session's mode.
QString BankStatementFunctionId();

}  // namespace corvane::host
