#include "statement_texts.h"

#include "platform/db/money.h"

#include <QDate>

namespace corvane::bench {

using platform::Money;

namespace {

QDate DateOf(int i) { return QDate(2026, 1, 1).addDays(i % 360); }
Money AmountOf(int i) { return Money::FromCents(100 + i); }
bool IsDebit(int i) { return i % 2 != 0; }

// "1234.56" (amounts are whole cents); MT940 writes "1234,56".
QByteArray Point(Money m) { return m.ToPlainText().left(m.ToPlainText().size() - 2).toLatin1(); }
QByteArray Comma(Money m) { return Point(m).replace('.', ','); }

}  // namespace

QString CsvText(int n) {
  QString text = QStringLiteral("日期,票号,借方金额,贷方金额\n");
  for (int i = 0; i < n; ++i) {
    const QString amount = AmountOf(i).ToDisplayText();
    text += QStringLiteral("%1,N%2,%3\n")
                .arg(DateOf(i).toString(Qt::ISODate))
                .arg(i)
                .arg(IsDebit(i) ? QLatin1Char('"') + amount + QStringLiteral("\",") : QStringLiteral(",\"") + amount + QLatin1Char('"'));
  }
  return text;
}

QByteArray Mt940Text(int n) {
  // Statements of 1,000 lines each, as banks split long periods.
  QByteArray out;
  out.reserve(static_cast<qsizetype>(n) * 80);
  Money balance = Money::FromCents(100000000);
  for (int from = 0; from < n; from += 1000) {
    out += ":20:S" + QByteArray::number(from) + "\n:25:1121 0501 0400 0987 6\n:28C:" + QByteArray::number(from / 1000 + 1) +
           "\n:60F:C260101CNY" + Comma(balance) + "\n";
    for (int i = from; i < std::min(n, from + 1000); ++i) {
      out += ":61:" + DateOf(i).toString(QStringLiteral("yyMMdd")).toLatin1() + (IsDebit(i) ? "D" : "C") + Comma(AmountOf(i)) +
             "NTRFN" + QByteArray::number(i) + "//B" + QByteArray::number(i) + "\n:86:PAYMENT " + QByteArray::number(i) + "\n";
      balance += IsDebit(i) ? -AmountOf(i) : AmountOf(i);
    }
    out += ":62F:C261231CNY" + Comma(balance) + "\n-\n";
  }
  return out;
}

QByteArray CamtText(int n) {
  QByteArray out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "<Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:camt.053.001.02\"><BkToCstmrStmt><Stmt><Id>S1</Id>"
                   "<Acct><Id><Othr><Id>1121 0501 0400 0987 6</Id></Othr></Id><Ccy>CNY</Ccy></Acct>\n";
  out.reserve(static_cast<qsizetype>(n) * 200);
  Money balance = Money::FromCents(100000000), closing = balance;
  for (int i = 0; i < n; ++i) closing += IsDebit(i) ? -AmountOf(i) : AmountOf(i);
  auto bal = [&out](const char* code, Money m) {
    out += QByteArray("<Bal><Tp><CdOrPrtry><Cd>") + code + "</Cd></CdOrPrtry></Tp><Amt Ccy=\"CNY\">" + Point(m) +
           "</Amt><CdtDbtInd>CRDT</CdtDbtInd></Bal>\n";
  };
  bal("OPBD", balance);
  bal("CLBD", closing);
  for (int i = 0; i < n; ++i)
    out += "<Ntry><Amt Ccy=\"CNY\">" + Point(AmountOf(i)) + "</Amt><CdtDbtInd>" + (IsDebit(i) ? "DBIT" : "CRDT") +
           "</CdtDbtInd><BookgDt><Dt>" + DateOf(i).toString(Qt::ISODate).toLatin1() + "</Dt></BookgDt><AcctSvcrRef>N" +
           QByteArray::number(i) + "</AcctSvcrRef></Ntry>\n";
  out += "</Stmt></BkToCstmrStmt></Document>\n";
  return out;
}

QByteArray OfxText(int n) {
  QByteArray out =
      "OFXHEADER:100\nDATA:OFXSGML\nVERSION:102\nSECURITY:NONE\nENCODING:USASCII\nCHARSET:1252\nCOMPRESSION:NONE\n"
      "OLDFILEUID:NONE\nNEWFILEUID:NONE\n\n<OFX>\n<SIGNONMSGSRSV1><SONRS><STATUS><CODE>0<SEVERITY>INFO</STATUS>"
      "<DTSERVER>20261231<LANGUAGE>ENG</SONRS></SIGNONMSGSRSV1>\n<BANKMSGSRSV1><STMTTRNRS><TRNUID>1<STATUS><CODE>0<SEVERITY>INFO</STATUS>\n"
      "<STMTRS><CURDEF>CNY\n<BANKACCTFROM><BANKID>1<ACCTID>11210501040009876<ACCTTYPE>CHECKING</BANKACCTFROM>\n"
      "<BANKTRANLIST><DTSTART>20260101<DTEND>20261231\n";
  out.reserve(static_cast<qsizetype>(n) * 100);
  Money closing = Money::FromCents(100000000);
  for (int i = 0; i < n; ++i) {
    out += "<STMTTRN><TRNTYPE>" + QByteArray(IsDebit(i) ? "DEBIT" : "CREDIT") + "<DTPOSTED>" +
           DateOf(i).toString(QStringLiteral("yyyyMMdd")).toLatin1() + "<TRNAMT>" + (IsDebit(i) ? "-" : "") +
           Point(AmountOf(i)) + "<FITID>N" + QByteArray::number(i) + "</STMTTRN>\n";
    closing += IsDebit(i) ? -AmountOf(i) : AmountOf(i);
  }
  out += "</BANKTRANLIST>\n<LEDGERBAL><BALAMT>" + Point(closing) + "<DTASOF>20261231</LEDGERBAL>\n</STMTRS></STMTTRNRS></BANKMSGSRSV1>\n</OFX>\n";
  return out;
}

}  // namespace corvane::bench
