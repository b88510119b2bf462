#pragma once

#include "platform/print/page_settings.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace corvane::shared {

// The page settings of a report key: seven texts, kept by the common services.
//   0 paper size (Windows paper number), 1 "True" for portrait else "False",
//   2 to 5 the margins left, top, right, bottom (whole millimetres; entry 2
//   empty when no margins were ever set), 6 kept as it is.
inline constexpr int kPageSettingCount = platform::kPageSettingCount;

// The page set-up command of a report window: shows the page dialog of the
// window's print control "RTPrn1" (a stand-in one when the window carries none),
// filled with the settings stored under the report key, and stores the user's
// choice under the same key. A cancelled dialog stores nothing.
void PageSetup(QWidget* frm, const QString& reportKey);

}  // namespace corvane::shared
