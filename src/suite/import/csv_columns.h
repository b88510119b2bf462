#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace corvane::suite {

// The columns a header names (-1: none): a name that is a caption of the import
// dialog's mapping boxes (column_captions.h) is that box's column; the others go
// by Chinese and English names, a column naming both sides (a "Debit/Credit"
// column) being a direction column.
struct CsvColumns {
  int date = -1, style = -1, number = -1, debit = -1, credit = -1, amount = -1, direction = -1, balance = -1;
};
CsvColumns CsvColumnsByName(const QStringList& header);

// A direction mark: 1 debit (money out), 0 credit (money in); nothing when the
// text names neither.
std::optional<int> ReadCsvDirection(const QString& text);

}  // namespace corvane::suite
