#include "suite/print/report_columns.h"

#include <algorithm>
#include <numeric>

namespace corvane::suite {

namespace {

double SumOf(const std::vector<ColumnNeed>& columns, double ColumnNeed::*field) {
  double sum = 0;
  for (const ColumnNeed& c : columns) sum += c.*field;
  return sum;
}

}  // namespace

ColumnFit::Level ColumnFit::LevelOf(const std::vector<ColumnNeed>& columns, double pageWidth) {
  if (SumOf(columns, &ColumnNeed::wish) <= pageWidth) return Level::AllWhole;
  if (SumOf(columns, &ColumnNeed::whole) <= pageWidth) return Level::TextsWrap;
  return Level::TooNarrow;
}

ColumnFit::ColumnFit(const std::vector<ColumnNeed>& columns, double pageWidth)
    : level_(LevelOf(columns, pageWidth)) {
  // Between the words and the width a text keeps, as far as the page allows.
  const double whole = SumOf(columns, &ColumnNeed::whole);
  double keep = 0;
  for (const ColumnNeed& c : columns) keep += std::max(c.whole, c.keep);
  const double part = keep > whole ? std::clamp((pageWidth - whole) / (keep - whole), 0.0, 1.0) : 0;
  std::vector<double> floor;
  for (const ColumnNeed& c : columns)
    floor.push_back(level_ == Level::AllWhole ? c.wish : c.whole + (std::max(c.whole, c.keep) - c.whole) * part);
  if (level_ != Level::TooNarrow) {
    Share(columns, floor, pageWidth);
    return;
  }
  const double sum = std::accumulate(floor.begin(), floor.end(), 0.0);
  for (double f : floor) widths_.push_back(sum > 0 ? f * pageWidth / sum : 0);
}

// Each column takes the larger of its floor and k times its share, with k
// chosen so that the widths fill the page: columns whose texts ask more than
// their share keep what they ask, the others divide what is left as the grid
// divides it.
void ColumnFit::Share(const std::vector<ColumnNeed>& columns, const std::vector<double>& floor, double pageWidth) {
  const double shares = SumOf(columns, &ColumnNeed::share);
  auto filled = [&](double k) {
    double sum = 0;
    for (size_t i = 0; i < columns.size(); ++i) sum += std::max(floor[i], k * columns[i].share);
    return sum;
  };
  double low = 0, high = shares > 0 ? pageWidth / shares : 0;
  for (int step = 0; step < 60; ++step) {
    const double k = (low + high) / 2;
    (filled(k) > pageWidth ? high : low) = k;
  }
  for (size_t i = 0; i < columns.size(); ++i) widths_.push_back(std::max(floor[i], low * columns[i].share));
  // What the search leaves over (the page when no column has a share) goes to the last column.
  const double used = std::accumulate(widths_.begin(), widths_.end(), 0.0);
  if (!widths_.empty() && used < pageWidth) widths_.back() += pageWidth - used;
}

}  // namespace corvane::suite
