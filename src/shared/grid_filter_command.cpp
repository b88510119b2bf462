#include "shared/grid_filter_command.h"

#include "platform/controls/grid_base.h"
#include "shared/frm_yhfilter.h"
#include "shared/messages.h"
#include "shared/session.h"

#include <QCheckBox>
#include <QLineEdit>
#include <exception>

namespace corvane::shared {

void SayNothingFound() {
  ShowMsgBox(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00045")), 0, GetResString(kCashTitleKey));
}

GridFilterFind::GridFilterFind(FilterConditionOwner& owner, QWidget* window, quint8 dialogMode, AmountMatch findMatch)
    : owner_(owner), window_(window), mode_(dialogMode), findMatch_(findMatch) {}

void GridFilterFind::SetDirectionTexts(const QString& debitText, const QString& creditText) {
  debitText_ = debitText;
  creditText_ = creditText;
}

bool GridFilterFind::AskConditions(bool find) {
  FilterConditions& c = owner_.Conditions();
  c.ExecFilter = true;
  // Only an OK of this showing runs a pass; a Cancel or a closed dialog never
  // replays the last conditions, whatever the dialog writes back on Cancel.
  c.ExecCom = false;
  try {
    frmYHFilter::YhOrQy = mode_;
    frmYHFilter dialog(owner_, window_);
    dialog.SetFilterOff(false);
    dialog.EnableFrame();
    // A find cannot switch the conditions off.
    if (find) dialog.Check1()->setVisible(false);
    // The amount comes back from the dialog as a plain number, as it is shown again.
    dialog.Preset(c);
    if (!dialog.ShowModal()) return false;
  } catch (const std::exception& e) {
    ShowMsgBox(FailureText(e), 16, GetResString(kCashTitleKey));
    return false;
  }
  return c.ExecCom;
}

void GridFilterFind::FilterRows(platform::GridBase& grid, const FilterColumns& columns) {
  if (!AskConditions(false)) return;
  const GridRowTest test(owner_.Conditions(), columns, AmountMatch::Equal, debitText_, creditText_);
  grid.SetRedraw(false);
  const int first = ApplyGridFilter(grid, test);
  grid.SetRedraw(true);
  if (first == 0 && owner_.Conditions().ExecFilter) SayNothingFound();
  if (first != 0 && grid.isEnabled()) grid.setFocus();
}

void GridFilterFind::FindRows(platform::GridBase& grid, const FilterColumns& columns) {
  if (!AskConditions(true)) return;
  const GridRowTest test(owner_.Conditions(), columns, findMatch_, debitText_, creditText_);
  grid.SetRedraw(false);
  const int found = FindGridRow(grid, test);
  grid.SetRedraw(true);
  if (found == 0) SayNothingFound();
  grid.setFocus();
}

}  // namespace corvane::shared
