#pragma once

#include <QString>

namespace corvane::host {

// "RP0309": the user gives the audit date and the age in days; the function is
// claimed and the audit window opens on every account's (or book's)
// long-outstanding lines. A window already open comes to the front instead.
// When the audit cannot load, the window does not open and the claim is given back.
void OpenLongOutstanding();

// The function id of the audit in the session's mode.
QString LongOutstandingFunctionId();

}  // namespace corvane::host
