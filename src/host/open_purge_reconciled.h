#pragma once

namespace corvane::host {

// "RP0308": clearing, modal; the function is given back when the window closes.
void OpenPurgeReconciled();

}  // namespace corvane::host
