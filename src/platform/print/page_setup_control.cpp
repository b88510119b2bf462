#include "platform/print/page_setup_control.h"

#include "platform/print/page_setup_dialog.h"
#include "platform/print/paper_sizes.h"
#include "platform/services/modal_runner.h"

#include <QMarginsF>
#include <QWidget>

namespace corvane::platform {

PageSetupControl::PageSetupControl(QWidget* owner)
    : QObject(owner), owner_(owner), paperSize_(kDefaultPaperNumber) {}

void PageSetupControl::rtpSetMargin(qint32 left, qint32 top, qint32 right, qint32 bottom) {
  margins_ = QMargins(left, top, right, bottom);
}

void PageSetupControl::rtpGetMargin(qint32& left, qint32& top, qint32& right, qint32& bottom) const {
  left = margins_.left();
  top = margins_.top();
  right = margins_.right();
  bottom = margins_.bottom();
}

namespace {
std::function<void(QDialog&)>& Localizer() {
  static std::function<void(QDialog&)> localizer;
  return localizer;
}
}  // namespace

void PageSetupControl::SetDialogLocalizer(std::function<void(QDialog&)> localizer) {
  Localizer() = std::move(localizer);
}

qint32 PageSetupControl::rtpPageSetup() {
  PageSetupDialog dialog(owner_.data());
  if (Localizer()) Localizer()(dialog);
  dialog.SetPage(paperSize_, orientation_, margins_);
  if (RunModal(dialog) != QDialog::Accepted) return kCancelled;
  paperSize_ = dialog.PaperNumber();
  orientation_ = dialog.Orientation();
  margins_ = dialog.MarginsMm();
  return paperSize_ + kOrientationUnit * orientation_;
}

QPageLayout PageSetupControl::PageLayout() const {
  QPageSize page = PageSizeOfNumber(paperSize_);
  if (!page.isValid()) page = QPageSize(QPageSize::A4);
  return QPageLayout(page, orientation_ == 1 ? QPageLayout::Portrait : QPageLayout::Landscape, QMarginsF(margins_),
                     QPageLayout::Millimeter);
}

}  // namespace corvane::platform
