#include "opening/guarded_command.h"
#include "opening/opening_item_window.h"
#include "platform/controls/entry_grid.h"
#include "platform/services/common_services.h"
#include "shared/frm_yhkmxz.h"
#include "shared/session.h"

namespace corvane::opening {

void OpeningItemWindow::SetOpener(QWidget* opener, std::function<bool(const OpeningTarget&)> retarget) {
  opener_ = opener;
  retarget_ = std::move(retarget);
}

void OpeningItemWindow::ChooseAgain() {
  if (!retarget_) return;
  shared::Session& s = shared::Session::Current();
  shared::frmYHKMXZ& dialog = shared::frmYHKMXZ::Instance();
  int listed = 0;
  if (!RunGuarded([&] { listed = dialog.PrepareForOpening(); }) || listed == 0) return;
  // The enterprise-side dialog belongs to the set-up window that opened it.
  QWidget* owner = EnterpriseSide() && opener_ ? opener_ : this;
  QWidget* previous = dialog.parentWidget();
  const Qt::WindowFlags flags = dialog.windowFlags();
  dialog.setParent(owner, flags);
  const bool chosen = dialog.ShowModal();
  // The dialog outlives this window: it must not stay a child of it.
  dialog.setParent(previous, flags);
  if (!chosen) return;
  const platform::ParamObject& choice = s.Common().GetParamObject();
  OpeningTarget target;
  target.bookMode = s.BookMode();
  target.accountCode = choice.Value1.trimmed();
  if (target.bookMode) target.bookCode = choice.Value4.trimmed();
  // The row being keyed belongs to what is shown now: it is settled as before
  // any command, and one the user stays on keeps the window where it is.
  if (!editor_->SettleBeforeCommand()) return;
  retarget_(target);
}

}  // namespace corvane::opening
