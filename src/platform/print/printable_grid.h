#pragma once

#include <QFont>
#include <QString>
#include <Qt>
#include <memory>
#include <vector>

class QObject;

namespace corvane::platform {

// A rectangle of header cells shown as one cell: rows and columns inclusive,
// header-row numbers counted from 0. The text is that of its top-left cell.
struct GridSpan {
  int row1 = 0;
  int col1 = 0;
  int row2 = 0;
  int col2 = 0;
};

// What a printed column holds, as the window that fills it knows it. Dates,
// amounts and numbers (voucher, settlement and flow numbers, account and book
// codes) are figures: a report prints each whole on one line. A text (a
// digest, a name, a note) wraps onto further lines of its row, breaking between
// words and Chinese characters, so a date or amount inside it stays whole too.
enum class PrintColumnKind { Text, Date, Amount, Number };

// What the report engine reads of a grid to print or output it: the grid as it
// stands at that moment. List grid, entry grid and split grid all give it, so
// one engine prints any of them.
//
// Header rows are the grid's fixed rows (one for list and entry grids, more for
// the split grid); body rows are numbered from 0 after them. A column of width 0
// is hidden and a body row the grid has hidden is hidden: neither is printed nor
// output.
class PrintableGrid {
 public:
  virtual ~PrintableGrid() = default;

  virtual int PrintColumnCount() const = 0;
  // Twips (15 to a pixel); 0 hides the column.
  virtual int PrintColumnWidth(int col) const = 0;
  // Left, centre or right; amount columns are right-aligned.
  virtual Qt::Alignment PrintColumnAlignment(int col) const = 0;
  // Never guessed from the cells: a column the window has not declared is a text.
  virtual PrintColumnKind PrintColumnKindOf(int) const { return PrintColumnKind::Text; }

  virtual int PrintHeaderRowCount() const = 0;
  virtual QString PrintHeaderText(int headerRow, int col) const = 0;
  // Merged header cells; empty when the header has none.
  virtual std::vector<GridSpan> PrintHeaderSpans() const { return {}; }

  virtual int PrintBodyRowCount() const = 0;
  virtual bool PrintBodyRowHidden(int row) const = 0;
  virtual QString PrintBodyText(int row, int col) const = 0;

  // The font the grid shows its body in; the report scales from it.
  virtual QFont PrintFont() const = 0;
  // True while the window has set the grid's type size for the print: the
  // report then keeps that size and fits its columns by their widths alone.
  virtual bool PrintFontFixed() const { return false; }
};

// The property a grid carries while its type size is set for a print
// (ScopedGridFontSize sets it).
inline constexpr char kPrintFontFixedProperty[] = "corvanePrintFontFixed";

// The printable view of a grid object handed to the report engine: the object
// itself when it implements PrintableGrid (the split grid does), an adapter for
// the list and entry grids; nullptr for anything else (and for nullptr).
// The adapter reads the grid live; it must not outlive the grid.
std::unique_ptr<PrintableGrid> PrintableGridOf(QObject* grid);

}  // namespace corvane::platform
