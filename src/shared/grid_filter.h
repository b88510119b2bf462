#pragma once

#include "platform/db/money.h"
#include "shared/filter_conditions.h"

#include <QString>
#include <optional>

namespace corvane::platform {
class GridBase;
}

namespace corvane::shared {

// Where a list grid keeps what the row filter and the find compare. A grid has
// either two amount columns (debit and credit, the empty one unused) or one
// direction column beside one amount column; the columns it lacks stay -1.
// total: the row that totals the debit and credit columns, -1 when the grid has
// none. It is no line: neither tested nor found, and the filter writes into it
// the totals of the lines it shows.
struct FilterColumns {
  int date = -1;
  int style = -1;
  int number = -1;
  int debit = -1;
  int credit = -1;
  int direction = -1;
  int amount = -1;
  int total = -1;
};

// How an amount condition meets an amount cell: the filter keeps equal amounts;
// the tick-status find stops at the first amount of at least the one asked for.
enum class AmountMatch { Equal, AtLeast };

// The row test of a filter or find pass, with the conditions read once, amounts
// in fixed point. The date range, settlement styles and numbers compare exactly
// as typed, character by character on the character codes (letter case, width
// and a trailing blank all count): the dates are not read as dates, and the
// condition dialog hands dates back in the grids' own "yyyy.mm.dd" form. Amount
// cells are read the way the list grids show them ("#,0.00").
class GridRowTest {
 public:
  // debitText and creditText: the direction texts the grid shows (direction
  // column grids only).
  GridRowTest(const FilterConditions& conditions, const FilterColumns& columns, AmountMatch match,
              const QString& debitText = QString(), const QString& creditText = QString());

  bool Passes(const platform::GridBase& grid, int row) const;
  const FilterColumns& Columns() const { return columns_; }

 private:
  bool AmountHolds(const QString& cell) const;

  FilterColumns columns_;
  AmountMatch match_;
  bool all_ = false;  // the filter is off: every row passes
  QString start_, end_, style_, number_;  // empty: no condition
  int direction_ = 0;
  std::optional<platform::Money> amount_;
  QString debitText_, creditText_;
};

// The filter pass: every line from 1 on is shown (300 twips) or hidden (0) by the
// test, anew each time. The first shown line becomes the current and top row.
// The total row, if any, shows the totals of the lines shown, and is hidden
// when none is. Returns the first shown line, or 0 when no line passes.
int ApplyGridFilter(platform::GridBase& grid, const GridRowTest& test);

// The find pass: the first line from 1 on that passes, hidden or not, becomes the
// current and top row with the whole row selected; the total row is never
// found. Returns it, or 0 (nothing changes then).
int FindGridRow(platform::GridBase& grid, const GridRowTest& test);

// "yyyy.mm.dd" (also "-" or "/" between, one-digit month and day) as yyyymmdd;
// 0 for a text that is no date.
int DateKey(const QString& text);

// The number at the start of an amount text ("1,234.50元" gives 1234.50); an
// empty or non-numeric text gives 0.
platform::Money LeadingAmount(const QString& text);

}  // namespace corvane::shared
