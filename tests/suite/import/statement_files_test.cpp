#include "statement_expect.h"
#include "suite/import/csv_statement.h"
#include "suite/import/import_preview_model.h"
#include "suite/import/ofx_chunks.h"

#include <QFile>

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
  const ParsedStatement s = ApplyCsvMapping(t, m);
  // Lines keep their numbers in the file (the header is line 1).
  EXPECT_EQ(s.lines.front().settle, "201");
  ExpectRead(s, {{2, QDate(2026, 7, 10), "ZP1001", 1, 120050}, {3, QDate(2026, 7, 11), "ZZ2002", 0, 30000}},
             {{4, "corvane.import.noamount", {}},
              {5, "corvane.import.noamount", {}},
              {6, "corvane.import.baddate", "2026-13-01"},
              {7, "corvane.import.bothsides", "7.00"}});
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
  ExpectRead(ApplyCsvMapping(t, m), {{2, QDate(2026, 7, 20), "A-1", 1, 4560}, {3, QDate(2026, 7, 21), "A-2", 0, 100000}},
             {{4, "corvane.import.noamount", {}}});
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
  ExpectRead(ApplyCsvMapping(t, m), {{2, QDate(2026, 1, 5), "R1", 1, 1250}, {3, QDate(2026, 1, 6), "R2", 0, 300}}, {});
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
  ExpectRead(s, {{9, QDate(2026, 7, 3), "E2E-7788", 0, 250000},
                 {15, QDate(2026, 7, 8), "ZP778", 1, 12035},
                 {21, QDate(2026, 8, 2), "BK-0003", 1, 9900}},
             {{26, "corvane.import.nodirection", ""}});
  // Without its closing balance the statement may be cut short.
  ASSERT_EQ(s.balances.size(), 1u);
  EXPECT_EQ(s.balances[0].opening, Money::FromCents(100000));
  EXPECT_EQ(s.balances[0].reasonKey, "corvane.import.balance.noclosing");
  EXPECT_FALSE(s.Importable());
}

TEST(Mt940, LinesMarksAndReversals) {
  const ParsedStatement s = ReadMt940(Bytes("mt940.sta"));
  EXPECT_EQ(s.accountNo, "1121 0501 0400 0987 6");
  EXPECT_EQ(s.currency, "CNY");
  ExpectRead(s, {{5, QDate(2026, 7, 3), "E2E-7788", 0, 250000}, {7, QDate(2026, 7, 8), "ZP778", 1, 12035}, {9, QDate(2026, 7, 9), "", 1, 1500}},
             {{10, "corvane.import.field", "260710X5,00NMSCBAD"}});
  ASSERT_EQ(s.balances.size(), 1u);
  EXPECT_EQ(s.balances[0].Expected(), Money::FromCents(336465));
  EXPECT_EQ(s.balances[0].closing, Money::FromCents(326465));
  EXPECT_EQ(s.balances[0].reasonKey, "corvane.import.balance.differs");
}

struct OfxCase {
  const char* file;
  QString account, currency;
  std::vector<Line> lines;
};

class Ofx : public ::testing::TestWithParam<OfxCase> {};

TEST_P(Ofx, BothVersionsThroughTheLibrary) {
  const OfxCase& c = GetParam();
  const ParsedStatement s = ReadOfxFile(Sample(c.file));
  EXPECT_EQ(s.accountNo, c.account);
  EXPECT_EQ(s.currency, c.currency);
  ExpectRead(s, c.lines, {});
  EXPECT_TRUE(s.Importable()) << s.error.toStdString();
}

// A transaction at a time (the library reads pieces of the file): the same.
TEST_P(Ofx, SameInPiecesOfOne) {
  const OfxCase& c = GetParam();
  QFile f(Sample(c.file));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(OfxChunks(f.readAll(), 1, false).Count(), 2);
  const ParsedStatement s = ReadOfxFile(Sample(c.file), {}, 1);
  EXPECT_EQ(s.accountNo, c.account);
  ExpectRead(s, c.lines, {});
}

INSTANTIATE_TEST_SUITE_P(Files, Ofx,
                         ::testing::Values(OfxCase{"ofx1.ofx", "11210501040009876", "CNY",
                                                   {{17, QDate(2026, 7, 3), "F0001", 0, 250000}, {18, QDate(2026, 7, 8), "778", 1, 12035}}},
                                           OfxCase{"ofx2.ofx", "3478561200091", "USD",
                                                   {{9, QDate(2026, 7, 15), "X1", 1, 6000}, {10, QDate(2026, 7, 16), "R-9", 0, 70025}}}));

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
    const auto ok = platform::StatementLineWriter::Check({line}, {}, refused);
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

// The preview's text of a refused line: the line as the file holds it, found
// whatever order the lines are asked in, a long one cut.
TEST(PreviewText, TheLinesAskedForAsInTheFile) {
  const QString text = QStringLiteral("head\r\nsecond line\r\n\n") + QString(250, QLatin1Char('x')) + QStringLiteral("\nlast");
  const struct {
    const char* name;
    QList<int> asked;
    QHash<int, QString> found;
  } cases[] = {
      {"one line, its carriage return dropped", {2}, {{2, "second line"}}},
      {"asked out of order", {5, 1}, {{1, "head"}, {5, "last"}}},
      {"an empty line", {3}, {{3, ""}}},
      {"a long line cut", {4}, {{4, QString(200, QLatin1Char('x')) + QChar(0x2026)}}},
      {"beyond the end, and no line 0", {0, 6, 9}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(TextOfLines(text, c.asked), c.found) << c.name;
}

}  // namespace
}  // namespace corvane::suite
