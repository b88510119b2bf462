#pragma once

#include "suite/print/report_source.h"

#include <QFont>
#include <QSizeF>
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
