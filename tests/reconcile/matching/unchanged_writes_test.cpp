#include "reconcile/match_request.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

namespace corvane::reconcile {
namespace {

// Whether a statement wrote the row since `mark`: on PostgreSQL the row's
// version (xmin) changes with every write, on SQLite the connection's count of
// changed rows grows.
QString WriteMark(testing::TestDatabase& t, const QString& code) {
  platform::DbConnection& db = t.Connection();
  return t.IsPostgres() ? db.QueryValue(QStringLiteral("select xmin::text from code where ccode=?"), {code}).ToString()
                        : db.QueryValue(QStringLiteral("select total_changes()")).ToString();
}

struct CutOffCase {
  const char* name;
  QDate stored, cutOff;
  bool written;  // the row gets a new version
};

class StoreCutOffTest : public ::testing::TestWithParam<CutOffCase> {};

TEST_P(StoreCutOffTest, WritesOnlyAChangedCutOff) {
  const CutOffCase& c = GetParam();
  testing::TestDatabase t;
  platform::DbConnection& db = t.Connection();
  db.Execute(QStringLiteral("insert into code (ccode, dend) values (?, ?)"), {QStringLiteral("1002X"), c.stored});
  const QString before = WriteMark(t, QStringLiteral("1002X"));
  EXPECT_TRUE(StoreCutOff(db, QStringLiteral("1002X"), c.cutOff));
  EXPECT_EQ(db.QueryValue(QStringLiteral("select dend from code where ccode=?"), {QStringLiteral("1002X")}).ToDate(),
            c.cutOff);
  EXPECT_EQ(WriteMark(t, QStringLiteral("1002X")) != before, c.written);
  EXPECT_FALSE(StoreCutOff(db, QStringLiteral("1002Y"), c.cutOff)) << "no such account";
}

const QDate kJune(2026, 6, 30), kJuly(2026, 7, 31);

INSTANTIATE_TEST_SUITE_P(Cases, StoreCutOffTest,
                         ::testing::Values(CutOffCase{"same_date", kJune, kJune, false},
                                           CutOffCase{"later_date", kJune, kJuly, true},
                                           CutOffCase{"none_kept", {}, {}, false},
                                           CutOffCase{"first_date", {}, kJuly, true},
                                           CutOffCase{"date_removed", kJune, {}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane::reconcile
