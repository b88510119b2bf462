#pragma once

#include <QString>
#include <optional>

namespace corvane::suite {

// The fields a statement sheet's columns are mapped to, in the order of the
// import dialog's mapping boxes.
enum CsvField { kCsvDate, kCsvStyle, kCsvNumber, kCsvDebit, kCsvCredit, kCsvAmount, kCsvDirection, kCsvBalance, kCsvFields };

// The resource key of a mapping box's caption.
const char* CsvFieldCaptionKey(int field);

// The field whose mapping box a column name is the caption of, in any language
// the suite ships or as the session shows it; letter case, blanks and character
// width as a user types them do not count. Nothing for any other name.
std::optional<int> CsvFieldOfCaption(const QString& name);

}  // namespace corvane::suite
