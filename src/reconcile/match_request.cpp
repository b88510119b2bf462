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
  // An invalid date binds as NULL: no cut-off.
  return db.Execute(QStringLiteral("update code set dend=? where ccode=?"), {cutOff, code}) > 0;
}

}  // namespace corvane::reconcile
