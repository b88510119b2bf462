#pragma once

#include "platform/db/db_connection.h"
#include "reconcile/recon_load.h"

#include <QVariant>
#include <optional>

namespace corvane::reconcile {

enum class ReconSide { Journal, Statement };

// What became of a manual tick write.
enum class TickWrite {
  Written,
  Missing,           // the line is no longer there (deleted since loading): nothing written
  ChangedMeanwhile,  // another session ticked, unticked, cleared or edited it since loading: nothing written
};

// Writes the tick value of one line of the loaded account: a manual tick (value)
// or none (nullopt, the line is unticked). The journal line is found by i_id, in
// book mode by cFlowID; the statement line by i_id. The write is guarded by what
// the user saw of the line (seen): it must still hold seen.tick (none: unticked),
// not be cleared, and keep its date, direction and amount (on the journal side
// the foreign amounts when foreign). The transaction is serialised on the account.
TickWrite WriteLineTick(platform::DbConnection& db, const ReconLoadRequest& account, bool foreign, ReconSide side,
                        const QVariant& key, const LineFacts& seen, std::optional<int> value);

}  // namespace corvane::reconcile
