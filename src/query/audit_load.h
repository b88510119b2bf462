#pragma once

#include "platform/db/db_connection.h"
#include "platform/db/sql_builder.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace corvane::query {

// One run of the long-outstanding audit: unticked, uncleared lines of every bank
// account (book mode: every bank book) dated on or before the cut-off.
struct AuditRequest {
  bool bookMode = false;
  std::optional<QDate> cutOff;  // none: no date bound
  QString homeCurrency;  // an account naming it keeps its home amounts
};

// The cut-off of an audit date and an age in days: the audit date minus the
// days (a negative age puts it after the audit date). No audit date, no bound.
std::optional<QDate> AuditCutOff(const QDate& auditDate, int days);

platform::SqlBuilder AuditStatementQuery(const AuditRequest& r);
platform::SqlBuilder AuditJournalQuery(const AuditRequest& r);

// Texts the rows need that stay the same for a whole run.
struct AuditTexts {
  QString debit;   // the direction text of a debit line
  QString credit;  // and of a credit line
};

// Statement rows: [book code, book name,] account code, account name, date,
// style, number, direction, amount ("#0.00"). Journal rows: [book code, book
// name,] account code, account name, voucher date, bill date, style, number,
// direction, amount, voucher (book mode: flow id), digest. Journal lines whose
// amount is zero to the cent are left out.
std::vector<std::vector<QString>> ReadAuditStatement(platform::DbConnection& db, const AuditRequest& r,
                                                     const AuditTexts& texts);
std::vector<std::vector<QString>> ReadAuditJournal(platform::DbConnection& db, const AuditRequest& r,
                                                   const AuditTexts& texts);

// An age in days as typed ("30", "３０", " -5"), read by platform::ReadWholeNumber
// with a fraction rounded half to the even neighbour; an empty box is 0. Nothing
// for any other text ("abc30", "3O") or a number beyond the 16-bit range.
std::optional<int> AuditDays(const QString& text);

}  // namespace corvane::query
