#pragma once

#include <QString>

namespace corvane::shared {

// Claims a function when its window opens (claim true) or gives it back when the
// window closes (false). True when the host granted it, or answered that this
// session holds it already (error 22). A refused claim is shown to the user here;
// a refused release is silent.
//
// Two windows of the component may hold the same function id at once (the
// detailed statement and the tick-status query both run as "GL040705"), so the
// component counts its holders per id and session: a release while another
// holder remains only lowers the count, and the host hears of it when the last
// holder gives the function back. Each window gives back only what it holds.
bool ClaimFunction(const QString& taskId, bool claim);

// How many holders of the component the id has in the current session.
int FunctionClaimCount(const QString& taskId);

}  // namespace corvane::shared
