#pragma once

#include <QString>

namespace corvane::shared {

// What a report run was asked to do; the report outputs pass their own mode.
enum PrintMode : int { kPrintModePrint = 1, kPrintModePreview = 2, kPrintModeDataOut = 3 };

// The detail text of a report control's return code: a resource text, one of the
// control's own words for a few codes, or the empty text for codes the user need
// not hear about (0 among them).
QString PrintControlDetailText(int code);

// Tells the user why a report run failed: nothing for 0 or a code without a
// detail text; else a stop box with the detail text followed by the text of
// "Q9.GL.ZZPZ.02809" with the code, under the usual title. The message reads the
// same for every mode.
void LocalizePrintControl(int code, int mode = kPrintModePrint);

// The same procedure under the name the statement and opening windows use.
inline void ShowPrintResult(int code, int mode = kPrintModePrint) { LocalizePrintControl(code, mode); }

}  // namespace corvane::shared
