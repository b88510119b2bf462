#include "suite/import/statement_file.h"
#include "suite/import/xml_events.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace corvane::suite {

using platform::ImportLine;
using platform::Money;

namespace {

// An entry's or a balance's own elements, by the path below <Ntry> or <Bal> that
// names them: their texts in UTF-8, trimmed, made strings only where they are kept
// or shown (most are short enough to need no allocation).
struct Item {
  int lineNo = 0;
  std::string amount, currency, indicator, bookingDate, valueDate, reference, endToEnd, cheque, code;
};

QString Utf8(const std::string& bytes) { return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())); }

bool Ascii(std::string_view bytes) {
  return std::none_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; });
}

bool SameText(const std::string& bytes, const QString& text) {
  return Ascii(bytes) ? text == QLatin1String(bytes.data(), static_cast<qsizetype>(bytes.size())) : text == Utf8(bytes);
}

QDate EntryDate(const std::string& text) {
  // Dt is a date, DtTm a date and time; both start with yyyy-mm-dd.
  if (text.size() < 10) return QDate();
  auto digits = [&text](size_t from, size_t n) {
    int v = 0;
    for (size_t i = from; i < from + n; ++i) {
      if (text[i] < '0' || text[i] > '9') return -1;
      v = v * 10 + (text[i] - '0');
    }
    return v;
  };
  const int y = digits(0, 4), m = digits(5, 2), d = digits(8, 2);
  if (y >= 0 && m >= 0 && d >= 0 && text[4] == '-' && text[7] == '-') return QDate(y, m, d);
  const QString t = Utf8(text);  // any other form as Qt reads ISO dates
  return t.size() >= 10 ? QDate::fromString(t.left(10), Qt::ISODate) : QDate();
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

Tag TagOf(std::string_view name) {
  // A prefixed name ("ns2:Ntry") by its local part.
  if (const size_t colon = name.find(':'); colon != std::string_view::npos) name.remove_prefix(colon + 1);
  // The elements of every entry first.
  static constexpr std::pair<std::string_view, Tag> tags[] = {
      {"Ntry", Tag::Ntry},       {"Amt", Tag::Amt},
      {"CdtDbtInd", Tag::CdtDbtInd}, {"BookgDt", Tag::BookgDt},
      {"Dt", Tag::Dt},           {"AcctSvcrRef", Tag::AcctSvcrRef},
      {"ValDt", Tag::ValDt},     {"DtTm", Tag::DtTm},
      {"EndToEndId", Tag::EndToEndId}, {"ChqNb", Tag::ChqNb},
      {"Stmt", Tag::Stmt},       {"Id", Tag::Id},
      {"Acct", Tag::Acct},       {"IBAN", Tag::IBAN},
      {"Othr", Tag::Othr},       {"Ccy", Tag::Ccy},
      {"Bal", Tag::Bal},         {"Cd", Tag::Cd},
      {"CdOrPrtry", Tag::CdOrPrtry}};
  // Told by size and first letter before the bytes are compared: this runs for every element.
  for (const auto& [text, tag] : tags)
    if (name.size() == text.size() && name[0] == text[0] && name == text) return tag;
  return Tag::Other;
}

bool IsBlank(char c) { return c == ' ' || c == '\n' || c == '\t' || c == '\r'; }

std::string Attribute(const char* const* attributes, const char* name) {
  for (; attributes[0]; attributes += 2)
    if (std::strcmp(attributes[0], name) == 0) return attributes[1];
  return std::string();
}

// The statements of a document as it streams by: the elements open at the
// reader's place by the names that matter here, the entry or balance being read,
// and the element whose text is being gathered (an element's text may come in
// pieces: around a comment, a CDATA section, an entity).
class CamtReader : public XmlEvents {
 public:
  explicit CamtReader(ParsedStatement& out) : out_(out) {}

  void Start(std::string_view name, const char* const* attributes, int line) override {
    const Tag tag = TagOf(name);
    path_.push_back(tag);
    if (tag == Tag::Acct) ++inAccount_;
    if (tag == Tag::Stmt) {
      inStatement_ = true;
      check_.lineNo = line;
    } else if (tag == Tag::Ntry || (tag == Tag::Bal && in_ == None)) {
      in_ = tag == Tag::Ntry ? InEntry : InBalance;
      item_ = Item();
      item_.lineNo = line;
    } else if (in_ != None && tag == Tag::Amt && (At(1) == Tag::Ntry || At(1) == Tag::Bal)) {
      item_.currency = Attribute(attributes, "Ccy");
    }
    if (const Into into = Target(tag, At(1)); into.text || into.bytes) {
      into_ = into;
      intoDepth_ = path_.size();
      text_.clear();
    }
  }

  void Text(std::string_view piece) override {
    if ((into_.text || into_.bytes) && path_.size() == intoDepth_) text_.append(piece);
  }

  void End() override {
    if (path_.empty()) return;
    if ((into_.text || into_.bytes) && path_.size() == intoDepth_) TakeText();
    const Tag tag = At(0);
    if (tag == Tag::Ntry && in_ == InEntry) {
      in_ = None;
      Entry(item_);
    } else if (tag == Tag::Bal && in_ == InBalance) {
      in_ = None;
      Balance(item_);
    } else if (tag == Tag::Stmt && inStatement_) {
      EndStatement();
    }
    if (tag == Tag::Acct) --inAccount_;
    path_.pop_back();
  }

 private:
  Tag At(size_t up) const { return path_.size() > up ? path_[path_.size() - 1 - up] : Tag::Other; }

  // Where the text of an element goes, by its name and its parent's: a text of the
  // statement, or of the entry or balance being read.
  struct Into {
    QString* text = nullptr;
    std::string* bytes = nullptr;
  };
  Into Target(Tag name, Tag parent) {
    const bool own = parent == Tag::Ntry || parent == Tag::Bal;
    const bool date = name == Tag::Dt || name == Tag::DtTm;
    if (in_ == None) {
      if (name == Tag::Id && parent == Tag::Stmt) return {&check_.statement};
      if (inAccount_ && out_.accountNo.isEmpty() && (name == Tag::IBAN || (name == Tag::Id && parent == Tag::Othr))) return {&out_.accountNo};
      if (inAccount_ && name == Tag::Ccy && parent == Tag::Acct && out_.currency.isEmpty()) return {&out_.currency};
      return {};
    }
    if (name == Tag::Amt && own) return {nullptr, &item_.amount};
    if (name == Tag::CdtDbtInd && own) return {nullptr, &item_.indicator};
    if (date && parent == Tag::BookgDt) return {nullptr, &item_.bookingDate};
    if (date && parent == Tag::ValDt) return {nullptr, &item_.valueDate};
    if (name == Tag::AcctSvcrRef && parent == Tag::Ntry) return {nullptr, &item_.reference};
    if (name == Tag::EndToEndId && item_.endToEnd.empty()) return {nullptr, &item_.endToEnd};
    if (name == Tag::ChqNb && item_.cheque.empty()) return {nullptr, &item_.cheque};
    if (name == Tag::Cd && parent == Tag::CdOrPrtry && in_ == InBalance) return {nullptr, &item_.code};
    return {};
  }

  // The whole text of the element just closed; one of blanks only changes nothing.
  void TakeText() {
    std::string_view bytes(text_);
    while (!bytes.empty() && IsBlank(bytes.front())) bytes.remove_prefix(1);
    while (!bytes.empty() && IsBlank(bytes.back())) bytes.remove_suffix(1);
    std::string wide;  // blanks beyond ASCII (an ideographic space) trimmed as well
    if (!bytes.empty() && ((bytes.front() & 0x80) || (bytes.back() & 0x80))) {
      wide = Utf8(std::string(bytes)).trimmed().toStdString();
      bytes = wide;
    }
    if (!bytes.empty() && into_.text) *into_.text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    else if (!bytes.empty()) *into_.bytes = into_.bytes == &item_.endToEnd && bytes == "NOTPROVIDED" ? std::string() : std::string(bytes);
    into_ = {};
  }

  void Entry(const Item& e) {
    auto refuse = [&](const char* key, const QStringList& args) { out_.refused.push_back({e.lineNo, QString::fromLatin1(key), args}); };
    ImportLine l;
    l.lineNo = e.lineNo;
    const std::string& dateText = e.bookingDate.empty() ? e.valueDate : e.bookingDate;
    l.date = EntryDate(dateText);
    l.number = Utf8(!e.cheque.empty() ? e.cheque : !e.endToEnd.empty() ? e.endToEnd : e.reference);
    if (e.indicator == "CRDT") l.bd_c = 0;
    else if (e.indicator == "DBIT") l.bd_c = 1;
    l.amount = Amount(Utf8(e.amount));
    if (!l.date.isValid()) return refuse("corvane.import.badfielddate", {Utf8(dateText)});
    if (!l.amount || l.amount->IsZero()) return refuse("corvane.import.field", {Utf8(e.amount)});
    if (!l.bd_c) return refuse("corvane.import.nodirection", {Utf8(e.indicator)});
    if (out_.currency.isEmpty()) out_.currency = Utf8(e.currency);
    if (!e.currency.empty() && !SameText(e.currency, out_.currency)) return refuse("corvane.import.currency", {Utf8(e.currency), out_.currency});
    check_.lines += *l.bd_c == 0 ? *l.amount : -*l.amount;
    out_.lines.push_back(l);
  }

  // Opening (OPBD, or PRCD: the previous closing) and closing (CLBD) booked balances.
  void Balance(const Item& b) {
    const bool opening = b.code == "OPBD" || b.code == "PRCD";
    if (!opening && b.code != "CLBD") return;
    std::optional<Money> a = Amount(Utf8(b.amount));
    if (!a || (b.indicator != "CRDT" && b.indicator != "DBIT")) {
      out_.refused.push_back({b.lineNo, QStringLiteral("corvane.import.field"), {Utf8(b.amount)}});
      return;
    }
    if (b.indicator == "DBIT") a = -*a;
    if (out_.currency.isEmpty()) out_.currency = Utf8(b.currency);
    if (opening && !check_.opening) check_.opening = a;
    else if (!opening) check_.closing = a;
  }

  void EndStatement() {
    check_.Conclude();
    out_.balances.push_back(check_);
    check_ = BalanceCheck();
    inStatement_ = false;
  }

  ParsedStatement& out_;
  BalanceCheck check_;
  bool inStatement_ = false;
  std::vector<Tag> path_;
  int inAccount_ = 0;
  Item item_;
  enum { None, InEntry, InBalance } in_ = None;
  Into into_;  // the element whose text is gathered, at depth intoDepth_
  size_t intoDepth_ = 0;
  std::string text_;
};

}  // namespace

// ISO 20022 bank-to-customer statement: Stmt/Id, Stmt/Acct/Id (IBAN or Othr/Id)
// and Ccy, Stmt/Bal (OPBD or PRCD opening, CLBD closing), Stmt/Ntry with Amt
// (Ccy), CdtDbtInd (CRDT, DBIT), BookgDt and ValDt (Dt or DtTm), AcctSvcrRef and
// the transaction references. A credit entry is money in, the bank's credit; a
// debit entry the bank's debit. Each statement must add up. Names are told by
// their local part, whatever their prefix.
ParsedStatement ReadCamt053(const QByteArray& bytes, const StatementReadOptions& options) {
  ParsedStatement out;
  out.format = StatementFormat::Camt053;
  out.importDamaged = options.importDamaged;
  CamtReader reader(out);
  const XmlError error = ReadXml(bytes, reader);
  if (!error.text.isEmpty()) {
    out.SetUnreadable(QStringLiteral("corvane.import.xml"), {error.text, QString::number(error.line)});
    out.balances.clear();
  } else if (out.balances.empty()) {
    out.SetUnreadable(QStringLiteral("corvane.import.nostatement"));
  }
  return out;
}

}  // namespace corvane::suite
