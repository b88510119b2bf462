#include "reconcile/auto_match_run.h"

#include "platform/db/db_error.h"
#include "reconcile/auto_match.h"
#include "reconcile/group_match.h"
#include "reconcile/match_candidates.h"
#include "reconcile/match_writer.h"
#include "shared/messages.h"

#include <exception>

namespace corvane::reconcile {

namespace {

QString TextOf(const std::exception& e) {
  const auto* db = dynamic_cast<const platform::DbError*>(&e);
  return db && !db->IsConnectionLost() ? db->Message() : shared::FailureText(e);
}

// Runs one stage; a failure is recorded in the result and ends the run.
template <class Step>
bool Stage(MatchRunResult& result, const MatchProgress& progress, MatchStage stage, Step step) {
  try {
    if (progress) progress(stage, 0);
    step();
    return true;
  } catch (const ChangedMeanwhile& e) {
    result.failedAt = stage;
    result.changedMeanwhile = true;
    result.error = QString::fromUtf8(e.what());
    return false;
  } catch (const std::exception& e) {
    result.failedAt = stage;
    result.error = TextOf(e);
    const auto* db = dynamic_cast<const platform::DbError*>(&e);
    result.busy = db && db->IsBusy();
    return false;
  }
}

}  // namespace

MatchRunResult RunAutoMatching(platform::DbConnection& db, const MatchRequest& request, const PeriodOf& periodOf,
                               const MatchProgress& progress) {
  MatchRunResult result;
  MatchCandidates lines;
  MatchSide reading = MatchSide::Journal;
  if (!Stage(result, progress, MatchStage::Load, [&] {
        lines.journal = LoadJournalCandidates(db, request);
        reading = MatchSide::Statement;
        lines.statement = LoadStatementCandidates(db, request);
      })) {
    result.unreadSide = reading;
    return result;
  }
  AlignNumberKeys(lines);
  if (lines.journal.empty() || lines.statement.empty()) {
    result.nothingToMatch = true;
    return result;
  }
  auto stepsOf = [&progress](MatchStage stage) -> StepReport {
    if (!progress) return {};
    return [&progress, stage](long long steps) { progress(stage, steps); };
  };
  PassTicks oneToOne;
  if (!Stage(result, progress, MatchStage::OneToOne, [&] {
        oneToOne = MatchOneToOne(lines, request.options, periodOf, stepsOf(MatchStage::OneToOne));
        WriteTicks(db, request, lines, oneToOne);
      }))
    return result;
  result.oneToOnePairs = oneToOne.pairs;
  result.journalTicked = oneToOne.JournalTicked();
  result.statementTicked = oneToOne.StatementTicked();
  if (!request.options.sameNumber) return result;
  Stage(result, progress, MatchStage::Grouped, [&] {
    const PassTicks groups = MatchGroups(lines, oneToOne, request.options, periodOf, stepsOf(MatchStage::Grouped));
    WriteTicks(db, request, lines, groups);
    result.groupPairs = groups.pairs;
    result.journalTicked += groups.JournalTicked();
    result.statementTicked += groups.StatementTicked();
  });
  return result;
}

}  // namespace corvane::reconcile
