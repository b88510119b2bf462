#include "platform/print/scoped_grid_font.h"

namespace corvane::platform {

namespace {

void SetPointSize(QWidget* grid, qreal points) {
  if (!grid || points <= 0) return;
  QFont font = grid->font();
  font.setPointSizeF(points);
  grid->setFont(font);
}

}  // namespace

ScopedGridFontSize::ScopedGridFontSize(QWidget* grid, qreal duringPoints, qreal afterPoints)
    : grid_(grid), after_(afterPoints) {
  SetPointSize(grid, duringPoints);
}

ScopedGridFontSize::~ScopedGridFontSize() { SetPointSize(grid_.data(), after_); }

}  // namespace corvane::platform
