#include "suite/import/statement_file.h"

#include <QXmlStreamReader>

namespace corvane::suite {

using platform::ImportLine;
using platform::Money;

namespace {

// An entry's own elements, by the path below <Ntry> that names them.
struct EntryText {
  QString amount, currency, indicator, bookingDate, valueDate, reference, endToEnd, cheque, bankCode;
};

QDate EntryDate(const QString& text) {
  // Dt is a date, DtTm a date and time; both start with yyyy-mm-dd.
  return QDate::fromString(text.left(10), Qt::ISODate);
}

}  // namespace

// ISO 20022 bank-to-customer statement: Stmt/Acct/Id (IBAN or Othr/Id),
// Stmt/Ntry with Amt (Ccy), CdtDbtInd (CRDT, DBIT), BookgDt and ValDt (Dt or
// DtTm), AcctSvcrRef and the transaction references. A credit entry is money
// in, the bank's credit; a debit entry the bank's debit.
ParsedStatement ReadCamt053(const QByteArray& bytes) {
  ParsedStatement out;
  out.format = StatementFormat::Camt053;
  QXmlStreamReader xml(bytes);
  QStringList path;
  EntryText e;
  bool inEntry = false;
  int entries = 0;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      path << xml.name().toString();
      if (xml.name() == QLatin1String("Ntry")) {
        inEntry = true;
        e = EntryText();
      } else if (inEntry && xml.name() == QLatin1String("Amt") && path.size() >= 2 && path[path.size() - 2] == QLatin1String("Ntry")) {
        e.currency = xml.attributes().value(QLatin1String("Ccy")).toString();
      }
      continue;
    }
    if (xml.isCharacters() && !xml.isWhitespace() && !path.isEmpty()) {
      const QString text = xml.text().toString().trimmed();
      const QString name = path.last();
      const QString parent = path.size() >= 2 ? path[path.size() - 2] : QString();
      if (!inEntry) {
        if (path.contains(QLatin1String("Acct")) && path.contains(QLatin1String("Id")) &&
            (name == QLatin1String("IBAN") || (name == QLatin1String("Id") && parent == QLatin1String("Othr"))) &&
            out.accountNo.isEmpty())
          out.accountNo = text;
        else if (path.contains(QLatin1String("Acct")) && name == QLatin1String("Ccy") && out.currency.isEmpty())
          out.currency = text;
        continue;
      }
      if (name == QLatin1String("Amt") && parent == QLatin1String("Ntry")) e.amount = text;
      else if (name == QLatin1String("CdtDbtInd") && parent == QLatin1String("Ntry")) e.indicator = text;
      else if ((name == QLatin1String("Dt") || name == QLatin1String("DtTm")) && parent == QLatin1String("BookgDt")) e.bookingDate = text;
      else if ((name == QLatin1String("Dt") || name == QLatin1String("DtTm")) && parent == QLatin1String("ValDt")) e.valueDate = text;
      else if (name == QLatin1String("AcctSvcrRef") && parent == QLatin1String("Ntry")) e.reference = text;
      else if (name == QLatin1String("EndToEndId") && e.endToEnd.isEmpty() && text != QLatin1String("NOTPROVIDED")) e.endToEnd = text;
      else if (name == QLatin1String("ChqNb") && e.cheque.isEmpty()) e.cheque = text;
      else if (name == QLatin1String("Cd") && parent == QLatin1String("Prtry") && e.bankCode.isEmpty()) e.bankCode = text;
      continue;
    }
    if (xml.isEndElement()) {
      if (xml.name() == QLatin1String("Ntry") && inEntry) {
        inEntry = false;
        ImportLine l;
        l.lineNo = ++entries;
        l.date = EntryDate(e.bookingDate.isEmpty() ? e.valueDate : e.bookingDate);
        l.number = !e.cheque.isEmpty() ? e.cheque : !e.endToEnd.isEmpty() ? e.endToEnd : e.reference;
        if (e.indicator == QLatin1String("CRDT")) l.bd_c = 0;
        else if (e.indicator == QLatin1String("DBIT")) l.bd_c = 1;
        if (auto m = Money::Parse(e.amount)) l.amount = *m;
        out.lines.push_back(l);
      }
      if (!path.isEmpty()) path.removeLast();
    }
  }
  if (xml.hasError()) out.error = xml.errorString();
  return out;
}

}  // namespace corvane::suite
