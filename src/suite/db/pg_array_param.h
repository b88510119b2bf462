#pragma once

#include "platform/db/db_value.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace corvane::suite {

// One column of a set-based statement's rows as a single array parameter, in the
// server's binary form where the column's base type is one we can write exactly
// (smallint, integer, bigint, numeric, date): the server then reads each value
// without parsing its text, which for a batch of ticks is most of the statement's
// work. Nothing when the column's type or one of its values has no such form
// (texts, a whole number too large for the column, an amount for a whole-number
// column): the caller sends that column as a text[] literal, as before.
struct PgArrayParam {
  QByteArray bytes;
  unsigned int arrayType = 0;  // the array's type, for the statement's parameter types
};

std::optional<PgArrayParam> BinaryArrayOf(const QString& baseType, const std::vector<platform::DbParams>& rows,
                                          size_t from, size_t to, size_t column);

}  // namespace corvane::suite
