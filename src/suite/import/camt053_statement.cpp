#include "suite/import/statement_file.h"

#include <QXmlStreamReader>

namespace corvane::suite {

using platform::ImportLine;
using platform::Money;

namespace {

// An entry's or a balance's own elements, by the path below <Ntry> or <Bal> that names them.
struct Item {
  int lineNo = 0;
  QString amount, currency, indicator, bookingDate, valueDate, reference, endToEnd, cheque, code;
};

QDate EntryDate(const QString& text) {
  // Dt is a date, DtTm a date and time; both start with yyyy-mm-dd.
  return text.size() >= 10 ? QDate::fromString(text.left(10), Qt::ISODate) : QDate();
}

// "2500", "120.35": digits and at most two decimals.
std::optional<Money> Amount(const QString& s) {
  const qsizetype point = s.indexOf(QLatin1Char('.'));
  if (s.isEmpty() || (point >= 0 && (point == 0 || s.size() - point - 1 > 2 || s.size() - point - 1 < 1))) return std::nullopt;
  for (qsizetype i = 0; i < s.size(); ++i)
    if (i != point && !s[i].isDigit()) return std::nullopt;
  return Money::Parse(s);
}

struct Reader {
  ParsedStatement& out;
  BalanceCheck check;
  bool inStatement = false;

  void Entry(const Item& e) {
    auto refuse = [&](const char* key, const QStringList& args) { out.refused.push_back({e.lineNo, QString::fromLatin1(key), args}); };
    ImportLine l;
    l.lineNo = e.lineNo;
    const QString dateText = e.bookingDate.isEmpty() ? e.valueDate : e.bookingDate;
    l.date = EntryDate(dateText);
    l.number = !e.cheque.isEmpty() ? e.cheque : !e.endToEnd.isEmpty() ? e.endToEnd : e.reference;
    if (e.indicator == QLatin1String("CRDT")) l.bd_c = 0;
    else if (e.indicator == QLatin1String("DBIT")) l.bd_c = 1;
    l.amount = Amount(e.amount);
    if (!l.date.isValid()) return refuse("corvane.import.badfielddate", {dateText});
    if (!l.amount || l.amount->IsZero()) return refuse("corvane.import.field", {e.amount});
    if (!l.bd_c) return refuse("corvane.import.nodirection", {e.indicator});
    if (out.currency.isEmpty()) out.currency = e.currency;
    if (!e.currency.isEmpty() && e.currency != out.currency) return refuse("corvane.import.currency", {e.currency, out.currency});
    check.lines += *l.bd_c == 0 ? *l.amount : -*l.amount;
    out.lines.push_back(l);
  }

  // Opening (OPBD, or PRCD: the previous closing) and closing (CLBD) booked balances.
  void Balance(const Item& b) {
    const bool opening = b.code == QLatin1String("OPBD") || b.code == QLatin1String("PRCD");
    if (!opening && b.code != QLatin1String("CLBD")) return;
    std::optional<Money> a = Amount(b.amount);
    if (!a || (b.indicator != QLatin1String("CRDT") && b.indicator != QLatin1String("DBIT"))) {
      out.refused.push_back({b.lineNo, QStringLiteral("corvane.import.field"), {b.amount}});
      return;
    }
    if (b.indicator == QLatin1String("DBIT")) a = -*a;
    if (out.currency.isEmpty()) out.currency = b.currency;
    if (opening && !check.opening) check.opening = a;
    else if (!opening) check.closing = a;
  }

  void EndStatement() {
    check.Conclude();
    out.balances.push_back(check);
    check = BalanceCheck();
    inStatement = false;
  }
};

}  // namespace

// ISO 20022 bank-to-customer statement: Stmt/Id, Stmt/Acct/Id (IBAN or Othr/Id)
// and Ccy, Stmt/Bal (OPBD or PRCD opening, CLBD closing), Stmt/Ntry with Amt
// (Ccy), CdtDbtInd (CRDT, DBIT), BookgDt and ValDt (Dt or DtTm), AcctSvcrRef and
// the transaction references. A credit entry is money in, the bank's credit; a
// debit entry the bank's debit. Each statement must add up.
ParsedStatement ReadCamt053(const QByteArray& bytes, const StatementReadOptions& options) {
  ParsedStatement out;
  out.format = StatementFormat::Camt053;
  out.importDamaged = options.importDamaged;
  Reader r{out, {}, false};
  QXmlStreamReader xml(bytes);
  QStringList path;
  Item item;
  enum { None, InEntry, InBalance } in = None;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const QStringView name = xml.name();
      path << name.toString();
      if (name == QLatin1String("Stmt")) {
        r.inStatement = true;
        r.check.lineNo = static_cast<int>(xml.lineNumber());
      } else if (name == QLatin1String("Ntry") || (name == QLatin1String("Bal") && in == None)) {
        in = name == QLatin1String("Ntry") ? InEntry : InBalance;
        item = Item();
        item.lineNo = static_cast<int>(xml.lineNumber());
      } else if (in != None && name == QLatin1String("Amt") && path.size() >= 2 &&
                 (path[path.size() - 2] == QLatin1String("Ntry") || path[path.size() - 2] == QLatin1String("Bal"))) {
        item.currency = xml.attributes().value(QLatin1String("Ccy")).toString();
      }
      continue;
    }
    if (xml.isCharacters() && !xml.isWhitespace() && !path.isEmpty()) {
      const QString text = xml.text().toString().trimmed();
      const QString& name = path.last();
      const QString parent = path.size() >= 2 ? path[path.size() - 2] : QString();
      const bool own = parent == QLatin1String("Ntry") || parent == QLatin1String("Bal");
      if (in == None) {
        if (name == QLatin1String("Id") && parent == QLatin1String("Stmt")) r.check.statement = text;
        else if (path.contains(QLatin1String("Acct")) && path.contains(QLatin1String("Id")) &&
                 (name == QLatin1String("IBAN") || (name == QLatin1String("Id") && parent == QLatin1String("Othr"))) &&
                 out.accountNo.isEmpty())
          out.accountNo = text;
        else if (path.contains(QLatin1String("Acct")) && name == QLatin1String("Ccy") && parent == QLatin1String("Acct") &&
                 out.currency.isEmpty())
          out.currency = text;
      } else if (name == QLatin1String("Amt") && own) item.amount = text;
      else if (name == QLatin1String("CdtDbtInd") && own) item.indicator = text;
      else if ((name == QLatin1String("Dt") || name == QLatin1String("DtTm")) && parent == QLatin1String("BookgDt")) item.bookingDate = text;
      else if ((name == QLatin1String("Dt") || name == QLatin1String("DtTm")) && parent == QLatin1String("ValDt")) item.valueDate = text;
      else if (name == QLatin1String("AcctSvcrRef") && parent == QLatin1String("Ntry")) item.reference = text;
      else if (name == QLatin1String("EndToEndId") && item.endToEnd.isEmpty() && text != QLatin1String("NOTPROVIDED")) item.endToEnd = text;
      else if (name == QLatin1String("ChqNb") && item.cheque.isEmpty()) item.cheque = text;
      else if (name == QLatin1String("Cd") && parent == QLatin1String("CdOrPrtry") && in == InBalance) item.code = text;
      continue;
    }
    if (xml.isEndElement()) {
      const QStringView name = xml.name();
      if (name == QLatin1String("Ntry") && in == InEntry) {
        in = None;
        r.Entry(item);
      } else if (name == QLatin1String("Bal") && in == InBalance) {
        in = None;
        r.Balance(item);
      } else if (name == QLatin1String("Stmt") && r.inStatement) {
        r.EndStatement();
      }
      if (!path.isEmpty()) path.removeLast();
    }
  }
  if (xml.hasError()) {
    out.SetUnreadable(QStringLiteral("corvane.import.xml"), {xml.errorString(), QString::number(xml.lineNumber())});
    out.balances.clear();
  } else if (out.balances.empty()) {
    out.SetUnreadable(QStringLiteral("corvane.import.nostatement"));
  }
  return out;
}

}  // namespace corvane::suite
