#pragma once

namespace corvane::host {

// "RP0306": the balance statement of every account or book, not modal. An open
// statement window is brought to the front instead of a second one.
void OpenBalanceStatement();

}  // namespace corvane::host
