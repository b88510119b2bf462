#pragma once

#include "platform/db/money.h"

#include <QDate>
#include <QString>
#include <optional>

namespace corvane::statement {

// The checks of a keyed statement cell, without the grid: each gives the
// resource key of the message to show, or the empty text when the cell is right.

// A date cell: text is rewritten into "yyyy.mm.dd" when it is a date (read by
// platform::DateText::Parse; kUnreadDateKey, its text naming the cell and the forms
// to type, when it is none). Compared as dates: not before the start date, not
// after the last day of the end period (invalid: no upper limit).
inline constexpr const char* kUnreadDateKey = "corvane.read.date";
QString CheckDateCell(QString& text, const QDate& startDate, const QDate& endLimit);

// An amount cell: empty, or an amount (read by platform::ReadAmount) above zero and
// not above Money::LineMax() (kAmountTooLargeKey, its text takes that amount as its
// argument). 0.00 counts as empty. A text that is no amount gives kUnreadAmountKey
// and, in refusal, the reader's message naming why. On success text is "#,0.00"
// (or empty) and amount its value.
inline constexpr const char* kAmountTooLargeKey = "corvane.grid.amounttoolarge";
inline constexpr const char* kUnreadAmountKey = "corvane.read.amount";
QString CheckAmountCell(QString& text, platform::Money& amount, QString* refusal = nullptr);

// A row: exactly one of the two amounts. Gives the column (4 debit, 5 credit) to
// go to in col.
QString CheckAmounts(const QString& debitText, const QString& creditText, int& col);

// The date of a cell as the checks left it ("yyyy.mm.dd"); invalid for any other text.
QDate CellDate(const QString& text);

// The amount of a cell as the checks left it (a "#,0.00" text or empty).
platform::Money CellAmount(const QString& text);

// A settlement number as the load's progress shows it: a number as a whole number
// of at least four digits ("12" is "0012", "12.5" is "0013"), any other text as it is.
QString FourDigitNumber(const QString& number);

}  // namespace corvane::statement
