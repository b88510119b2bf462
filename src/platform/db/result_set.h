#pragma once

#include "platform/db/db_value.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace corvane::platform {

// The rows of one SELECT, read whole into memory (a client-side static copy).
struct ResultSet {
  QStringList columns;
  std::vector<std::vector<DbValue>> rows;
};

}  // namespace corvane::platform
