#pragma once

#include "platform/db/db_connection.h"
#include "reconcile/recon_load.h"

#include <QDate>
#include <QString>

namespace corvane::reconcile {

// How two lines (or two groups of lines) are allowed to pair. The opposite
// direction and the same amount always apply; the rest are the user's choices.
struct MatchOptions {
  // Balance direction of the account. False: a journal debit faces a statement
  // credit and a journal credit a statement debit; true: debit faces debit.
  bool bankFx = false;
  bool sameNumber = false;  // settlement numbers must agree; also runs the grouped pass
  bool sameStyle = false;   // settlement styles must agree (in both passes)
  bool dateWindow = false;  // the two dates may be at most dayLimit days apart
  int dayLimit = 0;         // a negative limit counts as 0
};

// One automatic matching run on one account (in book mode one bank book): which
// lines take part and how they pair. The window fills it from its own state.
struct MatchRequest {
  QString code;      // account code; in book mode the book's account code
  QString bookCode;  // book mode only
  bool bookMode = false;
  bool foreign = false;  // the journal amounts are the foreign-currency ones
  QDate reconStart;      // opening items (period 21) dated from it on take no part; invalid: none left out
  QDate startDate;       // period range; invalid: no bound
  QDate endDate;
  QDate cutOff;          // nothing dated after it takes part; invalid: no cut-off
  MatchOptions options;
};

// The account, book and period range of what the window shows, so the matching
// never reaches lines the user cannot see. Direction, currency, cut-off and the
// options are left for the caller.
MatchRequest MatchRequestFor(const ReconLoadRequest& loaded);

// Stores the requested cut-off as the account's last matching end date (Dend of
// table code; NULL when there is none). Other functions read it as the last
// requested cut-off, so it is written before matching and stays even when the run
// finds nothing or fails. False when the account has no row in code. Throws
// DbError when the database refuses.
bool StoreCutOff(platform::DbConnection& db, const QString& code, const QDate& cutOff);

}  // namespace corvane::reconcile
