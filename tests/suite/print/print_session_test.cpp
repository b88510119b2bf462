// Report output inside a whole session on the demo data: the print formats the
// demo seeds, the session's work database, result codes told to the user and
// page settings kept per report key.
#include "print_fixture.h"

#include "platform/db/db_connection.h"
#include "platform/print/print_control.h"
#include "platform/print/print_work_db.h"
#include "platform/print/report_engine.h"
#include "platform/print/rtprn.h"
#include "platform/print/template_path.h"
#include "shared/print_control_text.h"
#include "shared/print_format.h"
#include "shared/session.h"
#include "suite/print/report_renderer.h"
#include "suite/print/suite_grid_print_service.h"
#include "suite/services/suite_settings.h"
#include "support/scripted_print.h"
#include "support/suite_session.h"

#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace corvane::testing {
namespace {

using platform::ReportJob;

class PrintSessionTest : public PrintFixture {
 protected:
  platform::CommonServices& Common() { return shared::Session::Current().Common(); }
  SuiteSession session_;
};

TEST_F(PrintSessionTest, EveryDemoPrintFormatNamesTemplatesThatRead) {
  const struct { const char* code; bool form; } codes[] = {
      {"GLYhDzd", false}, {"GLYhQcRjz", false}, {"GLYhQcDzd", false}, {"GLYhYeDjb", false},
      {"GLYhDzdGd", false}, {"GLYhQc", true}, {"GLYhYeDjbMx", true}};
  // The formats as the demo seeds them on the server (the host copies them to
  // the account set's local file on its first start).
  suite::SuiteSettings(session_.Db(), QStringLiteral("001")).Set(QStringLiteral("LocalPrintFormats"), QStringLiteral("0"));
  for (const char* language : {"zh-CN", "en-US"}) {
    for (const auto& c : codes) {
      QStringList format(4);
      shared::LoadPrintFormat(QString::fromLatin1(c.code), format);
      const QString folder = platform::ReportTemplateFolder(QStringLiteral(CORVANE_REP_DIR "/.."), QString::fromLatin1(language));
      ReportJob job;
      job.reportKind = c.form ? platform::kReportKindForm : platform::kReportKindGrid;
      job.headTemplate = platform::ReportTemplatePath(folder, format[1]);
      job.tailTemplate = platform::ReportTemplatePath(folder, format[2]);
      FillGrid(2);
      job.bodyGrid = &grid_;
      EXPECT_EQ(suite::WriteReportPdf(job, Path(QStringLiteral("%1-%2.pdf").arg(c.code, language))), 0)
          << c.code << " " << language;
    }
  }
  EXPECT_EQ(session_.Messages().Count(), 0);
}

TEST_F(PrintSessionTest, AResultCodeReachesTheUserAsItsMessage) {
  QWidget window;
  platform::RTPrn prn(&window);
  prn.setRtpReportKind(platform::kReportKindGrid);
  prn.setRtpDataFile(Common().GetPrintWorkDb()->Name());
  prn.setRtpHeadTemplate(Path(QStringLiteral("REP/zh-CN/gone.rep")));
  FillGrid(1);
  prn.setRtpGrid(&grid_);
  const int result = prn.rtpPreview();
  EXPECT_EQ(result, platform::kReportTemplateMissing);
  shared::LocalizePrintControl(result, shared::kPrintModePreview);
  ASSERT_EQ(session_.Messages().Count(), 1);
  EXPECT_EQ(session_.Messages().LastPrompt(), QStringLiteral("报表模板文件不存在（错误号：-100）"));

  // A nameless template (no print format) is not told a second time.
  prn.setRtpHeadTemplate(platform::ReportTemplatePath(Path(QStringLiteral("REP/zh-CN")), QString()));
  shared::LocalizePrintControl(prn.rtpPreview(), shared::kPrintModePreview);
  EXPECT_EQ(session_.Messages().Count(), 1);
}

TEST_F(PrintSessionTest, TheWorkDatabaseLivesInTheSessionsTemporaryFolder) {
  QString file;
  {
    SuiteSession other;
    platform::PrintWorkDb* work = shared::Session::Current().Common().GetPrintWorkDb();
    ASSERT_NE(work, nullptr);
    EXPECT_EQ(work, shared::Session::Current().Common().GetPrintWorkDb());
    work->Execute(QStringLiteral("CREATE TABLE ZPDJ_Head (P1 String)"));
    file = work->Name();
    EXPECT_TRUE(QFileInfo::exists(file));
  }
  EXPECT_FALSE(QFileInfo::exists(file)) << "left behind at log-out";
  EXPECT_FALSE(QFileInfo::exists(QFileInfo(file).path()));
}

// Page set-up through the grid print service, typed into the page dialog.
class GridPageSetupTest : public PrintSessionTest {
 protected:
  void SetUp(const QString& key, int paper, bool portrait, int margin) {
    session_.Modals().Then([=](QDialog& d) {
      auto* box = d.findChild<QComboBox*>(QStringLiteral("cboPaper"));
      box->setCurrentIndex(box->findData(paper));
      d.findChild<QRadioButton*>(portrait ? QStringLiteral("optPortrait") : QStringLiteral("optLandscape"))->click();
      for (const char* name : {"txtLeft", "txtTop", "txtRight", "txtBottom"})
        d.findChild<QSpinBox*>(QString::fromLatin1(name))->setValue(margin);
      d.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    int result = 0;
    service_.PrintGrid(&grid_, key, &control_, platform::GridPrintService::kPageSetup, QString(), result);
  }
  // The page a preview under the key is given.
  ReportJob Preview(const QString& key) {
    ScriptedPrinting printing;
    int result = -1;
    service_.PrintGrid(&grid_, key, &control_, platform::GridPrintService::kPreview, QStringLiteral("标题"), result);
    EXPECT_EQ(result, 0);
    return printing.Runs().at(0).job;
  }
  QWidget window_;
  platform::PrintControl control_{&window_};
  suite::SuiteGridPrintService service_{shared::Session::Current().Common()};
};

TEST_F(GridPageSetupTest, EachKeyKeepsItsOwnPage) {
  SetUp(QStringLiteral("RPYETJB"), 8, false, 12);
  SetUp(QStringLiteral("RPYHDZCX"), 9, true, 20);
  const ReportJob a = Preview(QStringLiteral("RPYETJB"));
  EXPECT_EQ(std::make_tuple(a.paperSize, a.orientation, a.marginsMm, a.title),
            std::make_tuple(8, 2, QMargins(12, 12, 12, 12), QStringLiteral("标题")));
  EXPECT_TRUE(a.headTemplate.endsWith(QStringLiteral("/gridprint.rep")));
  const ReportJob b = Preview(QStringLiteral("RPYHDZCX"));
  EXPECT_EQ(std::make_tuple(b.paperSize, b.orientation, b.marginsMm), std::make_tuple(9, 1, QMargins(20, 20, 20, 20)));
  EXPECT_EQ(Preview(QStringLiteral("RPYHCQWD")).paperSize, 9);  // never set up: A4
}

TEST_F(GridPageSetupTest, TheBankSideOpeningItemsPrintOnThePageTheirSetUpChose) {
  SetUp(QStringLiteral("RPYHFQCReport"), 8, false, 11);  // the window's set-up key
  EXPECT_EQ(Preview(QStringLiteral("RPDZDQCReport")).paperSize, 8);  // its print key
  EXPECT_EQ(Preview(QStringLiteral("RPYHFQCReport")).paperSize, 8);
  EXPECT_EQ(Preview(QStringLiteral("RPQYFQCReport")).paperSize, 9);  // the other window keeps its own
}

TEST_F(GridPageSetupTest, SettingsStoredEarlierUnderTheOtherKeyStillApply) {
  Common().SavePageSettings(QStringLiteral("RPYHFQCReport"), {"8", "False", "13", "13", "13", "13", ""});
  const ReportJob job = Preview(QStringLiteral("RPDZDQCReport"));
  EXPECT_EQ(std::make_pair(job.paperSize, job.marginsMm), std::make_pair(8, QMargins(13, 13, 13, 13)));
}

TEST_F(GridPageSetupTest, AFailedGridPrintIsToldACancelledOneIsNot) {
  const struct { int code; int messages; } cases[] = {
      {platform::kReportOk, 0}, {platform::kReportCancelled, 0}, {platform::kReportOutputCannotWrite, 1}};
  for (const auto& c : cases) {
    ScriptedPrinting printing;
    printing.QueueResult(c.code);
    session_.Messages().Clear();
    int result = -1;
    service_.PrintGrid(&grid_, QStringLiteral("RPYETJB"), &control_, platform::GridPrintService::kPrint, QString(), result);
    EXPECT_EQ(result, c.code);
    ASSERT_EQ(session_.Messages().Count(), c.messages) << c.code;
    EXPECT_TRUE(!c.messages || session_.Messages().LastPrompt().contains(QString::number(c.code)));
  }
}

}  // namespace
}  // namespace corvane::testing
