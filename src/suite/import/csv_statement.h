#pragma once

#include "suite/import/statement_file.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace corvane::suite {

// How the sheet sits in its text: the delimiter (tab, semicolon or comma),
// the file line its data rows start on (a bank's preamble may stand above) and
// whether the line just above them names the columns.
struct CsvReadOptions {
  QChar delimiter;        // null: guessed
  int firstDataLine = 0;  // 1-based line of the file; 0: guessed
  bool hasHeader = true;
};

// The guessed layout: the delimiter that splits the first lines most evenly, the
// first line naming a date and an amount column as the header; without one, no
// header and the data from the first row holding a date.
CsvReadOptions GuessCsvReadOptions(const QString& text);

// A CSV or TSV text as rows of fields (RFC 4180: fields may be quoted with '"',
// a doubled quote inside is one quote, a quoted field may hold line breaks).
struct CsvTable {
  CsvReadOptions options;  // as read, the guesses filled in
  QChar delimiter = QLatin1Char(',');
  QStringList header;  // the header's names or, without a header line, "1", "2"...
  std::vector<QStringList> rows;
  std::vector<int> rowLines;  // the file line each row starts on
  // The records above the first data line (a header, a bank's preamble, or lines
  // the user chose not to import), with their file lines: the sheet's balances
  // are checked over those of them that read as lines too.
  std::vector<QStringList> above;
  std::vector<int> aboveLines;
  // The text ends without a line end (its last row may be cut short).
  bool lastLineOpen = false;
  // Rows that cannot be read at all (a quoted field left open at the end of the text).
  std::vector<LineRefusal> refused;
};

CsvTable ReadCsv(const QString& text, const CsvReadOptions& options = {});

// How amounts are written: the decimal separator ('.' or ',') and the thousands
// separator (none, ',', '.', ' ' also standing for no-break spaces, or '\'').
struct AmountNotation {
  QChar decimal = QLatin1Char('.');
  QChar thousands;  // null: none
};

// The notation that reads every value of an amount column: a column whose
// values all end in ",d" or ",dd" uses a decimal comma.
AmountNotation GuessAmountNotation(const std::vector<QString>& samples);

// An amount cell in the notation, exactly: an optional currency sign, a sign
// ('+', '-', '−' or brackets), digits grouped by the thousands separator in
// threes (or not at all), at most two decimals, within Money's range. Anything
// else gives nothing and, when reasonKey is given, why (corvane.import.amount.*).
std::optional<platform::Money> ReadCsvAmount(const QString& text, const AmountNotation& notation,
                                             QString* reasonKey = nullptr);

// Which column holds what (-1: none). Either debit and credit columns, or one
// signed amount column (positive money in, the bank's credit), or an amount
// column with a direction column whose texts name debit or credit (D/C, Dr/Cr,
// 借/贷, debit/credit, +/-). A balance column, when mapped, is checked line by line.
struct CsvMapping {
  int date = -1;
  int style = -1;
  int number = -1;
  int debit = -1;
  int credit = -1;
  int amount = -1;
  int direction = -1;
  int balance = -1;
  QString dateFormat;  // Qt date format, e.g. "yyyy-MM-dd"; "yy" years are 2000-2099
  AmountNotation notation;
};

// A first mapping from the header's names (the import dialog's own captions in
// either language, then Chinese and English names) and the columns' content (a
// column of direction marks; without a named amount, two columns of amounts of
// which each line fills exactly one as debit and credit, else the first column of
// amounts as a signed amount), the date format that reads every filled date cell
// and the amount notation that reads every filled amount cell.
CsvMapping GuessCsvMapping(const CsvTable& table);
QString DetectDateFormat(const std::vector<QString>& samples);

// The date formats offered for a mapping, in the order they are tried.
const QStringList& CsvDateFormats();
// A date cell in a format of CsvDateFormats(): invalid when it does not fit.
QDate ReadCsvDate(const QString& text, const QString& format);

// The rows as statement lines: lines read right, the rows refused with their
// reasons (a date or amount that does not fit, a balance that does not follow
// from the line before it, a last row cut short), and with a balance column the
// check of the whole sheet: its rows and the records above them that read right
// as lines with a balance, so that a first data line set lower cannot leave a
// balance that does not follow out of the check.
ParsedStatement ApplyCsvMapping(const CsvTable& table, const CsvMapping& mapping);

}  // namespace corvane::suite
