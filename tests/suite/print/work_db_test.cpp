#include "platform/db/db_error.h"
#include "suite/print/sqlite_print_work_db.h"
#include "support/scripted_print.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace corvane::testing {
namespace {

using suite::SqlitePrintWorkDb;

const QString kCreate = QStringLiteral("CREATE TABLE yhdzqc_H (P1 String,P2 String,P28 Long,P29 Long,P30 Long)");

class WorkDbTest : public ::testing::Test {
 protected:
  // One run of a report procedure: drop (a missing table is no error), create,
  // one row.
  void Run(const QString& p1, const QString& p2) {
    work_.Execute(QStringLiteral("DROP TABLE yhdzqc_H"));
    work_.Execute(kCreate);
    auto rs = work_.OpenRecordset(QStringLiteral("yhdzqc_H"));
    ASSERT_TRUE(rs->Eof());
    rs->AddNew();
    rs->SetField(QStringLiteral("P1"), p1);
    rs->SetField(QStringLiteral("p2"), p2);  // field names as the table has them, in any case
    rs->SetField(QStringLiteral("P30"), 1);
    rs->Update();
    rs->Close();
  }
  std::vector<QVariantMap> Rows() { return ScriptedPrinting::ReadWorkTable(work_.Name(), QStringLiteral("yhdzqc_H")); }

  QTemporaryDir dir_;
  SqlitePrintWorkDb work_{dir_.filePath(QStringLiteral("work.db"))};
};

// A rerun replaces the row; texts stay texts, longs numbers, and what is not written stays NULL.
TEST_F(WorkDbTest, ARerunReplacesTheRowWithItsTypes) {
  Run(QStringLiteral("first"), QString());
  Run(QStringLiteral("000042"), QStringLiteral("1.50"));
  const std::vector<QVariantMap> rows = Rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], (QVariantMap{{"P1", QStringLiteral("000042")}, {"P2", QStringLiteral("1.50")},
                                  {"P28", QVariant()}, {"P29", QVariant()}, {"P30", qlonglong{1}}}));
}

TEST_F(WorkDbTest, StatementsAreTakenAsTheProceduresWriteThem) {
  const struct { const char* in; const char* out; } cases[] = {
      {"DROP TABLE ZPDJ_Head", "DROP TABLE IF EXISTS ZPDJ_Head"},
      {"drop table x", "DROP TABLE IF EXISTS x"},
      {"DROP TABLE IF EXISTS x", "DROP TABLE IF EXISTS x"},
      {"CREATE TABLE t (P1 String,P2 String,P3 Long)", "CREATE TABLE t (P1 TEXT,P2 TEXT,P3 INTEGER)"},
      {"CREATE TABLE t (Stringy String, Longer Long)", "CREATE TABLE t (Stringy TEXT, Longer INTEGER)"},
      {"insert into t (P1) values ('String')", "insert into t (P1) values ('String')"},
  };
  for (const auto& c : cases) EXPECT_EQ(SqlitePrintWorkDb::ToSqlite(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
}

TEST_F(WorkDbTest, MistakesAreErrors) {
  work_.Execute(kCreate);
  EXPECT_THROW(work_.Execute(kCreate), platform::DbError);  // only DROP forgives
  auto rs = work_.OpenRecordset(QStringLiteral("yhdzqc_H"));
  EXPECT_THROW(rs->SetField(QStringLiteral("P1"), QStringLiteral("x")), platform::DbError);  // no AddNew
  rs->AddNew();
  EXPECT_THROW(rs->SetField(QStringLiteral("P99"), QStringLiteral("x")), platform::DbError);
  EXPECT_THROW(work_.OpenRecordset(QStringLiteral("NoSuchTable")), platform::DbError);
  EXPECT_THROW(work_.OpenRecordset(QStringLiteral("x; drop table yhdzqc_H")), platform::DbError);
}

}  // namespace
}  // namespace corvane::testing
