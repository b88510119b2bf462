#pragma once

#include <vector>

namespace corvane::suite {

// What a printed column asks of the page's width.
struct ColumnNeed {
  double share = 0;  // the grid's width of the column: its part of the room to spare
  double whole = 0;  // what must fit on one line: its widest figure, or a text's widest word; with the padding
  double wish = 0;   // its widest cell of any kind (a whole digest too), with the padding
  double keep = 0;   // a text's width in the grid, up to its wish: what it keeps while the page has room
};

// Widths of the shown columns across a page. When every column's widest cell
// fits, each gets at least that; otherwise each gets at least its widest date,
// amount, number or word, the texts as much of their width in the grid as the
// page leaves them, and the texts wrap. The room left over is shared in the
// grid's proportions: a column wider in the grid than its texts need keeps its
// width as far as the page allows. When not even the dates, amounts and
// numbers and words fit, the widths are those needs scaled down to the page.
class ColumnFit {
 public:
  enum class Level { AllWhole, TextsWrap, TooNarrow };

  ColumnFit(const std::vector<ColumnNeed>& columns, double pageWidth);

  Level Reached() const { return level_; }
  const std::vector<double>& Widths() const { return widths_; }

  // The level the needs reach on that width, without laying them out.
  static Level LevelOf(const std::vector<ColumnNeed>& columns, double pageWidth);

 private:
  void Share(const std::vector<ColumnNeed>& columns, const std::vector<double>& floor, double pageWidth);

  Level level_ = Level::TooNarrow;
  std::vector<double> widths_;
};

}  // namespace corvane::suite
