#pragma once

#include <optional>

namespace corvane::shared {

// A distance or size in words of the layout, or not given (left out by the caller).
using Words = std::optional<double>;

// A start and a length along one axis, in whole twips.
struct TwipSpan {
  int start = 0;
  int size = 0;
  bool operator==(const TwipSpan&) const = default;
};

// Twips are whole numbers; a computed half goes to the even neighbour, as the
// suite's own layout rounds, so both place controls on the same twip.
int RoundHalfEven(double value);

// Pixels one word of a font takes on screen; 0 for a size outside the suite's
// table of font sizes. normalFont selects the 96 dots-per-inch column.
int PixelsPerWord(double fontSize, bool normalFont);

// Where a control goes across its reference width (twips). minWords is the
// control's width in words when no side stretches it. Nothing is returned when
// no side is given and the control is not centred: it keeps its place.
std::optional<TwipSpan> PlaceAcross(double minWords, Words left, Words right, bool mid,
                                    int wordTwip, int referenceWidth);

// Where a control goes down its reference height (twips). topReserve is the room a
// toolbar takes at the top; it is added to a top-anchored control and taken
// from a stretched one. Nothing is returned when neither top nor bottom is given.
std::optional<TwipSpan> PlaceDown(double minWords, Words top, Words bottom, int wordTwip,
                                  int referenceHeight, int topReserve);

}  // namespace corvane::shared
