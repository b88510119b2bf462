#include "print_fixture.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

namespace corvane::testing {

namespace {

QByteArray RunTool(const QString& program, const QStringList& args, bool mayFail = false) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(60000) || p.exitCode() != 0) {
    if (mayFail) return {};
    ADD_FAILURE() << program.toStdString() << " failed: " << p.readAllStandardError().toStdString();
    return {};
  }
  return p.readAllStandardOutput();
}

}  // namespace

PrintFixture::PrintFixture() {
  work_ = std::make_unique<suite::SqlitePrintWorkDb>(Path(QStringLiteral("work.db")));
}

QString PrintFixture::Template(const QString& language, const QString& name) {
  return QDir(QStringLiteral(CORVANE_REP_DIR)).filePath(language + QLatin1Char('/') + name + QStringLiteral(".rep"));
}

void PrintFixture::WriteHeadAndTail(const QStringList& head, const QStringList& tail) {
  const struct { const char* table; const QStringList& values; } tables[] = {{"ZPDJ_Head", head}, {"ZPDJ_Tail", tail}};
  for (const auto& t : tables) {
    const QString name = QString::fromLatin1(t.table);
    work_->Execute(QStringLiteral("DROP TABLE ") + name);
    QStringList cols;
    for (int i = 1; i <= t.values.size(); ++i) cols << QStringLiteral("P%1 String").arg(i);
    work_->Execute(QStringLiteral("CREATE TABLE %1 (%2)").arg(name, cols.join(QLatin1Char(','))));
    auto rs = work_->OpenRecordset(name);
    rs->AddNew();
    for (int i = 0; i < t.values.size(); ++i) rs->SetField(QStringLiteral("P%1").arg(i + 1), t.values[i]);
    rs->Update();
    rs->Close();
  }
}

platform::ReportJob PrintFixture::GridJob() const {
  platform::ReportJob job;
  job.reportKind = platform::kReportKindGrid;
  job.dataFile = work_->Name();
  job.headTemplate = Template(QStringLiteral("zh-CN"), QStringLiteral("list_head"));
  job.headTable = QStringLiteral("ZPDJ_Head");
  job.tailTemplate = Template(QStringLiteral("zh-CN"), QStringLiteral("list_tail"));
  job.tailTable = QStringLiteral("ZPDJ_Tail");
  job.bodyGrid = const_cast<platform::ListGrid*>(&grid_);
  job.marginsMm = QMargins(15, 15, 15, 15);
  return job;
}

void PrintFixture::FillGrid(int rows) {
  grid_.SetCols(5);
  const char* const titles[] = {"ID", "日期", "结算方式", "借方金额", "贷方金额"};
  const int widths[] = {0, 1500, 2500, 2000, 2000};
  for (int c = 0; c < 5; ++c) {
    grid_.SetTextMatrix(0, c, QString::fromUtf8(titles[c]));
    grid_.SetColWidth(c, widths[c]);
    if (c >= 3) grid_.SetColAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  }
  const QLocale english(QLocale::English);
  std::vector<std::vector<QString>> data;
  for (int r = 1; r <= rows; ++r) {
    data.push_back({QStringLiteral("KEY%1").arg(r), QStringLiteral("2026.01.%1").arg(1 + r % 28, 2, 10, QLatin1Char('0')),
                    QStringLiteral("row %1").arg(r), english.toString(r * 1.0, 'f', 2),
                    english.toString(r * 1000.5, 'f', 2)});
  }
  grid_.FillRows(std::move(data));
}

QString PrintFixture::PdfText(const QString& pdf, int page) {
  QStringList args{QStringLiteral("-layout")};
  if (page > 0) args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
  args << pdf << QStringLiteral("-");
  return QString::fromUtf8(RunTool(QStringLiteral("pdftotext"), args));
}

int PrintFixture::PdfPages(const QString& pdf) {
  const QString info = QString::fromUtf8(RunTool(QStringLiteral("pdfinfo"), {pdf}));
  const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QByteArray PrintFixture::Unzip(const QString& zip, const QString& member, bool optional) {
  return RunTool(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, member}, optional);
}

}  // namespace corvane::testing
