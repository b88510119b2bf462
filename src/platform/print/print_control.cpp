#include "platform/print/print_control.h"

#include <QWidget>

namespace corvane::platform {

PrintControl::PrintControl(QWidget* owner) : QObject(owner), owner_(owner) {
  setObjectName(QStringLiteral("prnCtrl"));
}

}  // namespace corvane::platform
