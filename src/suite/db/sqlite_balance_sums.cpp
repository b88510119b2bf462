#include "suite/db/sqlite_balance_sums.h"

#include <sqlite3.h>

#include <optional>
#include <string>
#include <string_view>

namespace corvane::suite {

namespace {

// The four sums of one group and whether any line counted in each.
struct Sums {
  sqlite3_int64 sum[4];
  bool counted[4];
  bool failed;
};

// Thrown inside a step, reported to SQLite by the step.
struct Refused {
  const char* message;
};

// An integer column's value; nothing for NULL.
std::optional<sqlite3_int64> Int(sqlite3_value* v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
      return std::nullopt;
    case SQLITE_INTEGER:
      return sqlite3_value_int64(v);
    default:
      throw Refused{"balance sums: a flag or amount that is no integer"};
  }
}

// A date column's text; nothing for NULL. Dates are "YYYY-MM-DD" texts compared
// byte by byte, as the SQL compares them.
std::optional<std::string_view> Date(sqlite3_value* v) {
  if (sqlite3_value_type(v) == SQLITE_NULL) return std::nullopt;
  if (sqlite3_value_type(v) != SQLITE_TEXT) throw Refused{"balance sums: a date that is no text"};
  const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
  return std::string_view(text, static_cast<size_t>(sqlite3_value_bytes(v)));
}

bool Is(const std::optional<sqlite3_int64>& v, sqlite3_int64 n) { return v && *v == n; }
bool Unticked(const std::optional<sqlite3_int64>& tick) { return !tick || *tick == 0; }

// The date conditions of a line: up to the end date (none: no bound), and in the
// range from the start date on as well. A missing line or start date is in neither,
// as SQL's comparisons with NULL are never true.
struct Dates {
  bool toEnd = false;
  bool inRange = false;
};

Dates DatesOf(sqlite3_value* date, sqlite3_value* start, sqlite3_value* end) {
  const auto d = Date(date), s = Date(start), e = Date(end);
  Dates out;
  out.toEnd = !e || (d && *d <= *e);
  out.inRange = out.toEnd && d && s && *d >= *s;
  return out;
}

void Overflowed() { throw Refused{"integer overflow"}; }

sqlite3_int64 Difference(sqlite3_int64 a, sqlite3_int64 b) {
  sqlite3_int64 r = 0;
  if (__builtin_sub_overflow(a, b, &r)) Overflowed();
  return r;
}

void Add(Sums& s, int which, const std::optional<sqlite3_int64>& amount) {
  if (!amount) return;
  if (__builtin_add_overflow(s.sum[which], *amount, &s.sum[which])) Overflowed();
  s.counted[which] = true;
}

void BankLine(Sums& s, sqlite3_value** v) {
  const auto deleted = Int(v[0]), tick = Int(v[1]), bdc = Int(v[2]), money = Int(v[3]);
  const Dates dates = DatesOf(v[4], v[5], v[6]);
  if (dates.inRange && (Is(deleted, 1) || Is(deleted, 0))) {
    const std::optional<sqlite3_int64> signedMoney =
        money ? std::optional(Is(bdc, 1) ? *money : Difference(0, *money)) : std::nullopt;
    Add(s, Is(deleted, 1) ? 0 : 1, signedMoney);
  }
  if (!Is(deleted, 0) || !Unticked(tick) || !dates.toEnd) return;
  // bd_c 1 is a debit line, any other value (none included) a credit line.
  Add(s, Is(bdc, 1) ? 2 : 3, money);
}

void JournalLine(Sums& s, sqlite3_value** v) {
  const auto deleted = Int(v[0]), tick = Int(v[1]), period = Int(v[2]), md = Int(v[3]), mc = Int(v[4]);
  const Dates dates = DatesOf(v[5], v[6], v[7]);
  if (dates.inRange && period && *period != 21 && (Is(deleted, 1) || Is(deleted, 0)))
    Add(s, Is(deleted, 1) ? 0 : 1, md && mc ? std::optional(Difference(*md, *mc)) : std::nullopt);
  if (!Is(deleted, 0) || !Unticked(tick) || !dates.toEnd) return;
  Add(s, 2, md);
  Add(s, 3, mc);
}

template <void (*Line)(Sums&, sqlite3_value**)>
void Step(sqlite3_context* context, int, sqlite3_value** values) {
  auto* sums = static_cast<Sums*>(sqlite3_aggregate_context(context, sizeof(Sums)));
  if (!sums) {
    sqlite3_result_error_nomem(context);
    return;
  }
  if (sums->failed) return;
  try {
    Line(*sums, values);
  } catch (const Refused& r) {
    sums->failed = true;
    sqlite3_result_error(context, r.message, -1);
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

}  // namespace

void RegisterBalanceSums(sqlite3* db) {
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  sqlite3_create_function_v2(db, kBankSumsFunction, 7, flags, nullptr, nullptr, &Step<BankLine>, &Final, nullptr);
  sqlite3_create_function_v2(db, kJournalSumsFunction, 8, flags, nullptr, nullptr, &Step<JournalLine>, &Final,
                             nullptr);
}

}  // namespace corvane::suite
