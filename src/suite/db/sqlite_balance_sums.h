#pragma once

struct sqlite3;

namespace corvane::suite {

// The balance statement's two aggregates, registered on every SQLite connection
// (as the "ci" collation is). Each decides its side's conditions for a line in
// one call and keeps the side's four sums, so the grouped query sums each side
// in one pass without the four CASE columns' tests in SQL:
//
//   corvane_bank_sums(bdelete, iflag, bd_c, mmoney, ddate, dstart, dend)
//   corvane_journal_sums(bdelete, iflagbank, iperiod, md, mc, date, dstart, dend)
//
// Both give "s1;s2;s3;s4", each sum a count of ten-thousandths, empty when no
// line counted in it (where sum() gives NULL). Bank: cleared signed, live signed,
// unticked debit, unticked credit; journal: cleared debit-minus-credit, live
// debit-minus-credit, unticked debit, unticked credit. "In range" is the date
// from dstart up to dend (none: no upper bound), for the journal outside period 21;
// the unticked sums take live lines up to dend. A sum that leaves 64 bits is an
// error ("integer overflow"), as sum() says; so is a value of a type the column
// cannot hold.
void RegisterBalanceSums(sqlite3* db);

// Their names, for the SQL that calls them.
inline constexpr const char* kBankSumsFunction = "corvane_bank_sums";
inline constexpr const char* kJournalSumsFunction = "corvane_journal_sums";

}  // namespace corvane::suite
