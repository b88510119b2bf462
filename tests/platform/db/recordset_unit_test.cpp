#include "platform/db/db_error.h"
#include "platform/db/recordset_wrapper.h"
#include "platform/db/sql_builder.h"

#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

RecordsetWrapper MakeRows() {
  ResultSet r;
  r.columns = QStringList{QStringLiteral("i_id"), QStringLiteral("cCode"), QStringLiteral("mmoney"),
                          QStringLiteral("dDate")};
  r.rows.push_back({DbValue(1), DbValue("1002A"), DbValue(Money::FromCents(1000)), DbValue(QDate(2026, 1, 5))});
  r.rows.push_back({DbValue(2), DbValue("1002b "), DbValue(Money::FromCents(2500)), DbValue(QDate(2026, 2, 1))});
  r.rows.push_back({DbValue(3), DbValue("it's"), DbValue(), DbValue()});
  return RecordsetWrapper(nullptr, QStringLiteral("select * from t"), std::move(r), RecordsetWrapper::Mode::ReadOnly);
}

TEST(RecordsetCriteriaTest, FindsAndFiltersByCriteria) {
  struct Case { const char* criteria; int firstId; int count; };
  const Case cases[] = {
      {"i_id = 2", 2, 1},
      {"ccode = '1002a'", 1, 1},          // letter case does not matter
      {"CCODE = '1002B'", 2, 1},          // nor trailing blanks
      {"ccode = '１００２ａ'", 1, 1},      // nor full-width forms: the key rule of the databases
      {"ccode = '1002á'", 0, 0},          // accents do
      {"ccode = 'it''s'", 3, 1},          // a doubled quote inside the text
      {"mmoney >= 20", 2, 1},
      {"mmoney = null", 3, 1},
      {"i_id > 1 and mmoney < 30", 2, 1},
      {"ddate <= '2026-01-31'", 1, 1},
      {"i_id <> 2", 1, 2},
      {"i_id = 9", 0, 0},
  };
  for (const auto& c : cases) {
    RecordsetWrapper rs = MakeRows();
    rs.Find(QString::fromUtf8(c.criteria));
    EXPECT_EQ(rs.NoMatch(), c.firstId == 0) << c.criteria;
    if (c.firstId) {
      EXPECT_EQ(rs.Field(QStringLiteral("I_ID")).ToInt(), c.firstId) << c.criteria;
    }
    rs.Filter(QString::fromUtf8(c.criteria));
    EXPECT_EQ(rs.RecordCount(), c.count) << c.criteria;
    rs.Filter(QString());
    EXPECT_EQ(rs.RecordCount(), 3);
  }
}

TEST(RecordsetCriteriaTest, RefusesWhatItCannotRead) {
  for (const char* bad : {"nosuch = 1", "i_id == ", "i_id = 'open", "i_id 1", "= 3"}) {
    RecordsetWrapper rs = MakeRows();
    EXPECT_THROW(rs.Find(QString::fromUtf8(bad)), DbError) << bad;
  }
}

TEST(RecordsetCriteriaTest, ReadOnlyRowsRefuseChangesAndMissingColumns) {
  RecordsetWrapper rs = MakeRows();
  EXPECT_THROW(rs.Edit(), DbError);
  EXPECT_THROW(rs.Field(QStringLiteral("nosuch")), DbError);
  rs.Find(QStringLiteral("i_id = 9"));
  EXPECT_TRUE(rs.Eof());
  EXPECT_THROW(rs.Field(QStringLiteral("i_id")), DbError);
}

TEST(SqlBuilderTest, KeepsMarksAndValuesTogether) {
  SqlBuilder q(QStringLiteral("select 1 from t where a=?"), QStringLiteral("x"));
  q.Add(QStringLiteral(" and d<=?"), QDate(2026, 3, 1)).Add(QStringLiteral(" and ")).AddIn(QStringLiteral("c"), QStringList{"1", "2"});
  EXPECT_EQ(q.Sql(), QStringLiteral("select 1 from t where a=? and d<=? and c in (?,?)"));
  EXPECT_EQ(q.Params().size(), 4u);
  SqlBuilder empty;
  empty.AddIn(QStringLiteral("c"), QStringList{});
  EXPECT_EQ(empty.Sql(), QStringLiteral("1=0"));
  EXPECT_THROW(SqlBuilder(QStringLiteral("a=? and b=?"), 1), DbError);
  EXPECT_EQ(CountPlaceholders(QStringLiteral("a=? and b='?'")), 1);
}

TEST(DbValueTest, DateTextsReadAsDates) {
  const struct {
    const char* text;
    QDate date;  // invalid: no date
  } cases[] = {
      {"2026-02-28", QDate(2026, 2, 28)},          {"2026.02.28 00:00:00", QDate(2026, 2, 28)},
      {" 2026/02/28", QDate(2026, 2, 28)},         {"2026-+2-28", QDate(2026, 2, 28)},
      {"2026-02-30", QDate()},                     {"2026-02/28", QDate()},
      {"2026-2-28", QDate()},                      {"20260228", QDate()},
      {"", QDate()},
  };
  for (const auto& c : cases) EXPECT_EQ(DbValue(QString::fromUtf8(c.text)).ToDate(), c.date) << c.text;
}

}  // namespace
}  // namespace corvane::platform
