#include "platform/print/page_settings.h"

#include "platform/print/page_setup_control.h"

#include <cmath>
#include <optional>

namespace corvane::platform {

namespace {

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

QString Entry(const QStringList& s, int i) { return i < s.size() ? s[i] : QString(); }

}  // namespace

void ApplyPageSettings(const QStringList& s, PageSetupControl& control) {
  if (const auto paper = WholeNumber(Entry(s, 0))) control.setLngrtpPaperSize(*paper);
  if (const auto portrait = Flag(Entry(s, 1))) control.setLngrtpPaperOrient(*portrait ? 1 : 2);
  if (Entry(s, 2).isEmpty()) return;
  const auto left = WholeNumber(Entry(s, 2));
  const auto top = WholeNumber(Entry(s, 3));
  const auto right = WholeNumber(Entry(s, 4));
  const auto bottom = WholeNumber(Entry(s, 5));
  if (left && top && right && bottom) control.rtpSetMargin(*left, *top, *right, *bottom);
}

bool IsPageChoice(qint32 code) { return code >= 0 && code % PageSetupControl::kOrientationUnit < 1000; }

void TakePageChoice(qint32 code, const PageSetupControl& control, QStringList& s) {
  while (s.size() < kPageSettingCount) s.append(QString());
  s[0] = QString::number(code % PageSetupControl::kOrientationUnit);
  s[1] = code / PageSetupControl::kOrientationUnit == 1 ? QStringLiteral("True") : QStringLiteral("False");
  qint32 left = 0, top = 0, right = 0, bottom = 0;
  control.rtpGetMargin(left, top, right, bottom);
  s[2] = QString::number(left);
  s[3] = QString::number(top);
  s[4] = QString::number(right);
  s[5] = QString::number(bottom);
}

}  // namespace corvane::platform
