#include "suite/import/csv_statement.h"
#include "suite/import/statement_file.h"

#include <QFile>
#include <gtest/gtest.h>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace corvane::suite {
namespace {

using platform::ImportLine;
using platform::Money;

QString Sample(const char* name) { return QStringLiteral(CORVANE_IMPORT_SAMPLES "/") + QLatin1String(name); }

QByteArray Bytes(const char* name) {
  QFile f(Sample(name));
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
  return f.readAll();
}

// What a line should read as; direction -1 and amount < 0 mean "could not be read".
struct Expected {
  QDate date;
  QString number;
  int direction;
  double amount;
};

void ExpectLines(const std::vector<ImportLine>& lines, const std::vector<Expected>& expected) {
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(lines[i].date, expected[i].date);
    EXPECT_EQ(lines[i].number, expected[i].number);
    EXPECT_EQ(lines[i].bd_c.value_or(-1), expected[i].direction);
    if (expected[i].amount < 0) EXPECT_FALSE(lines[i].amount.has_value());
    else EXPECT_EQ(lines[i].amount.value_or(Money::FromCents(-1)), Money::FromDouble(expected[i].amount));
  }
}

struct FormatCase {
  const char* file;
  StatementFormat format;
};

class Detect : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Detect, ByContent) { EXPECT_EQ(DetectStatementFormat(Bytes(GetParam().file)), GetParam().format); }

INSTANTIATE_TEST_SUITE_P(Files, Detect,
                         ::testing::Values(FormatCase{"statement.csv", StatementFormat::Csv},
                                           FormatCase{"statement_gb.tsv", StatementFormat::Csv},
                                           FormatCase{"camt053.xml", StatementFormat::Camt053},
                                           FormatCase{"mt940.sta", StatementFormat::Mt940},
                                           FormatCase{"ofx1.ofx", StatementFormat::Ofx},
                                           FormatCase{"ofx2.ofx", StatementFormat::Ofx}));

TEST(Csv, Utf8WithDebitAndCreditColumns) {
  bool gb = true;
  const CsvTable t = ReadCsv(DecodeStatementText(Bytes("statement.csv"), &gb));
  EXPECT_FALSE(gb);
  EXPECT_EQ(t.delimiter, QLatin1Char(','));
  const CsvMapping m = GuessCsvMapping(t);
  EXPECT_EQ(m.date, 0);
  EXPECT_EQ(m.style, 1);
  EXPECT_EQ(m.number, 2);
  EXPECT_EQ(m.debit, 3);
  EXPECT_EQ(m.credit, 4);
  EXPECT_EQ(m.dateFormat, "yyyy-MM-dd");
  const std::vector<ImportLine> lines = ApplyCsvMapping(t, m);
  // Lines keep their numbers in the file (the header is line 1).
  EXPECT_EQ(lines.front().settle, "201");
  EXPECT_EQ(lines[3].lineNo, 5);
  ExpectLines(lines, {{QDate(2026, 7, 10), "ZP1001", 1, 1200.50},
                      {QDate(2026, 7, 11), "ZZ2002", 0, 300},
                      {QDate(2026, 7, 12), "", -1, -1},
                      {QDate(2026, 7, 13), "ZZ2003", -1, -1},
                      {QDate(), "ZZ2004", 1, 5},
                      {QDate(2026, 7, 14), "ZZ2005", -1, 7}});
}

TEST(Csv, Gb18030TabSeparatedWithASignedAmount) {
  bool gb = false;
  const CsvTable t = ReadCsv(DecodeStatementText(Bytes("statement_gb.tsv"), &gb));
  EXPECT_TRUE(gb);
  EXPECT_EQ(t.delimiter, QLatin1Char('\t'));
  EXPECT_EQ(t.header.first(), QString::fromUtf8("交易日期"));
  const CsvMapping m = GuessCsvMapping(t);
  EXPECT_EQ(m.amount, 2);
  EXPECT_EQ(m.dateFormat, "yyyy/MM/dd");
  ExpectLines(ApplyCsvMapping(t, m), {{QDate(2026, 7, 20), "A-1", 1, 45.60},
                                      {QDate(2026, 7, 21), "A-2", 0, 1000},
                                      {QDate(2026, 7, 22), "A-3", -1, -1}});
}

TEST(Csv, AChangedMappingReadsOtherColumns) {
  const CsvTable t = ReadCsv(QStringLiteral("when;ref;in;out\n20260105;R1;;12.5\n20260106;R2;3;\n"));
  CsvMapping m;
  m.date = 0;
  m.number = 1;
  m.credit = 2;
  m.debit = 3;
  m.dateFormat = DetectDateFormat({"20260105", "20260106"});
  EXPECT_EQ(m.dateFormat, "yyyyMMdd");
  ExpectLines(ApplyCsvMapping(t, m), {{QDate(2026, 1, 5), "R1", 1, 12.5}, {QDate(2026, 1, 6), "R2", 0, 3}});
}

TEST(DateFormat, TheFirstThatReadsEverySample) {
  EXPECT_EQ(DetectDateFormat({"31/01/2026", "01/02/2026"}), "dd/MM/yyyy");
  EXPECT_EQ(DetectDateFormat({"01/31/2026"}), "MM/dd/yyyy");
  EXPECT_EQ(DetectDateFormat({"2026.1.5"}), "yyyy-MM-dd");  // nothing reads it: the first format, every date refused
}

TEST(Camt053, EntriesWithDirectionDatesAndReferences) {
  const ParsedStatement s = ReadCamt053(Bytes("camt053.xml"));
  EXPECT_TRUE(s.error.isEmpty()) << s.error.toStdString();
  EXPECT_EQ(s.accountNo, "1121 0501 0400 0987 6");
  EXPECT_EQ(s.currency, "CNY");
  ExpectLines(s.lines, {{QDate(2026, 7, 3), "E2E-7788", 0, 2500},
                        {QDate(2026, 7, 8), "ZP778", 1, 120.35},
                        {QDate(2026, 8, 2), "BK-0003", 1, 99},
                        {QDate(2026, 7, 9), "BK-0004", -1, 15}});
}

TEST(Mt940, LinesMarksAndReversals) {
  const ParsedStatement s = ReadMt940(Bytes("mt940.sta"));
  EXPECT_EQ(s.accountNo, "1121 0501 0400 0987 6");
  EXPECT_EQ(s.currency, "CNY");
  ExpectLines(s.lines, {{QDate(2026, 7, 3), "E2E-7788", 0, 2500},
                        {QDate(2026, 7, 8), "ZP778", 1, 120.35},
                        {QDate(2026, 7, 9), "", 1, 15},
                        {QDate(), "", -1, -1}});
}

struct OfxCase {
  const char* file;
  QString account, currency;
  std::vector<Expected> lines;
};

class Ofx : public ::testing::TestWithParam<OfxCase> {};

TEST_P(Ofx, BothVersionsThroughTheLibrary) {
  const OfxCase& c = GetParam();
  const ParsedStatement s = ReadOfxFile(Sample(c.file));
  EXPECT_EQ(s.accountNo, c.account);
  EXPECT_EQ(s.currency, c.currency);
  ExpectLines(s.lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(Files, Ofx,
                         ::testing::Values(OfxCase{"ofx1.ofx", "11210501040009876", "CNY",
                                                   {{QDate(2026, 7, 3), "F0001", 0, 2500}, {QDate(2026, 7, 8), "778", 1, 120.35}}},
                                           OfxCase{"ofx2.ofx", "3478561200091", "USD",
                                                   {{QDate(2026, 7, 15), "X1", 1, 60}, {QDate(2026, 7, 16), "R-9", 0, 700.25}}}));

TEST(Writer, ChecksRefuseWithAReason) {
  // Each case changes one field of a good line; an empty key means kept.
  struct Case {
    const char* name;
    void (*change)(ImportLine&);
    const char* reason;
  };
  const Case cases[] = {
      {"good", [](ImportLine&) {}, ""},
      {"no date", [](ImportLine& l) { l.date = QDate(); }, "corvane.import.nodate"},
      {"no amount", [](ImportLine& l) { l.amount.reset(); }, "corvane.import.noamount"},
      {"zero amount", [](ImportLine& l) { l.amount = Money(); }, "corvane.import.noamount"},
      {"negative amount", [](ImportLine& l) { l.amount = Money::FromCents(-100); }, "corvane.import.noamount"},
      {"no direction", [](ImportLine& l) { l.bd_c.reset(); }, "corvane.import.nodirection"},
      {"unknown direction", [](ImportLine& l) { l.bd_c = 2; }, "corvane.import.nodirection"},
      {"credit", [](ImportLine& l) { l.bd_c = 0; }, ""},
      {"largest line amount", [](ImportLine& l) { l.amount = Money::LineMax(); }, ""},
      {"amount beyond what sums hold", [](ImportLine& l) { l.amount = Money::LineMax() + Money::FromCents(1); },
       "corvane.import.amounttoolarge"},
      {"number of 30 bytes", [](ImportLine& l) { l.number = QString::fromUtf8("支票") + QString(26, 'N'); }, ""},
      {"number of 31 bytes", [](ImportLine& l) { l.number = QString::fromUtf8("支票") + QString(27, 'N'); },
       "corvane.import.numbertoolong"},
      {"style of 21 bytes", [](ImportLine& l) { l.settle = QString(21, 'S'); }, "corvane.import.styletoolong"},
  };
  for (const Case& c : cases) {
    ImportLine line{7, QDate(2026, 7, 1), "", "", 1, Money::FromCents(100)};
    c.change(line);
    std::vector<platform::RefusedLine> refused;
    const auto ok = platform::StatementLineWriter::Check({line}, refused);
    if (*c.reason == 0) {
      EXPECT_EQ(ok.size(), 1u) << c.name;
      EXPECT_TRUE(refused.empty()) << c.name;
    } else {
      EXPECT_TRUE(ok.empty()) << c.name;
      ASSERT_EQ(refused.size(), 1u) << c.name;
      EXPECT_EQ(refused[0].reasonKey, c.reason) << c.name;
      EXPECT_EQ(refused[0].lineNo, 7) << c.name;
    }
  }
}

}  // namespace
}  // namespace corvane::suite
