#include "platform/print/byte_padding.h"

#include <algorithm>

namespace corvane::platform {

QString PadToByteWidth(const QString& text, int textBytes, int widthBytes) {
  return text + QString(std::max(0, widthBytes - textBytes), QLatin1Char(' '));
}

}  // namespace corvane::platform
