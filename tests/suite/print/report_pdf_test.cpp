#include "print_fixture.h"

#include "platform/print/report_engine.h"
#include "suite/print/report_renderer.h"

#include <QProcess>
#include <QRegularExpression>
#include <numeric>

namespace corvane::testing {
namespace {

using platform::ReportJob;

const QStringList kHead = {QStringLiteral("银行对账单"), "", "", "", QStringLiteral("银行科目：1002 工商银行"), "",
                           QStringLiteral("金额单位：元")};
const QStringList kTail = {"", "", "", QStringLiteral("核算单位：演示账套"), QStringLiteral("制表人：张三"),
                           QStringLiteral("打印日期：2026.12.06")};

class ReportPdfTest : public PrintFixture {
 protected:
  ReportPdfTest() { WriteHeadAndTail(kHead, kTail); }
  QString Render(const ReportJob& job, int expectCode = platform::kReportOk) {
    const QString pdf = Path(QStringLiteral("r%1.pdf").arg(++runs_));
    EXPECT_EQ(suite::WriteReportPdf(job, pdf), expectCode);
    return pdf;
  }
  // The numbers N of the "row N" texts of a page (or of all pages).
  static std::vector<int> RowsOn(const QString& text) {
    std::vector<int> rows;
    static const QRegularExpression row(QStringLiteral("row (\\d+)"));
    for (auto it = row.globalMatch(text); it.hasNext();) rows.push_back(it.next().captured(1).toInt());
    return rows;
  }
  // The page line at the foot ("第 1 页　共 3 页"; the extractor drops the spaces).
  static QRegularExpression PageLine(int page, int pages) {
    return QRegularExpression(QStringLiteral("第\\s*%1\\s*页\\s*共\\s*%2\\s*页").arg(page).arg(pages));
  }
  // The lowest bottom edge, in points from the top of the paper, of the words of a page beginning with `word`.
  static double LowestBottom(const QString& pdf, int page, const QString& word) {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                                             QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    EXPECT_TRUE(tool.waitForFinished(60000));
    static const QRegularExpression box(QStringLiteral("yMax=\"([\\d.]+)\">([^<]*)</word>"));
    double lowest = 0;
    const QString out = QString::fromUtf8(tool.readAllStandardOutput());
    for (auto it = box.globalMatch(out); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      if (m.captured(2).startsWith(word)) lowest = std::max(lowest, m.captured(1).toDouble());
    }
    return lowest;
  }
  int runs_ = 0;
};

// What a one-page report shows and leaves out, for each kind of template.
TEST_F(ReportPdfTest, OnePageShowsHeadHeaderShownRowsAndTail) {
  const auto english = [this](ReportJob& j) {
    WriteHeadAndTail({QStringLiteral("Bank Statement"), "", "", "", "", "", ""},
                     {"", "", "", "", QStringLiteral("Prepared by: Li"), ""});
    j.headTemplate = Template(QStringLiteral("en-US"), QStringLiteral("list_head"));
    j.tailTemplate = Template(QStringLiteral("en-US"), QStringLiteral("list_tail"));
    j.orientation = 0;  // what the windows pass for "not portrait"
  };
  const auto printdef = [](ReportJob& j) { j.headTemplate = j.tailTemplate = Template("zh-CN", "printdef"); };
  const auto form = [&](ReportJob& j) {
    printdef(j);
    j.reportKind = platform::kReportKindForm;
  };
  const struct {
    const char* name;
    int rows;
    std::function<void(ReportJob&)> change;
    QStringList shown, left;
  } cases[] = {
      {"list", 12, [this](ReportJob&) { grid_.SetRowHeight(5, 0); },  // a row the window's filter hid
       kHead + kTail + QStringList{"结算方式", "row 6", "row 12", "第 1 页 共 1 页"}, {"KEY", "ID", "row 5"}},
      {"empty grid", 0, nullptr, {"借方金额", "打印日期：2026.12.06"}, {"row"}},
      {"english, landscape", 3, english, {"Page 1 of 1", "Prepared by: Li"}, {"页"}},
      {"default head and tail", 3, printdef, {"制表人：张三", "row 3"}, {}},
      {"default form", 3, form, {"银行对账单"}, {}},
  };
  static const QRegularExpression blanks(QStringLiteral("[\\s\\x{3000}]"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FillGrid(c.rows);
    WriteHeadAndTail(kHead, kTail);  // the English row writes its own
    ReportJob job = GridJob();
    if (c.change) c.change(job);
    const QString pdf = Render(job);
    EXPECT_EQ(PdfPages(pdf), 1);
    const QString text = PdfText(pdf).remove(blanks);  // the extractor places blanks as it likes
    for (const QString& t : c.shown) EXPECT_TRUE(text.contains(QString(t).remove(blanks))) << t.toStdString();
    for (const QString& t : c.left) EXPECT_FALSE(text.contains(QString(t).remove(blanks))) << t.toStdString();
  }
}

TEST_F(ReportPdfTest, AmountColumnsAreRightAligned) {
  FillGrid(12);
  grid_.SetTextMatrix(2, 3, QStringLiteral("123,456,789.00"));
  grid_.SetTextMatrix(2, 2, QStringLiteral("123,456,789.00"));  // the same text in a text column
  const QStringList lines = PdfText(Render(GridJob())).split(QLatin1Char('\n'));
  // Where a text starts and ends in the laid-out line of a row (the extractor
  // places texts to about one character).
  auto span = [&](const QString& rowDate, const QString& text, qsizetype from) -> std::pair<qsizetype, qsizetype> {
    for (const QString& line : lines)
      if (line.startsWith(rowDate)) {
        const qsizetype at = line.indexOf(text, from);
        return {at, at + text.size()};
      }
    return {-1, -1};
  };
  // The amount column: short and long amounts end together.
  const auto shortAmount = span(QStringLiteral("2026.01.02"), QStringLiteral("1.00"), 30);
  const auto longAmount = span(QStringLiteral("2026.01.03"), QStringLiteral("123,456,789.00"), 30);
  ASSERT_GT(shortAmount.first, 0);
  ASSERT_GT(longAmount.first, 0);
  EXPECT_LE(std::abs(shortAmount.second - longAmount.second), 1);
  EXPECT_GE(shortAmount.first - longAmount.first, 8);
  // The text column: they start together.
  const auto textShort = span(QStringLiteral("2026.01.02"), QStringLiteral("row 1"), 0);
  const auto textLong = span(QStringLiteral("2026.01.03"), QStringLiteral("123,456,789.00"), 0);
  EXPECT_LE(std::abs(textShort.first - textLong.first), 1);
}

TEST_F(ReportPdfTest, LongBodyPaginatesWithHeaderOnEveryPageAndEveryRowOnce) {
  FillGrid(230);
  const QString pdf = Render(GridJob());
  const int pages = PdfPages(pdf);
  ASSERT_GT(pages, 2);
  const int perPage = static_cast<int>(RowsOn(PdfText(pdf, 1)).size());
  ASSERT_GT(perPage, 10);
  // Every page but a tail-only one carries the head and the grid's header; the
  // page count follows from the rows a page holds.
  const int bodyPages = (230 + perPage - 1) / perPage;
  EXPECT_TRUE(pages == bodyPages || pages == bodyPages + 1) << pages << " pages for " << bodyPages;
  std::vector<int> all;
  for (int p = 1; p <= pages; ++p) {
    const QString text = PdfText(pdf, p);
    EXPECT_TRUE(text.contains(PageLine(p, pages))) << p;
    EXPECT_TRUE(text.contains(QStringLiteral("银行对账单"))) << p;
    EXPECT_TRUE(p > bodyPages || text.contains(QStringLiteral("借方金额"))) << "header missing on page " << p;
    const std::vector<int> rows = RowsOn(text);
    all.insert(all.end(), rows.begin(), rows.end());
    EXPECT_EQ(text.contains(QStringLiteral("制表人：张三")), p == pages) << p;
    // No row runs into the footer band: A4, bottom margin 15 mm, footer 8 mm.
    EXPECT_LE(LowestBottom(pdf, p, QStringLiteral("row")), (297 - 15 - 8) * 72 / 25.4) << p;
  }
  std::vector<int> each(230);
  std::iota(each.begin(), each.end(), 1);
  EXPECT_EQ(all, each);
}

// A grid with two header rows and merged group captions, as the split grid of
// the detailed statement gives it: a hidden column inside a group is left out
// and each group caption is drawn once on every page.
class TwoHeaderGrid : public QObject, public platform::PrintableGrid {
 public:
  int PrintColumnCount() const override { return 5; }
  int PrintColumnWidth(int c) const override { return c == 1 ? 0 : 2000; }
  Qt::Alignment PrintColumnAlignment(int c) const override { return c % 2 ? Qt::AlignRight : Qt::AlignLeft; }
  int PrintHeaderRowCount() const override { return 2; }
  QString PrintHeaderText(int r, int c) const override {
    if (r == 0) return c < 3 ? QStringLiteral("企业已收银行未收") : QStringLiteral("银行已收企业未收");
    return QStringLiteral("列%1").arg(c);
  }
  std::vector<platform::GridSpan> PrintHeaderSpans() const override { return {{0, 0, 0, 2}, {0, 3, 0, 4}}; }
  int PrintBodyRowCount() const override { return 120; }
  bool PrintBodyRowHidden(int) const override { return false; }
  QString PrintBodyText(int r, int c) const override { return QStringLiteral("r%1c%2").arg(r).arg(c); }
  QFont PrintFont() const override { return QFont(); }
};

TEST_F(ReportPdfTest, MergedHeaderRowsRepeatOncePerPage) {
  TwoHeaderGrid grid;
  ReportJob job = GridJob();
  job.bodyGrid = &grid;
  const QString pdf = Render(job);
  ASSERT_GE(PdfPages(pdf), 2);
  for (int p = 1; p <= PdfPages(pdf); ++p) {
    const QString text = PdfText(pdf, p);
    if (!text.contains(QRegularExpression(QStringLiteral("r\\d+c0")))) continue;  // the tail alone
    EXPECT_EQ(text.count(QStringLiteral("企业已收银行未收")), 1) << p;
    EXPECT_EQ(text.count(QStringLiteral("银行已收企业未收")), 1) << p;
    EXPECT_TRUE(text.contains(QStringLiteral("列4"))) << p;
    EXPECT_FALSE(text.contains(QStringLiteral("列1"))) << p;
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("r\\d+c1\\b")))) << p;
  }
}

// The form of the two-sided statement from one row of "yhdzqc_H".
TEST_F(ReportPdfTest, FormPlacesEveryFieldOfItsRow) {
  QStringList cols;
  for (int i = 1; i <= 27; ++i) cols << QStringLiteral("P%1 String").arg(i);
  cols << QStringLiteral("P28 Long") << QStringLiteral("P29 Long") << QStringLiteral("P30 Long");
  work_->Execute(QStringLiteral("CREATE TABLE yhdzqc_H (%1)").arg(cols.join(QLatin1Char(','))));
  auto rs = work_->OpenRecordset(QStringLiteral("yhdzqc_H"));
  rs->AddNew();
  const std::vector<int> printed = {1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 24, 26, 27};
  for (int i : printed) rs->SetField(QStringLiteral("P%1").arg(i), QStringLiteral("字段%1值").arg(i));
  rs->SetField(QStringLiteral("P30"), 1);
  rs->Update();
  ReportJob job;
  job.reportKind = platform::kReportKindForm;
  job.dataFile = work_->Name();
  job.headTemplate = Template(QStringLiteral("zh-CN"), QStringLiteral("balance_form"));
  job.headTable = QStringLiteral("yhdzqc_H");
  const QString pdf = Render(job);
  EXPECT_EQ(PdfPages(pdf), 1);
  const QString text = PdfText(pdf);
  for (int i : printed) EXPECT_TRUE(text.contains(QStringLiteral("字段%1值").arg(i))) << "P" << i;
  EXPECT_TRUE(text.contains(QStringLiteral("审核")));
}

TEST_F(ReportPdfTest, WhatIsMissingGivesItsResultCode) {
  FillGrid(3);
  QFile damaged(Path(QStringLiteral("damaged.rep")));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("band head 20\ntext 0 0 100% 5 sideways \"{P1}\"\n");
  damaged.close();
  const struct {
    const char* what;
    std::function<void(ReportJob&)> change;
    int code;
  } cases[] = {
      {"no format row", [](ReportJob& j) { j.headTemplate = QStringLiteral("/rep/zh-CN/.rep"); }, platform::kReportNoFormat},
      {"empty name", [](ReportJob& j) { j.headTemplate.clear(); }, platform::kReportNoFormat},
      {"no such template", [](ReportJob& j) { j.tailTemplate = QStringLiteral("/nowhere/x.rep"); },
       platform::kReportTemplateMissing},
      {"damaged template", [&](ReportJob& j) { j.headTemplate = damaged.fileName(); }, platform::kReportTemplateDamaged},
      {"no work file", [](ReportJob& j) { j.dataFile = QStringLiteral("/nowhere/work.db"); },
       platform::kReportWorkDbUnusable},
      {"no head table", [](ReportJob& j) { j.headTable = QStringLiteral("NoSuchTable"); }, platform::kReportTableMissing},
      {"no body grid", [](ReportJob& j) { j.bodyGrid = nullptr; }, platform::kReportBodyWrong},
      {"unknown kind", [](ReportJob& j) { j.reportKind = 2; }, platform::kReportBodyWrong},
      {"unknown paper", [](ReportJob& j) { j.paperSize = 999; }, platform::kReportPaperWrong},
      {"margins wider than the paper", [](ReportJob& j) { j.marginsMm = QMargins(120, 10, 120, 10); },
       platform::kReportMarginsWrong},
  };
  for (const auto& c : cases) {
    ReportJob job = GridJob();
    c.change(job);
    const QString pdf = Path(QStringLiteral("%1.pdf").arg(QString::fromLatin1(c.what)));
    EXPECT_EQ(suite::WriteReportPdf(job, pdf), c.code) << c.what;
    EXPECT_FALSE(QFile::exists(pdf)) << c.what << ": a blank page was written";
  }
}

}  // namespace
}  // namespace corvane::testing
