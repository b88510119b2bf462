// Report output of a 100,000-row grid: the whole PDF against writing the same
// texts to a plain file, the preview's first page, and the data output to .xlsx
// against the same rows as CSV. Each figure beside its floor, in one run; the
// PDF benchmark also reports how much the resident memory grew at its peak.
#include "platform/controls/list_grid.h"
#include "support/bench_database.h"
#include "platform/print/printable_grid.h"
#include "platform/print/report_job.h"
#include "suite/print/data_output.h"
#include "suite/print/report_pages.h"
#include "suite/print/report_renderer.h"
#include "suite/print/sqlite_print_work_db.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <memory>
#include <string>

namespace {

using namespace corvane;

int rowCount = 100000;  // --lines

struct Fixture {
  QTemporaryDir dir;
  platform::ListGrid grid;
  std::unique_ptr<suite::SqlitePrintWorkDb> work;
  platform::ReportJob job;
  std::vector<platform::DataOutField> fields;

  Fixture() {
    grid.SetCols(7);
    const char* titles[] = {"ID", "日期", "结算方式", "票号", "借方金额", "贷方金额", "余额"};
    const int widths[] = {0, 1400, 1800, 1600, 2000, 2000, 2200};
    for (int c = 0; c < 7; ++c) {
      grid.SetTextMatrix(0, c, QString::fromUtf8(titles[c]));
      grid.SetColWidth(c, widths[c]);
      if (c >= 4) grid.SetColAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    const QLocale english(QLocale::English);
    std::vector<std::vector<QString>> rows;
    rows.reserve(rowCount);
    double balance = 0;
    for (int r = 0; r < rowCount; ++r) {
      const double amount = (r * 7919 % 1000000) / 100.0;
      balance += r % 3 ? amount : -amount;
      rows.push_back({QString::number(r), QDate(2026, 1, 1).addDays(r % 365).toString(QStringLiteral("yyyy.MM.dd")),
                      QStringLiteral("转账支票"), QStringLiteral("ZZ%1").arg(24440000 + r),
                      r % 3 ? english.toString(amount, 'f', 2) : QString(),
                      r % 3 ? QString() : english.toString(amount, 'f', 2), english.toString(balance, 'f', 2)});
    }
    grid.FillRows(std::move(rows));
    work = std::make_unique<suite::SqlitePrintWorkDb>(dir.filePath(QStringLiteral("work.db")));
    work->Execute(QStringLiteral("CREATE TABLE ZPDJ_Head (P1 String,P2 String,P3 String,P4 String,P5 String,P6 String,P7 String)"));
    auto rs = work->OpenRecordset(QStringLiteral("ZPDJ_Head"));
    rs->AddNew();
    rs->SetField(QStringLiteral("P1"), QStringLiteral("银行对账单"));
    rs->SetField(QStringLiteral("P5"), QStringLiteral("银行科目：100201 工商银行北京朝阳支行"));
    rs->Update();
    job.reportKind = platform::kReportKindGrid;
    job.dataFile = work->Name();
    job.headTemplate = QDir(QStringLiteral(CORVANE_REP_DIR)).filePath(QStringLiteral("zh-CN/list_head.rep"));
    job.headTable = QStringLiteral("ZPDJ_Head");
    job.bodyGrid = &grid;
    fields = suite::FieldsOfGrid(*platform::PrintableGridOf(&grid));
  }
  QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

Fixture& Data() {
  static Fixture f;
  return f;
}

long ResidentKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size()));
  return 0;
}

// The same texts the report prints, written to a plain file: the floor of the PDF.
void BM_PlainTextFloor(benchmark::State& state) {
  Fixture& f = Data();
  const auto grid = platform::PrintableGridOf(&f.grid);
  for (auto _ : state) {
    QFile file(f.Path("plain.txt"));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QByteArray buffer;
    for (int r = 0; r < grid->PrintBodyRowCount(); ++r) {
      for (int c = 1; c < grid->PrintColumnCount(); ++c) {
        buffer += grid->PrintBodyText(r, c).toUtf8();
        buffer += '\t';
      }
      buffer += '\n';
      if (buffer.size() > (1 << 20)) {
        file.write(buffer);
        buffer.clear();
      }
    }
    file.write(buffer);
  }
}
BENCHMARK(BM_PlainTextFloor)->Unit(benchmark::kMillisecond);

void BM_WholePdf(benchmark::State& state) {
  Fixture& f = Data();
  { std::ofstream("/proc/self/clear_refs") << "5"; }  // resets the resident high-water mark
  const long before = ResidentKb("VmRSS:");
  for (auto _ : state) {
    if (suite::WriteReportPdf(f.job, f.Path("report.pdf")) != 0) state.SkipWithError("the report failed");
  }
  state.counters["rss_growth_MB"] = (ResidentKb("VmHWM:") - before) / 1024.0;
  state.counters["pdf_MB"] = QFile(f.Path("report.pdf")).size() / 1048576.0;
}
BENCHMARK(BM_WholePdf)->Unit(benchmark::kMillisecond)->Iterations(2);

// What the preview does before it shows anything: read the report and paint page 1.
void BM_PreviewFirstPage(benchmark::State& state) {
  Fixture& f = Data();
  const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15));
  for (auto _ : state) {
    suite::ReportSource source;
    suite::LoadReportSource(f.job, source);
    QImage image(layout.fullRectPixels(96).size(), QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    suite::ReportPages pages(source, image, layout.paintRectPixels(96).size());
    QPainter painter(&image);
    pages.Paint(painter, 0);
    benchmark::DoNotOptimize(pages.PageCount());
  }
}
BENCHMARK(BM_PreviewFirstPage)->Unit(benchmark::kMillisecond);

void BM_Csv(benchmark::State& state) {
  Fixture& f = Data();
  const auto grid = platform::PrintableGridOf(&f.grid);
  for (auto _ : state) suite::WriteCsv(*grid, f.fields, f.Path("out.csv"));
}
BENCHMARK(BM_Csv)->Unit(benchmark::kMillisecond);

void BM_Xlsx(benchmark::State& state) {
  Fixture& f = Data();
  const auto grid = platform::PrintableGridOf(&f.grid);
  { std::ofstream("/proc/self/clear_refs") << "5"; }
  const long before = ResidentKb("VmRSS:");
  for (auto _ : state) suite::WriteXlsx(*grid, f.fields, f.Path("out.xlsx"), QStringLiteral("银行对账单"));
  state.counters["rss_growth_MB"] = (ResidentKb("VmHWM:") - before) / 1024.0;
}
BENCHMARK(BM_Xlsx)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  corvane::bench::TakeSizeOptions(argc, argv);
  rowCount = static_cast<int>(corvane::bench::BenchLines(rowCount));
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  Data();
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
