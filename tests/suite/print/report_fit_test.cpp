// A printed body shows every date, amount and number whole: the kind of each
// text, the widths the columns take on a page, and whole reports written to PDF
// with the widest figures the cells can hold, as the recorder of elided cells
// and the PDF's own text tell.
#include "print_fixture.h"

#include "platform/print/printable_grid.h"
#include "platform/print/report_engine.h"
#include "platform/print/scoped_grid_font.h"
#include "suite/print/cell_lines.h"
#include "suite/print/name_code_line.h"
#include "suite/print/report_cell_kind.h"
#include "suite/print/report_columns.h"
#include "suite/print/report_elisions.h"
#include "suite/print/report_pages.h"
#include "suite/print/report_renderer.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <numeric>

namespace corvane::testing {
namespace {

using suite::CellKind;
using suite::ColumnFit;
using suite::ColumnNeed;
using suite::ElidedCell;

TEST(ReportCellKind, TellsDatesAmountsNumbersAndTexts) {
  const struct {
    const char* text;
    CellKind kind;
  } cases[] = {
      {"2026.01.05", CellKind::Date},
      {"2026-1-5", CellKind::Date},
      {" 2026.12.31 ", CellKind::Date},
      {"截止日期：2026.06.30", CellKind::Date},
      {"0.00", CellKind::Amount},
      {"181,012.34", CellKind::Amount},
      {"-9,999,999,999.99", CellKind::Amount},
      {"9999999999.99", CellKind::Amount},
      {"企业账面余额：1,234.50", CellKind::Amount},
      {"Balance per books: -7.10", CellKind::Amount},
      {"ZZ24440017", CellKind::Number},
      {"YH00100023", CellKind::Number},
      {"记-0012", CellKind::Number},
      {"12", CellKind::Number},
      {"1,23.45", CellKind::Number},     // not grouped by three: a code, still whole
      {"2026.1.123", CellKind::Number},  // no day of three digits
      {"收到客户转账支票", CellKind::Text},
      {"Total", CellKind::Text},
      {"row 7", CellKind::Text},
      {"", CellKind::Text},
      {"转账支票", CellKind::Text},
  };
  for (const auto& c : cases)
    EXPECT_EQ(suite::CellKindName(suite::KindOfCellText(QString::fromUtf8(c.text))), suite::CellKindName(c.kind))
        << c.text;
}

TEST(ReportColumnFit, WholeFiguresFirstThenTheGridsProportions) {
  const struct {
    const char* name;
    std::vector<ColumnNeed> columns;
    double page;
    ColumnFit::Level level;
    std::vector<double> widths;
  } cases[] = {
      {"room for all: the grid's proportions", {{1, 10, 10}, {3, 10, 20}}, 100, ColumnFit::Level::AllWhole, {25, 75}},
      {"a narrow date column takes its date", {{1, 40, 40}, {3, 10, 10}}, 100, ColumnFit::Level::AllWhole, {40, 60}},
      {"two columns at their needs, the third the rest", {{1, 30, 30}, {1, 30, 30}, {2, 10, 10}}, 100,
       ColumnFit::Level::AllWhole, {30, 30, 40}},
      {"exactly the needs", {{5, 50, 50}, {1, 50, 50}}, 100, ColumnFit::Level::AllWhole, {50, 50}},
      {"a digest cut: figures whole, the text the rest", {{1, 40, 40}, {1, 40, 40}, {2, 0, 60}}, 100,
       ColumnFit::Level::TextsWrap, {40, 40, 20}},
      {"a long digest keeps its share when the figures leave it room", {{1, 10, 10}, {1, 0, 500}}, 100,
       ColumnFit::Level::TextsWrap, {50, 50}},
      {"a digest keeps its grid width while the page has room", {{3, 40, 40}, {1, 10, 80, 30}}, 100,
       ColumnFit::Level::TextsWrap, {70, 30}},
      {"and part of it when the page has less", {{3, 40, 40}, {1, 10, 80, 30}}, 60, ColumnFit::Level::TextsWrap,
       {40, 20}},
      {"too narrow: the needs scaled down", {{1, 60, 60}, {1, 90, 90}}, 100, ColumnFit::Level::TooNarrow, {40, 60}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ColumnFit fit(c.columns, c.page);
    EXPECT_EQ(fit.Reached(), c.level);
    EXPECT_EQ(ColumnFit::LevelOf(c.columns, c.page), c.level);
    ASSERT_EQ(fit.Widths().size(), c.widths.size());
    for (size_t i = 0; i < c.widths.size(); ++i) EXPECT_NEAR(fit.Widths()[i], c.widths[i], 0.01) << i;
    EXPECT_NEAR(std::accumulate(fit.Widths().begin(), fit.Widths().end(), 0.0), c.page, 0.01);
  }
}

// Where a text breaks onto further lines of its row, and how a head line of
// name and code is shortened: the figures inside either stay whole.
TEST(ReportCellLines, BreaksBetweenWordsAndShortensTheNameNotTheCode) {
  const auto chars = [](const QString& t) { return static_cast<double>(t.size()); };  // one unit a character
  const struct {
    const char* text;
    double width;
    QStringList lines;
  } wraps[] = {
      {"收到货款 2026.03.15 到账 86,420.13 元", 10, {"收到货款", "2026.03.15", "到账", "86,420.13", "元"}},
      {"运输费（含税）合计。", 4, {"运输费", "（含税）", "合计。"}},
      {"ZZ24440017", 4, {"ZZ24", "4400", "17"}},
      {"收 - 0001", 9, {"收 - 0001"}},
  };
  for (const auto& c : wraps) {
    const QString text = QString::fromUtf8(c.text);
    QStringList lines;
    for (const suite::TextSpan& s : suite::CellLines(text, c.width, chars)) lines << text.mid(s.start, s.end - s.start);
    EXPECT_EQ(lines, c.lines) << c.text;
  }
  const struct {
    const char* text;
    double width;
    const char* shown;  // "" when not a line of name and code
  } heads[] = {
      {"银行科目：工商银行北京朝阳支行 0200 0049（2019.03.01 开户）(100201)", 18, "银行科目：工商银行…(100201)"},
      {"Bank account: ICBC Beijing (100201), USD", 32, "Bank account: ICBC…(100201), USD"},
      {"科目：工行（基本户）", 10, "科目：工…（基本户）"},
      {"制表人：张三", 4, ""},
  };
  for (const auto& c : heads)
    EXPECT_EQ(suite::ShortenedNameLine(QString::fromUtf8(c.text), c.width, chars), QString::fromUtf8(c.shown)) << c.text;
}

// ASCII figures are drawn from kept glyphs, measured as the painter measures
// them; a batch once drawn starts afresh for the next cells.
TEST(ReportCellPen, KeptGlyphsMeasureAsThePainterAndABatchStartsAfresh) {
  QImage device(400, 40, QImage::Format_RGB32);
  QFont font;
  font.setPointSizeF(9);
  const suite::CellTextPen pen(font, device);
  const QString figure = QStringLiteral("-9,999,999,999.99");
  EXPECT_NEAR(pen.KeptWidth(figure), QFontMetricsF(font, &device).horizontalAdvance(figure), 0.5);
  const auto paint = [&](const QStringList& texts) {
    QImage out(device.size(), QImage::Format_RGB32);
    QPainter p(&out);
    suite::CellTextPen::Batch batch;
    for (const QString& t : texts) {
      p.fillRect(out.rect(), Qt::white);
      pen.Draw(p, QRectF(0, 0, 400, 40), Qt::AlignLeft, t, &batch);
      pen.Flush(p, batch);
    }
    p.end();
    return out;
  };
  EXPECT_EQ(paint({QStringLiteral("1111"), QStringLiteral("8888")}), paint({QStringLiteral("8888")}));
}

// The detailed statement's shape: four sections of date, number, (digest) and
// amount, in the narrow widths the windows give, with a hidden key column.
class WideFiguresTest : public PrintFixture {
 protected:
  static constexpr int kCols = 16;
  WideFiguresTest() {
    WriteHeadAndTail({QStringLiteral("银行存款余额调节表明细"), "", "", QStringLiteral("截止日期：2026.12.31"),
                      QStringLiteral("银行科目：工行基本户(100201)"), "", QStringLiteral("金额单位：元")},
                     {"", "", "", QStringLiteral("核算单位：演示账套"), QStringLiteral("制表人：张三"),
                      QStringLiteral("打印日期：2026.12.06")});
  }
  // twips as the detailed statement gives them; amounts of `amount`, numbers of `number`.
  void FillSections(int rows, const QString& amount, const QString& number, const QString& digest) {
    const int widths[kCols] = {1000, 1000, 1080, 1000, 1000, 1080, 55, 1000, 2000, 2000, 1080, 1000, 2000, 2000, 1080, 0};
    grid_.SetCols(kCols);
    std::vector<std::vector<QString>> data;
    for (int r = 0; r < rows; ++r) {
      std::vector<QString> row(kCols);
      for (int s : {0, 3, 7, 11}) {
        row[s] = QStringLiteral("2026.12.%1").arg(1 + r % 28, 2, 10, QLatin1Char('0'));
        row[s + 1] = number;
      }
      for (int c : {2, 5, 10, 14}) row[c] = r % 2 ? amount : QStringLiteral("-") + amount;
      row[9] = row[13] = digest;
      row[15] = QStringLiteral("key%1").arg(r);
      data.push_back(row);
    }
    grid_.FillRows(std::move(data));
    for (int c = 0; c < kCols; ++c) {
      grid_.SetTextMatrix(0, c, QStringLiteral("日期"));
      grid_.SetColWidth(c, widths[c]);
      if (c == 2 || c == 5 || c == 10 || c == 14) grid_.SetColAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
      // As the window declares them: dates, numbers, amounts; the digests are texts.
      using K = platform::PrintColumnKind;
      const K kinds[kCols] = {K::Date,   K::Number, K::Amount, K::Date, K::Number, K::Amount, K::Text, K::Date,
                              K::Number, K::Text,   K::Amount, K::Date, K::Number, K::Text,   K::Amount, K::Text};
      grid_.SetColPrintKind(c, kinds[c]);
    }
  }
  platform::ReportJob Landscape() const {
    platform::ReportJob job = GridJob();
    job.orientation = 2;
    job.marginsMm = QMargins(10, 10, 10, 10);
    return job;
  }
  // The body cells the engine cut, as "kind row,column text" (column titles may be cut).
  static QStringList Cut(const std::vector<ElidedCell>& cells, bool textsToo) {
    QStringList cut;
    for (const ElidedCell& e : cells)
      if (e.part == ElidedCell::Part::Body && (textsToo || suite::MustShowWhole(e.kind)))
        cut << QStringLiteral("%1 %2,%3 %4").arg(QString::fromLatin1(suite::CellKindName(e.kind))).arg(e.row).arg(e.column).arg(e.text);
    return cut;
  }
  int pdfs_ = 0;
};

TEST_F(WideFiguresTest, EveryFigurePrintsWholeOnTheReportsOwnPage) {
  const QString largest = QStringLiteral("9,999,999,999.99");
  const QString demoDigest = QStringLiteral("收到客户转账支票");
  const QString longDigest = QStringLiteral("收到客户转账支票及其他款项的说明文字很长很长很长");
  const struct {
    const char* name;
    int orientation;  // 1 portrait, 2 landscape
    QString amount, number, digest;
    bool digestCut;
    int shownColumns = kCols;  // the first ones; the others hidden
  } cases[] = {
      {"demo-like figures, landscape", 2, QStringLiteral("181,012.34"), QStringLiteral("ZZ24440017"), demoDigest, false},
      {"largest amounts, landscape", 2, largest, QStringLiteral("ZZ24440017"), demoDigest, false},
      {"largest amounts and a long digest, landscape", 2, largest, QStringLiteral("ZZ24440017"), longDigest, false},
      {"largest amounts, the two bank sections, portrait", 1, largest, QStringLiteral("YH00100023"), demoDigest, false,
       6},
      {"long voucher numbers, landscape", 2, QStringLiteral("1,000.00"), QStringLiteral("记-000000012345"), demoDigest,
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FillSections(30, c.amount, c.number, c.digest);
    for (int col = c.shownColumns; col < kCols; ++col) grid_.SetColWidth(col, 0);
    platform::ReportJob job = Landscape();
    job.orientation = c.orientation;
    suite::ElidedCellRecorder recorder;
    const QString pdf = Path(QStringLiteral("wide%1.pdf").arg(++pdfs_));
    ASSERT_EQ(suite::WriteReportPdf(job, pdf), 0);
    EXPECT_EQ(Cut(recorder.Cells(), false), QStringList());
    // The digest wraps rather than being cut.
    EXPECT_EQ(!Cut(recorder.Cells(), true).isEmpty(), c.digestCut) << Cut(recorder.Cells(), true).join('\n').toStdString();
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("-") + c.amount)) << text.left(2000).toStdString();
    EXPECT_TRUE(text.contains(c.number));
    EXPECT_TRUE(text.contains(QStringLiteral("2026.12.28")));
    EXPECT_FALSE(text.contains(QStringLiteral("…")) && !c.digestCut) << text.toStdString();
  }
}

// The type is made smaller only as far as the page needs, never when the
// window set the grid's size for the print, and never larger than the grid's.
TEST_F(WideFiguresTest, SmallerTypeOnlyWhereNeededAndNotWhereTheWindowSetIt) {
  QImage device(1, 1, QImage::Format_RGB32);
  device.setDotsPerMeterX(3780);
  device.setDotsPerMeterY(3780);
  const struct {
    const char* name;
    QString amount;
    bool fixed;
    double atMost, atLeast;
  } cases[] = {
      {"short figures keep the grid's type", QStringLiteral("1.00"), false, 9, 9},
      {"the largest amounts take a smaller type", QStringLiteral("9,999,999,999.99"), false, 8.5, 6},
      {"a size the window set is kept", QStringLiteral("9,999,999,999.99"), true, 10.5, 10.5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FillSections(5, c.amount, QStringLiteral("ZZ24440017"), QStringLiteral("摘要"));
    QFont font = grid_.font();
    font.setPointSizeF(9);
    grid_.setFont(font);
    std::optional<platform::ScopedGridFontSize> set;
    if (c.fixed) set.emplace(&grid_, 10.5, 9);
    suite::ReportSource source;
    ASSERT_EQ(suite::LoadReportSource(Landscape(), source), 0);
    const suite::ReportPages pages(source, device, QSizeF(277 * 96 / 25.4, 190 * 96 / 25.4));
    EXPECT_LE(pages.BodyPoints(), c.atMost);
    EXPECT_GE(pages.BodyPoints(), c.atLeast);
  }
  EXPECT_FALSE(platform::PrintableGridOf(&grid_)->PrintFontFixed());  // the mark goes with the size
}

// A form's box too narrow for its figure sets the figure smaller; a text is cut.
TEST_F(WideFiguresTest, AFormsFigureIsSetSmallerATextCut) {
  QFile rep(Path(QStringLiteral("narrow.rep")));
  ASSERT_TRUE(rep.open(QIODevice::WriteOnly));
  rep.write("band form 40\nfont 9\ntext 0 0 20 5 right \"{P1}\"\ntext 0 10 20 5 left \"{P2}\"\n");
  rep.close();
  const struct {
    QString value;
    QStringList cut;  // kinds cut
  } cases[] = {
      {QStringLiteral("-9,999,999,999.99"), {}},
      {QStringLiteral("2026.12.31"), {}},
      {QStringLiteral("收到客户转账支票及其他款项的说明"), {QStringLiteral("text")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value.toStdString());
    WriteHeadAndTail({c.value, c.value}, {QString()});
    platform::ReportJob job = GridJob();
    job.reportKind = platform::kReportKindForm;
    job.headTemplate = Path(QStringLiteral("narrow.rep"));
    suite::ElidedCellRecorder recorder;
    ASSERT_EQ(suite::WriteReportPdf(job, Path(QStringLiteral("form%1.pdf").arg(++pdfs_))), 0);
    QStringList cut;
    for (const ElidedCell& e : recorder.Cells()) {
      EXPECT_EQ(e.part, ElidedCell::Part::Band);
      cut << QString::fromLatin1(suite::CellKindName(e.kind));
    }
    EXPECT_EQ(cut, c.cut.isEmpty() ? QStringList() : QStringList(c.cut + c.cut));  // both boxes
  }
}

}  // namespace
}  // namespace corvane::testing
