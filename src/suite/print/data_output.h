#pragma once

#include "platform/print/printable_grid.h"
#include "platform/print/report_job.h"

#include <QString>
#include <vector>

namespace corvane::suite {

// The output of a grid's shown rows: field i takes the i-th shown column (a
// column of width 0 is not shown), under its declared caption and type.
// Amount fields become numbers and date fields dates where the cell's text
// reads as one; any other text stays text.

// Fields for a grid output nobody declared: one per shown column, the caption
// from the header, amount for right-aligned columns, date for columns whose
// first filled cell reads as a date, text otherwise.
std::vector<platform::DataOutField> FieldsOfGrid(const platform::PrintableGrid& grid);

// CSV in UTF-8 with a byte-order mark (so spreadsheet programs read Chinese
// right), captions first, amounts as plain numbers, dates as yyyy-mm-dd, CRLF.
// Gives 0, 23 (cannot open) or 24 (cannot write).
int WriteCsv(const platform::PrintableGrid& grid, const std::vector<platform::DataOutField>& fields,
             const QString& path);

// An Excel workbook: a bold caption row, number cells in "#,##0.00" for amounts,
// date cells for dates, column widths from the declared widths. Written row by
// row without keeping the sheet in memory. Gives 0, 23 or 24.
int WriteXlsx(const platform::PrintableGrid& grid, const std::vector<platform::DataOutField>& fields,
              const QString& path, const QString& sheetName);

// What the output makes of a cell's text: an amount ("1,234.50", "-8.00") and a
// date ("2026.01.05", "2026-01-05", "2026/01/05"); false when it is no such thing.
bool ReadAmountText(const QString& text, double& value);
bool ReadDateText(const QString& text, QDate& date);

}  // namespace corvane::suite
