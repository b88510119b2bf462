#include "platform/db/db_error.h"
#include "suite/db/open_db_connection.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

namespace corvane::suite {
namespace {

using platform::DbParams;

class SchemaTest : public ::testing::Test {
 protected:
  long long Count(const QString& sql, const DbParams& params = {}) { return db_.Connection().QueryValue(sql, params).ToInt(); }
  testing::TestDatabase db_;
};

TEST_F(SchemaTest, InstallsAgainOnAnExistingDatabaseAndKeepsItsRows) {
  db_.Connection().Execute(QStringLiteral("insert into code (ccode, ccode_name) values (?, ?)"), {"100201", "工商银行"});
  InstallSchema(db_.Connection());
  auto second = db_.OpenAnother();
  InstallSchema(*second);
  EXPECT_EQ(Count(QStringLiteral("select count(*) from code")), 1);
}

// A database made by an older version (amounts as decimals on SQLite, another key
// collation on PostgreSQL) is refused when opened, with a message, never read wrongly.
TEST_F(SchemaTest, ADatabaseOfAnOlderLayoutIsRefusedWhenOpened) {
  EXPECT_NO_THROW(db_.OpenAnother());
  if (db_.IsPostgres()) {
    db_.Connection().Execute(QStringLiteral("alter collation ci rename to ci_current"));
    db_.Connection().Execute(QStringLiteral(
        "create collation ci (provider = icu, locale = 'und-u-ks-level2', deterministic = false)"));
  } else {
    db_.Connection().Execute(QStringLiteral("pragma user_version = 1"));
  }
  try {
    db_.OpenAnother();
    FAIL() << "the older database was opened";
  } catch (const platform::DbError& e) {
    EXPECT_TRUE(e.Message().contains(QStringLiteral("older version"))) << e.Message().toStdString();
  }
}

// Codes are typed in any letters: the same code in other letters is found, and
// is the same code, so a second row is refused.
TEST_F(SchemaTest, TextKeysAreFoundAndKeptUniqueWithoutRegardToLetterCase) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"code (ccode, ccode_name)", "ccode", "ABC01"},
      {"RP_Book (cBookCode, cBookName)", "cbookcode", "YH009"},
      {"settlestyle (cSSCode, cSSName)", "csscode", "ZP"},
      {"corvane_options (ckey, cvalue)", "ckey", "USEBANKBOOKS"},
  };
  for (const auto& [tableAndColumns, key, value] : cases) {
    SCOPED_TRACE(tableAndColumns);
    const QString insert = QStringLiteral("insert into %1 values (?, ?)").arg(tableAndColumns);
    const QString table = QString::fromLatin1(tableAndColumns).section(u' ', 0, 0);
    db_.Connection().Execute(insert, {value, "x"});
    EXPECT_EQ(Count(QStringLiteral("select count(*) from %1 where %2=?").arg(table, key), {QString(value).toLower()}), 1);
    EXPECT_THROW(db_.Connection().Execute(insert, {QString(value).toLower(), "y"}), platform::DbError);
  }
}

TEST_F(SchemaTest, SettlementNumbersAndCodesOfLinesCompareWithoutLetterCase) {
  db_.Connection().Execute(QStringLiteral("insert into gl_accvouch (iperiod, ccode, cn_id, csettle) values (1, ?, ?, ?)"),
                           {"ab01", "zz00123", "2a"});
  db_.Connection().Execute(QStringLiteral("insert into rp_bankrecp (ccode, cn_id, csettle) values (?, ?, ?)"),
                           {"AB01", "ZZ00123", "2A"});
  EXPECT_EQ(Count(QStringLiteral("select count(*) from gl_accvouch j join rp_bankrecp b "
                                 "on b.ccode = j.ccode and b.cn_id = j.cn_id and b.csettle = j.csettle")), 1);
  EXPECT_EQ(Count(QStringLiteral("select count(*) from (select cn_id from gl_accvouch union "
                                 "select cn_id from rp_bankrecp) u")), 1);
}

}  // namespace
}  // namespace corvane::suite
