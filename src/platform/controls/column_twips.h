#pragma once

class QFont;
class QTableView;

namespace corvane::platform {

// Column widths come in twips measured for the suite's grid type: a 9-point system
// type on a 96 dots-per-inch screen whose digits are 6 pixels wide, so that 90
// twips held one digit. A width keeps on screen the number of digits it held
// there: twips × (the digit width of the grid's own font) / 90, rounded, so the
// columns keep their proportions and a date, an amount or a code that showed whole
// in that type shows whole in this one. The room a view keeps beside a cell's text
// (its margins and grid line) comes on top: the twips measured the text. A width
// of 0 stays 0 (a hidden column).
inline constexpr double kColumnTwipsPerDigit = 90.0;

// The widest of the ten digits of the font, in pixels.
double DigitWidth(const QFont& font);

int ColumnTwipsToPixels(int twips, const QFont& font, int margins = 0);
// The twips that ColumnTwipsToPixels turns back into these pixels (a shown column
// at least 1 twip).
int ColumnPixelsToTwips(int pixels, const QFont& font, int margins = 0);

// The room an item view keeps beside the text of a cell: the style's text margin
// on either side and the grid line.
int CellTextMargins(const QTableView& view);

}  // namespace corvane::platform
