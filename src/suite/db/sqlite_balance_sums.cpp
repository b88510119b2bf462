#include "suite/db/sqlite_balance_sums.h"

#include <sqlite3.h>

#include <cstring>
#include <limits>
#include <string>

namespace corvane::suite {

namespace {

// The four sums of one group and whether any line counted in each.
struct Sums {
  sqlite3_int64 sum[4];
  bool counted[4];
  bool failed;
};

// Thrown inside a step, reported to SQLite by the step.
// A value the aggregate cannot read (not a sum that overflowed) is said as the
// layer says a column it cannot read: SQLITE_MISMATCH, read as DbError's Unreadable.
struct Refused {
  std::string message;
  bool unreadable;
  std::string date;  // the date refused, when it was a date
};

// Out of line, so that the readers that may refuse stay small enough to inline.
[[noreturn, gnu::cold, gnu::noinline]] void Refuse(const char* message, bool unreadable = false) {
  throw Refused{message, unreadable, {}};
}

// A line's date as the date columns hold it, "YYYY-MM-DD" of a calendar day. The
// query picked the line by comparing that text with its bounds, which places no
// other text right ("2026-01-32" sorts among January's days): such a line is in
// no sum, the whole aggregate fails naming it. A line without a date passes.
bool DigitsOf(const unsigned char* t, int from, int count, int& out) {
  out = 0;
  for (int i = from; i < from + count; ++i) {
    if (t[i] < '0' || t[i] > '9') return false;
    out = out * 10 + (t[i] - '0');
  }
  return true;
}

bool IsDayText(const unsigned char* t, int bytes) {
  int y = 0, m = 0, d = 0;
  if (bytes != 10 || t[4] != '-' || t[7] != '-' || !DigitsOf(t, 0, 4, y) || !DigitsOf(t, 5, 2, m) ||
      !DigitsOf(t, 8, 2, d) || y < 1 || m < 1 || m > 12 || d < 1)
    return false;
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
  return d <= (m == 2 && !leap ? 28 : kDays[m - 1]);
}

[[noreturn, gnu::cold, gnu::noinline]] void RefuseDate(sqlite3_value* v) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
  const std::string date = text ? text : "";
  throw Refused{"balance sums: the date \"" + date + "\" is no calendar day", true, date};
}

void RequireDay(sqlite3_value* v) {
  const int type = sqlite3_value_type(v);
  if (type == SQLITE_NULL) return;
  if (type != SQLITE_TEXT || !IsDayText(sqlite3_value_text(v), sqlite3_value_bytes(v))) RefuseDate(v);
}

// An integer column's value into out, with one type test; false for NULL.
bool IntOf(sqlite3_value* v, sqlite3_int64& out) {
  const int type = sqlite3_value_type(v);
  if (type == SQLITE_INTEGER) {
    out = sqlite3_value_int64(v);
    return true;
  }
  if (type != SQLITE_NULL) Refuse("balance sums: a flag or amount that is no integer", true);
  return false;
}

// A flag's value, kNoFlag for NULL: a value no small integer column can hold, so a
// stored -1 stays a value of its own.
constexpr sqlite3_int64 kNoFlag = std::numeric_limits<sqlite3_int64>::min();
sqlite3_int64 FlagOf(sqlite3_value* v) {
  sqlite3_int64 n = kNoFlag;
  return IntOf(v, n) ? n : kNoFlag;
}

// Unticked: NULL or 0.
bool Unticked(sqlite3_int64 tick) { return tick == kNoFlag || tick == 0; }

// bdelete 1 is a cleared line, 0 a live one; a line with any other value is in no sum.
bool ClearedOrLive(sqlite3_int64 deleted) { return deleted == 0 || deleted == 1; }

[[noreturn]] void Overflowed() { Refuse("integer overflow"); }

sqlite3_int64 Difference(sqlite3_int64 a, sqlite3_int64 b) {
  sqlite3_int64 r = 0;
  if (__builtin_sub_overflow(a, b, &r)) Overflowed();
  return r;
}

void Add(Sums& s, int which, sqlite3_int64 amount) {
  if (__builtin_add_overflow(s.sum[which], amount, &s.sum[which])) Overflowed();
  s.counted[which] = true;
}

// bdelete, iflag, bd_c, mmoney. Lines in the range count in all four sums, lines
// before it in the unticked ones only.
template <bool InRange>
void BankLine(Sums& s, sqlite3_value** v) {
  const sqlite3_int64 deleted = FlagOf(v[0]);
  sqlite3_int64 money = 0;
  if (!ClearedOrLive(deleted) || !IntOf(v[3], money)) return;
  const bool debit = FlagOf(v[2]) == 1;  // bd_c 1 is a debit line, any other value (none included) a credit line
  if (InRange) Add(s, deleted == 1 ? 0 : 1, debit ? money : Difference(0, money));
  if (deleted == 0 && Unticked(FlagOf(v[1]))) Add(s, debit ? 2 : 3, money);
}

// bdelete, iflagbank, iperiod, md, mc; opening items (period 21) count in neither
// the cleared nor the live sum.
template <bool InRange>
void JournalLine(Sums& s, sqlite3_value** v) {
  const sqlite3_int64 deleted = FlagOf(v[0]);
  if (!ClearedOrLive(deleted)) return;
  sqlite3_int64 md = 0, mc = 0, period = 0;
  const bool hasDebit = IntOf(v[3], md), hasCredit = IntOf(v[4], mc);
  if (InRange && hasDebit && hasCredit && IntOf(v[2], period) && period != 21)
    Add(s, deleted == 1 ? 0 : 1, Difference(md, mc));
  if (deleted != 0 || !Unticked(FlagOf(v[1]))) return;
  if (hasDebit) Add(s, 2, md);
  if (hasCredit) Add(s, 3, mc);
}

// The line's date is the last argument.
template <void (*Line)(Sums&, sqlite3_value**)>
void Step(sqlite3_context* context, int arguments, sqlite3_value** values) {
  auto* sums = static_cast<Sums*>(sqlite3_aggregate_context(context, sizeof(Sums)));
  if (!sums) {
    sqlite3_result_error_nomem(context);
    return;
  }
  if (sums->failed) return;
  try {
    RequireDay(values[arguments - 1]);
    Line(*sums, values);
  } catch (const Refused& r) {
    sums->failed = true;
    *static_cast<std::string*>(sqlite3_user_data(context)) = r.date;
    sqlite3_result_error(context, r.message.c_str(), -1);
    if (r.unreadable) sqlite3_result_error_code(context, SQLITE_MISMATCH);
  }
}

void Final(sqlite3_context* context) {
  const auto* sums = static_cast<const Sums*>(sqlite3_aggregate_context(context, 0));
  std::string text;
  for (int i = 0; i < 4; ++i) {
    if (i) text += ';';
    if (sums && sums->counted[i]) text += std::to_string(sums->sum[i]);
  }
  sqlite3_result_text(context, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

template <void (*Line)(Sums&, sqlite3_value**)>
void Register(sqlite3* db, const char* name, int arguments, std::string* refusedDate) {
  sqlite3_create_function_v2(db, name, arguments, SQLITE_UTF8 | SQLITE_DETERMINISTIC, refusedDate, nullptr, &Step<Line>,
                             &Final, nullptr);
}

}  // namespace

void RegisterBalanceSums(sqlite3* db, std::string* refusedDate) {
  Register<BankLine<true>>(db, kBankSumsFunction, 5, refusedDate);
  Register<BankLine<false>>(db, kBankUntickedFunction, 5, refusedDate);
  Register<JournalLine<true>>(db, kJournalSumsFunction, 6, refusedDate);
  Register<JournalLine<false>>(db, kJournalUntickedFunction, 6, refusedDate);
}

bool IsBalanceSumsFunction(const char* name) {
  for (const char* own : {kBankSumsFunction, kBankUntickedFunction, kJournalSumsFunction, kJournalUntickedFunction})
    if (std::strcmp(name, own) == 0) return true;
  return false;
}

}  // namespace corvane::suite
