#include "reconcile/match_request.h"

namespace corvane::reconcile {

MatchRequest MatchRequestFor(const ReconLoadRequest& loaded) {
  MatchRequest r;
  r.code = loaded.code;
  r.bookCode = loaded.bookCode;
  r.bookMode = loaded.bookMode;
  r.reconStart = loaded.reconStart;
  r.startDate = loaded.startDate;
  r.endDate = loaded.endDate;
  return r;
}

bool StoreCutOff(platform::DbConnection& db, const QString& code, const QDate& cutOff) {
  // An invalid date binds as NULL: no cut-off. A run with the same cut-off as the
  // last one leaves the row as it is: rewriting it would only add a row version.
  if (db.Execute(QStringLiteral("update code set dend=? where ccode=? and dend is distinct from ?"),
                 {cutOff, code, cutOff}) > 0)
    return true;
  return !db.QueryValue(QStringLiteral("select ccode from code where ccode=?"), {code}).IsNull();
}

}  // namespace corvane::reconcile
