#include "platform/controls/grid_types.h"

namespace corvane::platform {

Qt::Alignment AlignmentFromCode(int code) {
  if (code < 0 || code > 8) return Qt::AlignLeft | Qt::AlignVCenter;
  static constexpr Qt::AlignmentFlag kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
  static constexpr Qt::AlignmentFlag kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
  return kHorizontal[code / 3] | kVertical[code % 3];
}

}  // namespace corvane::platform
