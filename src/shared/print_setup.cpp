#include "shared/print_setup.h"

#include "platform/print/page_setup_control.h"
#include "shared/session.h"

#include <QWidget>
#include <cmath>
#include <optional>

namespace corvane::shared {

namespace {

using platform::PageSetupControl;

// A stored number as a whole number, halves rounding to even as the settings'
// writers always rounded; nothing when the text is no number.
std::optional<qint32> WholeNumber(const QString& text) {
  bool ok = false;
  const double v = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(v) || std::fabs(v) > 2147483647.0) return std::nullopt;
  return static_cast<qint32>(std::nearbyint(v));
}

// "True"/"False" as the settings store them, or a number (non-zero is true).
std::optional<bool> Flag(const QString& text) {
  const QString t = text.trimmed();
  if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
  if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
  if (const std::optional<qint32> n = WholeNumber(t)) return *n != 0;
  return std::nullopt;
}

// Puts the stored page on the control. A stored value that is not a number (a
// key never set up, a hand-edited setting) leaves the control's own value, so
// the dialog still opens on a usable page instead of failing.
void ApplySettings(const QStringList& s, PageSetupControl& control) {
  if (const auto paper = WholeNumber(s[0])) control.setLngrtpPaperSize(*paper);
  if (const auto portrait = Flag(s[1])) control.setLngrtpPaperOrient(*portrait ? 1 : 2);
  if (s[2].isEmpty()) return;
  const auto left = WholeNumber(s[2]);
  const auto top = WholeNumber(s[3]);
  const auto right = WholeNumber(s[4]);
  const auto bottom = WholeNumber(s[5]);
  if (left && top && right && bottom) control.rtpSetMargin(*left, *top, *right, *bottom);
}

// The dialog's code: paper + 65536 × orientation. -1 is a cancelled dialog, and
// so is any other negative code or a paper number from 1000 on, which name no
// paper a report can be printed on.
bool IsConfirmed(qint32 code) { return code >= 0 && code % PageSetupControl::kOrientationUnit < 1000; }

void TakeChoice(qint32 code, const PageSetupControl& control, QStringList& s) {
  s[0] = QString::number(code % PageSetupControl::kOrientationUnit);
  s[1] = code / PageSetupControl::kOrientationUnit == 1 ? QStringLiteral("True") : QStringLiteral("False");
  qint32 left = 0, top = 0, right = 0, bottom = 0;
  control.rtpGetMargin(left, top, right, bottom);
  s[2] = QString::number(left);
  s[3] = QString::number(top);
  s[4] = QString::number(right);
  s[5] = QString::number(bottom);
}

}  // namespace

void PageSetup(QWidget* frm, const QString& reportKey) {
  platform::CommonServices& common = Session::Current().Common();
  QStringList settings = common.PrepareReportTemplate(reportKey);
  // A short list from the settings service is padded, so entry 6 and the margins
  // always have a place.
  while (settings.size() < kPageSettingCount) settings.append(QString());

  PageSetupControl* control = frm ? frm->findChild<PageSetupControl*>(QStringLiteral("RTPrn1")) : nullptr;
  PageSetupControl standIn(frm);
  if (!control) control = &standIn;

  ApplySettings(settings, *control);
  const qint32 code = control->rtpPageSetup();
  if (!IsConfirmed(code)) return;
  TakeChoice(code, *control, settings);
  common.SavePageSettings(reportKey, settings);
}

}  // namespace corvane::shared
