#include "platform/controls/list_grid.h"
#include "shared/grid_filter.h"

#include <gtest/gtest.h>

namespace corvane::shared {
namespace {

using platform::ListGrid;

// The tick-status statement grid: date, style, number, debit, credit, mark; the
// last row is the total row.
void FillTickStatus(ListGrid& grid) {
  grid.SetCols(6);
  grid.FillRows({{"2026.01.05", "202", "ZZ01", "100.00", "", ""},
                 {"2026.02.10", "201", "ZZ02", "", "1,250.50", "○"},
                 {"2026.02.28", "202", "ab7", "99.99", "", "Y"},
                 {"2026.03.01", "", "", "", "100.00", ""},
                 {"合计", "", "", "199.99", "1,350.50", ""}});
}

const FilterColumns kTickStatus{0, 1, 2, 3, 4, -1, -1};

// The audit statement grid: code, name, date, style, number, direction, amount.
void FillAudit(ListGrid& grid) {
  grid.SetCols(7);
  grid.FillRows({{"100201", "工行", "2026.01.05", "202", "ZZ01", "借", "100.00"},
                 {"100201", "工行", "2026.02.10", "201", "ZZ02", "贷", "1250.50"},
                 {"100202", "建行", "2026.03.01", "202", "X1", "贷", "100.00"}});
}

const FilterColumns kAudit{2, 3, 4, -1, -1, 5, 6};

// The conditions as the dialog hands them back after OK.
FilterConditions On(FilterConditions c = {}) {
  c.ExecCom = true;
  c.ExecFilter = true;
  return c;
}

struct Case {
  const char* name;
  FilterConditions conditions;  // taken as confirmed with OK
  std::vector<int> filtered;    // rows the filter shows
  int found;                    // row the find selects, 0 for none
  bool filterOff = false;       // "取消过滤" ticked
};

std::vector<int> Shown(const ListGrid& grid) {
  std::vector<int> rows;
  for (int r = 1; r < grid.Rows(); ++r)
    if (!grid.IsRowHidden(r)) rows.push_back(r);
  return rows;
}

void RunCases(void (*fill)(ListGrid&), const FilterColumns& columns, AmountMatch findMatch, const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    FilterConditions conditions = On(c.conditions);
    conditions.ExecFilter = !c.filterOff;
    ListGrid grid;
    fill(grid);
    ApplyGridFilter(grid, GridRowTest(conditions, columns, AmountMatch::Equal, "借", "贷"));
    EXPECT_EQ(Shown(grid), c.filtered) << c.name;
    ListGrid fresh;
    fill(fresh);
    EXPECT_EQ(FindGridRow(fresh, GridRowTest(conditions, columns, findMatch, "借", "贷")), c.found) << c.name;
  }
}

TEST(GridFilter, TickStatusColumns) {
  RunCases(FillTickStatus, kTickStatus, AmountMatch::AtLeast,
      {
          {"filter off", {.CurCn_id = "nothing"}, {1, 2, 3, 4, 5}, 1, true},
          {"no condition", {}, {1, 2, 3, 4, 5}, 1},
          // Dates compare as text, character by character: the total row "合计"
          // sorts after every date, and a date in another form than the cells'
          // selects by its characters, not by its day.
          {"from a date keeps the total row", {.StartDate = "2026.02.10"}, {2, 3, 4, 5}, 2},
          {"up to a date", {.EndDate = "2026.02.28"}, {1, 2, 3}, 1},
          {"a range in the cells' form", {.StartDate = "2026.02.10", .EndDate = "2026.03.01"}, {2, 3, 4}, 2},
          {"from a date typed with dashes: '-' sorts before '.'", {.StartDate = "2026-2-10"}, {1, 2, 3, 4, 5}, 1},
          {"up to a date typed with slashes: '/' sorts after '.'", {.EndDate = "2026/02/28"}, {1, 2, 3, 4}, 1},
          {"a range written without separators: '.' sorts before '0'",
           {.StartDate = "20260206", .EndDate = "20260301"}, {}, 0},
          {"a one-digit month sorts after every two-digit one", {.StartDate = "2026.2.28", .EndDate = "2026.03.01"},
           {}, 0},
          {"from a date after every line: the total row only", {.StartDate = "2027.01.01"}, {5}, 5},
          {"style", {.CurCn_m = "202"}, {1, 3}, 1},
          // Typed conditions compare character by character, unlike matching keys.
          {"number", {.CurCn_id = "ab7"}, {3}, 3},
          {"number in other letter case", {.CurCn_id = "AB7"}, {}, 0},
          {"number with a trailing blank", {.CurCn_id = "ab7 "}, {}, 0},
          {"number in full-width letters", {.CurCn_id = "ａｂ７"}, {}, 0},
          {"style with a trailing blank", {.CurCn_m = "202 "}, {}, 0},
          {"blank style is no condition", {.CurCn_m = "  "}, {1, 2, 3, 4, 5}, 1},
          {"debit side", {.CurBd_c = 1}, {1, 3, 5}, 1},
          {"credit side", {.CurBd_c = 2}, {2, 4, 5}, 2},
          {"either side equal amount, at least in the find", {.CurMmoney = "100"}, {1, 4}, 1},
          {"amount with separators", {.CurMmoney = "1,250.5"}, {2}, 2},
          {"debit of at least 99.995", {.CurBd_c = 1, .CurMmoney = "99.995"}, {}, 1},
          {"credit at least 1000", {.CurBd_c = 2, .CurMmoney = "1000"}, {}, 2},
          {"an amount that is no number counts 0", {.CurBd_c = 2, .CurMmoney = "abc"}, {1, 3}, 1},
          // An empty cell counts 0 too: at least -100 in the find, never equal in the filter.
          {"a negative amount keeps its sign", {.CurMmoney = "-100"}, {}, 1},
          {"every condition at once",
           {.StartDate = "2026.01.01", .CurCn_m = "201", .CurCn_id = "ZZ02", .CurBd_c = 2, .CurMmoney = "1250.50"},
           {2}, 2},
      });
}

TEST(GridFilter, AuditColumns) {
  RunCases(FillAudit, kAudit, AmountMatch::Equal,
      {
          {"debit direction", {.CurBd_c = 1}, {1}, 1},
          {"credit direction", {.CurBd_c = 2}, {2, 3}, 2},
          {"amount on any direction, equal in the find too", {.CurMmoney = "100.00"}, {1, 3}, 1},
          {"amount the find does not take as at least", {.CurMmoney = "99"}, {}, 0},
          {"credit of 100", {.CurBd_c = 2, .CurMmoney = "100"}, {3}, 3},
          {"date and style", {.EndDate = "2026.02.10", .CurCn_m = "201"}, {2}, 2},
      });
}

TEST(GridFilter, FilterPassesStartAnewAndFindLandsOnHiddenRows) {
  ListGrid grid;
  FillTickStatus(grid);
  ApplyGridFilter(grid, GridRowTest(On({.CurCn_m = "201"}), kTickStatus, AmountMatch::Equal));
  EXPECT_EQ(Shown(grid), (std::vector<int>{2}));
  // A second filter depends on its own conditions only.
  ApplyGridFilter(grid, GridRowTest(On({.CurBd_c = 1}), kTickStatus, AmountMatch::Equal));
  EXPECT_EQ(Shown(grid), (std::vector<int>{1, 3, 5}));
  EXPECT_EQ(grid.Row(), 1);
  // The find ignores what the filter hid, and finds the same row twice.
  const GridRowTest credit(On({.CurBd_c = 2}), kTickStatus, AmountMatch::AtLeast);
  EXPECT_EQ(FindGridRow(grid, credit), 2);
  EXPECT_EQ(FindGridRow(grid, credit), 2);
  EXPECT_EQ(grid.ColSel(), 5);
}

TEST(GridFilter, AGridWithOnlyItsHeadingRow) {
  ListGrid grid;
  grid.SetCols(6);
  grid.SetRows(1);
  EXPECT_EQ(ApplyGridFilter(grid, GridRowTest(On(), kTickStatus, AmountMatch::Equal)), 0);
  EXPECT_EQ(FindGridRow(grid, GridRowTest(On(), kTickStatus, AmountMatch::AtLeast)), 0);
}

TEST(GridFilter, DateKeysOfCellTexts) {
  const std::pair<const char*, int> cases[] = {
      {"2026.03.01", 20260301}, {"2026-3-1", 20260301}, {"2026/12/31", 20261231}, {"", 0},
      {"合计", 0},             {"2026.02.30", 0},      {"26.03.01", 0},        {"2026.03", 0}};
  for (const auto& [text, key] : cases) EXPECT_EQ(DateKey(QString::fromUtf8(text)), key) << text;
}

}  // namespace
}  // namespace corvane::shared
