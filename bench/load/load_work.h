#pragma once

#include "platform/db/db_connection.h"
#include "reconcile/match_request.h"
#include "reconcile/recon_load.h"

#include <QString>
#include <array>

namespace corvane::bench {

// The kinds of work one user repeats on an account, in the order of a round.
enum class LoadOp { Match, Tick, Untick, Key, Cancel, Clear, Restore, Count };
constexpr int kLoadOps = static_cast<int>(LoadOp::Count);
const char* LoadOpName(LoadOp op);

// One user's work on one bank account of the logged-in session, through the
// classes the windows call: the automatic matching (cut-off stored, then the run
// on a connection of its own, as the reconciliation window does it), a manual
// tick of an unticked journal line and its untick, a statement line keyed in,
// the cancel of the last period's ticks, and clearing followed by its restore.
class AccountWork {
 public:
  explicit AccountWork(const QString& account);

  // Does one piece of work; gives the number of rows it changed. A refusal or a
  // failure ends the benchmark with its text (nothing here is expected to fail).
  long long Run(LoadOp op);

 private:
  long long Match();
  long long Tick(bool untick);
  long long Key();
  long long Cancel();
  long long Clear();
  long long Restore();

  platform::DbConnection& db_;
  QString account_;
  reconcile::ReconLoadRequest loaded_;
  reconcile::MatchRequest match_;
  QVariant tickedKey_;  // the line Tick ticked, for Untick
  reconcile::LineFacts tickedFacts_;
  int keyed_ = 0;
};

// Every run of a kind of work: how often, the rows it changed and the server's
// log bytes it cost.
struct OpTally {
  std::array<long long, kLoadOps> runs{};
  std::array<long long, kLoadOps> rows{};
  std::array<double, kLoadOps> walBytes{};
};

}  // namespace corvane::bench
