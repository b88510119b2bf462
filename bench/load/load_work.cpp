#include "load/load_work.h"

#include "balance/balance_calculator.h"
#include "balance/clearing.h"
#include "platform/services/object_factory.h"
#include "reconcile/auto_match_run.h"
#include "reconcile/cancel_ticks.h"
#include "reconcile/manual_tick.h"
#include "reconcile/tick_mark.h"
#include "shared/session.h"
#include "statement/statement_store.h"

#include <stdexcept>

namespace corvane::bench {

namespace {

using shared::Session;

const QDate kYearStart(2026, 1, 1);
const QDate kYearEnd(2026, 12, 31);

[[noreturn]] void Fail(const QString& what) { throw std::runtime_error(what.toStdString()); }

}  // namespace

const char* LoadOpName(LoadOp op) {
  static const char* const names[] = {"match", "tick", "untick", "key", "cancel", "clear", "restore"};
  return names[static_cast<int>(op)];
}

AccountWork::AccountWork(const QString& account) : db_(Session::Current().Db()), account_(account) {
  const platform::ResultSet facts =
      db_.Query(QStringLiteral("select dbegin, bd_c from code where ccode=?"), {account});
  if (facts.rows.empty()) Fail(QStringLiteral("no account %1").arg(account));
  loaded_.code = account;
  loaded_.startDate = kYearStart;
  loaded_.endDate = kYearEnd;
  loaded_.reconStart = facts.rows[0][0].ToDate();
  match_ = reconcile::MatchRequestFor(loaded_);
  match_.cutOff = kYearEnd;
  // The conditions the window offers by default: same number and style, 12 days.
  match_.options.bankFx = facts.rows[0][1].ToInt() != 0;
  match_.options.sameNumber = match_.options.sameStyle = match_.options.dateWindow = true;
  match_.options.dayLimit = 12;
}

long long AccountWork::Run(LoadOp op) {
  switch (op) {
    case LoadOp::Match: return Match();
    case LoadOp::Tick: return Tick(false);
    case LoadOp::Untick: return Tick(true);
    case LoadOp::Key: return Key();
    case LoadOp::Cancel: return Cancel();
    case LoadOp::Clear: return Clear();
    case LoadOp::Restore: return Restore();
    case LoadOp::Count: break;
  }
  return 0;
}

long long AccountWork::Match() {
  Session& s = Session::Current();
  if (!reconcile::StoreCutOff(db_, account_, match_.cutOff)) Fail(QStringLiteral("cut-off not stored"));
  // The run writes through a connection of its own, as the window's does.
  const auto own = platform::ObjectFactory::Instance().OpenConnection(db_.GetConnectionString());
  const reconcile::MatchRunResult r =
      reconcile::RunAutoMatching(*own, match_, [&s](const QDate& d) { return s.Common().GetDatePeriod(d); });
  if (!r.Ok()) Fail(QStringLiteral("matching: ") + r.error);
  return r.journalTicked + r.statementTicked;
}

long long AccountWork::Tick(bool untick) {
  Session& s = Session::Current();
  if (!untick) {
    // The line the user clicks: one of the first unticked journal lines by date.
    // Taken in the order of the account's date index: in the order of the key
    // the server walked every line of the accounts before this one, so the
    // users on later accounts paid up to 80 ms a round more than the first.
    const platform::ResultSet line = db_.Query(
        QStringLiteral("select i_id, dbill_date, md, mc from gl_accvouch where ccode=? and bdelete=0 and iperiod<20 "
                       "and (iflagbank=0 or iflagbank is null) order by dbill_date, i_id limit 1 offset ?"),
        {account_, keyed_ % 50});
    if (line.rows.empty()) Fail(QStringLiteral("no unticked journal line"));
    tickedKey_ = QVariant(static_cast<qlonglong>(line.rows[0][0].ToInt()));
    tickedFacts_ = {};
    tickedFacts_.date = line.rows[0][1].ToDate();
    tickedFacts_.debit = !line.rows[0][2].ToMoney().IsZero();
    tickedFacts_.amount = tickedFacts_.debit ? line.rows[0][2].ToMoney() : line.rows[0][3].ToMoney();
  }
  std::optional<int> value;
  if (!untick) value = reconcile::ManualTickValue(s.Common().GetPeriodInfo().CurrentPeriod);
  const reconcile::TickWrite w = reconcile::WriteLineTick(db_, loaded_, false, reconcile::ReconSide::Journal,
                                                          tickedKey_, tickedFacts_, value);
  if (w != reconcile::TickWrite::Written) Fail(QStringLiteral("manual tick refused"));
  tickedFacts_.tick = value;
  return 1;
}

long long AccountWork::Key() {
  statement::StatementContext context;
  context.accountCode = account_;
  context.startDate = loaded_.reconStart;
  statement::StatementStore store(db_, context);
  statement::StatementLine line;
  ++keyed_;
  line.date = QDate(2026, 12, 1 + keyed_ % 28);
  line.settle = QStringLiteral("KEY");
  line.number = QStringLiteral("K%1").arg(keyed_);
  line.debit = keyed_ % 2 == 0;
  line.amount = platform::Money::FromCents(1000 + keyed_);
  if (store.Insert(line) == 0) Fail(QStringLiteral("statement line not written"));
  return 1;
}

long long AccountWork::Cancel() {
  const reconcile::CancelResult r =
      reconcile::CancelTicks(db_, loaded_, reconcile::kLastPeriod, reconcile::CancelScope::Both);
  if (!r.ok) Fail(QStringLiteral("cancel: ") + r.error);
  return r.journalCleared + r.statementCleared;
}

long long AccountWork::Clear() {
  // The figures the user confirms are the ones the clearing window shows.
  const balance::BalanceFigures figures =
      balance::BalanceCalculator::ForAccount(balance::BalanceCalculator::ReadFacts(account_));
  const balance::Clearing::Changed c = balance::Clearing::ClearReconciled(account_, figures);
  if (c.changedMeanwhile) Fail(QStringLiteral("clearing refused: the account is not balanced"));
  return c.journal + c.statement;
}

long long AccountWork::Restore() {
  const balance::Clearing::Changed c = balance::Clearing::RestoreCleared(account_);
  return c.journal + c.statement;
}

}  // namespace corvane::bench
