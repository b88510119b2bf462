#include "shared/byte_text.h"

#include "shared/session.h"

namespace corvane::shared {

QString FitToWidth(const QString& s, int width) {
  if (width <= 0) return QString();
  platform::CommonServices& common = Session::Current().Common();
  const QString fitted = common.LeftBytes(s, width);
  return fitted + QString(qMax(0, width - common.GetByteLength(fitted)), QLatin1Char(' '));
}

}  // namespace corvane::shared
