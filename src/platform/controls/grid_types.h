#pragma once

#include <QColor>
#include <QtGlobal>

namespace corvane::platform {

// The suite sizes grid rows in twips; on screen 15 twips make one pixel. Column
// widths keep the digits they hold instead (column_twips.h).
inline constexpr int kGridTwipsPerPixel = 15;

inline int GridTwipsToPixels(int twips) {
  return twips <= 0 ? 0 : (twips + kGridTwipsPerPixel / 2) / kGridTwipsPerPixel;
}
inline int GridPixelsToTwips(int pixels) { return pixels * kGridTwipsPerPixel; }

// A row lower than this many twips counts as hidden: the suite's windows hide a row
// by giving it the height 0 and treat any height below 20 the same way.
inline constexpr int kHiddenRowTwips = 20;

// Answer to the entry grid's question whether a typed cell may be kept. The values
// are the suite grid's own, so code that answers with numbers keeps its meaning.
enum class EditAnswer { Refuse = 1, Accept = 2 };

// Answer to the entry grid's question whether the user may leave the current row.
enum class LeaveAnswer { Stay = 1, Leave = 2 };

// How a cell of an entry-grid column is typed in.
enum class ColumnKind { ReadOnly, Text, Amount, Date, List };

struct ColumnEditor {
  ColumnKind kind = ColumnKind::Text;
  int maxLength = 0;  // 0: no limit
  int decimals = 2;   // amounts only
};

// What the cells of a grid column hold. Text columns keep any text; date and
// amount columns keep their cells as values (a day number, the fixed-point count
// of an amount) and write the text only when a cell is shown, printed or read.
// A text that is not exactly the column's own form of a value (another date
// layout, "合计", an amount with blanks) is kept as that text, unchanged.
enum class CellKind : quint8 { Text, Date, Amount };

struct CellType {
  CellKind kind = CellKind::Text;
  char dateSeparator = '.';  // dates: "yyyy.mm.dd" with this separator
};

// The suite writes colours as &HBBGGRR numbers (blue in the high byte).
inline QColor ColorFromBgr(quint32 bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}
inline quint32 BgrFromColor(const QColor& c) {
  return static_cast<quint32>(c.red()) | (static_cast<quint32>(c.green()) << 8) |
         (static_cast<quint32>(c.blue()) << 16);
}

// The suite's alignment codes 0..9 (left/centre/right by top/centre/bottom, then
// "general") as Qt alignment. Unknown codes give left, vertically centred.
Qt::Alignment AlignmentFromCode(int code);

}  // namespace corvane::platform
