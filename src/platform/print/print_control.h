#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace corvane::platform {

// The grid print control a window carries (the windows name it "prnCtrl") and
// hands to GridPrintService::PrintGrid: it ties the print, preview, output and
// page dialogs of a grid print to their window.
class PrintControl : public QObject {
  Q_OBJECT

 public:
  // owner: the window; also the QObject parent.
  explicit PrintControl(QWidget* owner = nullptr);
  QWidget* Owner() const { return owner_.data(); }

 private:
  QPointer<QWidget> owner_;
};

}  // namespace corvane::platform
