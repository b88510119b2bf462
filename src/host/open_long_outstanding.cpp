#include "host/open_long_outstanding.h"

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

class WaitScope {
 public:
  explicit WaitScope(const QString& text) { shared::ShowWait(text); }
  ~WaitScope() { shared::HideWait(); }
};

// Whether there is an account or book to audit; says so when there is none.
bool AnythingToAudit() {
  Session& s = Session::Current();
  if (s.BookMode()) {
    const SqlBuilder q(QStringLiteral("select count(*) from RP_Book where iBookType=? and dOpenDate is not null"), 2);
    if (s.Db().QueryValue(q.Sql(), q.Params()).ToInt() > 0) return true;
    shared::ShowMsgBox(GetResString(QStringLiteral("corvane.query.nobook")), 0, s.Cash().GetMessageTitle());
    return false;
  }
  const SqlBuilder q(QStringLiteral("select count(*) from code where be=? and bend=?"), 1, 1);
  if (s.Db().QueryValue(q.Sql(), q.Params()).ToInt() > 0) return true;
  shared::ShowMsgBox(GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03526")), 0, GetResString(shared::kTitleKey));
  return false;
}

}  // namespace

QString LongOutstandingFunctionId() {
  return Session::Current().BookMode() ? QStringLiteral("RP0309") : QStringLiteral("GL0408");
}

void OpenLongOutstanding() {
  Session& s = Session::Current();
  if (auto* open = s.windows.Find<query::frmYHCQWD>()) {
    open->show();
    open->raise();
    open->activateWindow();
    return;
  }
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
    shared::ShowMsgBox(QString::fromUtf8(e.what()), 16, GetResString(shared::kTitleKey));
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
