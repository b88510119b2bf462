#pragma once

#include "platform/db/db_connection.h"

#include <QVariant>
#include <optional>

namespace corvane::reconcile {

enum class ReconSide { Journal, Statement };

// What became of a manual tick write.
enum class TickWrite {
  Written,
  Missing,           // the line is no longer there (deleted since loading): nothing written
  ChangedMeanwhile,  // another session ticked, unticked or cleared it since loading: nothing written
};

// Writes the tick value of one line: a manual tick (value) or none (nullopt, the
// line is unticked). The journal line is found by i_id, in book mode by cFlowID;
// the statement line by i_id. The write is guarded by the state the user saw:
// shown is the tick value loaded for the line (none: unticked), and the line must
// still hold it and not be cleared.
TickWrite WriteLineTick(platform::DbConnection& db, ReconSide side, bool bookMode, const QVariant& key,
                        std::optional<int> shown, std::optional<int> value);

}  // namespace corvane::reconcile
