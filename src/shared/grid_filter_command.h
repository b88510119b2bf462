#pragma once

#include "shared/filter_conditions.h"
#include "shared/grid_filter.h"

#include <QtGlobal>

class QWidget;

namespace corvane::platform {
class GridBase;
}

namespace corvane::shared {

// Says that a filter or find pass found no line: a filter that hides every row
// must not leave an empty grid to be taken for an account without lines.
void SayNothingFound();

// The filter and find commands of a list window whose grids have a FilterColumns
// map: ask the conditions in the condition entry dialog (pre-filled with the
// window's last ones, handed back to this window only), then run the pass on the
// grid the window shows. Built once; each window gives its dialog mode, its
// column maps and how its find compares amounts.
class GridFilterFind {
 public:
  // owner: the window keeping the conditions; dialogMode: frmYHFilter::YhOrQy.
  GridFilterFind(FilterConditionOwner& owner, QWidget* window, quint8 dialogMode, AmountMatch findMatch);

  // Direction texts of grids that have a direction column.
  void SetDirectionTexts(const QString& debitText, const QString& creditText);

  // The filter command on grid: the rows that fail the conditions are hidden, and
  // the total row the columns name totals the lines shown; none left:
  // SayNothingFound. "取消过滤" shows every row again. Cancel changes nothing.
  void FilterRows(platform::GridBase& grid, const FilterColumns& columns);
  // The find command: the first row from the top that meets the conditions is
  // selected; none: SayNothingFound.
  void FindRows(platform::GridBase& grid, const FilterColumns& columns);

 private:
  // Shows the dialog; true when the pass is to run (OK).
  bool AskConditions(bool find);

  FilterConditionOwner& owner_;
  QWidget* window_;
  quint8 mode_;
  AmountMatch findMatch_;
  QString debitText_, creditText_;
};

}  // namespace corvane::shared
