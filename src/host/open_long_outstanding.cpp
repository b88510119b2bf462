#include "host/open_long_outstanding.h"
#include "host/opener_steps.h"

#include "platform/db/sql_builder.h"
#include "query/frm_yhcqwd.h"
#include "query/frm_yhcqwdtj.h"
#include "shared/function_claim.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/wait_window.h"

#include <exception>

namespace corvane::host {

using platform::SqlBuilder;
using shared::GetResString;
using shared::Session;

namespace {

// Whether there is an account or book to audit; says so when there is none.
bool AnythingToAudit() {
  Session& s = Session::Current();
  const SqlBuilder q = s.BookMode()
      ? SqlBuilder(QStringLiteral("select count(*) from RP_Book where iBookType=? and dOpenDate is not null"), 2)
      : SqlBuilder(QStringLiteral("select count(*) from code where be=? and bend=?"), 1, 1);
  if (s.Db().QueryValue(q.Sql(), q.Params()).ToInt() > 0) return true;
  RefuseNothingToChoose(QStringLiteral("corvane.query.nobook"));
  return false;
}

}  // namespace

QString LongOutstandingFunctionId() {
  return Session::Current().BookMode() ? QStringLiteral("RP0309") : QStringLiteral("GL0408");
}

void OpenLongOutstanding() {
  Session& s = Session::Current();
  if (BringToFront(s.windows.Find<query::frmYHCQWD>())) return;
  const QString functionId = LongOutstandingFunctionId();
  QString date;
  int days = 0;
  try {
    if (!AnythingToAudit()) return;
    platform::ParamObject& param = s.Common().GetParamObject();
    param.Confirmed = false;
    query::frmYHCQWDTJ dialog;
    if (!dialog.ShowModal() || !param.Confirmed) return;
    date = param.Value1;
    days = param.Value2.toInt();
    if (!shared::ClaimFunction(functionId, true)) return;
  } catch (const std::exception& e) {
    ShowFailure(e);
    return;
  }
  query::frmYHCQWD* window = &s.windows.Get<query::frmYHCQWD>();
  window->SetHeld(functionId);
  bool loaded = false;
  {
    WaitScope wait(GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03553")));
    loaded = window->LoadData(date, days);
  }
  if (!loaded) {
    // The window never opens: closing it gives the function back, then it goes.
    window->close();
    s.windows.Unload<query::frmYHCQWD>();
    return;
  }
  window->show();
  window->Picture2()->setFocus();
}

}  // namespace corvane::host
