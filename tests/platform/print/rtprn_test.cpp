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
#include <tuple>

namespace corvane::platform {
namespace {

using testing::ReportRunRecord;
using testing::ScriptedPrinting;

class RTPrnTest : public ::testing::Test {
 protected:
  QWidget window_;
  RTPrn prn_{&window_};
  ScriptedPrinting printing_;
};

// A run gets what the window set last, and the paper orientation 0 the windows
// pass as landscape.
TEST_F(RTPrnTest, ARunGetsWhatTheWindowSet) {
  ListGrid grid;
  prn_.setBlnrtpOptionA(true);
  prn_.rtpSetOwner(&window_);
  prn_.setObjrtpBodyGrid(nullptr);
  prn_.setIntrtpReportKind(kReportKindGrid);
  prn_.setStrrtpDatabase(QStringLiteral("/tmp/w.db"));
  prn_.setStrrtpHeadTable(QStringLiteral("ZPDJ_Head"));
  prn_.setObjrtpBodyGrid(&grid);
  prn_.setLngrtpPaperSize(8);
  prn_.setLngrtpPaperOrient(0);
  prn_.rtpSetMargin(10, 20, 30, 40);
  prn_.setIntrtpOptionD(30);
  printing_.QueueResult(7);
  EXPECT_EQ(prn_.rtpPreview(), 7);
  ASSERT_EQ(printing_.Runs().size(), 1u);
  EXPECT_EQ(printing_.Runs()[0].verb, ReportRunRecord::Verb::Preview);
  const ReportJob& j = printing_.Runs()[0].job;
  EXPECT_EQ(std::make_tuple(j.owner.data(), j.bodyGrid, j.reportKind, j.dataFile, j.headTable, j.paperSize,
                            j.orientation, j.marginsMm, j.optionA, j.optionD),
            std::make_tuple(&window_, static_cast<QObject*>(&grid), int(kReportKindGrid), QStringLiteral("/tmp/w.db"),
                            QStringLiteral("ZPDJ_Head"), 8, 2, QMargins(10, 20, 30, 40), true, 30));
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
    EXPECT_TRUE(c.opened == -99 || prn_.rtpOutputColumn(RTPrn::kDataOutOpen, QString(), 0, c.opened) == 0);
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
