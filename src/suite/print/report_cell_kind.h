#pragma once

#include "platform/print/printable_grid.h"

#include <QString>

namespace corvane::suite {

// The kinds of printed texts are those of the columns (the window declares a
// body column's kind).
using CellKind = platform::PrintColumnKind;

// What a band's text holds, judged by its characters, as a template's line
// gives no kind: a date ("2026.01.05"), an amount ("-9,999,999,999.99"), a
// number or code (one word with a digit in it), or a text. A label that ends
// with a date or an amount ("Balance: 1,234.00") counts as that date or amount.
CellKind KindOfCellText(const QString& text);

// True for the kinds a report never cuts.
inline bool MustShowWhole(CellKind kind) { return kind != CellKind::Text; }

const char* CellKindName(CellKind kind);

}  // namespace corvane::suite
