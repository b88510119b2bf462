#include "shared/print_control_text.h"

#include "shared/messages.h"

namespace corvane::shared {

namespace {

// "Q9.CW.GL.ZWSQL.BAS.0" followed by the four-digit number.
QString BasKey(int number) { return QStringLiteral("Q9.CW.GL.ZWSQL.BAS.%1").arg(number, 5, 10, QLatin1Char('0')); }

// Codes that run in blocks onto consecutive keys: code first..last gives the key
// numbered key + (code - first).
struct KeyRun {
  int first;
  int last;
  int key;
};

constexpr KeyRun kRuns[] = {
    {-101, -101, 3902}, {-100, -100, 3901}, {-1, -1, 3900},  {1, 5, 3903},   {7, 21, 3908},
    {23, 34, 3924},     {36, 47, 3936},     {49, 51, 3948},  {53, 59, 3951}, {62, 63, 3958},
    {65, 66, 3960},     {1001, 1001, 3962},
};

// Codes the user is not told about: the run went as asked, or the control
// reported something that needs no action.
constexpr int kSilent[] = {0, 6, 35, 52, 67, 1000, 1002, 1003};

}  // namespace

QString PrintControlDetailText(int code) {
  for (int silent : kSilent)
    if (code == silent) return QString();
  switch (code) {
    case 22: return GetResString(QStringLiteral("Q9.GL.ZZPZ.00933"));
    case 48: return QStringLiteral("Type1ScareType");
    case 60: return QStringLiteral("WAGEBARSCAREELEMENT");
    case 61: return QStringLiteral("WAGEBARFITPRINT");
    case 64: return QStringLiteral("ScareBodyGrid");
    default: break;
  }
  for (const KeyRun& run : kRuns)
    if (code >= run.first && code <= run.last) return GetResString(BasKey(run.key + (code - run.first)));
  return GetResString(BasKey(3963));
}

void LocalizePrintControl(int code, int /*mode*/) {
  if (code == 0) return;
  const QString detail = PrintControlDetailText(code);
  if (detail.isEmpty()) return;
  ShowMsgBox(detail + GetResString(QStringLiteral("Q9.GL.ZZPZ.02809"), code), 16, GetResString(kTitleKey));
}

}  // namespace corvane::shared
