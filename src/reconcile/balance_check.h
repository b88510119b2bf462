#pragma once

#include "platform/db/db_connection.h"
#include "platform/db/money.h"
#include "reconcile/recon_load.h"

#include <QVariant>
#include <optional>

namespace corvane::reconcile {

// The ticked totals of both sides of one account: what the balance check shows.
// A side without a ticked line has no total (the database sum is NULL).
struct BalanceTotals {
  std::optional<platform::Money> qyJf;  // journal debit
  std::optional<platform::Money> qyDf;  // journal credit
  std::optional<platform::Money> yhJf;  // statement debit
  std::optional<platform::Money> yhDf;  // statement credit
};

// Sums the ticked lines (automatic and manual alike) of the account the window
// loaded: in account mode gl_accvouch and rp_bankrecp by account code, in book
// mode RP_Flow and rp_bankrecp_rp by account and book code. The lines counted are
// those the window's lists admit, whatever their date range or show mode: posted,
// not cleared, not the journal opening (period 20), no opening item (period 21)
// dated on or after the reconciliation start date, no statement opening row. A
// foreign-currency account sums the journal's foreign amounts. Throws DbError,
// of Kind::Unreadable when a line summed holds a date that cannot be read.
BalanceTotals SumTickedTotals(platform::DbConnection& db, const ReconLoadRequest& account, bool foreign);

// Whether the ticked amounts of the two sides balance: the journal's net (debit
// less credit) against the statement's net seen from the journal, to within a
// cent. With bankFx false a journal debit faces a statement credit; with true it
// faces a statement debit. A missing total counts as 0.
bool TotalsBalance(const BalanceTotals& totals, bool bankFx);

// The window keeps the totals in QVariant public variables: NULL for no total,
// otherwise a Money.
QVariant TotalVariant(const std::optional<platform::Money>& total);
// A total back from such a variable; NULL (and anything that is no amount) is 0.
platform::Money TotalOf(const QVariant& value);

}  // namespace corvane::reconcile
