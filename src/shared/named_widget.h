#pragma once

#include <QString>

namespace corvane::shared {

// Gives a control the design name by which captions, tests and the right-click
// menu find it, and hands it back for the layout call it is built in.
template <class W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace corvane::shared
