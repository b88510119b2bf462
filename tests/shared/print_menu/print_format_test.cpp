#include "platform/db/db_error.h"
#include "shared/print_format.h"
#include "session_fixture.h"
#include "suite/db/open_db_connection.h"
#include "support/test_database.h"

#include <QTemporaryDir>

namespace corvane::shared {
namespace {

using platform::DbValue;

// The server's PrintEx and the account set's local table hold different rows for
// the same codes, so each result tells where it came from.
class PrintFormatTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    common_->connection = &db_.Connection();
    Server("GL", "GLYhDzd", 2, "server_head", "server_tail");
    Server("GL", "GLYhQc", 1, "unused", "unused");
    Server("GL", "NoPaths", 3, nullptr, nullptr);
    Server("GL", "NoTitle", nullptr, "h", "t");
    Server("ZZ", "OtherSystem", 2, "h", "t");

    ASSERT_TRUE(dir_.isValid());
    Session& s = Session::Current();
    s.gPrintFormatDb = suite::OpenDbConnection(QStringLiteral("sqlite:") + dir_.filePath(QStringLiteral("Zqformat.db")));
    s.gPrintExTable = QStringLiteral("PrintEx_001");
    s.gPrintFormatDb->Execute(QStringLiteral(
        "create table PrintEx_001 (cSystemName varchar(20), cTableCode varchar(60), ititleres smallint, "
        "cResPathHead varchar(200), cResPathtail varchar(200))"));
    Local("GL", "GLYhDzd", 4, "local_head", "local_tail");
    Local("GL", "OnlyLocal", 1, "x", "y");
  }

  void Server(const char* system, const char* code, DbValue title, DbValue head, DbValue tail) {
    db_.Connection().Execute(
        QStringLiteral("insert into PrintEx (cSystemName, cTableCode, ititleres, cResPathHead, cResPathtail) values (?,?,?,?,?)"),
        {system, code, title, head, tail});
  }
  void Local(const char* system, const char* code, DbValue title, DbValue head, DbValue tail) {
    Session::Current().gPrintFormatDb->Execute(
        QStringLiteral("insert into PrintEx_001 values (?,?,?,?,?)"), {system, code, title, head, tail});
  }
  void UseLocal(bool local) { common_->accountSet.LocalPrintFormats = local; }

  testing::TestDatabase db_;
  QTemporaryDir dir_;
};

const QStringList kUntouched{"a", "b", "c", "d"};

TEST_F(PrintFormatTest, FormatsComeFromTheDatabaseTheAccountSetNames) {
  struct Case { bool local; const char* code; QStringList expected; };
  const Case cases[] = {
      {false, "GLYhDzd", {"2", "server_head", "server_tail", "d"}},
      {true, "GLYhDzd", {"4", "local_head", "local_tail", "d"}},
      {false, "glyhdzd", {"2", "server_head", "server_tail", "d"}},
      {true, "GLYHDZD", {"4", "local_head", "local_tail", "d"}},
      {false, "GLYhQc", {"1", "printdef", "printdef", "d"}},
      {true, "OnlyLocal", {"1", "printdef", "printdef", "d"}},
      {false, "NoPaths", {"3", "", "", "d"}},
  };
  for (const Case& c : cases) {
    UseLocal(c.local);
    QStringList result = kUntouched;
    LoadPrintFormat(QString::fromLatin1(c.code), result);
    EXPECT_EQ(result, c.expected) << c.code << (c.local ? " local" : " server");
  }
  EXPECT_EQ(messages_.Count(), 0);
}

TEST_F(PrintFormatTest, MissingFormatIsReportedOnceAndLeavesTheListAlone) {
  struct Case { bool local; const char* code; };
  // A code of the other database, another system's code, and a code that would
  // change the statement were it pasted into it.
  for (const Case& c : {Case{true, "GLYhQc"}, Case{false, "OnlyLocal"}, Case{false, "OtherSystem"},
                        Case{false, "x' or '1'='1"}, Case{true, "x' or '1'='1"}}) {
    UseLocal(c.local);
    messages_.Clear();
    QStringList result = kUntouched;
    LoadPrintFormat(QString::fromLatin1(c.code), result);
    EXPECT_EQ(result, kUntouched) << c.code;
    ASSERT_EQ(messages_.Count(), 1) << c.code;
    EXPECT_EQ(messages_.LastPrompt(), QStringLiteral("Q9.GL.ZZPZ.12741|") + QString::fromLatin1(c.code));
    EXPECT_EQ(messages_.Shown().front().buttons, 0);
    EXPECT_TRUE(messages_.Shown().front().title.isEmpty());
  }
}

TEST_F(PrintFormatTest, ShortListGrowsToTheThreeEntries) {
  UseLocal(false);
  QStringList result;
  LoadPrintFormat(QStringLiteral("GLYhDzd"), result);
  EXPECT_EQ(result, (QStringList{"2", "server_head", "server_tail"}));
}

TEST_F(PrintFormatTest, RowWithoutTitleResourceFailsAndLeavesTheListAlone) {
  UseLocal(false);
  QStringList result = kUntouched;
  EXPECT_THROW(LoadPrintFormat(QStringLiteral("NoTitle"), result), platform::DbError);
  EXPECT_EQ(result, kUntouched);
}

TEST_F(PrintFormatTest, LocalTableNameMustBeAPlainName) {
  UseLocal(true);
  Session& s = Session::Current();
  for (const char* table : {"PrintEx_001 where 1=0 union select * from PrintEx_001", "PrintEx_001;drop table PrintEx_001", ""}) {
    s.gPrintExTable = QString::fromLatin1(table);
    QStringList result = kUntouched;
    EXPECT_THROW(LoadPrintFormat(QStringLiteral("GLYhDzd"), result), platform::DbError) << table;
    EXPECT_EQ(result, kUntouched);
  }
  EXPECT_EQ(s.gPrintFormatDb->QueryValue(QStringLiteral("select count(*) from PrintEx_001")).ToInt(), 2);
}

TEST_F(PrintFormatTest, LocalFormatsWithoutTheLocalDatabaseFail) {
  UseLocal(true);
  Session::Current().gPrintFormatDb.reset();
  QStringList result = kUntouched;
  EXPECT_THROW(LoadPrintFormat(QStringLiteral("GLYhDzd"), result), platform::DbError);
  EXPECT_EQ(messages_.Count(), 0);
}

}  // namespace
}  // namespace corvane::shared
