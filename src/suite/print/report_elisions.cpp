#include "suite/print/report_elisions.h"

namespace corvane::suite {

namespace {

ElidedCellRecorder* gRecorder = nullptr;

}  // namespace

ElidedCellRecorder::ElidedCellRecorder() : previous_(gRecorder) { gRecorder = this; }

ElidedCellRecorder::~ElidedCellRecorder() { gRecorder = previous_; }

void ElidedCellRecorder::Record(ElidedCell cell) {
  if (gRecorder) gRecorder->cells_.push_back(std::move(cell));
}

}  // namespace corvane::suite
