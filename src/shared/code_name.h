#pragma once

#include <QString>

namespace corvane::shared {

// Splits a list entry "name(code)" into its name and its code. The code is the
// bracketed group that closes the text, so a name that has brackets of its own keeps
// them: "工商银行(朝阳)(100201)" gives "工商银行(朝阳)" and "100201", and "A(B(C))"
// gives "A" and "B(C)". Without a "(" the text is no such entry: the text itself
// is shown as a critical message, the result is false, and outName and outCode
// are left as they were.
bool SplitCodeName(const QString& text, QString& outName, QString& outCode);

}  // namespace corvane::shared
