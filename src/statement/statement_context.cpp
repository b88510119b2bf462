#include "statement/statement_context.h"

#include "platform/services/accounting_calendar.h"
#include "platform/services/common_services.h"
#include "platform/services/param_object.h"
#include "shared/account_facts.h"
#include "shared/session.h"

namespace corvane::statement {

StatementContext ContextFromSelection(const QString& code, const QDate& startDate) {
  shared::Session& s = shared::Session::Current();
  platform::CommonServices& common = s.Common();
  const platform::ParamObject& param = common.GetParamObject();
  StatementContext c;
  c.bookMode = s.BookMode();
  c.accountCode = code.trimmed();
  if (c.bookMode) {
    // The book is the one chosen (Value4); its account comes from the book itself.
    c.bookCode = param.Value4.trimmed();
    const QString bookAccount = s.Cash().GetBook(c.bookCode).AccountCode.trimmed();
    if (!bookAccount.isEmpty()) c.accountCode = bookAccount;
  }
  c.startDate = startDate;
  c.startPeriodText = param.Value2.trimmed();
  c.endPeriodText = param.Value3.trimmed();
  const platform::AccountingCalendar calendar = common.GetCalendar();
  if (!c.startPeriodText.isEmpty())
    c.lowerBound = calendar.GetPeriodDate(common.GetPeriodNumber(c.startPeriodText) - 1, 0);
  if (!c.endPeriodText.isEmpty())
    c.upperBound = calendar.GetPeriodDate(common.GetPeriodNumber(c.endPeriodText) - 1, 1);
  c.debitDirection = shared::GetAccountDirection(c.LineKey());
  return c;
}

}  // namespace corvane::statement
