#pragma once

#include <QString>

namespace corvane::shared {

// s cut or padded with blanks to exactly width bytes (nothing for a width below
// 1). Bytes are counted by the session's CommonServices (GetByteLength,
// LeftBytes): the suite's Chinese text encoding, where a Chinese character takes
// two. A character straddling the edge is dropped whole and a blank takes its
// place, so the columns after it stay where they belong.
QString FitToWidth(const QString& s, int width);

}  // namespace corvane::shared
