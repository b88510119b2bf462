#include "opening/frm_qyfqc.h"
#include "opening/frm_yhdzqc.h"
#include "opening/frm_yhfqc.h"
#include "opening/guarded_command.h"

#include "shared/messages.h"
#include "shared/session.h"

#include <QTableWidget>

namespace corvane::opening {

using shared::GetResString;
using shared::Session;

void frmYHDZQC::OutputSummaryReport(int mode) {
  if (mode != 1 && mode != 2) return;
  Session& s = Session::Current();
  RunGuarded([&] {
    platform::CommonServices& common = s.Common();
    const QString unit = UnitAndPreparerLine(common.GetSessionInfo().ReportText, common.GetSessionInfo().UserName,
                                             [&](const QString& t) { return common.GetByteLength(t); });
    WriteSummaryWorkTable(SummaryWorkRow(Texts(), target_.bookMode, unit, QDate::currentDate()));
  });
}

void frmYHDZQC::OutputSummaryData() {
  // The grid is made four rows high before the four rows are written.
  const TextGrid cells = DataOutputCells(Texts());
  grid_->setRowCount(static_cast<int>(cells.size()));
  grid_->setColumnCount(4);
  for (size_t r = 0; r < cells.size(); ++r)
    for (int c = 0; c < 4; ++c) {
      auto* item = grid_->item(static_cast<int>(r), c);
      if (!item) grid_->setItem(static_cast<int>(r), c, item = new QTableWidgetItem);
      item->setText(cells[r][c]);
    }
}

void frmQYFQC::OutputReport(int mode) {}
void frmYHFQC::OutputReport(int mode) {}

}  // namespace corvane::opening
