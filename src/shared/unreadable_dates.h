#pragma once

#include "platform/db/db_connection.h"

#include <QString>

namespace corvane::shared {

// A line whose stored date the layer cannot read (on SQLite a text that is no
// calendar day, on PostgreSQL an endless date), written by another program, has
// no place in a range of dates: a figure that counted or dropped it would be
// wrong unseen. These tell such a line as the layer tells a value it cannot
// read: a DbError of Kind::Unreadable naming the column and the value.

// An aggregate column over the lines a query sums: the text of one such date
// among them, NULL when there is none. column as the query names it ("r.ddate").
QString UnreadableDateColumn(const platform::DbConnection& db, const QString& column);
// Throws for a value of that column that is not NULL.
void RefuseUnreadableDate(const QString& column, const platform::DbValue& value);
// A scalar subquery: the text of such a date among the lines of table (with its
// alias, if any) that `where` picks, NULL when there is none. It stops at the
// first: where `where` names one key, on PostgreSQL a probe of the index of the
// key and date, on SQLite a walk over the key's entries of that index (only
// over those of a range of dates, where `where` bounds the date too).
QString UnreadableDateProbe(const platform::DbConnection& db, const QString& table, const QString& column,
                            const QString& where);
// Looks for such a date among the lines of table (a statement or journal table,
// with its alias, if any) that `where` picks, in a query of its own as the probe
// above, and throws naming it and the line it is on (account or book, side,
// number, amount), so that the clerk can find the line.
void RefuseUnreadableDates(platform::DbConnection& db, const QString& table, const QString& column,
                           const QString& where, const platform::DbParams& params);
// For a query that found such a date (value, not NULL) among the lines of table
// that `where` picks: throws naming the line as above, or the value alone where
// the line is no longer there to name.
void RefuseUnreadableDate(platform::DbConnection& db, const platform::DbValue& value, const QString& table,
                          const QString& column, const QString& where, const platform::DbParams& params);

}  // namespace corvane::shared
