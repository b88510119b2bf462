#pragma once

#include "suite/print/cell_lines.h"
#include "suite/print/report_cell_kind.h"
#include "suite/print/report_source.h"

#include <QFont>
#include <QFontMetricsF>
#include <QRawFont>
#include <QSizeF>
#include <array>
#include <optional>
#include <vector>

class QPainter;
class QPaintDevice;

namespace corvane::suite {

// The pages of a report on one paint device. Only the page breaks are worked
// out beforehand (the shown rows of the body grid, a fixed number to a page);
// each page's texts are read from the grid and drawn when that page is painted,
// so a 100,000-row grid is never laid out as a whole.
//
// Kind 1: every page has the head band on top, the grid's header rows, its rows,
// and the footer band at the bottom; the tail band follows the last row (on a
// page of its own when it does not fit). Kind 3: the form band and the footer.
//
// The body's columns are fitted to the page before the first page: every date,
// amount and number (the columns the window declares so) prints whole on one
// line, and so does every word of a text. Each column is as wide as its widest
// cell (read once from all shown rows) or wider, as the grid's proportions
// give; when the page is too narrow for that, the body takes a smaller type
// (unless the window set the grid's size for the print) until the figures and
// words fit, and a text longer than its column wraps onto further lines of its
// row. A row is never taller than the body of a page: only a text that would be
// is cut. A cell or band text cut short all the same is told to an
// ElidedCellRecorder.
//
// Draws the cell texts of one font on one device. The glyphs and advances of
// the printable ASCII characters are kept, so the dates, numbers and amounts
// that fill a grid are measured and drawn without shaping each cell; other
// texts (Chinese) take the ordinary way.
class CellTextPen {
 public:
  CellTextPen(const QFont& font, const QPaintDevice& device);
  // Glyphs collected from many cells, drawn in one go: a page of grid cells
  // is one text run for the printer instead of one for each cell.
  struct Batch {
    QList<quint32> glyphs;
    QList<QPointF> positions;
  };
  // Draws a text in a cell, vertically centred, aligned left, centre or right,
  // cut short with "…" when it is wider than the cell. With a batch, a text of
  // kept glyphs is added to it instead. False when the text was cut.
  bool Draw(QPainter& p, const QRectF& cell, Qt::Alignment align, const QString& text, Batch* batch = nullptr) const;
  void Flush(QPainter& p, Batch& batch) const;
  // The width the text takes on the device.
  double Width(const QString& text) const;
  // The sum of the kept advances; negative when a character has none.
  double KeptWidth(const QString& text) const;
  double Height() const { return metrics_.height(); }

 private:
  struct Glyph {
    quint32 index = 0;  // 0: the font has none, or the character needs shaping
    double advance = 0;
  };
  // The kept glyph of a character; index 0 for any other character.
  const Glyph& GlyphOf(char16_t c) const;
  QFontMetricsF metrics_;
  QRawFont raw_;
  std::array<Glyph, 128> ascii_{};
};

class ReportPages {
 public:
  // page: the printable area in device pixels; painting starts at its top-left.
  ReportPages(const ReportSource& source, const QPaintDevice& device, const QSizeF& page);
  ~ReportPages();

  // False when not even one body row fits between head, header and footer.
  bool Fits() const { return rowsPerPage_ > 0; }
  int PageCount() const { return pageCount_; }
  // The body's type size in points, after the fit.
  double BodyPoints() const { return bodyFont_.pointSizeF(); }
  // page counts from 0.
  void Paint(QPainter& painter, int page) const;

 private:
  struct WidestCells;
  double Px(double mm) const { return mm * pxPerMm_; }
  void LayOutColumns(const QPaintDevice& device);
  WidestCells MeasureColumns();
  void SetBodyFont(const QFont& font, const QPaintDevice& device);
  // Lines of each shown row, once the widths are known; then the page breaks.
  void CountLines(double bodyPx);
  void BreakPages(double bodyPx, double tailPx);
  double RowPx(int shownRow) const;
  double InnerWidth(size_t shownCol) const;
  std::vector<TextSpan> LinesOf(const QString& text, double width) const;
  bool DrawLines(QPainter& p, const QRectF& cell, Qt::Alignment align, const QString& text, int lines) const;
  void PaintBand(QPainter& p, const TemplateBand& band, double top, const QHash<QString, QString>& values,
                 int page) const;
  bool DrawBandText(QPainter& p, const QRectF& r, int flags, const QString& text) const;
  double PaintHeaderRows(QPainter& p, double top, int page) const;
  double PaintBodyRows(QPainter& p, double top, int first, int count, int page) const;
  QRectF CellRect(int firstShown, int lastShown, double top, double height) const;

  const ReportSource& s_;
  QString report_;  // the title an elided cell is told under
  double pxPerMm_ = 1;
  QSizeF page_;
  const TemplateBand* head_ = nullptr;
  const TemplateBand* footer_ = nullptr;
  const TemplateBand* tail_ = nullptr;
  QFont bodyFont_;
  QFont headerFont_;
  std::optional<CellTextPen> bodyPen_;
  std::optional<CellTextPen> headerPen_;
  double rowPx_ = 0;        // a row of one line
  double lineStepPx_ = 0;   // each further line of a row
  double headerRowPx_ = 0;
  double measuredPoints_ = 0;
  std::vector<int> cols_;      // shown grid columns
  std::vector<CellKind> colKind_;
  std::vector<int> textSlot_;     // of each shown column: its place among the text columns, or -1
  std::vector<float> textWidths_;  // shown row x text column: the cell's width at measuredPoints_
  std::vector<quint16> rowLines_;  // of each shown row; empty: one line each
  std::vector<int> pageFirst_;     // the first shown row of each body page, then the row count
  std::vector<double> colX_;   // left edge of each shown column; one more for the right edge
  std::vector<Qt::Alignment> colAlign_;
  std::vector<int> rows_;      // shown body rows
  int rowsPerPage_ = 0;
  int bodyPages_ = 1;
  int pageCount_ = 1;
  bool tailOwnPage_ = false;
};

}  // namespace corvane::suite
