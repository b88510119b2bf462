#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace corvane::suite {

// The columns a header names (-1: none), by Chinese and English names; a column
// naming both sides (a "Debit/Credit" column) is a direction column.
struct CsvColumns {
  int date = -1, style = -1, number = -1, debit = -1, credit = -1, amount = -1, direction = -1, balance = -1;
};
CsvColumns CsvColumnsByName(const QStringList& header);

// A direction mark: 1 debit (money out), 0 credit (money in); nothing when the
// text names neither.
std::optional<int> ReadCsvDirection(const QString& text);

}  // namespace corvane::suite
