#pragma once

#include "suite/import/statement_file.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace corvane::suite {

// A CSV or TSV file as rows of fields: the delimiter is the one of tab,
// semicolon and comma that the header line holds most of; fields may be quoted
// with '"' (a doubled quote inside is one quote).
struct CsvTable {
  QChar delimiter = QLatin1Char(',');
  QStringList header;
  std::vector<QStringList> rows;
};

CsvTable ReadCsv(const QString& text);

// Which column holds what (-1: none). Either debit and credit columns, or one
// signed amount column (positive money in, the bank's credit), or an amount
// column with a direction column whose texts name debit or credit.
struct CsvMapping {
  int date = -1;
  int style = -1;
  int number = -1;
  int debit = -1;
  int credit = -1;
  int amount = -1;
  int direction = -1;
  QString dateFormat;  // Qt date format, e.g. "yyyy-MM-dd"
};

// A first mapping from the header's names (Chinese and English) and the date
// format that reads every filled date cell of the sample.
CsvMapping GuessCsvMapping(const CsvTable& table);
QString DetectDateFormat(const std::vector<QString>& samples);

// The date formats offered for a mapping, in the order they are tried.
const QStringList& CsvDateFormats();

std::vector<platform::ImportLine> ApplyCsvMapping(const CsvTable& table, const CsvMapping& mapping);

}  // namespace corvane::suite
