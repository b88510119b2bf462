// The SQLite connection's own balance aggregates, line by line: which of the four
// sums each line reaches, and the errors they give as sum() does.
#include "platform/db/db_error.h"
#include "suite/db/sqlite_connection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QStringList>
#include <limits>
#include <string>
#include <vector>

namespace corvane::suite {
namespace {

using platform::DbError;
using platform::DbParams;
using platform::DbValue;

const DbValue kNull;
constexpr long long kMax = std::numeric_limits<long long>::max();
constexpr long long kMin = std::numeric_limits<long long>::min();

class SqliteBalanceSumsTest : public ::testing::Test {
 protected:
  // The aggregate over the given lines, each a row of its arguments; a line
  // without its date (the last argument) is dated 2026-04-02.
  std::string Sums(const char* function, const std::vector<DbParams>& lines) {
    QStringList rows;
    DbParams params;
    const size_t arguments = std::string(function).find("bank") != std::string::npos ? 5 : 6;
    for (DbParams line : lines) {
      if (line.size() < arguments) line.push_back(QStringLiteral("2026-04-02"));
      QStringList marks;
      for (const DbValue& v : line) {
        marks << QStringLiteral("?");
        params.push_back(v);
      }
      rows << QLatin1Char('(') + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    QStringList columns;
    for (size_t i = 1; i <= arguments; ++i) columns << QStringLiteral("column%1").arg(i);
    return db_.QueryValue(QStringLiteral("select %1(%2) from (values %3)")
                              .arg(QString::fromLatin1(function), columns.join(QLatin1Char(',')),
                                   rows.join(QLatin1Char(','))),
                          params)
        .ToString()
        .toStdString();
  }

  SqliteConnection db_{QStringLiteral(":memory:")};
};

struct Case {
  const char* name;
  const char* function;
  std::vector<DbParams> lines;
  const char* sums;
};

// Bank lines: bdelete, iflag, bd_c, mmoney, ddate; journal lines: bdelete, iflagbank,
// iperiod, md, mc, date. An empty sum is one no line counted in.
TEST_F(SqliteBalanceSumsTest, EachLineReachesItsSums) {
  const Case cases[] = {
      {"bank: live debit and credit, unticked", "corvane_bank_sums", {{0, 0, 1, 100}, {0, kNull, 0, 30}}, ";70;100;30"},
      {"bank: bd_c none or 2 is credit", "corvane_bank_sums", {{0, 0, kNull, 5}, {0, 0, 2, 7}}, ";-12;;12"},
      {"bank: cleared lines are signed, never outstanding", "corvane_bank_sums", {{1, 0, 1, 100}, {1, 0, 0, 40}},
       "60;;;"},
      {"bank: ticked live lines are live only", "corvane_bank_sums", {{0, 1, 1, 100}, {0, 13, 0, 40}}, ";60;;"},
      {"bank: a tick of -1 is a tick", "corvane_bank_sums", {{0, -1, 1, 100}}, ";100;;"},
      {"bank: bdelete none or 2 is in no sum", "corvane_bank_sums", {{2, 0, 1, 100}, {kNull, 0, 1, 5}}, ";;;"},
      {"bank: no amount is in no sum", "corvane_bank_sums", {{0, 0, 1, kNull}, {1, 0, 1, kNull}}, ";;;"},
      {"bank: a zero amount counts", "corvane_bank_sums", {{0, 0, 0, 0}}, ";0;;0"},
      {"bank before the period: outstanding only", "corvane_bank_unticked",
       {{0, 0, 1, 100}, {1, 0, 1, 40}, {0, 1, 0, 9}, {0, kNull, kNull, 3}}, ";;100;3"},
      {"journal: live debit and credit, unticked", "corvane_journal_sums", {{0, 0, 4, 100, 0}, {0, kNull, 5, 0, 30}},
       ";70;100;30"},
      {"journal: period 21 and none are outstanding only", "corvane_journal_sums",
       {{0, 0, 21, 10, 0}, {1, 0, 21, 0, 5}, {0, 0, kNull, 0, 2}}, ";;10;2"},
      {"journal: cleared lines, ticked or not, are never outstanding", "corvane_journal_sums",
       {{1, 1, 4, 100, 0}, {1, 0, 4, 0, 40}}, "60;;;"},
      {"journal: a tick of -1 is a tick", "corvane_journal_unticked", {{0, -1, 4, 100, 0}}, ";;;"},
      {"journal: a missing amount leaves out the difference", "corvane_journal_sums", {{0, 0, 4, kNull, 30}},
       ";;;30"},
      {"journal: bdelete none or 2 is in no sum", "corvane_journal_sums", {{kNull, 0, 4, 1, 0}, {2, 0, 4, 1, 0}},
       ";;;"},
      {"journal before the period: outstanding only", "corvane_journal_unticked",
       {{0, 0, 4, 100, 0}, {0, 1, 4, 0, 30}, {1, 0, 4, 5, 0}}, ";;100;0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Sums(c.function, c.lines), c.sums) << c.name;
}

// The connection says which of its own functions it offers, so that the balance
// statement sums through them.
TEST_F(SqliteBalanceSumsTest, TheConnectionOffersTheFourAggregates) {
  const struct {
    const char* name;
    bool offered;
  } cases[] = {
      {"corvane_bank_sums", true},     {"corvane_bank_unticked", true}, {"corvane_journal_sums", true},
      {"corvane_journal_unticked", true}, {"corvane_bank", false},      {"sum", false},
  };
  for (const auto& c : cases) EXPECT_EQ(db_.ProvidesFunction(c.name), c.offered) << c.name;
}

// No line at all: every sum empty.
TEST_F(SqliteBalanceSumsTest, NoLineGivesEmptySums) {
  for (const char* f : {"corvane_bank_sums", "corvane_bank_unticked"})
    EXPECT_EQ(db_.QueryValue(QStringLiteral("select %1(1, 0, 1, 5, '2026-04-02') where 0").arg(QString::fromLatin1(f)))
                  .ToString()
                  .toStdString(),
              ";;;")
        << f;
}

// A sum past 64 bits is "integer overflow", as sum() says; a value of a type the
// column cannot hold is refused, never read as a number.
TEST_F(SqliteBalanceSumsTest, OverflowAndValuesOfTheWrongTypeFail) {
  const struct {
    const char* name;
    const char* function;
    std::vector<DbParams> lines;
    const char* message;
  } cases[] = {
      {"bank outstanding debits", "corvane_bank_sums", {{0, 0, 1, kMax}, {0, 0, 1, 1}}, "integer overflow"},
      {"bank live credit of the smallest amount", "corvane_bank_sums", {{0, 1, 0, kMin}}, "integer overflow"},
      {"bank cleared", "corvane_bank_sums", {{1, 1, 1, kMax}, {1, 1, 1, kMax}}, "integer overflow"},
      {"bank before the period", "corvane_bank_unticked", {{0, 0, 0, kMax}, {0, 0, 0, kMax}}, "integer overflow"},
      {"journal debit minus credit", "corvane_journal_sums", {{0, 1, 4, kMax, -1}}, "integer overflow"},
      {"journal before the period", "corvane_journal_unticked", {{0, 0, 4, 0, kMax}, {0, 0, 4, 0, 1}},
       "integer overflow"},
      {"an amount as text", "corvane_bank_sums", {{0, 0, 1, QStringLiteral("100")}}, "no integer"},
      {"a flag as a real", "corvane_journal_sums", {{0, 0.5, 4, 1, 0}}, "no integer"},
      {"a date that is no calendar day", "corvane_bank_unticked", {{0, 0, 1, 5, QStringLiteral("2026-02-29")}},
       "\"2026-02-29\" is no calendar day"},
  };
  for (const auto& c : cases) {
    try {
      const std::string sums = Sums(c.function, c.lines);
      ADD_FAILURE() << c.name << ": gave " << sums;
    } catch (const DbError& e) {
      EXPECT_THAT(std::string(e.what()), ::testing::HasSubstr(c.message)) << c.name;
    }
  }
}

}  // namespace
}  // namespace corvane::suite
