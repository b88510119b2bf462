#pragma once

#include "platform/db/db_connection.h"

#include <QVariant>
#include <optional>

namespace corvane::reconcile {

enum class ReconSide { Journal, Statement };

// Writes the tick value of one line: a manual tick (value) or none (nullopt, the
// line is unticked). The journal line is found by i_id, in book mode by cFlowID;
// the statement line by i_id. False when the line is no longer there (deleted or
// cleared since loading): nothing is written then.
bool WriteLineTick(platform::DbConnection& db, ReconSide side, bool bookMode, const QVariant& key,
                   std::optional<int> value);

}  // namespace corvane::reconcile
