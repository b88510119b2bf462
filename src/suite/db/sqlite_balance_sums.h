#pragma once

#include <string>

struct sqlite3;

namespace corvane::suite {

// The balance statement's aggregates, registered on every SQLite connection (as
// the "ci" collation is). Each decides its side's conditions for a line in one
// call and keeps the side's four sums, so that a query sums each side in one pass
// without the four CASE columns' tests in SQL. The query picks the lines by date
// (through the date index): the "sums" aggregates take an account's lines in its
// range (from the start date up to the end date), the "unticked" ones its lines
// before that range that still count as unticked (up to the end date):
//
//   corvane_bank_sums(bdelete, iflag, bd_c, mmoney, ddate)
//   corvane_bank_unticked(bdelete, iflag, bd_c, mmoney, ddate)
//   corvane_journal_sums(bdelete, iflagbank, iperiod, md, mc, date)
//   corvane_journal_unticked(bdelete, iflagbank, iperiod, md, mc, date)
//
// All give "s1;s2;s3;s4", each sum a count of ten-thousandths, empty when no line
// counted in it (where sum() gives NULL). Bank: cleared signed, live signed,
// unticked debit, unticked credit; journal: cleared debit-minus-credit, live
// debit-minus-credit (period 21 left out of both), unticked debit, unticked
// credit. The "unticked" aggregates leave the first two empty. A sum that leaves
// 64 bits is an error ("integer overflow"), as sum() says; so is a value of a type
// the column cannot hold, and a date that is not "YYYY-MM-DD" of a calendar day
// (the query's text comparisons cannot place it): those two fail as
// SQLITE_MISMATCH, which the connection reads as a value it cannot read. A
// refusal puts the date it refused into *refusedDate (empty when it refused no
// date), which the connection keeps, so that it can name the date.
void RegisterBalanceSums(sqlite3* db, std::string* refusedDate);

// Their names, for the SQL that calls them.
inline constexpr const char* kBankSumsFunction = "corvane_bank_sums";
inline constexpr const char* kBankUntickedFunction = "corvane_bank_unticked";
inline constexpr const char* kJournalSumsFunction = "corvane_journal_sums";
inline constexpr const char* kJournalUntickedFunction = "corvane_journal_unticked";

// Whether name is one of them.
bool IsBalanceSumsFunction(const char* name);

}  // namespace corvane::suite
