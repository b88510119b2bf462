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
  // kept glyphs is added to it instead.
  void Draw(QPainter& p, const QRectF& cell, Qt::Alignment align, const QString& text, Batch* batch = nullptr) const;
  void Flush(QPainter& p, Batch& batch) const;

 private:
  struct Glyph {
    quint32 index = 0;  // 0: the font has none, or the character needs shaping
    double advance = 0;
  };
  // The kept glyph of a character; index 0 for any other character.
  const Glyph& GlyphOf(char16_t c) const;
  // False when the text has a character without a kept glyph.
  bool Kept(const QString& text) const;
  QFontMetricsF metrics_;
  QRawFont raw_;
  std::array<Glyph, 128> ascii_{};
};

class ReportPages {
 public:
  // page: the printable area in device pixels; painting starts at its top-left.
  ReportPages(const ReportSource& source, const QPaintDevice& device, const QSizeF& page);

  // False when not even one body row fits between head, header and footer.
  bool Fits() const { return rowsPerPage_ > 0; }
  int PageCount() const { return pageCount_; }
  // page counts from 0.
  void Paint(QPainter& painter, int page) const;

 private:
  double Px(double mm) const { return mm * pxPerMm_; }
  void LayOutColumns();
  void PaintBand(QPainter& p, const TemplateBand& band, double top, const QHash<QString, QString>& values) const;
  double PaintHeaderRows(QPainter& p, double top) const;
  void PaintBodyRows(QPainter& p, double top, int first, int count) const;
  QRectF CellRect(int firstShown, int lastShown, double top, double height) const;

  const ReportSource& s_;
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
