#include "shared/wait_spinner.h"

#include <QPainter>
#include <algorithm>

namespace corvane::shared {

WaitSpinner::WaitSpinner(QWidget* parent) : QWidget(parent) {
  timer_.setInterval(80);
  connect(&timer_, &QTimer::timeout, this, &WaitSpinner::Advance);
  setFixedSize(sizeHint());
}

void WaitSpinner::Play() {
  if (!timer_.isActive()) timer_.start();
}

void WaitSpinner::Stop() { timer_.stop(); }

void WaitSpinner::Advance() {
  frame_ = (frame_ + 1) % kDots;
  update();
}

void WaitSpinner::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(width() / 2.0, height() / 2.0);
  const double radius = std::min(width(), height()) / 2.0;
  const double dot = radius / 4.0;
  const QColor base = palette().color(QPalette::WindowText);
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < kDots; ++i) {
    // Dots fade behind the bright one, so the ring seems to turn.
    const int behind = (frame_ - i + kDots) % kDots;
    QColor colour = base;
    colour.setAlphaF(1.0 - 0.8 * behind / (kDots - 1));
    painter.setBrush(colour);
    painter.save();
    painter.rotate(360.0 * i / kDots);
    painter.drawEllipse(QPointF(0, -(radius - dot)), dot, dot);
    painter.restore();
  }
}

}  // namespace corvane::shared
