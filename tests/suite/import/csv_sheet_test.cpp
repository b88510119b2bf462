#include "statement_expect.h"
#include "suite/import/column_captions.h"
#include "suite/import/csv_columns.h"
#include "suite/import/csv_statement.h"
#include "suite/resources/resource_texts.h"

#include <array>

namespace corvane::suite {
namespace {

using platform::Money;

const QChar kNone;

TEST(CsvAmount, ReadExactlyInTheChosenNotationOrRefused) {
  struct Case {
    const char* text;
    QChar decimal, thousands;
    qint64 cents;     // when read
    const char* key;  // when refused
  };
  const Case cases[] = {
      {"1300,00", ',', kNone, 130000, nullptr},
      {"1300,00", '.', ',', 0, "corvane.import.amount.format"},
      {"1,23", ',', '.', 123, nullptr},
      {"1,23", '.', ',', 0, "corvane.import.amount.format"},
      {"1 234,56", ',', ' ', 123456, nullptr},
      {"1\u00a0234,56", ',', ' ', 123456, nullptr},
      {"1 234,56", ',', '.', 0, "corvane.import.amount.format"},
      {"1.234,56", ',', '.', 123456, nullptr},
      {"1.234,56", '.', ',', 0, "corvane.import.amount.format"},
      {"1e3", '.', kNone, 0, "corvane.import.amount.format"},
      {"12.345", '.', ',', 0, "corvane.import.amount.decimals"},
      {"12.345", ',', '.', 1234500, nullptr},
      {"0.005", '.', kNone, 0, "corvane.import.amount.decimals"},
      {"1,2345.00", '.', ',', 0, "corvane.import.amount.format"},
      {"12,345.6", '.', ',', 1234560, nullptr},
      {"-1,234.50", '.', ',', -123450, nullptr},
      {"(12.00)", '.', kNone, -1200, nullptr},
      {"¥-1,234.50", '.', ',', -123450, nullptr},
      {"\u22125", '.', kNone, -500, nullptr},
      {".5", '.', kNone, 50, nullptr},
      {"5.", '.', kNone, 0, "corvane.import.amount.format"},
      {"13.4.5", '.', kNone, 0, "corvane.import.amount.format"},
      {"1x.45", '.', kNone, 0, "corvane.import.amount.format"},
      {"999999999999999999", '.', kNone, 0, "corvane.import.amount.range"},
  };
  for (const Case& c : cases) {
    QString key;
    const std::optional<Money> m = ReadCsvAmount(QString::fromUtf8(c.text), {c.decimal, c.thousands}, &key);
    if (c.key) {
      EXPECT_FALSE(m.has_value()) << c.text << " " << m.value_or(Money());
      EXPECT_EQ(key, c.key) << c.text;
    } else {
      EXPECT_EQ(m, Money::FromCents(c.cents)) << c.text;
    }
  }
}

TEST(CsvAmount, TheNotationGuessedFromTheWholeColumn) {
  struct Case {
    std::vector<QString> column;
    QChar decimal, thousands;
  };
  const Case cases[] = {
      {{"1300,00", "12,5", "7"}, ',', kNone},
      {{"1.234,56", "7,00"}, ',', '.'},
      {{"1 234,56", "3,10"}, ',', ' '},
      {{"1,234.56", "5.00"}, '.', ','},
      {{"1,23", "1,234.50"}, '.', ','},  // one value with decimal points: the commas group
      {{"12.345", "7"}, '.', kNone},     // three digits after the point: no decimal comma
      {{"1'234.50"}, '.', '\''},
  };
  for (const Case& c : cases) {
    const AmountNotation n = GuessAmountNotation(c.column);
    EXPECT_EQ(n.decimal, c.decimal) << c.column.front().toStdString();
    EXPECT_EQ(n.thousands, c.thousands) << c.column.front().toStdString();
  }
}

TEST(CsvDate, TwoDigitYearsAreOfThisCentury) {
  struct Case {
    const char* text;
    const char* format;
    QDate date;
  };
  const Case cases[] = {
      {"01/02/26", "dd/MM/yy", QDate(2026, 2, 1)},  {"29/02/00", "dd/MM/yy", QDate(2000, 2, 29)},
      {"260703", "yyMMdd", QDate(2026, 7, 3)},      {"260230", "yyMMdd", QDate()},
      {"2026-02-30", "yyyy-MM-dd", QDate()},        {"07.03.26", "dd.MM.yy", QDate(2026, 3, 7)},
      {"01/02/2026", "dd/MM/yy", QDate()},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadCsvDate(c.text, c.format), c.date) << c.text;
  EXPECT_EQ(DetectDateFormat({"31/01/26", "01/02/26"}), "dd/MM/yy");
  EXPECT_EQ(DetectDateFormat({"01/31/26"}), "MM/dd/yy");
}

// Whole sheets through the guessed layout and mapping.
struct SheetCase {
  const char* name;
  const char* text;
  std::vector<Line> lines;
  std::vector<Refusal> refused;
};

class Sheet : public ::testing::TestWithParam<SheetCase> {};

TEST_P(Sheet, ReadRightOrRefusedByLine) {
  const CsvTable t = ReadCsv(QString::fromUtf8(GetParam().text));
  ExpectRead(ApplyCsvMapping(t, GuessCsvMapping(t)), GetParam().lines, GetParam().refused);
}

const QDate d1(2026, 7, 1), d2(2026, 7, 2), d3(2026, 7, 3);

INSTANTIATE_TEST_SUITE_P(
    Cases, Sheet,
    ::testing::Values(
        SheetCase{"DirectionColumnDC", "Date,Amount,D/C\n2026-07-01,100.00,D\n2026-07-02,50.00,C\n",
                  {{2, d1, "", 1, 10000}, {3, d2, "", 0, 5000}}, {}},
        SheetCase{"DirectionColumnDrCrNamedType", "Date,Type,Amount\n2026-07-01,Dr,100.00\n2026-07-02,Cr,50.00\n",
                  {{2, d1, "", 1, 10000}, {3, d2, "", 0, 5000}}, {}},
        SheetCase{"DirectionColumnChinese", "日期,金额,借贷\n2026-07-01,100.00,借\n2026-07-02,50.00,贷\n",
                  {{2, d1, "", 1, 10000}, {3, d2, "", 0, 5000}}, {}},
        SheetCase{"DirectionColumnPlusMinus", "Date,Amount,+/-\n2026-07-01,100.00,-\n2026-07-02,50.00,+\n",
                  {{2, d1, "", 1, 10000}, {3, d2, "", 0, 5000}}, {}},
        SheetCase{"DebitCreditWords", "Date,Amount,Debit/Credit\n2026-07-01,100.00,Debit\n2026-07-02,50.00,Credit\n",
                  {{2, d1, "", 1, 10000}, {3, d2, "", 0, 5000}}, {}},
        SheetCase{"SignedAmounts", "date,amount\n2026-07-01,-100.00\n2026-07-02,+50.00\n",
                  {{2, d1, "", 1, 10000}, {3, d2, "", 0, 5000}}, {}},
        SheetCase{"SignAgainstTheMark", "Date,Amount,D/C\n2026-07-01,-100.00,C\n2026-07-02,x,D\n", {},
                  {{2, "corvane.import.amount.sign", "-100.00"}, {3, "corvane.import.amount.format", "x"}}},
        SheetCase{"DecimalCommaSemicolons", "Datum;Betrag;Ref\n01.07.2026;1300,00;A\n02.07.2026;-1,23;B\n",
                  {{2, d1, "A", 0, 130000}, {3, d2, "B", 1, 123}}, {}},
        SheetCase{"DotThousandsInAQuotedCommaSheet", "date,amount\n2026-07-01,\"1.234,56\"\n2026-07-02,\"12.345,00\"\n",
                  {{2, d1, "", 0, 123456}, {3, d2, "", 0, 1234500}}, {}},
        SheetCase{"SubCentAndExponent", "date,amount\n2026-07-01,0.005\n2026-07-02,1e3\n2026-07-03,1.50\n",
                  {{4, d3, "", 0, 150}},
                  {{2, "corvane.import.amount.decimals", "0.005"}, {3, "corvane.import.amount.format", "1e3"}}},
        SheetCase{"PreambleAboveTheHeader",
                  "Bank statement\nAccount;1121 0501\nPeriod;2026-07\n\nDate;Ref;Amount\n2026-07-01;R1;-5,00\n",
                  {{6, d1, "R1", 1, 500}}, {}},
        SheetCase{"TwoDigitYears", "Date,Amount\n01/07/26,5.00\n30/02/26,6.00\n",
                  {{2, d1, "", 0, 500}}, {{3, "corvane.import.baddate", "30/02/26"}}},
        SheetCase{"QuotedLineBreaks", "date,ref,amount\n2026-07-01,\"two\nlines\",1.00\n2026-07-02,R2,2.00\n",
                  {{2, d1, "two\nlines", 0, 100}, {4, d2, "R2", 0, 200}}, {}},
        SheetCase{"TextAfterAClosingQuote", "date,ref,amount\n2026-07-01,\"a\"b,1.00\n2026-07-02,R2,2.00\n",
                  {{3, d2, "R2", 0, 200}}, {{2, "corvane.import.csv.malformed", {}}}},
        SheetCase{"LastLineCutInsideAnAmount", "date,amount\n2026-07-01,13.45\n2026-07-02,13.4",
                  {{2, d1, "", 0, 1345}}, {{3, "corvane.import.csv.cutshort", "13.4"}}},
        SheetCase{"LastLineCutInsideAQuote", "date,amount\n2026-07-01,13.45\n2026-07-02,\"88,0",
                  {{2, d1, "", 0, 1345}}, {{3, "corvane.import.csv.openquote", {}}}},
        SheetCase{"LastLineWithoutEndButWhole", "date,amount,note\n2026-07-01,13.45,fee",
                  {{2, d1, "", 0, 1345}}, {}},
        SheetCase{"BalanceFollows", "date,amount,balance\n2026-07-01,10.00,110.00\n2026-07-02,-5.00,105.00\n",
                  {{2, d1, "", 0, 1000}, {3, d2, "", 1, 500}}, {}},
        SheetCase{"BalanceNewestFirst", "date,amount,balance\n2026-07-02,-5.00,105.00\n2026-07-01,10.00,110.00\n",
                  {{2, d2, "", 1, 500}, {3, d1, "", 0, 1000}}, {}},
        // Without a header: two amount columns of which each line fills one are debit and credit.
        SheetCase{"NoHeaderDebitAndCreditColumns", "2026-07-01,A1,100.00,\n2026-07-02,A2,,50.00\n",
                  {{1, d1, "", 1, 10000}, {2, d2, "", 0, 5000}}, {}},
        SheetCase{"NoHeaderDebitAndCreditWithZerosAndABalance",
                  "2026-07-01,100.00,0.00,900.00\n2026-07-02,0.00,50.00,950.00\n",
                  {{1, d1, "", 1, 10000}, {2, d2, "", 0, 5000}}, {}},
        SheetCase{"NoHeaderCreditLeftEmptyOnEveryLine", "2026-07-01,100.00,\n2026-07-02,-5.00,\n",
                  {{1, d1, "", 0, 10000}, {2, d2, "", 1, 500}}, {}},
        SheetCase{"NoHeaderTwoAmountsOnALine", "2026-07-01,100.00,\n2026-07-02,5.00,50.00\n",
                  {{1, d1, "", 0, 10000}, {2, d2, "", 0, 500}}, {}},
        SheetCase{"NoHeaderALineWithoutAmount", "2026-07-01,100.00,\n2026-07-02,,\n2026-07-03,,7.00\n",
                  {{1, d1, "", 0, 10000}}, {{2, "corvane.import.noamount", {}}, {3, "corvane.import.noamount", {}}}},
        SheetCase{"BalanceCatchesAFlippedDigit",
                  "date,amount,balance\n2026-07-01,10.00,110.00\n2026-07-02,-8.00,105.00\n2026-07-03,1.00,106.00\n",
                  {{2, d1, "", 0, 1000}, {4, d3, "", 0, 100}}, {{3, "corvane.import.balance.line", "105.00"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Sheet, BalanceRefusalGivesBothFiguresAndTheSheetCheck) {
  const CsvTable t = ReadCsv(QStringLiteral("date,amount,balance\n2026-07-01,10.00,110.00\n2026-07-02,-8.00,105.00\n"));
  const ParsedStatement s = ApplyCsvMapping(t, GuessCsvMapping(t));
  ASSERT_EQ(s.refused.size(), 1u);
  EXPECT_EQ(s.refused[0].args, QStringList({"105.00", "102.00"}));
  ASSERT_EQ(s.balances.size(), 1u);
  EXPECT_EQ(s.balances[0].opening, Money::FromCents(10000));
  EXPECT_EQ(s.balances[0].closing, Money::FromCents(10500));
  EXPECT_EQ(s.balances[0].reasonKey, "corvane.import.balance.differs");
  EXPECT_FALSE(s.Importable());
}

// The sheet's balances are checked over every record that reads as a line with a
// balance, above the first data line too: a first line set lower or a header box
// unticked cannot leave a balance that does not follow out of the check.
TEST(Sheet, BalancesCheckedAboveTheFirstDataLine) {
  const char* refused = "date,number,debit,credit,balance\n2026-07-01,A1,10.00,,90.00\n2026-07-02,A2,,20.00,111.00\n";
  const char* follows = "date,number,debit,credit,balance\n2026-07-01,A1,10.00,,90.00\n2026-07-02,A2,,20.00,110.00\n";
  struct Case {
    const char* name;
    const char* text;
    CsvReadOptions layout;
    std::vector<Line> lines;
    std::vector<Refusal> refused;
    const char* check;  // the sheet check's reason key, empty when it adds up
  };
  const Case cases[] = {
      {"as guessed", refused, {}, {{2, d1, "A1", 1, 1000}}, {{3, "corvane.import.balance.line", "111.00"}},
       "corvane.import.balance.differs"},
      {"from the last line", refused, {QLatin1Char(','), 3, false}, {}, {{3, "corvane.import.balance.line", "111.00"}},
       "corvane.import.balance.differs"},
      {"header read as a line", refused, {QLatin1Char(','), 1, false}, {{2, d1, "A1", 1, 1000}},
       {{1, "corvane.import.baddate", "date"}, {3, "corvane.import.balance.line", "111.00"}}, "corvane.import.balance.differs"},
      {"following, from the last line", follows, {QLatin1Char(','), 3, true}, {{3, d2, "A2", 0, 2000}}, {}, ""},
      // A record above that is no line (an opening balance without an amount) is not part of it.
      {"an opening row left above", "date,number,amount,balance\n2026-07-01,OPEN,,100.00\n2026-07-01,A1,10.00,110.00\n",
       {QLatin1Char(','), 3, false}, {{3, d1, "A1", 0, 1000}}, {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString text = QString::fromUtf8(c.text);
    const CsvMapping guessed = GuessCsvMapping(ReadCsv(text));
    const ParsedStatement s = ApplyCsvMapping(ReadCsv(text, c.layout), guessed);
    ExpectRead(s, c.lines, c.refused);
    ASSERT_EQ(s.balances.size(), 1u);
    EXPECT_EQ(s.balances[0].reasonKey, c.check);
  }
}

// The column of each field a header names: date, style, number, debit, credit,
// amount, direction, balance (-1: none).
using Fields = std::array<int, kCsvFields>;

Fields FieldsOf(const CsvColumns& c) {
  return {c.date, c.style, c.number, c.debit, c.credit, c.amount, c.direction, c.balance};
}

Fields Only(int field, int column) {
  Fields f;
  f.fill(-1);
  f[static_cast<size_t>(field)] = column;
  return f;
}

// Every caption of the import dialog's mapping boxes, in both languages, names its
// column: alone, in any letter case and with blanks around it, and all together
// in any order.
TEST(Header, EveryCaptionOfTheDialogNamesItsColumn) {
  for (const char* language : {"zh-CN", "en-US"}) {
    const ResourceTexts texts{QString::fromLatin1(language)};
    QStringList all;
    for (int f = 0; f < kCsvFields; ++f) {
      const QString caption = texts.Text(QString::fromLatin1(CsvFieldCaptionKey(f)));
      ASSERT_NE(caption, QString::fromLatin1(CsvFieldCaptionKey(f)));
      for (const QString& typed : {caption, caption.toUpper(), caption.toLower(), QStringLiteral("  %1 ").arg(caption)}) {
        SCOPED_TRACE(std::string(language) + ": " + typed.toStdString());
        EXPECT_EQ(FieldsOf(CsvColumnsByName({typed})), Only(f, 0));
        EXPECT_EQ(FieldsOf(CsvColumnsByName({QStringLiteral("x"), typed})), Only(f, 1));
      }
      all.prepend(caption);  // the last field first
    }
    SCOPED_TRACE(all.join(',').toStdString());
    EXPECT_EQ(FieldsOf(CsvColumnsByName(all)), (Fields{7, 6, 5, 4, 3, 2, 1, 0}));
  }
}

// Headers as users write them from the dialog's captions, whole.
TEST(Header, CaptionsAsTypedMapEachColumn) {
  struct Case {
    const char* header;
    Fields fields;  // date, style, number, debit, credit, amount, direction, balance
  };
  const Case cases[] = {
      {"Date,Settlement,Number,Debit,Credit,Balance", {0, 1, 2, 3, 4, -1, -1, 5}},
      {"date,settlement,number,debit,credit,balance", {0, 1, 2, 3, 4, -1, -1, 5}},
      {"DATE,SETTLEMENT,NUMBER,DEBIT,CREDIT,BALANCE", {0, 1, 2, 3, 4, -1, -1, 5}},
      {"日期,结算方式,票号,借方金额,贷方金额,余额", {0, 1, 2, 3, 4, -1, -1, 5}},
      {"Balance,Debit / Credit,Amount(positive: money in),Number,Settlement,Date", {5, 4, 3, -1, -1, 2, 1, 0}},
      {"余额,借贷方向,金额(正数为收入),票号,结算方式,日期", {5, 4, 3, -1, -1, 2, 1, 0}},
      {"日期,金额 （正数为收入）,结算方式", {0, 2, -1, -1, -1, 1, -1, -1}},
      {"金额（正数为收入）,日期", {1, -1, -1, -1, -1, 0, -1, -1}},
      {"日期,Settlement,票号,Debit,贷方金额,Balance", {0, 1, 2, 3, 4, -1, -1, 5}},
      {"Date,Settlement,Number,Debit,Credit,Amount (positive: money in),Debit/credit,Balance", {0, 1, 2, 3, 4, 5, 6, 7}},
      // Names that are no caption are read as before.
      {"Booking date,Type,Reference,Withdrawal,Deposit,Balance", {0, 1, 2, 3, 4, -1, -1, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.header);
    EXPECT_EQ(FieldsOf(CsvColumnsByName(QString::fromUtf8(c.header).split(','))), c.fields);
  }
}

TEST(Layout, GuessedAndChosen) {
  struct Case {
    const char* name;
    const char* text;
    CsvReadOptions chosen;  // firstDataLine 0: guessed
    QChar delimiter;
    int firstDataLine;
    bool hasHeader;
    QStringList header;
    size_t rows;
  };
  const Case cases[] = {
      {"header first", "date,amount\n2026-07-01,1\n", {}, ',', 2, true, {"date", "amount"}, 1},
      {"preamble", "Konto;123\n\nZeitraum;Juli\n\nDate;Amount\n2026-07-01;1\n", {}, ';', 6, true, {"Date", "Amount"}, 1},
      {"no header", "2026-07-01\tR1\t5.00\n2026-07-02\tR2\t6.00\n", {}, '\t', 1, false, {"1", "2", "3"}, 2},
      {"header of unknown names", "when,what,how much\n2026-07-01,R1,5.00\n", {}, ',', 2, true, {"when", "what", "how much"}, 1},
      {"chosen first line", "x,y\nx,y\n2026-07-01,1\n", {QLatin1Char(','), 3, false}, ',', 3, false, {"1", "2"}, 1},
      {"chosen header line", "title\nd,a\n2026-07-01,1\n", {QChar(), 3, true}, ',', 3, true, {"d", "a"}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString text = QString::fromUtf8(c.text);
    if (c.chosen.firstDataLine == 0) {
      const CsvReadOptions g = GuessCsvReadOptions(text);
      EXPECT_EQ(g.delimiter, c.delimiter);
      EXPECT_EQ(g.firstDataLine, c.firstDataLine);
      EXPECT_EQ(g.hasHeader, c.hasHeader);
    }
    const CsvTable t = ReadCsv(text, c.chosen);
    EXPECT_EQ(t.options.firstDataLine, c.firstDataLine);
    EXPECT_EQ(t.header, c.header);
    EXPECT_EQ(t.rows.size(), c.rows);
  }
}

}  // namespace
}  // namespace corvane::suite
