// The engine's own dialogs, answered by script: the preview pages through, the
// data output asks for its file, the print dialog can print to a PDF file.
#include "print_fixture.h"

#include "platform/print/report_engine.h"
#include "suite/print/preview_dialog.h"
#include "suite/print/suite_report_engine.h"
#include "support/scripted_dialogs.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace corvane::testing {
namespace {

const QStringList kHead = {QStringLiteral("银行对账单"), "", "", "", QStringLiteral("银行科目：1002"), "", ""};
const QStringList kTail = {"", "", "", "", "", QStringLiteral("打印日期：2026.12.06")};

class EngineDialogsTest : public PrintFixture {
 protected:
  suite::SuiteReportEngine engine_{nullptr};
  ScriptedModals modals_;
};

TEST_F(EngineDialogsTest, PreviewPagesThroughTheReport) {
  FillGrid(150);
  WriteHeadAndTail(kHead, kTail);
  int pages = 0;
  QStringList labels;
  modals_.Then([&](QDialog& d) {
    auto& preview = dynamic_cast<suite::PreviewDialog&>(d);
    pages = preview.PageCount();
    auto* label = d.findChild<QLabel*>(QStringLiteral("lblPage"));
    labels << label->text();
    d.findChild<QPushButton*>(QStringLiteral("cmdNext"))->click();
    labels << label->text();
    d.findChild<QPushButton*>(QStringLiteral("cmdLast"))->click();
    labels << label->text();
    EXPECT_FALSE(d.findChild<QPushButton*>(QStringLiteral("cmdNext"))->isEnabled());
    d.findChild<QPushButton*>(QStringLiteral("cmdNext"))->click();  // already on the last page
    labels << label->text();
    // The page shown is drawn: not a blank sheet.
    const QImage& image = preview.PageImage();
    int dark = 0;
    for (int y = 0; y < image.height(); y += 4)
      for (int x = 0; x < image.width(); x += 4) dark += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(dark, 100);
    d.findChild<QPushButton*>(QStringLiteral("cmdClose"))->click();
  });
  EXPECT_EQ(engine_.Preview(GridJob()), 0);
  ASSERT_GT(pages, 2);
  const QString format = QStringLiteral("第 %1 页 / 共 %2 页");
  EXPECT_EQ(labels, QStringList({format.arg(1).arg(pages), format.arg(2).arg(pages), format.arg(pages).arg(pages),
                                 format.arg(pages).arg(pages)}));
  EXPECT_EQ(modals_.Shown(), std::vector<QString>{QStringLiteral("frmPrintPreview")});
  platform::ReportJob missing = GridJob();  // nothing to show: no dialog
  missing.headTemplate = Path(QStringLiteral("none.rep"));
  EXPECT_EQ(engine_.Preview(missing), platform::kReportTemplateMissing);
  EXPECT_EQ(modals_.Count(), 1);
}

TEST_F(EngineDialogsTest, DataOutputWritesTheFileTheUserNames) {
  FillGrid(3);
  const struct { const char* typed; const char* written; } cases[] = {
      {"a.csv", "a.csv"}, {"b.xlsx", "b.xlsx"}, {"c", "c.xlsx"}};
  for (const auto& c : cases) {
    modals_.Then([&](QDialog& d) {
      auto& files = dynamic_cast<QFileDialog&>(d);
      files.selectFile(Path(QString::fromLatin1(c.typed)));
      static_cast<QDialog&>(files).accept();
    });
    platform::ReportJob job = GridJob();
    job.fields = {{QStringLiteral("日期"), platform::kDataOutDate, 10}};
    EXPECT_EQ(engine_.DataOut(job), 0) << c.typed;
    EXPECT_TRUE(QFile::exists(Path(QString::fromLatin1(c.written)))) << c.written;
  }
  EXPECT_TRUE(Unzip(Path(QStringLiteral("b.xlsx")), QStringLiteral("xl/worksheets/sheet1.xml")).contains("<c r=\"A2\""));
  modals_.Then([](QDialog& d) { d.reject(); });
  EXPECT_EQ(engine_.DataOut(GridJob()), platform::kReportCancelled);
  platform::ReportJob noGrid = GridJob();
  noGrid.bodyGrid = nullptr;
  EXPECT_EQ(engine_.DataOut(noGrid), platform::kReportBodyWrong);
}

TEST_F(EngineDialogsTest, PrintingToAPdfFileThroughThePrintDialog) {
  FillGrid(40);
  WriteHeadAndTail(kHead, kTail);
  const QString pdf = Path(QStringLiteral("printed.pdf"));
  modals_.Then([&](QDialog& d) {
    auto& dialog = dynamic_cast<QPrintDialog&>(d);
    dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
    dialog.printer()->setOutputFileName(pdf);
    // The dialog's own file box is what it hands the printer on OK.
    for (QLineEdit* box : d.findChildren<QLineEdit*>())
      if (box->objectName() == QLatin1String("filename")) box->setText(pdf);
    dialog.accept();
  });
  EXPECT_EQ(engine_.Print(GridJob()), 0);
  EXPECT_TRUE(PdfText(pdf).contains(QStringLiteral("row 40")));
  modals_.Then([](QDialog& d) { d.reject(); });
  EXPECT_EQ(engine_.Print(GridJob()), platform::kReportCancelled);
}

}  // namespace
}  // namespace corvane::testing
