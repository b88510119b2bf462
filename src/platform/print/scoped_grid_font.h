#pragma once

#include <QPointer>
#include <QWidget>

namespace corvane::platform {

// Gives a grid a font size for the length of a print and puts the size the
// window wants afterwards back on every way out, an error or exception included.
// Meanwhile the grid is marked, so the report keeps that size on the page.
class ScopedGridFontSize {
 public:
  ScopedGridFontSize(QWidget* grid, qreal duringPoints, qreal afterPoints);
  ~ScopedGridFontSize();
  ScopedGridFontSize(const ScopedGridFontSize&) = delete;
  ScopedGridFontSize& operator=(const ScopedGridFontSize&) = delete;

 private:
  QPointer<QWidget> grid_;
  qreal after_;
};

}  // namespace corvane::platform
