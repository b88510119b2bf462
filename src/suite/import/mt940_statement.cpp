#include "suite/import/statement_file.h"

#include <QRegularExpression>

namespace corvane::suite {

using platform::ImportLine;
using platform::Money;

namespace {

// One field of the file: its tag, its text (continuation lines apart) and the
// file line it starts on.
struct Field {
  QStringView tag;
  QStringView text;
  std::vector<QStringView> more;
  int lineNo = 0;
};

std::vector<Field> Fields(const QString& text) {
  std::vector<Field> fields;
  int lineNo = 0;
  for (qsizetype from = 0; from <= text.size();) {
    qsizetype end = text.indexOf(QLatin1Char('\n'), from);
    if (end < 0) end = text.size();
    QStringView line = QStringView(text).mid(from, end - from).trimmed();
    from = end + 1;
    ++lineNo;
    if (line.startsWith(QLatin1String("{4:"))) line = line.mid(3);
    const qsizetype close = line.size() > 2 && line[0] == QLatin1Char(':') ? line.indexOf(QLatin1Char(':'), 1) : -1;
    if (close > 1 && close <= 5) {
      fields.push_back({line.mid(1, close - 1), line.mid(close + 1), {}, lineNo});
    } else if (!line.isEmpty() && !fields.empty() && !line.startsWith(QLatin1Char('-')) && !line.startsWith(QLatin1Char('{'))) {
      fields.back().more.push_back(line);
    }
  }
  return fields;
}

bool IsDigits(QStringView s) {
  for (QChar c : s)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return true;
}

// An amount with a decimal comma ("2500,00", "15,"); at most two decimals. A
// statement line's amount may also be whole units without the comma ("800"):
// the type code after it shows that it was not cut short, which a balance's
// amount, ending its field, cannot show.
std::optional<Money> Amount(QStringView s, bool wholeUnits = false) {
  const qsizetype comma = s.indexOf(QLatin1Char(','));
  if (comma < 0 && wholeUnits && !s.isEmpty() && s.size() <= 15 && IsDigits(s)) return Money::Parse(s.toString());
  if (comma <= 0 || s.size() - comma - 1 > 2 || s.size() > 15) return std::nullopt;
  for (qsizetype i = 0; i < s.size(); ++i)
    if (i != comma && !s[i].isDigit()) return std::nullopt;
  const QString whole = s.left(comma).toString();
  return Money::Parse(comma + 1 == s.size() ? whole : whole + QLatin1Char('.') + s.mid(comma + 1).toString());
}

QDate Date(QStringView yymmdd) {
  return QDate(2000 + yymmdd.left(2).toInt(), yymmdd.mid(2, 2).toInt(), yymmdd.mid(4, 2).toInt());
}

// :60F:, :62F: and their intermediate forms: mark C or D, date YYMMDD, currency, amount.
bool ReadBalance(QStringView s, Money& amount, QString& currency) {
  static const QRegularExpression re(QStringLiteral("^([CD])(\\d{6})([A-Z]{3})([0-9,]+)$"));
  const auto m = re.match(s);
  if (!m.hasMatch() || !Date(m.capturedView(2)).isValid()) return false;
  const std::optional<Money> a = Amount(m.capturedView(4));
  if (!a) return false;
  amount = m.capturedView(1) == QLatin1String("D") ? -*a : *a;
  currency = m.captured(3);
  return true;
}

// :61: value date YYMMDD, optional entry date MMDD, mark C, D, RC or RD, optional
// funds code letter, the amount (a decimal comma, or whole units), the type (N, F
// or S and three letters or digits, blanks padding it), the customer's reference
// up to "//" (many banks leave it out), then the bank's reference. The type must
// follow the amount: a field that ends in its amount may have lost the amount's
// end. Read by hand: a large file holds hundreds of thousands of them.
struct Line61 {
  QStringView valueDate, entryDate, mark, amount, reference;
};

bool IsCodeChar(QChar c) { return c.isDigit() || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')); }

// The type code from s[i]: gives the position after it, or -1 when there is none.
// Trailing blanks may have been trimmed from a field that ends with the code.
qsizetype SkipType(QStringView s, qsizetype i) {
  if (i >= s.size() || (s[i] != QLatin1Char('N') && s[i] != QLatin1Char('F') && s[i] != QLatin1Char('S'))) return -1;
  const qsizetype end = i + 4;
  for (++i; i < end && i < s.size() && IsCodeChar(s[i]);) ++i;
  while (i < end && i < s.size() && s[i] == QLatin1Char(' ')) ++i;
  return i == end || i == s.size() ? i : -1;
}

bool Read61(QStringView s, Line61& l) {
  if (s.size() < 6 || !IsDigits(s.left(6))) return false;
  l.valueDate = s.left(6);
  qsizetype i = 6;
  l.entryDate = s.size() >= 10 && IsDigits(s.mid(6, 4)) ? s.mid(6, 4) : QStringView();
  i += l.entryDate.size();
  const qsizetype markLength = s.mid(i, 2) == QLatin1String("RC") || s.mid(i, 2) == QLatin1String("RD") ? 2
                               : s.mid(i, 1) == QLatin1String("C") || s.mid(i, 1) == QLatin1String("D") ? 1
                                                                                                          : 0;
  if (markLength == 0) return false;
  l.mark = s.mid(i, markLength);
  i += markLength;
  if (i < s.size() && s[i] >= QLatin1Char('A') && s[i] <= QLatin1Char('Z')) ++i;  // funds code
  const qsizetype from = i;
  while (i < s.size() && (s[i].isDigit() || s[i] == QLatin1Char(','))) ++i;
  l.amount = s.mid(from, i - from);
  if (l.amount.isEmpty() || l.amount.size() > 15) return false;
  i = SkipType(s, i);
  if (i < 0) return false;
  const qsizetype bank = s.indexOf(QLatin1String("//"), i);
  l.reference = s.mid(i, bank < 0 ? -1 : bank - i).trimmed();
  return true;
}

// A :61: field may run over the next line: when its first line is no whole
// field, fills the SWIFT line of 65, or has its "//" on the next line. Further
// lines are the supplementary details.
QString Text61(const Field& f) {
  QString s = f.text.toString();
  Line61 l;
  if (!f.more.empty() && (!Read61(s, l) || s.size() + 4 >= 65 ||
                          (!s.contains(QLatin1String("//")) && f.more.front().contains(QLatin1String("//")))))
    s += f.more.front().toString();
  return s;
}

struct Statement {
  BalanceCheck check;
  QString currency;
  bool open = false;
};

void Close(ParsedStatement& out, Statement& st) {
  if (!st.open) return;
  BalanceCheck& c = st.check;
  c.Conclude();
  out.balances.push_back(c);
  st = Statement();
}

}  // namespace

// SWIFT MT940: :20: a statement's reference, :25: the account, :60F:/:60M: the
// opening balance (its currency), :61: one line each (with :86: its details),
// :62F:/:62M: the closing balance. C is money in (the bank's credit), D money
// out; a reversal (RC, RD) turns it. Each statement must add up.
ParsedStatement ReadMt940(const QByteArray& bytes, const StatementReadOptions& options) {
  ParsedStatement out;
  out.format = StatementFormat::Mt940;
  out.importDamaged = options.importDamaged;
  const DecodedText decoded = DecodeStatementBytes(bytes);
  out.encoding = decoded.encoding;
  Statement st;
  QString reference;
  int referenceLine = 0;
  auto refuse = [&out](int lineNo, const char* key, QStringView text) {
    out.refused.push_back({lineNo, QString::fromLatin1(key), {text.toString()}});
  };
  auto open = [&](int lineNo) {
    st.open = true;
    st.check.statement = reference;
    st.check.lineNo = referenceLine ? referenceLine : lineNo;
  };
  for (const Field& f : Fields(decoded.text)) {
    const QStringView tag = f.tag;
    if (tag == QLatin1String("20")) {
      Close(out, st);
      reference = f.text.toString();
      referenceLine = f.lineNo;
    } else if (tag == QLatin1String("25")) {
      if (out.accountNo.isEmpty()) out.accountNo = f.text.toString();
    } else if (tag == QLatin1String("60F") || tag == QLatin1String("60M")) {
      Close(out, st);
      open(f.lineNo);
      Money amount;
      if (ReadBalance(f.text, amount, st.currency)) st.check.opening = amount;
      else refuse(f.lineNo, "corvane.import.field", f.text);
      if (out.currency.isEmpty()) out.currency = st.currency;
    } else if (tag == QLatin1String("62F") || tag == QLatin1String("62M")) {
      if (!st.open) open(f.lineNo);
      Money amount;
      QString currency;
      if (ReadBalance(f.text, amount, currency)) st.check.closing = amount;
      else refuse(f.lineNo, "corvane.import.field", f.text);
      Close(out, st);
      referenceLine = 0;
    } else if (tag == QLatin1String("61")) {
      if (!st.open) open(f.lineNo);
      const QString s = Text61(f);
      Line61 m;
      if (!Read61(s, m)) {
        refuse(f.lineNo, "corvane.import.field", s);
        continue;
      }
      ImportLine l;
      l.lineNo = f.lineNo;
      l.date = Date(m.valueDate);
      const std::optional<Money> amount = Amount(m.amount, true);
      if (!l.date.isValid() || (!m.entryDate.isEmpty() && !QDate(2000, m.entryDate.left(2).toInt(), m.entryDate.mid(2).toInt()).isValid())) {
        refuse(f.lineNo, "corvane.import.badfielddate", QStringView(s).left(6 + m.entryDate.size()));
        continue;
      }
      if (!amount || amount->IsZero()) {
        refuse(f.lineNo, "corvane.import.field", s);
        continue;
      }
      if (!st.currency.isEmpty() && st.currency != out.currency) {
        out.refused.push_back({f.lineNo, QStringLiteral("corvane.import.currency"), {st.currency, out.currency}});
        continue;
      }
      l.bd_c = (m.mark == QLatin1String("D") || m.mark == QLatin1String("RC")) ? 1 : 0;
      l.amount = amount;
      st.check.lines += *l.bd_c == 0 ? *amount : -*amount;
      if (m.reference != QLatin1String("NONREF")) l.number = m.reference.toString();
      out.lines.push_back(l);
    }
  }
  Close(out, st);
  if (!decoded.ok) out.SetUnreadable(QStringLiteral("corvane.import.encoding"), {decoded.encoding});
  else if (out.balances.empty()) out.SetUnreadable(QStringLiteral("corvane.import.nostatement"));
  return out;
}

}  // namespace corvane::suite
