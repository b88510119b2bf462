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

// The settlement style a grid's style cell stands for, which is what the row
// stores and what the cell shows once checked. A code the suite knows is kept
// whole, typed bare or chosen from the list as "code name": a code may be longer
// than 3 bytes, and its first 3 bytes may be another style. Any other text gives
// its first 3 bytes, the code of an entry "code name" typed by hand. known tells
// whether the suite has the style given; an empty cell gives no style.
struct CellSettleStyle {
  QString code;
  bool known = false;
};
CellSettleStyle SettleStyleOfCell(const QString& cell);

}  // namespace corvane::shared
