#pragma once

#include "suite/import/statement_file.h"

#include <gtest/gtest.h>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace corvane::suite {

// A line read right: its file line, date, number, direction (1 debit) and amount in cents.
struct Line {
  int lineNo;
  QDate date;
  QString number;
  int direction;
  qint64 cents;
};

// A line refused: its file line, reason key and first argument (null: not checked).
struct Refusal {
  int lineNo;
  QString key;
  QString arg;
};

inline void ExpectRead(const ParsedStatement& s, const std::vector<Line>& lines, const std::vector<Refusal>& refused) {
  ASSERT_EQ(s.lines.size(), lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(i);
    const platform::ImportLine& l = s.lines[i];
    EXPECT_EQ(l.lineNo, lines[i].lineNo);
    EXPECT_EQ(l.date, lines[i].date);
    EXPECT_EQ(l.number, lines[i].number);
    EXPECT_EQ(l.bd_c.value_or(-1), lines[i].direction);
    EXPECT_EQ(l.amount.value_or(platform::Money()), platform::Money::FromCents(lines[i].cents));
  }
  ASSERT_EQ(s.refused.size(), refused.size());
  for (size_t i = 0; i < refused.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(s.refused[i].lineNo, refused[i].lineNo);
    EXPECT_EQ(s.refused[i].reasonKey, refused[i].key);
    if (!refused[i].arg.isNull()) {
      EXPECT_EQ(s.refused[i].args.value(0), refused[i].arg);
    }
  }
}

}  // namespace corvane::suite
