#include "platform/db/db_error.h"
#include "suite/db/open_db_connection.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

namespace corvane::suite {
namespace {

using platform::DbConnection;
using platform::DbError;
using platform::DbParams;
using platform::Money;

const QStringList kTables = {"code",    "gl_accvouch", "RP_Flow", "rp_bankrecp",      "rp_bankrecp_rp",
                             "RP_Book", "settlestyle", "dsign",   "PrintEx",          "corvane_calendar",
                             "corvane_options"};

class SchemaTest : public ::testing::Test {
 protected:
  DbConnection& conn() { return db_.Connection(); }
  long long Count(const QString& sql, const DbParams& params = {}) { return conn().QueryValue(sql, params).ToInt(); }
  testing::TestDatabase db_;
};

TEST_F(SchemaTest, InstallsAgainOnAnExistingDatabaseAndKeepsItsRows) {
  conn().Execute(QStringLiteral("insert into code (ccode, ccode_name) values (?, ?)"), {"100201", "工商银行"});
  InstallSchema(conn());
  auto second = db_.OpenAnother();
  InstallSchema(*second);
  for (const QString& table : kTables)
    EXPECT_NO_THROW(Count(QStringLiteral("select count(*) from ") + table)) << table.toStdString();
  EXPECT_EQ(Count(QStringLiteral("select count(*) from code")), 1);
}

// The recordset writes a changed row back by the table's primary key, which it
// can only do when the key is a single column.
TEST_F(SchemaTest, EveryTableHasTheSingleKeyItsRowsAreWrittenBackBy) {
  const std::pair<const char*, const char*> keys[] = {
      {"code", "ccode"},          {"gl_accvouch", "i_id"},   {"RP_Flow", "cflowid"},
      {"rp_bankrecp", "i_id"},    {"rp_bankrecp_RP", "i_id"}, {"RP_Book", "cbookcode"},
      {"settlestyle", "csscode"}, {"dsign", "csign"},        {"PrintEx", "i_id"},
      {"corvane_calendar", "i_id"}, {"corvane_options", "ckey"}};
  for (const auto& [table, key] : keys)
    EXPECT_EQ(conn().PrimaryKeyOf(table).toLower(), QString::fromLatin1(key)) << table;
}

struct KeyCase {
  const char* insert;  // a row whose text key is the first value
  const char* lookup;  // counts the rows with the key given
  const char* key;     // stored in capitals, looked up in small letters
};

TEST_F(SchemaTest, TextKeysAreFoundAndKeptUniqueWithoutRegardToLetterCase) {
  const KeyCase cases[] = {
      {"insert into code (ccode, ccode_name) values (?, ?)", "select count(*) from code where ccode=?", "ABC01"},
      {"insert into RP_Book (cBookCode, cBookName) values (?, ?)", "select count(*) from rp_book where cbookcode=?",
       "YH009"},
      {"insert into RP_Flow (cFlowID, cBookCode, iperiod) values (?, ?, 1)", "select count(*) from RP_Flow where cFlowID=?",
       "YH009000001"},
      {"insert into settlestyle (cSSCode, cSSName) values (?, ?)",
       "select count(*) from settlestyle where csscode=?", "ZP"},
      {"insert into corvane_options (ckey, cvalue) values (?, ?)",
       "select count(*) from corvane_options where ckey=?", "USEBANKBOOKS"},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.insert);
    const QString key = QString::fromLatin1(c.key);
    conn().Execute(QString::fromLatin1(c.insert), {key, "x"});
    EXPECT_EQ(Count(QString::fromLatin1(c.lookup), {key.toLower()}), 1);
    // The same key in other letters is the same key: a second row is refused.
    EXPECT_THROW(conn().Execute(QString::fromLatin1(c.insert), {key.toLower(), "y"}), DbError);
  }
}

TEST_F(SchemaTest, SettlementNumbersAndCodesOfLinesCompareWithoutLetterCase) {
  conn().Execute(QStringLiteral("insert into gl_accvouch (iperiod, ccode, cn_id, csettle, md) values (1, ?, ?, ?, ?)"),
                 {"ab01", "zz00123", "2a", Money::FromCents(100)});
  conn().Execute(QStringLiteral("insert into rp_bankrecp (ccode, cn_id, csettle, mmoney) values (?, ?, ?, ?)"),
                 {"AB01", "ZZ00123", "2A", Money::FromCents(100)});
  EXPECT_EQ(Count(QStringLiteral("select count(*) from gl_accvouch j join rp_bankrecp b "
                                 "on b.ccode = j.ccode and b.cn_id = j.cn_id and b.csettle = j.csettle")),
            1);
  EXPECT_EQ(Count(QStringLiteral("select count(*) from (select cn_id from gl_accvouch union "
                                 "select cn_id from rp_bankrecp) u")),
            1);
}

TEST_F(SchemaTest, RecordsetFindMatchesAKeyTypedInOtherLetters) {
  conn().Execute(QStringLiteral("insert into RP_Book (cBookCode, cBookName) values (?, ?), (?, ?)"),
                 {"YH001", "工行基本户", "YH002", "建行一般户"});
  auto books = conn().OpenRecordset(QStringLiteral("select * from RP_Book order by cBookCode"));
  books->Find(QStringLiteral("cBookCode = 'yh002'"));
  ASSERT_FALSE(books->NoMatch());
  EXPECT_EQ(books->Field(QStringLiteral("cBookName")).ToString(), QStringLiteral("建行一般户"));
}

// A line added with only what the editors write must show in the lists, which
// take posted (ibook 1), uncleared (bdelete 0) statement lines (ibegin not 0).
TEST_F(SchemaTest, LinesAddedThroughTheRecordsetGetDefaultsThatKeepThemListed) {
  auto statement = conn().OpenRecordset(QStringLiteral("select * from rp_bankrecp where 1=0"), {},
                                        DbConnection::kOpenEditable);
  statement->AddNew();
  statement->SetField(QStringLiteral("cCode"), QStringLiteral("100201"));
  statement->SetField(QStringLiteral("dDate"), QDate(2026, 3, 31));
  statement->SetField(QStringLiteral("mmoney"), Money::FromCents(12345));
  statement->Update();
  EXPECT_GT(statement->Field(QStringLiteral("i_id")).ToInt(), 0);
  EXPECT_EQ(Count(QStringLiteral("select count(*) from rp_bankrecp where bdelete=0 and ibegin<>0 and ccode=? "
                                 "and ddate<=? and (iflag=0 or iflag is null)"),
                  {"100201", QDate(2026, 3, 31)}),
            1);

  auto journal = conn().OpenRecordset(QStringLiteral("select * from GL_accvouch where 1=0"), {},
                                      DbConnection::kOpenEditable);
  journal->AddNew();
  journal->SetField(QStringLiteral("iPeriod"), 21);
  journal->SetField(QStringLiteral("cCode"), QStringLiteral("100201"));
  journal->SetField(QStringLiteral("dBill_date"), QDate(2025, 12, 30));
  journal->SetField(QStringLiteral("md"), Money::FromCents(500));
  journal->Update();
  EXPECT_EQ(Count(QStringLiteral("select count(*) from gl_accvouch where ibook=1 and (iflag is null or iflag=2) "
                                 "and bdelete=0 and iperiod<>20 and ccode=? and (iflagbank=0 or iflagbank is null) "
                                 "and md-mc=?"),
                  {"100201", Money::FromCents(500)}),
            1);
}

TEST_F(SchemaTest, AmountsKeepFourDecimalsAndDatesComeBackAsDates) {
  conn().Execute(QStringLiteral("insert into RP_Flow (cFlowID, cBookCode, iperiod, BillDate, md, mc_f) "
                                "values (?, ?, 1, ?, ?, ?)"),
                 {"YH001000001", "YH001", QDate(2026, 1, 31), Money::FromRaw(12345678), Money::FromRaw(-1)});
  const auto r = conn().Query(QStringLiteral("select BillDate, md, mc_f, mc from RP_Flow"));
  ASSERT_EQ(r.rows.size(), 1u);
  EXPECT_TRUE(r.rows[0][0].IsDate());
  EXPECT_EQ(r.rows[0][0].ToDate(), QDate(2026, 1, 31));
  EXPECT_EQ(r.rows[0][1].ToMoney(), Money::FromRaw(12345678));
  EXPECT_EQ(r.rows[0][2].ToMoney(), Money::FromRaw(-1));
  EXPECT_TRUE(r.rows[0][3].ToMoney().IsZero());  // amounts default to 0, so md-mc is never NULL
}

}  // namespace
}  // namespace corvane::suite
