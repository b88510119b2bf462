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

// One cell of a sheet as the workbook stores it, read as text:
// "<type>|<value>|<number format>|<bold>", type "" for a number.
using Sheet = std::map<QString, QString>;

class DataOutputTest : public PrintFixture {
 protected:
  // The number format and boldness of each cell style, from styles.xml.
  QStringList ReadStyles(const QString& xlsx) {
    QXmlStreamReader x(Unzip(xlsx, QStringLiteral("xl/styles.xml")));
    std::map<int, QString> formats;
    std::vector<bool> bold;
    QStringList styles;
    QString section;
    while (!x.atEnd()) {
      if (x.readNext() != QXmlStreamReader::StartElement) continue;
      const auto attribute = [&](const char* name) { return x.attributes().value(QLatin1String(name)); };
      const QString name = x.name().toString();
      if (name == QLatin1String("fonts") || name == QLatin1String("cellXfs") || name == QLatin1String("cellStyleXfs"))
        section = name;
      if (name == QLatin1String("numFmt")) formats[attribute("numFmtId").toInt()] = attribute("formatCode").toString();
      if (section == QLatin1String("fonts") && name == QLatin1String("font")) bold.push_back(false);
      if (section == QLatin1String("fonts") && name == QLatin1String("b")) bold.back() = true;
      if (section == QLatin1String("cellXfs") && name == QLatin1String("xf"))
        styles << formats[attribute("numFmtId").toInt()] + (bold.at(attribute("fontId").toInt()) ? "|bold" : "|");
    }
    return styles;
  }
  Sheet ReadSheet(const QString& xlsx) {
    QStringList shared;
    QXmlStreamReader strings(Unzip(xlsx, QStringLiteral("xl/sharedStrings.xml"), true));
    while (!strings.atEnd())
      if (strings.readNext() == QXmlStreamReader::StartElement && strings.name() == QLatin1String("t"))
        shared << strings.readElementText();
    const QStringList styles = ReadStyles(xlsx);
    Sheet cells;
    QXmlStreamReader sheet(Unzip(xlsx, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString ref, type, style;
    while (!sheet.atEnd()) {
      if (sheet.readNext() != QXmlStreamReader::StartElement) continue;
      if (sheet.name() == QLatin1String("c")) {
        ref = sheet.attributes().value(QLatin1String("r")).toString();
        type = sheet.attributes().value(QLatin1String("t")).toString();
        style = styles.at(sheet.attributes().value(QLatin1String("s")).toInt());
      } else if (sheet.name() == QLatin1String("v") || sheet.name() == QLatin1String("t")) {
        const QString v = sheet.readElementText();
        cells[ref] = type + '|' + (type == QLatin1String("s") ? shared.value(v.toInt()) : v) + '|' + style;
      }
    }
    return cells;
  }
};

TEST_F(DataOutputTest, WorkbookHasRealNumbersDatesAndABoldCaptionRow) {
  FillGrid(5);
  grid_.SetRowHeight(3, 0);                                 // hidden by a filter
  grid_.SetTextMatrix(4, 2, QStringLiteral("网上银行, \"急\""));
  grid_.SetTextMatrix(5, 4, QStringLiteral("未达"));       // no amount: stays text
  const QString xlsx = Path(QStringLiteral("out.xlsx"));
  ASSERT_EQ(suite::WriteXlsx(*PrintableGridOf(&grid_), kFields, xlsx, QStringLiteral("银行对账单")), 0);
  const Sheet cells = ReadSheet(xlsx);
  // Sheet row 2 is grid row 1: date 2026.01.02 is serial 46024. Grid row 3 is
  // hidden, so sheet row 4 holds grid row 4; the hidden key column is left out.
  const Sheet expected = {
      {"A1", "inlineStr|日期||bold"}, {"B1", "inlineStr|结算方式||bold"},
      {"C1", "inlineStr|借方||bold"}, {"D1", "inlineStr|贷方||bold"},
      {"A2", "|46024|yyyy.mm.dd|"}, {"B2", "inlineStr|row 1||"}, {"C2", "|1|#,##0.00|"}, {"D2", "|1000.5|#,##0.00|"},
      {"A3", "|46025|yyyy.mm.dd|"}, {"B3", "inlineStr|row 2||"}, {"C3", "|2|#,##0.00|"}, {"D3", "|2001|#,##0.00|"},
      {"A4", "|46027|yyyy.mm.dd|"}, {"B4", "inlineStr|网上银行, \"急\"||"}, {"C4", "|4|#,##0.00|"},
      {"D4", "|4002|#,##0.00|"}, {"A5", "|46028|yyyy.mm.dd|"}, {"B5", "inlineStr|row 5||"},
      {"C5", "|5|#,##0.00|"}, {"D5", "inlineStr|未达||"},
  };
  EXPECT_EQ(cells, expected);
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
  std::vector<std::pair<QString, int>> fields;
  for (const DataOutField& f : suite::FieldsOfGrid(*PrintableGridOf(&grid_))) fields.emplace_back(f.caption, f.type);
  EXPECT_EQ(fields, (std::vector<std::pair<QString, int>>{{"日期", platform::kDataOutDate},
                                                          {"结算方式", platform::kDataOutText},
                                                          {"借方金额", platform::kDataOutAmount},
                                                          {"贷方金额", platform::kDataOutAmount}}));
}

TEST_F(DataOutputTest, AmountAndDateTextsAreReadStrictly) {
  const struct { const char* text; bool amount; double value; } amounts[] = {
      {"1,234.50", true, 1234.5}, {"-8.00", true, -8}, {"12", true, 12}, {"1,23.00", false, 0},
      {"", false, 0}, {"未达", false, 0}, {"1.2.3", false, 0}};
  for (const auto& a : amounts) {
    double v = 0;
    EXPECT_EQ(suite::ReadAmountText(QString::fromUtf8(a.text), v), a.amount) << a.text;
    if (a.amount) {
      EXPECT_DOUBLE_EQ(v, a.value) << a.text;
    }
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
