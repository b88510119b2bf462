#pragma once


#include <QDate>
#include <QString>
#include <QVariant>
#include <array>
#include <functional>
#include <vector>

namespace corvane::opening {

// The shown texts of the opening statement, as the set-up window's labels hold them.
struct SummaryTexts {
  QString account;         // Label12: name(code), with the currency note
  QString startDate;       // text11
  QString journalOpening;  // Label21
  QString bankOpening;     // Label22
  QString journalAdd;      // Label16
  QString journalLess;     // Label17
  QString journalAdjusted; // Label14
  QString bankAdd;         // Label18
  QString bankLess;        // Label19
  QString bankAdjusted;    // Label15
};

using TextGrid = std::vector<std::vector<QString>>;

// The three rows of the summary grid: the journal side in columns 0-1, the
// statement side in columns 2-3.
TextGrid SummaryGridCells(const SummaryTexts& t);
// The four rows the data output writes (the opening balances first).
TextGrid DataOutputCells(const SummaryTexts& t);
// Column captions of the data output; book mode names the flow ledger.
std::array<QString, 4> DataOutputCaptions(bool bookMode);
// Caption of the journal-side group (header and work table).
QString JournalSideCaption(bool bookMode);

// The report-head line "核算单位：<unit><blanks>制表人：<user>": the unit is padded
// with blanks to 40 bytes; a unit already longer than that is not padded.
QString UnitAndPreparerLine(const QString& unit, const QString& preparer,
                            const std::function<int(const QString&)>& byteLength);

// The one row of the work table "yhdzqc_H", P1..P30 (P28 and P29 stay NULL).
std::vector<QVariant> SummaryWorkRow(const SummaryTexts& t, bool bookMode, const QString& unitLine,
                                     const QDate& today);

inline const QString kSummaryWorkTable = QStringLiteral("yhdzqc_H");

}  // namespace corvane::opening
