#include "../session_fakes.h"

#include "platform/db/db_error.h"
#include "shared/print_control_text.h"
#include "shared/print_format.h"
#include "suite/db/open_db_connection.h"
#include "test_database.h"

#include <QTemporaryDir>

namespace corvane::shared {
namespace {

using platform::DbValue;

// The server's PrintEx and the account set's local table hold different rows for
// the same codes, so each result tells where it came from.
class PrintFormatTest : public testing::SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    common->connection = &db_.Connection();
    const QString insert = "insert into %1 (cSystemName, cTableCode, ititleres, cResPathHead, cResPathtail) values (?,?,?,?,?)";
    const std::vector<platform::DbParams> server = {{"GL", "GLYhDzd", 2, "server_head", "server_tail"},
                                                     {"GL", "GLYhQc", 1, "unused", "unused"},
                                                     {"GL", "NoPaths", 3, DbValue(), DbValue()},
                                                     {"GL", "NoTitle", DbValue(), "h", "t"},
                                                     {"ZZ", "OtherSystem", 2, "h", "t"}};
    for (const auto& row : server) db_.Connection().Execute(insert.arg("PrintEx"), row);
    ASSERT_TRUE(dir_.isValid());
    Session& s = Session::Current();
    s.gPrintFormatDb = suite::OpenDbConnection("sqlite:" + dir_.filePath("Zqformat.db"));
    s.gPrintExTable = "PrintEx_001";
    s.gPrintFormatDb->Execute(
        "create table PrintEx_001 (cSystemName varchar(20), cTableCode varchar(60), ititleres smallint, "
        "cResPathHead varchar(200), cResPathtail varchar(200))");
    s.gPrintFormatDb->Execute(insert.arg("PrintEx_001"), {"GL", "GLYhDzd", 4, "local_head", "local_tail"});
    s.gPrintFormatDb->Execute(insert.arg("PrintEx_001"), {"GL", "OnlyLocal", 1, "x", "y"});
  }
  // The list after LoadPrintFormat of code, from the local table or the server's.
  QStringList Load(bool local, const char* code, QStringList result = {"a", "b", "c", "d"}) {
    common->accountSet.LocalPrintFormats = local;
    LoadPrintFormat(QString::fromLatin1(code), result);
    return result;
  }

  testing::TestDatabase db_;
  QTemporaryDir dir_;
};

// Codes reach SQL as bound values: one that would change the statement were it
// pasted into it finds nothing, like a code of the other database or system.
TEST_F(PrintFormatTest, FormatsComeFromTheDatabaseTheAccountSetNames) {
  struct Case { bool local; const char* code; QStringList expected; };
  const Case cases[] = {
      {false, "GLYhDzd", {"2", "server_head", "server_tail", "d"}},
      {true, "GLYHDZD", {"4", "local_head", "local_tail", "d"}},
      {false, "glyhdzd", {"2", "server_head", "server_tail", "d"}},
      {false, "GLYhQc", {"1", "printdef", "printdef", "d"}},
      {true, "OnlyLocal", {"1", "printdef", "printdef", "d"}},
      {false, "NoPaths", {"3", "", "", "d"}},
      {true, "GLYhQc", {"a", "b", "c", "d"}},  // not found: reported, list untouched
      {false, "OnlyLocal", {"a", "b", "c", "d"}},
      {false, "OtherSystem", {"a", "b", "c", "d"}},
      {false, "x' or '1'='1", {"a", "b", "c", "d"}},
      {true, "x' or '1'='1", {"a", "b", "c", "d"}},
  };
  for (const Case& c : cases) {
    messages.Clear();
    EXPECT_EQ(Load(c.local, c.code), c.expected) << c.code << (c.local ? " local" : " server");
    const bool found = c.expected.front() != "a";
    ASSERT_EQ(messages.Count(), found ? 0 : 1) << c.code;
    if (!found) {
      EXPECT_EQ(messages.LastPrompt(), "Q9.GL.ZZPZ.12741|" + QString::fromLatin1(c.code));
    }
  }
  EXPECT_EQ(Load(false, "GLYhDzd", {}), (QStringList{"2", "server_head", "server_tail"}));  // grown to three
}

TEST_F(PrintFormatTest, UnusableRowOrLocalTableFailsAndLeavesTheListAlone) {
  Session& s = Session::Current();
  QStringList result{"a"};
  common->accountSet.LocalPrintFormats = false;
  EXPECT_THROW(LoadPrintFormat("NoTitle", result), platform::DbError);
  common->accountSet.LocalPrintFormats = true;
  for (const char* table : {"PrintEx_001 where 1=0 union select * from PrintEx_001", "PrintEx_001;drop table PrintEx_001", ""}) {
    s.gPrintExTable = QString::fromLatin1(table);
    EXPECT_THROW(LoadPrintFormat("GLYhDzd", result), platform::DbError) << table;
  }
  EXPECT_EQ(s.gPrintFormatDb->QueryValue("select count(*) from PrintEx_001").ToInt(), 2);
  s.gPrintExTable = "PrintEx_001";
  s.gPrintFormatDb.reset();
  EXPECT_THROW(LoadPrintFormat("GLYhDzd", result), platform::DbError);
  EXPECT_EQ(result, QStringList{"a"});
}

class PrintControlTextTest : public testing::SessionTest {};

// The fake texts are the keys themselves, so a prompt shows which detail a code
// picked, followed by the code-number text with the code as its argument. A code
// without a text of its own shows the general one (03963); an empty detail none.
TEST_F(PrintControlTextTest, EachCodeShowsItsDetailThenTheCode) {
  struct Case { int code; const char* detail; };
  const Case cases[] = {
      {0, nullptr},       {6, nullptr},       {1000, nullptr},    {-101, "Q9.CW.GL.ZWSQL.BAS.03902"},
      {1, "Q9.CW.GL.ZWSQL.BAS.03903"},        {22, "Q9.GL.ZZPZ.00933"},         {48, "Type1ScareType"},
      {64, "ScareBodyGrid"},                  {1001, "Q9.CW.GL.ZWSQL.BAS.03962"}, {-2, "Q9.CW.GL.ZWSQL.BAS.03963"},
      {999, "Q9.CW.GL.ZWSQL.BAS.03963"},
  };
  for (const Case& c : cases) {
    messages.Clear();
    ShowPrintResult(c.code, kPrintModePreview);
    ASSERT_EQ(messages.Count(), c.detail ? 1 : 0) << c.code;
    if (!c.detail) continue;
    const platform::MessageRequest& m = messages.Shown().front();
    EXPECT_EQ(m.prompt, c.detail + QStringLiteral("Q9.GL.ZZPZ.02809|") + QString::number(c.code));
    EXPECT_EQ(m.buttons, 16) << c.code;
    EXPECT_EQ(m.title, "Q9.CW.GL.ZWSQL.BAS.00427") << c.code;
  }
}

// Without resource texts a code whose detail is a text shows nothing; one whose
// detail is the control's own word still shows it, without the code part.
TEST_F(PrintControlTextTest, MissingTextsLeaveOnlyTheControlsOwnWords) {
  common->failStrings = true;
  LocalizePrintControl(5);
  LocalizePrintControl(999);
  EXPECT_EQ(messages.Count(), 0);
  LocalizePrintControl(48);
  ASSERT_EQ(messages.Count(), 1);
  EXPECT_EQ(messages.LastPrompt(), "Type1ScareType");
}

}  // namespace
}  // namespace corvane::shared
