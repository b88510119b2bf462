#pragma once

#include <QTimer>
#include <QWidget>

namespace corvane::shared {

// The wait window's small animation: a ring of dots whose bright spot turns while
// the window waits. It is drawn by the widget itself, so nothing has to be found
// on disk for it.
class WaitSpinner : public QWidget {
  Q_OBJECT

 public:
  explicit WaitSpinner(QWidget* parent = nullptr);

  void Play();
  void Stop();
  bool IsPlaying() const { return timer_.isActive(); }
  // The dot that is brightest now, 0 to kDots - 1.
  int Frame() const { return frame_; }

  static constexpr int kDots = 12;

  QSize sizeHint() const override { return {32, 32}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Advance();

  QTimer timer_;
  int frame_ = 0;
};

}  // namespace corvane::shared
