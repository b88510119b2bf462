#include "platform/controls/entry_grid.h"
#include "platform/controls/list_grid.h"
#include "platform/print/printable_grid.h"
#include "platform/print/report_engine.h"
#include "platform/print/rtprn.h"
#include "platform/print/scoped_grid_font.h"
#include "platform/print/template_path.h"
#include "platform/services/object_factory.h"
#include "support/scripted_print.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>

namespace corvane::platform {
namespace {

using testing::ReportRunRecord;
using testing::ScriptedPrinting;

class RTPrnTest : public ::testing::Test {
 protected:
  RTPrnTest() { window_.setObjectName(QStringLiteral("frmYHDZD")); }
  QWidget window_;
  RTPrn prn_{&window_};
  ScriptedPrinting printing_;
};

TEST_F(RTPrnTest, ARunGetsWhatTheWindowSetAndTheLogKeepsTheOrder) {
  ListGrid grid;
  grid.setObjectName(QStringLiteral("MsGrid1"));
  prn_.setBlnrtpOptionA(true);
  prn_.rtpSetOwner(&window_);
  prn_.setObjrtpBodyGrid(nullptr);
  prn_.setIntrtpReportKind(kReportKindGrid);
  prn_.setStrrtpDatabase(QStringLiteral("/tmp/w.db"));
  prn_.setStrrtpHeadTemplate(QStringLiteral("/p/REP/zh-CN/list_head.rep"));
  prn_.setStrrtpHeadTable(QStringLiteral("ZPDJ_Head"));
  prn_.setObjrtpBodyGrid(&grid);
  prn_.setLngrtpPaperSize(8);
  prn_.setLngrtpPaperOrient(0);
  prn_.rtpSetMargin(10, 20, 30, 40);
  prn_.setIntrtpOptionD(30);
  printing_.QueueResult(7);
  EXPECT_EQ(prn_.rtpPreview(), 7);

  ASSERT_EQ(printing_.Runs().size(), 1u);
  const ReportJob& job = printing_.Runs()[0].job;
  EXPECT_EQ(printing_.Runs()[0].verb, ReportRunRecord::Verb::Preview);
  EXPECT_EQ(job.owner, &window_);
  EXPECT_EQ(job.bodyGrid, &grid);
  EXPECT_EQ(job.reportKind, kReportKindGrid);
  EXPECT_EQ(job.dataFile, QStringLiteral("/tmp/w.db"));
  EXPECT_EQ(job.headTable, QStringLiteral("ZPDJ_Head"));
  EXPECT_EQ(job.paperSize, 8);
  EXPECT_EQ(job.orientation, 2);  // 0 from the windows is landscape
  EXPECT_EQ(job.marginsMm, QMargins(10, 20, 30, 40));
  EXPECT_EQ(job.optionD, 30);
  EXPECT_EQ(prn_.CallLog(),
            QStringList({"rtpOptionA=True", "rtpSetOwner=frmYHDZD", "rtpGrid=Nothing", "rtpReportKind=1",
                         "rtpDataFile=/tmp/w.db", "rtpHeadTemplate=/p/REP/zh-CN/list_head.rep",
                         "rtpHeadTable=ZPDJ_Head", "rtpGrid=MsGrid1", "lngrtpPaperSize=8", "lngrtpPaperOrient=0",
                         "rtpSetMargin=10,20,30,40", "rtpOptionD=30", "rtpPreview"}));
}

TEST_F(RTPrnTest, DataOutputRunsOnlyAFieldListDeclaredInOrder) {
  ListGrid grid;
  prn_.setRtpGrid(&grid);
  const struct {
    const char* what;
    std::vector<int> declared;  // indexes declared after opening a list of 3
    int opened;
    int result;
  } cases[] = {
      {"in order", {0, 1, 2}, 3, 0},
      {"one missing", {0, 1}, 3, kReportDataFieldsWrong},
      {"one too many", {0, 1, 2, 3}, 3, kReportDataFieldsWrong},
      {"out of order", {0, 2, 1}, 3, kReportDataFieldsWrong},
      {"list not opened", {0, 1, 2}, -99, kReportDataFieldsWrong},
  };
  for (const auto& c : cases) {
    const size_t runsBefore = printing_.Runs().size();
    if (c.opened != -99) EXPECT_EQ(prn_.rtpOutputColumn(RTPrn::kDataOutOpen, QString(), 0, c.opened), 0);
    for (int i : c.declared) EXPECT_EQ(prn_.rtpDataOut(i, QStringLiteral("F%1").arg(i), kDataOutAmount, 16), 0);
    EXPECT_EQ(prn_.rtpDataOut(RTPrn::kDataOutRun, QString(), 0, 0), c.result) << c.what;
    EXPECT_EQ(printing_.Runs().size(), runsBefore + (c.result == 0 ? 1 : 0)) << c.what;
  }
  const ReportJob& job = printing_.Runs().at(0).job;
  ASSERT_EQ(job.fields.size(), 3u);
  EXPECT_EQ(job.fields[2].caption, QStringLiteral("F2"));
  EXPECT_EQ(job.fields[2].type, kDataOutAmount);
  EXPECT_EQ(job.fields[2].width, 16);
}

TEST_F(RTPrnTest, AnEngineThatCannotBeMadeIsAResultCode) {
  ObjectFactory::Instance().makeReportEngine = nullptr;
  EXPECT_EQ(prn_.rtpPrint(), RTPrn::kEngineCannotStart);
}

TEST_F(RTPrnTest, TheRecordingEngineReadsTheGridAsItWouldPrint) {
  EntryGrid grid;
  grid.SetCols(3);
  grid.SetRows(4);
  for (int c = 0; c < 3; ++c) grid.SetTextMatrix(0, c, QStringLiteral("H%1").arg(c));
  for (int r = 1; r < 4; ++r)
    for (int c = 0; c < 3; ++c) grid.SetTextMatrix(r, c, QStringLiteral("%1/%2").arg(r).arg(c));
  grid.SetColWidth(0, 0);
  grid.SetRowHeight(2, 0);
  grid.SetColumnEditor(2, {ColumnKind::Amount});
  prn_.setRtpGrid(&grid);
  prn_.rtpPrint();
  const ReportRunRecord& run = printing_.Runs().at(0);
  EXPECT_EQ(run.bodyHeader, QStringList({"H1", "H2"}));
  ASSERT_EQ(run.body.size(), 2u);
  EXPECT_EQ(run.body[1], QStringList({"3/1", "3/2"}));
  const auto printable = PrintableGridOf(&grid);
  EXPECT_EQ(printable->PrintColumnAlignment(2), Qt::AlignRight);
  EXPECT_EQ(PrintableGridOf(&window_), nullptr);
}

TEST(ScopedGridFontSizeTest, TheSizeComesBackOnEveryWayOut) {
  ListGrid grid;
  QFont f = grid.font();
  f.setPointSizeF(12);
  grid.setFont(f);
  {
    ScopedGridFontSize font(&grid, 10.5, 9);
    EXPECT_EQ(grid.font().pointSizeF(), 10.5);
  }
  EXPECT_EQ(grid.font().pointSizeF(), 9);
  try {
    ScopedGridFontSize font(&grid, 10.5, 9);
    throw std::runtime_error("the print failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(grid.font().pointSizeF(), 9);
}

TEST(TemplatePathTest, FolderByLanguageAndNoPathWithoutAName) {
  EXPECT_EQ(ReportTemplateFolder(QStringLiteral("/opt/corvane/"), QString()), QStringLiteral("/opt/corvane/REP/zh-CN"));
  EXPECT_EQ(ReportTemplateFolder(QStringLiteral("/opt/corvane"), QStringLiteral("en-US")),
            QStringLiteral("/opt/corvane/REP/en-US"));
  EXPECT_EQ(ReportTemplatePath(QStringLiteral("/r/zh-CN"), QStringLiteral("list_head")),
            QStringLiteral("/r/zh-CN/list_head.rep"));
  EXPECT_EQ(ReportTemplatePath(QStringLiteral("/r/zh-CN"), QStringLiteral("  ")), QString());
}

}  // namespace
}  // namespace corvane::platform
