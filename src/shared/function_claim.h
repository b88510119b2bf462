#pragma once

#include <QString>

namespace corvane::shared {

// Claims a function when its window opens (claim true) or gives it back when the
// window closes (false). True when the host granted it, or answered that this
// session holds it already (error 22). A refused claim is shown to the user here;
// a refused release is silent.
bool ClaimFunction(const QString& taskId, bool claim);

}  // namespace corvane::shared
