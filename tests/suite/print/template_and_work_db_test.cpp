#include "platform/db/db_error.h"
#include "suite/print/report_template.h"
#include "suite/print/sqlite_print_work_db.h"
#include "support/scripted_print.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

namespace corvane::suite {
namespace {

TEST(ReportTemplateTest, ReadsBandsItemsAndFonts) {
  const auto t = ReportTemplate::Parse(QStringLiteral(
      "# comment\n"
      "band head 27\n"
      "font 16 bold WenQuanYi Micro Hei\n"
      "text 0 0 100% 9 center \"{P1} \\\"x\\\" # not a comment\"\n"
      "line 30% 10 70% 10 0.5\n"
      "band footer 8\n"
      "box 1 2 3 4\n"));
  ASSERT_TRUE(t);
  const TemplateBand* head = t->Band(QStringLiteral("head"));
  ASSERT_TRUE(head);
  EXPECT_EQ(head->heightMm, 27);
  ASSERT_EQ(head->items.size(), 2u);
  const TemplateItem& t0 = head->items[0];
  EXPECT_EQ(std::make_tuple(t0.text, t0.align, t0.font.points, t0.font.bold, t0.font.family, t0.w.Resolve(180)),
            std::make_tuple(QStringLiteral("{P1} \"x\" # not a comment"), 1, 16.0, true,
                            QStringLiteral("WenQuanYi Micro Hei"), 180.0));
  EXPECT_EQ(head->items[1].penMm, 0.5);
  EXPECT_EQ(t->Band(QStringLiteral("footer"))->items[0].kind, TemplateItem::Kind::Box);
  EXPECT_EQ(t->Band(QStringLiteral("tail")), nullptr);
}

TEST(ReportTemplateTest, RefusesWhatItCannotRead) {
  const char* bad[] = {
      "text 0 0 10 5 left \"outside a band\"",
      "band head\n",
      "band head x\n",
      "band head 10\ntext 0 0 10 5 sideways \"x\"",
      "band head 10\ntext 0 0 10 5 left \"unclosed",
      "band head 10\ntext -1 0 10 5 left \"x\"",
      "band head 10\nline 0 0 10\n",
      "band head 10\nfont big\n",
      "band head 10\nfont 0\n",
      "band head 10\nfont\n",
      "band head 10\ncircle 1 2 3\n",
  };
  for (const char* text : bad) {
    QString error;
    EXPECT_FALSE(ReportTemplate::Parse(QString::fromUtf8(text), &error)) << text;
    EXPECT_TRUE(error.startsWith(QStringLiteral("line "))) << text;
  }
}

TEST(ReportTemplateTest, FillsFieldsByName) {
  const QHash<QString, QString> values = {{QStringLiteral("P1"), QStringLiteral("标题")},
                                          {QStringLiteral("P10"), QStringLiteral("十")},
                                          {QStringLiteral("PAGE"), QStringLiteral("2")}};
  const struct { const char* in; const char* out; } cases[] = {
      {"{P1}", "标题"}, {"{p1}", "标题"}, {"{P10}/{P1}", "十/标题"}, {"第 {page} 页", "第 2 页"},
      {"{P2}", ""}, {"{P1", "{P1"}, {"no fields", "no fields"}};
  for (const auto& c : cases) EXPECT_EQ(FillFields(QString::fromUtf8(c.in), values), QString::fromUtf8(c.out)) << c.in;
}

// Every template shipped reads, in both languages, and has the bands its reports use.
TEST(ReportTemplateTest, ShippedTemplatesRead) {
  const struct { const char* name; std::vector<const char*> bands; } shipped[] = {
      {"printdef", {"head", "footer", "tail", "form"}}, {"list_head", {"head", "footer"}},
      {"list_tail", {"tail"}}, {"balance_form", {"form", "footer"}}, {"gridprint", {"head", "footer"}}};
  for (const char* language : {"zh-CN", "en-US"}) {
    for (const auto& s : shipped) {
      QFile f(QDir(QStringLiteral(CORVANE_REP_DIR)).filePath(QStringLiteral("%1/%2.rep").arg(language, s.name)));
      ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
      QString error;
      const auto t = ReportTemplate::Parse(QString::fromUtf8(f.readAll()), &error);
      ASSERT_TRUE(t) << f.fileName().toStdString() << " " << error.toStdString();
      for (const char* band : s.bands) EXPECT_TRUE(t->Band(QString::fromLatin1(band))) << s.name << " " << band;
    }
  }
}

// The work database the report procedures write.
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
  std::vector<QVariantMap> Rows() {
    return corvane::testing::ScriptedPrinting::ReadWorkTable(work_.Name(), QStringLiteral("yhdzqc_H"));
  }

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
}  // namespace corvane::suite
