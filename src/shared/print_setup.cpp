#include "shared/print_setup.h"

#include "platform/print/page_settings.h"
#include "platform/print/page_setup_control.h"
#include "shared/session.h"

#include <QWidget>

namespace corvane::shared {

void PageSetup(QWidget* frm, const QString& reportKey) {
  platform::CommonServices& common = Session::Current().Common();
  QStringList settings = common.PrepareReportTemplate(reportKey);
  // A short list from the settings service is padded, so entry 6 and the margins
  // always have a place.
  while (settings.size() < kPageSettingCount) settings.append(QString());

  using platform::PageSetupControl;
  PageSetupControl* control = frm ? frm->findChild<PageSetupControl*>(QStringLiteral("RTPrn1")) : nullptr;
  PageSetupControl standIn(frm);
  if (!control) control = &standIn;

  platform::ApplyPageSettings(settings, *control);
  const qint32 code = control->rtpPageSetup();
  if (!platform::IsPageChoice(code)) return;
  platform::TakePageChoice(code, *control, settings);
  common.SavePageSettings(reportKey, settings);
}

}  // namespace corvane::shared
