#include "query/two_grid_window.h"

#include "platform/controls/list_grid.h"
#include "platform/print/grid_print_service.h"
#include "platform/services/object_factory.h"
#include "shared/messages.h"
#include "shared/session.h"

#include <QTabBar>
#include <exception>

namespace corvane::query {

using shared::GetResString;

void TwoGridWindow::PrintCurrentGrid(int mode) {
  // Page set-up always names the statement grid; the other outputs the grid showing.
  platform::ListGrid* grid = mode == platform::GridPrintService::kPageSetup ? grid1_ : CurrentGrid();
  static const char* const kModeTitle[] = {"00138", "00139", "00140"};
  platform::GridPrintHead head;
  if (mode == platform::GridPrintService::kPageSetup) {
    head.title = GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00137"));
  } else {
    head = PrintHeadLine();
    head.title = GetResString(PrintTitleKey(tabs_->currentIndex())) +
                 GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QString::fromLatin1(kModeTitle[mode]));
  }
  try {
    if (!gridPrint_) {
      gridPrint_ = platform::ObjectFactory::Instance().CreateGridPrintService(shared::Session::Current().Common());
    }
    int result = 0;
    // The service tells the user about a failed run itself.
    gridPrint_->PrintGrid(grid, PrintKey(), prnCtrl_, mode, head, result);
  } catch (const std::exception& e) {
    shared::ShowMsgBox(shared::FailureText(e), 16, GetResString(shared::kCashTitleKey));
  }
}

}  // namespace corvane::query
