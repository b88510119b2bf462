#pragma once

#include <QString>
#include <QStringList>

namespace corvane::shared {

// Whether a line's settlement style is one of the chosen settlement-style codes.
// Whole codes are compared, without regard to letter case or trailing blanks, so
// "2" does not pick up lines of style "201". A line without a style is never one
// of the codes.
bool SettleStyleMatches(const QString& lineStyle, const QStringList& codes);

// The settlement-style condition of a row filter: a line without a style passes
// only when such lines are wanted (blankWanted), any other line only when its
// style is one of the codes. With no code and no blank wanted there is no
// condition and every line passes.
bool SettleStyleMatches(const QString& lineStyle, const QStringList& codes, bool blankWanted);

// A code as it is compared: trailing blanks removed.
QString TrimSettleStyle(const QString& code);

}  // namespace corvane::shared
