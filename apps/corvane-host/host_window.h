#pragma once

#include <QMainWindow>

namespace corvane::host {
class clsProductFacade;
}

// The suite's shell around the component: one button per function, each calling
// the component's CallFunction with its menu id.
class HostWindow : public QMainWindow {
  Q_OBJECT

 public:
  HostWindow(corvane::host::clsProductFacade& facade, const QString& subtitle);

 private:
  corvane::host::clsProductFacade& facade_;
};
