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

enum class Tag : unsigned char {
  Other, Stmt, Id, Acct, IBAN, Othr, Ccy, Bal, Ntry, Amt, CdtDbtInd, BookgDt, ValDt, Dt, DtTm, AcctSvcrRef,
  EndToEndId, ChqNb, Cd, CdOrPrtry
};

Tag TagOf(QStringView name) {
  name = name.mid(name.indexOf(QLatin1Char(':')) + 1);  // a prefixed name ("ns2:Ntry") by its local part
  // Sized at compile time: this runs for every element of the file.
  static constexpr std::pair<QLatin1String, Tag> tags[] = {
      {QLatin1String("Stmt"), Tag::Stmt},       {QLatin1String("Id"), Tag::Id},
      {QLatin1String("Acct"), Tag::Acct},       {QLatin1String("IBAN"), Tag::IBAN},
      {QLatin1String("Othr"), Tag::Othr},       {QLatin1String("Ccy"), Tag::Ccy},
      {QLatin1String("Bal"), Tag::Bal},         {QLatin1String("Ntry"), Tag::Ntry},
      {QLatin1String("Amt"), Tag::Amt},         {QLatin1String("CdtDbtInd"), Tag::CdtDbtInd},
      {QLatin1String("BookgDt"), Tag::BookgDt}, {QLatin1String("ValDt"), Tag::ValDt},
      {QLatin1String("Dt"), Tag::Dt},           {QLatin1String("DtTm"), Tag::DtTm},
      {QLatin1String("AcctSvcrRef"), Tag::AcctSvcrRef}, {QLatin1String("EndToEndId"), Tag::EndToEndId},
      {QLatin1String("ChqNb"), Tag::ChqNb},     {QLatin1String("Cd"), Tag::Cd},
      {QLatin1String("CdOrPrtry"), Tag::CdOrPrtry}};
  for (const auto& [text, tag] : tags)
    if (name.size() == text.size() && name == text) return tag;
  return Tag::Other;
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
  // Names are told by their local part: resolving the namespace of every element is a sixth of the time.
  xml.setNamespaceProcessing(false);
  // The elements open at the reader's place, by the names that matter here.
  std::vector<Tag> path;
  int inAccount = 0;
  Item item;
  enum { None, InEntry, InBalance } in = None;
  auto at = [&path](size_t up) { return path.size() > up ? path[path.size() - 1 - up] : Tag::Other; };
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const Tag tag = TagOf(xml.name());
      path.push_back(tag);
      if (tag == Tag::Acct) ++inAccount;
      if (tag == Tag::Stmt) {
        r.inStatement = true;
        r.check.lineNo = static_cast<int>(xml.lineNumber());
      } else if (tag == Tag::Ntry || (tag == Tag::Bal && in == None)) {
        in = tag == Tag::Ntry ? InEntry : InBalance;
        item = Item();
        item.lineNo = static_cast<int>(xml.lineNumber());
      } else if (in != None && tag == Tag::Amt && (at(1) == Tag::Ntry || at(1) == Tag::Bal)) {
        item.currency = xml.attributes().value(QLatin1String("Ccy")).toString();
      }
      continue;
    }
    if (xml.isCharacters() && !path.empty()) {
      const Tag name = at(0), parent = at(1);
      const bool own = parent == Tag::Ntry || parent == Tag::Bal;
      const bool date = name == Tag::Dt || name == Tag::DtTm;
      QString* into = nullptr;
      if (in == None) {
        if (name == Tag::Id && parent == Tag::Stmt) into = &r.check.statement;
        else if (inAccount && out.accountNo.isEmpty() && (name == Tag::IBAN || (name == Tag::Id && parent == Tag::Othr))) into = &out.accountNo;
        else if (inAccount && name == Tag::Ccy && parent == Tag::Acct && out.currency.isEmpty()) into = &out.currency;
      } else if (name == Tag::Amt && own) into = &item.amount;
      else if (name == Tag::CdtDbtInd && own) into = &item.indicator;
      else if (date && parent == Tag::BookgDt) into = &item.bookingDate;
      else if (date && parent == Tag::ValDt) into = &item.valueDate;
      else if (name == Tag::AcctSvcrRef && parent == Tag::Ntry) into = &item.reference;
      else if (name == Tag::EndToEndId && item.endToEnd.isEmpty()) into = &item.endToEnd;
      else if (name == Tag::ChqNb && item.cheque.isEmpty()) into = &item.cheque;
      else if (name == Tag::Cd && parent == Tag::CdOrPrtry && in == InBalance) into = &item.code;
      if (into && !xml.isWhitespace()) {
        *into = xml.text().trimmed().toString();
        if (into == &item.endToEnd && *into == QLatin1String("NOTPROVIDED")) into->clear();
      }
      continue;
    }
    if (xml.isEndElement()) {
      const Tag tag = at(0);
      if (tag == Tag::Ntry && in == InEntry) {
        in = None;
        r.Entry(item);
      } else if (tag == Tag::Bal && in == InBalance) {
        in = None;
        r.Balance(item);
      } else if (tag == Tag::Stmt && r.inStatement) {
        r.EndStatement();
      }
      if (tag == Tag::Acct) --inAccount;
      if (!path.empty()) path.pop_back();
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
