#pragma once

#include <QString>

namespace corvane::host {

// Opens the function of a menu id: "RP0303" opening set-up, "RP0304" bank
// statement, "RP0305" reconciliation, "RP0306" balance statement, "RP0307"
// tick-status query, "RP0308" clearing, "RP0309" long-outstanding audit. Ids are
// compared exactly; any other id, the suite's other cash menu ids among them,
// does nothing. Functions whose windows are not built yet do nothing either.
void ExecuteMenu(const QString& menuId, const QString& menuName, const QString& authId, const QString& cmdLine);

// Whether a menu id has a function in this build.
bool IsMenuAvailable(const QString& menuId);

}  // namespace corvane::host
