#pragma once

#include "suite/print/report_cell_kind.h"

#include <QString>
#include <vector>

namespace corvane::suite {

// A text the report engine printed cut short with "…" because its box was too
// narrow.
struct ElidedCell {
  enum class Part { Body, Header, Band };
  QString report;  // the report's title (the head table's P1, or a grid print's title)
  int page = 0;    // from 0
  Part part = Part::Body;
  int row = 0;     // body: the grid's body row; header: the header row; band: -1
  int column = 0;  // body and header: the grid's column; band: the text's place in its band
  CellKind kind = CellKind::Text;
  QString text;    // the whole text
};

// Keeps every cell the report engine elides while it lives: a page that is
// painted (printed, written to a file or shown in the preview) adds the cells
// it cut. The newest recorder is the one that keeps; without one, nothing is
// kept.
class ElidedCellRecorder {
 public:
  ElidedCellRecorder();
  ~ElidedCellRecorder();
  ElidedCellRecorder(const ElidedCellRecorder&) = delete;
  ElidedCellRecorder& operator=(const ElidedCellRecorder&) = delete;

  const std::vector<ElidedCell>& Cells() const { return cells_; }
  void Clear() { cells_.clear(); }

  // The engine's side: adds a cell when a recorder is active.
  static void Record(ElidedCell cell);

 private:
  ElidedCellRecorder* previous_;
  std::vector<ElidedCell> cells_;
};

}  // namespace corvane::suite
