#include "print_fixture.h"

#include "platform/print/report_engine.h"
#include "suite/print/data_output.h"

#include <QFile>
#include <QXmlStreamReader>
#include <map>

namespace corvane::testing {
namespace {

using platform::DataOutField;
using platform::PrintableGridOf;

const std::vector<DataOutField> kFields = {{QStringLiteral("日期"), platform::kDataOutDate, 10},
                                           {QStringLiteral("结算方式"), platform::kDataOutText, 20},
                                           {QStringLiteral("借方"), platform::kDataOutAmount, 16},
                                           {QStringLiteral("贷方"), platform::kDataOutAmount, 16}};

// One cell of a sheet as the workbook stores it.
struct Cell {
  QString type;   // the "t" attribute: "" number, "s" shared string, "inlineStr", ...
  QString style;  // the "s" attribute
  QString value;  // the number, or the text (shared strings resolved)
};

class DataOutputTest : public PrintFixture {
 protected:
  // The cells of the first sheet by reference ("A1"), read from the file's XML.
  std::map<QString, Cell> ReadSheet(const QString& xlsx) {
    QStringList shared;
    QXmlStreamReader strings(Unzip(xlsx, QStringLiteral("xl/sharedStrings.xml"), true));
    while (!strings.atEnd())
      if (strings.readNext() == QXmlStreamReader::StartElement && strings.name() == QLatin1String("t"))
        shared << strings.readElementText();
    std::map<QString, Cell> cells;
    QXmlStreamReader sheet(Unzip(xlsx, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString ref;
    while (!sheet.atEnd()) {
      if (sheet.readNext() != QXmlStreamReader::StartElement) continue;
      if (sheet.name() == QLatin1String("c")) {
        ref = sheet.attributes().value(QLatin1String("r")).toString();
        cells[ref] = {sheet.attributes().value(QLatin1String("t")).toString(),
                      sheet.attributes().value(QLatin1String("s")).toString(), QString()};
      } else if (sheet.name() == QLatin1String("v") || sheet.name() == QLatin1String("t")) {
        const QString v = sheet.readElementText();
        cells[ref].value = cells[ref].type == QLatin1String("s") ? shared.value(v.toInt()) : v;
      }
    }
    return cells;
  }
  // The number format of a cell style index, from styles.xml.
  QString NumberFormatOfStyle(const QString& xlsx, int style) {
    QXmlStreamReader x(Unzip(xlsx, QStringLiteral("xl/styles.xml")));
    std::map<int, QString> formats;
    int xf = -1;
    bool inCellXfs = false;
    while (!x.atEnd()) {
      const auto t = x.readNext();
      if (t == QXmlStreamReader::EndElement && x.name() == QLatin1String("cellXfs")) inCellXfs = false;
      if (t != QXmlStreamReader::StartElement) continue;
      if (x.name() == QLatin1String("numFmt"))
        formats[x.attributes().value(QLatin1String("numFmtId")).toInt()] =
            x.attributes().value(QLatin1String("formatCode")).toString();
      if (x.name() == QLatin1String("cellXfs")) inCellXfs = true;
      if (inCellXfs && x.name() == QLatin1String("xf") && ++xf == style)
        return formats[x.attributes().value(QLatin1String("numFmtId")).toInt()];
    }
    return QStringLiteral("?");
  }
  bool IsBold(const QString& xlsx, int style) {
    const QByteArray styles = Unzip(xlsx, QStringLiteral("xl/styles.xml"));
    QXmlStreamReader x(styles);
    std::vector<bool> fontBold;
    int xf = -1;
    bool inFonts = false, inCellXfs = false;
    while (!x.atEnd()) {
      const auto t = x.readNext();
      if (t == QXmlStreamReader::EndElement && x.name() == QLatin1String("fonts")) inFonts = false;
      if (t == QXmlStreamReader::EndElement && x.name() == QLatin1String("cellXfs")) inCellXfs = false;
      if (t != QXmlStreamReader::StartElement) continue;
      if (x.name() == QLatin1String("fonts")) inFonts = true;
      if (x.name() == QLatin1String("cellXfs")) inCellXfs = true;
      if (inFonts && x.name() == QLatin1String("font")) fontBold.push_back(false);
      if (inFonts && x.name() == QLatin1String("b")) fontBold.back() = true;
      if (inCellXfs && x.name() == QLatin1String("xf") && ++xf == style)
        return fontBold.at(x.attributes().value(QLatin1String("fontId")).toInt());
    }
    return false;
  }
};

TEST_F(DataOutputTest, WorkbookHasRealNumbersDatesAndABoldCaptionRow) {
  FillGrid(5);
  grid_.SetRowHeight(3, 0);                                 // hidden by a filter
  grid_.SetTextMatrix(4, 2, QStringLiteral("网上银行, \"急\""));
  grid_.SetTextMatrix(5, 4, QStringLiteral("未达"));       // no amount: stays text
  const QString xlsx = Path(QStringLiteral("out.xlsx"));
  ASSERT_EQ(suite::WriteXlsx(*PrintableGridOf(&grid_), kFields, xlsx, QStringLiteral("银行对账单")), 0);
  const std::map<QString, Cell> cells = ReadSheet(xlsx);

  EXPECT_EQ(cells.at("A1").value, QStringLiteral("日期"));
  EXPECT_EQ(cells.at("D1").value, QStringLiteral("贷方"));
  EXPECT_TRUE(IsBold(xlsx, cells.at("A1").style.toInt()));
  // Row 2 of the sheet is grid row 1: date 2026.01.02 is serial 46024.
  EXPECT_EQ(cells.at("A2").type, QString());
  EXPECT_EQ(cells.at("A2").value.toDouble(), 46024.0);
  EXPECT_EQ(NumberFormatOfStyle(xlsx, cells.at("A2").style.toInt()), QStringLiteral("yyyy.mm.dd"));
  EXPECT_EQ(cells.at("C2").type, QString());
  EXPECT_DOUBLE_EQ(cells.at("D2").value.toDouble(), 1000.5);
  EXPECT_EQ(NumberFormatOfStyle(xlsx, cells.at("D2").style.toInt()), QStringLiteral("#,##0.00"));
  EXPECT_EQ(cells.at("B2").value, QStringLiteral("row 1"));
  // Grid row 3 is hidden: sheet row 4 holds grid row 4.
  EXPECT_EQ(cells.at("B4").value, QStringLiteral("网上银行, \"急\""));
  EXPECT_EQ(cells.at("D5").value, QStringLiteral("未达"));
  EXPECT_NE(cells.at("D5").type, QString());
  EXPECT_EQ(cells.count("A6"), 0u);
  // The hidden key column is not output: no column E.
  for (const auto& [ref, cell] : cells) EXPECT_FALSE(ref.startsWith(QLatin1Char('E'))) << ref.toStdString();
}

TEST_F(DataOutputTest, CsvIsUtf8WithMarkPlainNumbersAndIsoDates) {
  FillGrid(4);
  grid_.SetRowHeight(2, 0);
  grid_.SetTextMatrix(3, 2, QStringLiteral("网上银行, \"急\""));
  const QString csv = Path(QStringLiteral("out.csv"));
  ASSERT_EQ(suite::WriteCsv(*PrintableGridOf(&grid_), kFields, csv), 0);
  QFile file(csv);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
  const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
  EXPECT_EQ(lines, QStringList({QStringLiteral("日期,结算方式,借方,贷方"), QStringLiteral("2026-01-02,row 1,1.00,1000.50"),
                                QStringLiteral("2026-01-04,\"网上银行, \"\"急\"\"\",3.00,3001.50"),
                                QStringLiteral("2026-01-05,row 4,4.00,4002.00"), QString()}));
}

TEST_F(DataOutputTest, UndeclaredFieldsComeFromTheGrid) {
  FillGrid(2);
  const std::vector<DataOutField> fields = suite::FieldsOfGrid(*PrintableGridOf(&grid_));
  ASSERT_EQ(fields.size(), 4u);
  const int types[] = {platform::kDataOutDate, platform::kDataOutText, platform::kDataOutAmount,
                       platform::kDataOutAmount};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(fields[i].type, types[i]) << i;
  EXPECT_EQ(fields[1].caption, QStringLiteral("结算方式"));
}

TEST_F(DataOutputTest, AmountAndDateTextsAreReadStrictly) {
  const struct { const char* text; bool amount; double value; } amounts[] = {
      {"1,234.50", true, 1234.5}, {"-8.00", true, -8}, {"12", true, 12}, {"1,23.00", false, 0},
      {"", false, 0}, {"未达", false, 0}, {"1.2.3", false, 0}};
  for (const auto& a : amounts) {
    double v = 0;
    EXPECT_EQ(suite::ReadAmountText(QString::fromUtf8(a.text), v), a.amount) << a.text;
    if (a.amount) EXPECT_DOUBLE_EQ(v, a.value) << a.text;
  }
  const struct { const char* text; bool date; } dates[] = {
      {"2026.01.05", true}, {"2026-1-5", true}, {"2026/01/05", true}, {"2026.02.30", false}, {"20260105", false}};
  for (const auto& d : dates) {
    QDate date;
    EXPECT_EQ(suite::ReadDateText(QString::fromLatin1(d.text), date), d.date) << d.text;
  }
}

TEST_F(DataOutputTest, UnwritablePlaceGivesItsCode) {
  FillGrid(1);
  const QString nowhere = QStringLiteral("/nonexistent-folder/out");
  EXPECT_EQ(suite::WriteCsv(*PrintableGridOf(&grid_), kFields, nowhere + QStringLiteral(".csv")),
            platform::kReportOutputCannotOpen);
  EXPECT_NE(suite::WriteXlsx(*PrintableGridOf(&grid_), kFields, nowhere + QStringLiteral(".xlsx"), QString()), 0);
}

}  // namespace
}  // namespace corvane::testing
