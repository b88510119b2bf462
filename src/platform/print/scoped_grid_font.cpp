#include "platform/print/scoped_grid_font.h"

#include "platform/print/printable_grid.h"

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
  if (grid && duringPoints > 0) grid->setProperty(kPrintFontFixedProperty, true);
}

ScopedGridFontSize::~ScopedGridFontSize() {
  SetPointSize(grid_.data(), after_);
  if (grid_) grid_->setProperty(kPrintFontFixedProperty, QVariant());
}

}  // namespace corvane::platform
