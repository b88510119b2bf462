#include "query/two_grid_window.h"

#include "platform/controls/list_grid.h"
#include "shared/messages.h"

#include <QTabBar>

namespace corvane::query {

using shared::GetResString;

void TwoGridWindow::PrintCurrentGrid(int mode) {
  // Page set-up always names the statement grid; the other outputs the grid showing.
  platform::ListGrid* grid = mode == 3 ? grid1_ : CurrentGrid();
  static const char* const kModeTitle[] = {"00138", "00139", "00140"};
  const QString title = mode == 3 ? GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00137"))
                                  : GetResString(PrintTitleKey(tabs_->currentIndex())) +
                                        GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") +
                                                     QString::fromLatin1(kModeTitle[mode]));
  (void)grid;
  (void)title;
}

}  // namespace corvane::query
