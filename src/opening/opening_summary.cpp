#include "opening/opening_summary.h"

#include "shared/messages.h"


namespace corvane::opening {

using shared::GetResString;

namespace {

QString T(const char* number) { return GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(number)); }

}  // namespace

QString JournalSideCaption(bool bookMode) { return bookMode ? GetResString(QStringLiteral("corvane.opening.flowside")) : T("00503"); }

TextGrid SummaryGridCells(const SummaryTexts& t) {
  return {{T("00722"), t.journalAdd, T("00723"), t.bankAdd},
          {T("00724"), t.journalLess, T("00725"), t.bankLess},
          {T("00726"), t.journalAdjusted, T("00726"), t.bankAdjusted}};
}

TextGrid DataOutputCells(const SummaryTexts& t) {
  return {{T("00087"), t.journalOpening, T("00087"), t.bankOpening},
          {T("00746"), t.journalAdd, T("00747"), t.bankAdd},
          {T("00748"), t.journalLess, T("00749"), t.bankLess},
          {T("00726"), t.journalAdjusted, T("00726"), t.bankAdjusted}};
}

std::array<QString, 4> DataOutputCaptions(bool bookMode) {
  if (bookMode)
    return {GetResString(QStringLiteral("corvane.opening.flowitem")),
            GetResString(QStringLiteral("corvane.opening.flowbalance")), T("00754"), T("00755")};
  return {T("00752"), T("00753"), T("00754"), T("00755")};
}

QString UnitAndPreparerLine(const QString& unit, const QString& preparer,
                            const std::function<int(const QString&)>& byteLength) {
  const int pad = 40 - byteLength(unit);
  return T("00053") + unit + QString(pad > 0 ? pad : 0, QLatin1Char(' ')) + T("00054") + preparer;
}

std::vector<QVariant> SummaryWorkRow(const SummaryTexts& t, bool bookMode, const QString& unitLine,
                                     const QDate& today) {
  std::vector<QVariant> p(30);
  p[0] = T("00728");
  p[1] = T("00511") + t.account;
  p[2] = T("00730") + t.startDate;
  p[3] = QString();
  p[4] = t.journalAdjusted;
  p[5] = JournalSideCaption(bookMode);
  p[6] = T("00502");
  p[7] = T("00087");
  p[8] = t.journalOpening;
  p[9] = T("00087");
  p[10] = t.bankOpening;
  p[11] = T("00722");
  p[12] = t.journalAdd;
  p[13] = T("00723");
  p[14] = t.bankAdd;
  p[15] = T("00724");
  p[16] = t.journalLess;
  p[17] = T("00725");
  p[18] = t.bankLess;
  p[19] = unitLine;
  p[20] = T("00055") + today.toString(QStringLiteral("yyyy.MM.dd"));
  p[21] = QString();
  p[22] = QString();
  p[23] = T("00726");
  p[24] = QString();
  p[25] = T("00726");
  p[26] = t.bankAdjusted;
  p[29] = 1;
  return p;
}

}  // namespace corvane::opening
