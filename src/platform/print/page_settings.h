#pragma once

#include <QStringList>

namespace corvane::platform {

class PageSetupControl;

// The seven page-setting texts of a report key: 0 paper number, 1 orientation
// "True" (portrait) or "False", 2 to 5 the margins (empty: never set up), 6 free.
inline constexpr int kPageSettingCount = 7;

// Puts stored settings on a page control. A value that is not a number (a key
// never set up, a hand-edited setting) leaves the control's own value, and
// empty margins leave its margins.
void ApplyPageSettings(const QStringList& settings, PageSetupControl& control);

// Whether a page dialog's code is a choice: -1 is a cancelled dialog, and so is
// any other negative code or a paper number from 1000 on.
bool IsPageChoice(qint32 code);

// Writes a confirmed dialog's choice and the control's margins into the settings.
void TakePageChoice(qint32 code, const PageSetupControl& control, QStringList& settings);

}  // namespace corvane::platform
