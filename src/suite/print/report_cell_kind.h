#pragma once

#include <QString>

namespace corvane::suite {

// What a printed text holds, judged by its characters: a date ("2026.01.05"),
// an amount ("-9,999,999,999.99"), a number or code (one word with a digit in
// it: a settlement number, a flow number, a voucher "记-0012"), or a text (a
// digest, a caption). A report prints dates, amounts and numbers whole; only a
// text may be cut. A text that ends with a date or an amount (a heading
// "Balance: 1,234.00") counts as that date or amount.
enum class CellKind { Date, Amount, Number, Text };

CellKind KindOfCellText(const QString& text);

// True for the kinds a report never cuts.
inline bool MustShowWhole(CellKind kind) { return kind != CellKind::Text; }

const char* CellKindName(CellKind kind);

}  // namespace corvane::suite
