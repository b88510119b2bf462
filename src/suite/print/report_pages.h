#pragma once

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
// amount and number prints whole. Each column is as wide as its widest cell
// (read once from all shown rows) or wider, as the grid's proportions give; when
// the page is too narrow for that, the body takes a smaller type (unless the
// window set the grid's size for the print), and texts such as a digest are cut
// last. A cell or band text cut short all the same is told to an
// ElidedCellRecorder.
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
  WidestCells MeasureColumns() const;
  void SetBodyFont(const QFont& font, const QPaintDevice& device);
  void PaintBand(QPainter& p, const TemplateBand& band, double top, const QHash<QString, QString>& values,
                 int page) const;
  bool DrawBandText(QPainter& p, const QRectF& r, int flags, const QString& text) const;
  double PaintHeaderRows(QPainter& p, double top, int page) const;
  void PaintBodyRows(QPainter& p, double top, int first, int count, int page) const;
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
  double rowPx_ = 0;
  double headerRowPx_ = 0;
  std::vector<int> cols_;      // shown grid columns
  std::vector<double> colX_;   // left edge of each shown column; one more for the right edge
  std::vector<Qt::Alignment> colAlign_;
  std::vector<int> rows_;      // shown body rows
  int rowsPerPage_ = 0;
  int bodyPages_ = 1;
  int pageCount_ = 1;
  bool tailOwnPage_ = false;
};

}  // namespace corvane::suite
