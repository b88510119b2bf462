#pragma once

#include "platform/controls/grid_base.h"

namespace corvane::platform {

// A read-only list grid: the journal and statement lists, query results, the
// balance statement. Selection spans whole rows unless switched to single cells.
// Everything else (texts, keys, hidden rows, colours, redraw, events) is GridBase.
class ListGrid : public GridBase {
  Q_OBJECT

 public:
  explicit ListGrid(QWidget* parent = nullptr);

  void SetSelectionByRow(bool byRow);
  bool SelectionByRow() const;
};

}  // namespace corvane::platform
