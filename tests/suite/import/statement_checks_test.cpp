#include "statement_expect.h"
#include "suite/import/ofx_chunks.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <functional>

namespace corvane::suite {
namespace {

using platform::Money;

// A change made to a whole, good file, and what reading it must give.
struct Damage {
  const char* name;
  std::function<void(QByteArray&)> change;
  size_t lines;           // read right
  Refusal firstRefusal;   // key empty: none
  const char* balance;    // reason key of the first failing statement; "" all add up; null: unreadable
  const char* errorKey = nullptr;  // when unreadable
  const char* reason = nullptr;    // when unreadable, how its error ends: "<why> | <line>"
};

void Replace(QByteArray& b, const char* from, const char* to) {
  ASSERT_TRUE(b.contains(from)) << from;
  b.replace(from, to);
}
void CutAt(QByteArray& b, const char* marker, int keep) {
  const qsizetype at = b.indexOf(marker);
  ASSERT_GE(at, 0) << marker;
  b.truncate(at + keep);
}

void ExpectDamage(const ParsedStatement& s, const Damage& d) {
  SCOPED_TRACE(d.name);
  EXPECT_EQ(s.lines.size(), d.lines);
  if (d.firstRefusal.key.isEmpty()) {
    EXPECT_TRUE(s.refused.empty()) << s.refused.front().reasonKey.toStdString();
  } else if (!s.refused.empty()) {
    EXPECT_EQ(s.refused[0].lineNo, d.firstRefusal.lineNo);
    EXPECT_EQ(s.refused[0].reasonKey, d.firstRefusal.key);
    if (!d.firstRefusal.arg.isNull()) {
      EXPECT_EQ(s.refused[0].args.value(0), d.firstRefusal.arg);
    }
  } else {
    ADD_FAILURE() << "nothing refused";
  }
  if (!d.balance) {
    EXPECT_EQ(s.errorKey, d.errorKey);
    EXPECT_FALSE(s.error.isEmpty());
    if (d.reason) {
      EXPECT_TRUE(s.error.endsWith(QString::fromUtf8(d.reason))) << s.error.toStdString();
    }
    EXPECT_TRUE(s.lines.empty());
    EXPECT_FALSE(s.Importable());
    return;
  }
  EXPECT_TRUE(s.error.isEmpty()) << s.error.toStdString();
  QString failing;
  for (const BalanceCheck& b : s.balances)
    if (!b.ok && failing.isEmpty()) failing = b.reasonKey;
  EXPECT_EQ(failing, d.balance);
  EXPECT_EQ(s.Importable(), *d.balance == 0);
}

const char kMt940[] =
    ":20:STMT1\n"
    ":25:1121 0501 0400 0987 6\n"
    ":28C:7/1\n"
    ":60F:C260701CNY1000,00\n"
    ":61:2607030703C2500,00NTRFE2E-7788//BK-0001\n"
    ":86:汇入款\n"
    ":61:260708D120,35NCHKZP778//BK-0002\n"
    ":61:260709RC15,NMSCNONREF\n"
    ":62F:C260731CNY3364,65\n"
    "-\n";

class Mt940Damage : public ::testing::TestWithParam<Damage> {};

TEST_P(Mt940Damage, RefusedWithBothFiguresOrReadRight) {
  QByteArray b(kMt940);
  GetParam().change(b);
  ExpectDamage(ReadMt940(b), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Mt940Damage,
    ::testing::Values(
        Damage{"Whole", [](QByteArray&) {}, 3, {}, ""},
        Damage{"CutInsideTheLastAmount", [](QByteArray& b) { CutAt(b, "RC15,", 3); }, 2,
               {8, "corvane.import.field", "260709RC1"}, "corvane.import.balance.noclosing"},
        Damage{"CutBeforeTheClosingBalance", [](QByteArray& b) { CutAt(b, ":62F:", 0); }, 3, {}, "corvane.import.balance.noclosing"},
        Damage{"CutInsideTheClosingBalance", [](QByteArray& b) { CutAt(b, "3364,65", 6); }, 3, {}, "corvane.import.balance.differs"},
        Damage{"FlippedDigitInALine", [](QByteArray& b) { Replace(b, "D120,35", "D170,35"); }, 3, {}, "corvane.import.balance.differs"},
        Damage{"FlippedByteInALine", [](QByteArray& b) { Replace(b, "D120,35", "D12O,35"); }, 2,
               {7, "corvane.import.field", "260708D12O,35NCHKZP778//BK-0002"}, "corvane.import.balance.differs"},
        Damage{"ThirtiethOfFebruary", [](QByteArray& b) { Replace(b, ":61:260708", ":61:260230"); }, 2,
               {7, "corvane.import.badfielddate", "260230"}, "corvane.import.balance.differs"},
        Damage{"FlippedByteInTheOpening", [](QByteArray& b) { Replace(b, "CNY1000,00", "CNY1O00,00"); }, 3,
               {4, "corvane.import.field", "C260701CNY1O00,00"}, "corvane.import.balance.noopening"},
        Damage{"WrappedLine", [](QByteArray& b) { Replace(b, "C2500,00NTRF", "C2500,00\nNTRF"); }, 3, {}, ""},
        Damage{"WrappedInsideTheReference", [](QByteArray& b) { Replace(b, "E2E-7788//", "E2E-\n7788//"); }, 3, {}, ""},
        Damage{"SupplementaryDetails", [](QByteArray& b) { Replace(b, "ZP778//BK-0002\n", "ZP778//BK-0002\nCHEQUE 778\n"); },
               3, {}, ""},
        Damage{"FragmentWithoutReferenceAndBalances",
               [](QByteArray& b) { b = QByteArray(":61:260708D120,35NCHKZP778\n:86:x\n:61:260709C5,NMSCNONREF\n"); }, 2, {},
               "corvane.import.balance.none"},
        Damage{"SecondStatementDoesNotAddUp",
               [](QByteArray& b) { b += ":20:STMT2\n:60F:C260731CNY3364,65\n:61:260801C1,00NMSCNONREF\n:62F:C260801CNY3364,65\n"; },
               4, {}, "corvane.import.balance.differs"},
        Damage{"NoStatementAtAll", [](QByteArray& b) { b = QByteArray(":20:X\n:25:Y\n"); }, 0, {}, nullptr,
               "corvane.import.nostatement"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Mt940, LinesOfAWrappedFieldAndAKnowinglyImportedDamagedFile) {
  QByteArray b(kMt940);
  Replace(b, "E2E-7788//", "E2E-\n7788//");
  Replace(b, "D120,35", "D170,35");
  const ParsedStatement s = ReadMt940(b, {true});
  ExpectRead(s, {{5, QDate(2026, 7, 3), "E2E-7788", 0, 250000}, {8, QDate(2026, 7, 8), "ZP778", 1, 17035},
                 {9, QDate(2026, 7, 9), "", 1, 1500}},
             {});
  ASSERT_EQ(s.balances.size(), 1u);
  EXPECT_EQ(s.balances[0].statement, "STMT1");
  EXPECT_EQ(s.balances[0].Expected(), Money::FromCents(331465));
  EXPECT_EQ(s.balances[0].closing, Money::FromCents(336465));
  EXPECT_TRUE(s.Damaged());
  EXPECT_TRUE(s.Importable());  // read knowingly as damaged
}

// :61: fields as banks write them besides the textbook shape, each read to the
// exact line; refused only where the date, direction or amount is impossible or
// may have been cut.
TEST(Mt940, StatementLineShapesBanksWrite) {
  struct Case {
    const char* name;
    const char* field;
    Line line;        // read right (lineNo 0: refused)
    Refusal refusal;  // when refused
  };
  const QDate d(2024, 3, 11);
  const Case cases[] = {
      {"textbook", "2403110312C2500,00NTRFE2E-7788//BK-0001", {2, d, "E2E-7788", 0, 250000}, {}},
      {"no customer reference", "240311D12,50NMSC", {2, d, "", 1, 1250}, {}},
      {"swift type, entry date, no reference", "2403110311C7,00S051", {2, d, "", 0, 700}, {}},
      {"no customer reference before the bank's", "240311C7,00NTRF//B7", {2, d, "", 0, 700}, {}},
      {"amount in whole units", "2403110311C800NTRFREF9//B9", {2, d, "REF9", 0, 80000}, {}},
      {"whole units, no reference", "240311D5NCHK", {2, d, "", 1, 500}, {}},
      {"comma without decimals", "240311D15,NMSC", {2, d, "", 1, 1500}, {}},
      {"leading zeros, one decimal", "240311C0012,5NTRFX1", {2, d, "X1", 0, 1250}, {}},
      {"funds code after a credit", "2403110311CM1000,00NTRFREF1", {2, d, "REF1", 0, 100000}, {}},
      {"funds code after a debit", "240311DF12,50NCHK778//B2", {2, d, "778", 1, 1250}, {}},
      {"funds code after a reversal", "240311RDF12,50NMSCNONREF", {2, d, "", 0, 1250}, {}},
      {"type padded, then the reference", "240311D12,50NMS NONREF", {2, d, "", 1, 1250}, {}},
      {"type letter padded, then the reference", "240311C3,00N   REF7", {2, d, "REF7", 0, 300}, {}},
      {"type padded at the field's end", "240311D12,50NMS   ", {2, d, "", 1, 1250}, {}},
      {"wrapped after the amount, no bank reference", "240311D12,50\nNMSCREF3", {2, d, "REF3", 1, 1250}, {}},
      {"thirtieth of february", "240230D12,50NMSC", {}, {2, "corvane.import.badfielddate", "240230"}},
      {"entry month 13", "2403111311D12,50NMSC", {}, {2, "corvane.import.badfielddate", "2403111311"}},
      {"no amount", "240311DNMSC", {}, {2, "corvane.import.field", "240311DNMSC"}},
      {"no direction", "240311X12,50NMSC", {}, {2, "corvane.import.field", "240311X12,50NMSC"}},
      {"field ends in its amount", "240311D12,5", {}, {2, "corvane.import.field", "240311D12,5"}},
      {"three decimals", "240311D12,505NMSC", {}, {2, "corvane.import.field", "240311D12,505NMSC"}},
      {"two commas", "240311D1,234,50NMSC", {}, {2, "corvane.import.field", "240311D1,234,50NMSC"}},
      {"decimal point", "240311D12.50NMSC", {}, {2, "corvane.import.field", "240311D12.50NMSC"}},
      {"zero", "240311D0,00NMSC", {}, {2, "corvane.import.field", "240311D0,00NMSC"}},
      {"type not N, F or S", "240311D12,50XMSC", {}, {2, "corvane.import.field", "240311D12,50XMSC"}},
      {"type with a comma in it", "240311D1N,50NMSC", {}, {2, "corvane.import.field", "240311D1N,50NMSC"}},
      {"type cut by a slash", "240311D12,50NM//B1", {}, {2, "corvane.import.field", "240311D12,50NM//B1"}},
      {"amount over 15 characters", "240311D1234567890123,45NMSC", {}, {2, "corvane.import.field", QString()}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ParsedStatement s = ReadMt940(QByteArray(":20:S1\n:61:") + c.field + "\n:86:details\n");
    if (c.line.lineNo) ExpectRead(s, {c.line}, {});
    else ExpectRead(s, {}, {c.refusal});
  }
}

const char kCamt[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<Document xmlns="urn:iso:std:iso:20022:tech:xsd:camt.053.001.08">
 <BkToCstmrStmt>
  <Stmt>
   <Id>S-07</Id>
   <Acct><Id><IBAN>CN12 3456</IBAN></Id></Acct>
   <Bal><Tp><CdOrPrtry><Cd>OPBD</Cd></CdOrPrtry></Tp><Amt Ccy="EUR">1000.00</Amt><CdtDbtInd>CRDT</CdtDbtInd></Bal>
   <Bal><Tp><CdOrPrtry><Cd>CLBD</Cd></CdOrPrtry></Tp><Amt Ccy="EUR">3379.65</Amt><CdtDbtInd>CRDT</CdtDbtInd></Bal>
   <Ntry>
    <Amt Ccy="EUR">2500.00</Amt><CdtDbtInd>CRDT</CdtDbtInd><BookgDt><Dt>2026-07-03</Dt></BookgDt><AcctSvcrRef>B1</AcctSvcrRef>
   </Ntry>
   <Ntry>
    <Amt Ccy="EUR">120.35</Amt><CdtDbtInd>DBIT</CdtDbtInd><BookgDt><Dt>2026-07-08</Dt></BookgDt><AcctSvcrRef>B2</AcctSvcrRef>
   </Ntry>
  </Stmt>
 </BkToCstmrStmt>
</Document>
)";

// The document in GB18030, declared so, with a Chinese comment that reads in no other encoding.
void InGb18030(QByteArray& b) {
  Replace(b, "encoding=\"UTF-8\"", "encoding=\"GB18030\"");
  Replace(b, "<Stmt>", "<Stmt><!-- 汇入款 -->");
  b = QStringEncoder("GB18030").encode(QString::fromUtf8(b));
}

class CamtDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(CamtDamage, RefusedOrUnreadableOrReadRight) {
  QByteArray b(kCamt);
  GetParam().change(b);
  const ParsedStatement s = ReadCamt053(b);
  ExpectDamage(s, GetParam());
  if (s.error.isEmpty()) {
    EXPECT_EQ(s.currency, "EUR");  // from Amt/@Ccy: the account names none
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CamtDamage,
    ::testing::Values(
        Damage{"Whole", [](QByteArray&) {}, 2, {}, ""},
        Damage{"CutInsideAnEntry", [](QByteArray& b) { CutAt(b, "120.35", 2); }, 0, {}, nullptr, "corvane.import.xml"},
        Damage{"CutAfterAnEntry", [](QByteArray& b) { CutAt(b, "</Ntry>", 7); }, 0, {}, nullptr, "corvane.import.xml"},
        Damage{"ClosingBalanceMissing", [](QByteArray& b) { Replace(b, "<Cd>CLBD</Cd>", "<Cd>ITBD</Cd>"); }, 2, {},
               "corvane.import.balance.noclosing"},
        Damage{"FlippedDigit", [](QByteArray& b) { Replace(b, ">120.35<", ">170.35<"); }, 2, {}, "corvane.import.balance.differs"},
        Damage{"FlippedByte", [](QByteArray& b) { Replace(b, ">120.35<", ">12O.35<"); }, 1,
               {12, "corvane.import.field", "12O.35"}, "corvane.import.balance.differs"},
        Damage{"SubCent", [](QByteArray& b) { Replace(b, ">120.35<", ">120.355<"); }, 1,
               {12, "corvane.import.field", "120.355"}, "corvane.import.balance.differs"},
        Damage{"ThirtiethOfFebruary", [](QByteArray& b) { Replace(b, "2026-07-08", "2026-02-30"); }, 1,
               {12, "corvane.import.badfielddate", "2026-02-30"}, "corvane.import.balance.differs"},
        Damage{"OtherCurrency", [](QByteArray& b) { Replace(b, "\"EUR\">120.35", "\"USD\">120.35"); }, 1,
               {12, "corvane.import.currency", "USD"}, "corvane.import.balance.differs"},
        Damage{"NotXml", [](QByteArray& b) { Replace(b, "<Ntry>", "<Ntry"); }, 0, {}, nullptr, "corvane.import.xml"},
        Damage{"CutInsideATag", [](QByteArray& b) { CutAt(b, "<AcctSvcrRef>B2", 5); }, 0, {}, nullptr, "corvane.import.xml",
               "Premature end of document. | 13"},
        Damage{"MismatchedEndTag", [](QByteArray& b) { Replace(b, "2026-07-08</Dt>", "2026-07-08</DtTm>"); }, 0, {}, nullptr,
               "corvane.import.xml", "Opening and ending tag mismatch. | 13"},
        Damage{"UndefinedEntity", [](QByteArray& b) { Replace(b, ">120.35<", ">12&x;0.35<"); }, 0, {}, nullptr,
               "corvane.import.xml", "Entity 'x' not declared. | 13"},
        Damage{"UndefinedEntityBesideAnUnreadDtd",
               [](QByteArray& b) {
                 Replace(b, "?>\n", "?>\n<!DOCTYPE Document SYSTEM \"camt.dtd\">");
                 Replace(b, ">120.35<", ">12&x;0.35<");
               },
               0, {}, nullptr, "corvane.import.xml", "Entity 'x' not declared. | 13"},
        Damage{"XmlVersionTwo", [](QByteArray& b) { Replace(b, "version=\"1.0\"", "version=\"2.0\""); }, 0, {}, nullptr,
               "corvane.import.xml", "Unsupported XML version. | 1"},
        Damage{"UnknownEncoding", [](QByteArray& b) { Replace(b, "\"UTF-8\"", "\"X-NONE\""); }, 0, {}, nullptr,
               "corvane.import.xml", "Encoding X-NONE is unsupported | 1"},
        Damage{"DeclaredGb18030", InGb18030, 2, {}, ""},
        Damage{"ByteNotValidInTheDeclaredEncoding", [](QByteArray& b) { InGb18030(b); Replace(b, "B2<", "B2\xFF<"); }, 0, {},
               nullptr, "corvane.import.xml", "Encountered incorrectly encoded content. | 13"},
        Damage{"AmountInPieces", [](QByteArray& b) { Replace(b, ">120.35<", ">1&#50;0<!-- -->.<![CDATA[35]]><"); }, 2, {}, ""},
        Damage{"PrefixedNames", [](QByteArray& b) { b.replace("<", "<c:").replace("<c:/", "</c:").replace("<c:?", "<?"); }, 2, {},
               ""}),
    [](const auto& info) { return std::string(info.param.name); });

// OFX through the library, which reads files.
class OfxDamage : public ::testing::TestWithParam<Damage> {};

const char kOfx[] =
    "OFXHEADER:100\nDATA:OFXSGML\nVERSION:102\nSECURITY:NONE\nENCODING:USASCII\nCHARSET:1252\nCOMPRESSION:NONE\n"
    "OLDFILEUID:NONE\nNEWFILEUID:NONE\n\n<OFX>\n<SIGNONMSGSRSV1><SONRS><STATUS><CODE>0<SEVERITY>INFO</STATUS><DTSERVER>20260731<LANGUAGE>ENG</SONRS></SIGNONMSGSRSV1>\n<BANKMSGSRSV1><STMTTRNRS><TRNUID>1<STATUS><CODE>0<SEVERITY>INFO</STATUS>\n"
    "<STMTRS><CURDEF>CNY\n<BANKACCTFROM><BANKID>1<ACCTID>11210501<ACCTTYPE>CHECKING</BANKACCTFROM>\n"
    "<BANKTRANLIST><DTSTART>20260701<DTEND>20260731\n"
    "<STMTTRN><TRNTYPE>CREDIT<DTPOSTED>20260703<TRNAMT>2500.00<FITID>F1</STMTTRN>\n"
    "<STMTTRN><TRNTYPE>CHECK<DTPOSTED>20260708<TRNAMT>-120.35<FITID>F2<CHECKNUM>778</STMTTRN>\n"
    "</BANKTRANLIST>\n<LEDGERBAL><BALAMT>3379.65<DTASOF>20260731</LEDGERBAL>\n"
    "</STMTRS></STMTTRNRS></BANKMSGSRSV1>\n</OFX>\n";

TEST_P(OfxDamage, RefusedOrUnreadableOrReadRight) {
  QTemporaryDir dir;
  QByteArray b(kOfx);
  GetParam().change(b);
  QFile f(dir.filePath(QStringLiteral("s.ofx")));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(b);
  f.close();
  ExpectDamage(ReadOfxFile(f.fileName()), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OfxDamage,
    ::testing::Values(
        Damage{"Whole", [](QByteArray&) {}, 2, {}, ""},
        Damage{"UnreadableDate", [](QByteArray& b) { Replace(b, "<DTPOSTED>20260708", "<DTPOSTED>2026O708"); }, 0, {}, nullptr,
               "corvane.import.ofx"},
        Damage{"ThirtiethOfFebruary", [](QByteArray& b) { Replace(b, "<DTPOSTED>20260708", "<DTPOSTED>20260230"); }, 1,
               {18, "corvane.import.badfielddate", "20260230"}, ""},
        Damage{"SubCent", [](QByteArray& b) { Replace(b, "-120.35", "-120.355"); }, 1, {18, "corvane.import.field", "-120.355"}, ""},
        Damage{"FlippedLedgerBalance", [](QByteArray& b) { Replace(b, ">3379.65", ">33x9.65"); }, 2,
               {20, "corvane.import.field", "33x9.65"}, "corvane.import.balance.noclosing"},
        Damage{"CutAfterALine", [](QByteArray& b) { CutAt(b, "</STMTTRN>", 10); }, 0, {}, nullptr, "corvane.import.ofx"},
        Damage{"LedgerBalanceMissing", [](QByteArray& b) { CutAt(b, "<LEDGERBAL>", 0); b += "</STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>\n"; },
               0, {}, nullptr, "corvane.import.ofx"},
        Damage{"NotOfxInside", [](QByteArray& b) { CutAt(b, "<OFX>", 0); b += "garbage\n"; }, 0, {}, nullptr,
               "corvane.import.ofx"}),
    [](const auto& info) { return std::string(info.param.name); });

QString WriteOfx(const QTemporaryDir& dir, const QByteArray& b) {
  QFile f(dir.filePath(QStringLiteral("s.ofx")));
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(b);
  return f.fileName();
}

// Read a transaction at a time, the library's documents are pieces of the file.
TEST_P(OfxDamage, SameInPiecesOfOne) {
  QTemporaryDir dir;
  QByteArray b(kOfx);
  GetParam().change(b);
  ExpectDamage(ReadOfxFile(WriteOfx(dir, b), {}, 1), GetParam());
}

// Two bank statements and a card statement; transactions on a line of their own,
// two on one line, over several lines.
const char kOfxThree[] =
    "OFXHEADER:100\nDATA:OFXSGML\nVERSION:102\nSECURITY:NONE\nENCODING:USASCII\nCHARSET:1252\nCOMPRESSION:NONE\n"
    "OLDFILEUID:NONE\nNEWFILEUID:NONE\n\n<OFX>\n<SIGNONMSGSRSV1><SONRS><STATUS><CODE>0<SEVERITY>INFO</STATUS><DTSERVER>20260731<LANGUAGE>ENG</SONRS></SIGNONMSGSRSV1>\n"
    "<BANKMSGSRSV1><STMTTRNRS><TRNUID>1<STATUS><CODE>0<SEVERITY>INFO</STATUS>\n"
    "<STMTRS><CURDEF>CNY\n<BANKACCTFROM><BANKID>1<ACCTID>11210501<ACCTTYPE>CHECKING</BANKACCTFROM>\n"
    "<BANKTRANLIST><DTSTART>20260701<DTEND>20260731\n"
    "<STMTTRN><TRNTYPE>CREDIT<DTPOSTED>20260703<TRNAMT>2500.00<FITID>A1</STMTTRN>\n"
    "<STMTTRN><TRNTYPE>DEBIT<DTPOSTED>20260704<TRNAMT>-20.00<FITID>A2</STMTTRN><STMTTRN><TRNTYPE>DEBIT<DTPOSTED>20260705<TRNAMT>-30.00<FITID>A3</STMTTRN>\n"
    "</BANKTRANLIST>\n<LEDGERBAL><BALAMT>2450.00<DTASOF>20260731</LEDGERBAL>\n</STMTRS></STMTTRNRS>\n"
    "<STMTTRNRS><TRNUID>2<STATUS><CODE>0<SEVERITY>INFO</STATUS>\n"
    "<STMTRS><CURDEF>CNY\n<BANKACCTFROM><BANKID>1<ACCTID>11210502<ACCTTYPE>CHECKING</BANKACCTFROM>\n"
    "<BANKTRANLIST><DTSTART>20260701<DTEND>20260731\n"
    "<STMTTRN>\n<TRNTYPE>CHECK\n<DTPOSTED>20260708\n<TRNAMT>-120.35\n<FITID>B1\n<CHECKNUM>778\n</STMTTRN>\n"
    "<STMTTRN>\n<TRNTYPE>CREDIT\n<DTPOSTED>20260709\n<TRNAMT>10.00\n<FITID>B2\n</STMTTRN>\n"
    "</BANKTRANLIST>\n<LEDGERBAL><BALAMT>-110.35<DTASOF>20260731</LEDGERBAL>\n</STMTRS></STMTTRNRS></BANKMSGSRSV1>\n"
    "<CREDITCARDMSGSRSV1><CCSTMTTRNRS><TRNUID>3<STATUS><CODE>0<SEVERITY>INFO</STATUS>\n"
    "<CCSTMTRS><CURDEF>CNY\n<CCACCTFROM><ACCTID>62220001</CCACCTFROM>\n<BANKTRANLIST><DTSTART>20260701<DTEND>20260731\n"
    "<STMTTRN><TRNTYPE>DEBIT<DTPOSTED>20260710<TRNAMT>-5.00<FITID>C1</STMTTRN>\n"
    "</BANKTRANLIST>\n<LEDGERBAL><BALAMT>-5.00<DTASOF>20260731</LEDGERBAL>\n</CCSTMTRS></CCSTMTTRNRS></CREDITCARDMSGSRSV1>\n</OFX>\n";

struct PieceCase {
  const char* name;
  std::function<void(QByteArray&)> change;
  int perPiece;
  int pieces;            // 0: read whole
  size_t lines;          // read right
  int firstRefusedLine;  // 0: none
  const char* errorKey;  // unreadable
};

class OfxInPieces : public ::testing::TestWithParam<PieceCase> {};

// The library's text without its scratch file's name and the columns (a line
// holding several transactions is shorter in a piece).
QString Comparable(QString error) {
  static const QRegularExpression scratch(QStringLiteral("libofxtmp\\w+|Column \\d+|:\\d+:E:"));
  return error.replace(scratch, QString());
}

// Read in pieces as read whole: the same lines in the same order with the same
// references and file lines, the same refusals, balances and library errors.
TEST_P(OfxInPieces, AsReadWhole) {
  const PieceCase& c = GetParam();
  QTemporaryDir dir;
  QByteArray b(kOfxThree);
  c.change(b);
  const QString path = WriteOfx(dir, b);
  const OfxChunks pieces(b, c.perPiece, false);
  ASSERT_EQ(pieces.Count(), c.pieces);
  for (int i = 0; i < pieces.Count(); ++i) {  // whole transactions only, each line kept as a line
    const QByteArray p = pieces.Piece(i, false);
    EXPECT_EQ(p.count("<STMTTRN>"), p.count("</STMTTRN>")) << i;
    EXPECT_EQ(p.count("<STMTTRN>"), std::min(c.perPiece, 6 - i * c.perPiece)) << i;
    EXPECT_EQ(pieces.Piece(i, true).count('\n'), b.count('\n')) << i;
  }
  const ParsedStatement whole = ReadOfxFile(path, {}, 1000), cut = ReadOfxFile(path, {}, c.perPiece);
  EXPECT_EQ(cut.lines.size(), c.lines);
  EXPECT_EQ(cut.errorKey, c.errorKey);
  EXPECT_EQ(cut.refused.empty() ? 0 : cut.refused[0].lineNo, c.firstRefusedLine);
  EXPECT_EQ(Comparable(cut.error), Comparable(whole.error));
  EXPECT_EQ(cut.accountNo, whole.accountNo);
  ASSERT_EQ(cut.lines.size(), whole.lines.size());
  for (size_t i = 0; i < whole.lines.size(); ++i) {
    EXPECT_EQ(cut.lines[i].lineNo, whole.lines[i].lineNo) << i;
    EXPECT_EQ(cut.lines[i].number, whole.lines[i].number) << i;
    EXPECT_EQ(cut.lines[i].amount, whole.lines[i].amount) << i;
  }
  ASSERT_EQ(cut.balances.size(), whole.balances.size());
  for (size_t i = 0; i < whole.balances.size(); ++i) EXPECT_EQ(cut.balances[i].ok, whole.balances[i].ok) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OfxInPieces,
    ::testing::Values(
        PieceCase{"PiecesOfOne", [](QByteArray&) {}, 1, 6, 6, 0, ""},
        PieceCase{"PiecesOfFourAcrossStatements", [](QByteArray&) {}, 4, 2, 6, 0, ""},
        PieceCase{"BadDateInTheLastPiece", [](QByteArray& b) { Replace(b, "20260710", "2026O710"); }, 1, 6, 0, 0, "corvane.import.ofx"},
        PieceCase{"BadDateBesideACut", [](QByteArray& b) { Replace(b, "20260705", "2026O705"); }, 1, 6, 0, 0, "corvane.import.ofx"},
        PieceCase{"ThirtiethOfFebruaryInALaterPiece", [](QByteArray& b) { Replace(b, "<DTPOSTED>20260709", "<DTPOSTED>20260230"); }, 2, 3,
                  5, 33, ""},
        PieceCase{"UnknownTagInALaterPiece", [](QByteArray& b) { Replace(b, "<FITID>B2", "<FITTID>B2"); }, 1, 6, 0, 0,
                  "corvane.import.ofx"},
        PieceCase{"TransactionNotClosed", [](QByteArray& b) { Replace(b, "<FITID>B2\n</STMTTRN>", "<FITID>B2\n"); }, 1, 0, 0, 0,
                  "corvane.import.ofx"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Detect, ByStructure) {
  struct Case {
    const char* name;
    QByteArray bytes;
    StatementFormat format;
  };
  auto utf16 = [](const char* text) {
    QStringEncoder e(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    return QByteArray(e.encode(QString::fromUtf8(text)));
  };
  const Case cases[] = {
      {"csv with a time column", "date,time,amount\n2026-07-01,10:20:05,1.00\n2026-07-02,10:25:00,2.00\n", StatementFormat::Csv},
      {"csv naming camt.053", "date,note,amount\n2026-07-01,camt.053 export,1.00\n", StatementFormat::Csv},
      {"csv of OFX words", "date,memo,amount\n2026-07-01,<OFX> OFXHEADER,1.00\n", StatementFormat::Csv},
      {"mt940 fragment", ":61:260708D120,35NCHKZP778\n:86:x\n", StatementFormat::Mt940},
      {"mt940 in a block", "{1:F01BANK}{2:O940}{4:\n:20:S1\n:25:1\n:60F:C260701CNY1,00\n-}", StatementFormat::Mt940},
      {"camt", kCamt, StatementFormat::Camt053},
      {"other xml", "<?xml version=\"1.0\"?><Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:pain.001.001.03\"/>",
       StatementFormat::Unknown},
      {"ofx 1", kOfx, StatementFormat::Ofx},
      {"ofx 2", "<?xml version=\"1.0\"?>\n<?OFX OFXHEADER=\"200\" VERSION=\"211\"?>\n<OFX></OFX>", StatementFormat::Ofx},
      {"utf-16 sheet", utf16("日期\t金额\n2026-07-01\t1.00\n"), StatementFormat::Csv},
      {"plain text", "Dear customer,\nyour statement follows\n", StatementFormat::Unknown},
      {"binary", QByteArray("PK\x03\x04\x00\x00\x08\x00", 8), StatementFormat::Unknown},
  };
  for (const Case& c : cases) EXPECT_EQ(DetectStatementFormat(c.bytes), c.format) << c.name;
}

TEST(Decode, EncodingsToldApart) {
  struct Case {
    const char* name;
    QByteArray bytes;
    const char* encoding;
    bool ok;
  };
  const QString text = QStringLiteral("日期,金额,摘要\n2026-07-01,1.00,备用金\n2026-07-02,2.00,货款\n");
  auto encode = [&text](QStringConverter::Encoding e, bool bom) {
    QStringEncoder enc(e, bom ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Stateless);
    return QByteArray(enc.encode(text));
  };
  const QByteArray gb = QStringEncoder("GB18030").encode(text);
  const Case cases[] = {
      {"utf-8", text.toUtf8(), "UTF-8", true},
      {"utf-8 with a mark", encode(QStringConverter::Utf8, true), "UTF-8", true},
      {"utf-16 with a mark", encode(QStringConverter::Utf16LE, true), "UTF-16LE", true},
      {"utf-16 big-endian with a mark", encode(QStringConverter::Utf16BE, true), "UTF-16BE", true},
      {"utf-16 without a mark", encode(QStringConverter::Utf16LE, false), "UTF-16LE", true},
      {"gb18030", gb, "GB18030", true},
      // Cut off by the end inside a character: damaged, not read short.
      {"gb18030 cut inside a character", gb.chopped(2), "GB18030", false},
      {"utf-8 cut inside a character", text.toUtf8().chopped(2), "UTF-8", false},
      {"utf-16 cut inside a character", encode(QStringConverter::Utf16LE, true).chopped(1), "UTF-16LE", false},
      {"utf-16 cut inside a surrogate pair",
       QByteArray(QStringEncoder(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom).encode(QStringLiteral("日期\n𠀀"))).chopped(2),
       "UTF-16LE", false},
  };
  for (const Case& c : cases) {
    const DecodedText d = DecodeStatementBytes(c.bytes);
    EXPECT_EQ(d.encoding, c.encoding) << c.name;
    EXPECT_EQ(d.ok, c.ok) << c.name;
    if (c.ok) {
      EXPECT_EQ(d.text, text) << c.name;
    }
  }
  // Only ASCII in UTF-16: its zero bytes are valid UTF-8, not the text.
  const QString ascii = QStringLiteral("date,amount\n2026-07-01,1.00\n");
  EXPECT_EQ(DecodeStatementBytes(QStringEncoder(QStringConverter::Utf16LE).encode(ascii)).text, ascii);
}

TEST(ReadFile, ByItsDetectedFormat) {
  struct Case {
    const char* name;
    QByteArray bytes;
    StatementFormat format;
    size_t lines;
    const char* errorKey;
  };
  const Case cases[] = {
      {"sheet", "date,amount\n2026-07-01,-1.00\n", StatementFormat::Csv, 1, ""},
      {"mt940", kMt940, StatementFormat::Mt940, 3, ""},
      {"camt", kCamt, StatementFormat::Camt053, 2, ""},
      {"ofx", kOfx, StatementFormat::Ofx, 2, ""},
      {"not a statement", "Dear customer,\nyour statement follows\n", StatementFormat::Unknown, 0, "corvane.import.unrecognised"},
      {"sheet not in its encoding", "date,note,amount\n2026-07-01,\x81\x30\xFF\x30,1.00\n", StatementFormat::Csv, 0,
       "corvane.import.encoding"},
  };
  QTemporaryDir dir;
  for (const Case& c : cases) {
    QFile f(dir.filePath(QString::fromLatin1(c.name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(c.bytes);
    f.close();
    const ParsedStatement s = ReadStatementFile(f.fileName());
    EXPECT_EQ(s.format, c.format) << c.name;
    EXPECT_EQ(s.lines.size(), c.lines) << c.name;
    EXPECT_EQ(s.errorKey, c.errorKey) << c.name;
  }
  EXPECT_EQ(ReadStatementFile(dir.filePath(QStringLiteral("missing"))).errorKey, "corvane.import.cannotopen");
}

}  // namespace
}  // namespace corvane::suite
