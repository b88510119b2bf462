#include "platform/db/row_criteria.h"

#include "platform/db/db_error.h"
#include "platform/db/text_key.h"

namespace corvane::platform {

namespace {

class CriteriaReader {
 public:
  explicit CriteriaReader(const QString& text) : t_(text) {}

  void SkipBlanks() { while (pos_ < t_.size() && t_[pos_].isSpace()) ++pos_; }
  bool AtEnd() { SkipBlanks(); return pos_ >= t_.size(); }

  QString Identifier() {
    SkipBlanks();
    const int start = pos_;
    while (pos_ < t_.size() && (t_[pos_].isLetterOrNumber() || t_[pos_] == QLatin1Char('_'))) ++pos_;
    if (start == pos_) Fail();
    return t_.mid(start, pos_ - start);
  }

  QString Operator() {
    SkipBlanks();
    static const char* const kOps[] = {"<>", "!=", "<=", ">=", "=", "<", ">"};
    for (const char* op : kOps) {
      const QString s = QString::fromLatin1(op);
      if (t_.mid(pos_, s.size()) == s) { pos_ += s.size(); return s; }
    }
    Fail();
    return {};
  }

  DbValue Value() {
    SkipBlanks();
    if (pos_ >= t_.size()) Fail();
    if (t_[pos_] == QLatin1Char('\'')) return QuotedText();
    const int start = pos_;
    while (pos_ < t_.size() && !t_[pos_].isSpace()) ++pos_;
    const QString word = t_.mid(start, pos_ - start);
    if (word.compare(QLatin1String("null"), Qt::CaseInsensitive) == 0) return DbValue();
    bool ok = false;
    const qlonglong n = word.toLongLong(&ok);
    if (ok) return DbValue(n);
    const auto m = Money::Parse(word);
    if (!m) Fail();
    return DbValue(*m);
  }

  bool Keyword(const char* word) {
    SkipBlanks();
    const QString w = QString::fromLatin1(word);
    if (t_.mid(pos_, w.size()).compare(w, Qt::CaseInsensitive) == 0 &&
        (pos_ + w.size() >= t_.size() || t_[pos_ + w.size()].isSpace())) {
      pos_ += w.size();
      return true;
    }
    return false;
  }

  [[noreturn]] void Fail() const {
    throw DbError(QStringLiteral("Cannot read the criteria \"%1\" at position %2").arg(t_).arg(pos_ + 1));
  }

 private:
  DbValue QuotedText() {
    ++pos_;
    QString out;
    while (pos_ < t_.size()) {
      if (t_[pos_] == QLatin1Char('\'')) {
        if (pos_ + 1 < t_.size() && t_[pos_ + 1] == QLatin1Char('\'')) {
          out += QLatin1Char('\'');
          pos_ += 2;
          continue;
        }
        ++pos_;
        return DbValue(out);
      }
      out += t_[pos_++];
    }
    Fail();
  }

  QString t_;
  int pos_ = 0;
};

template <class T>
int Order(const T& a, const T& b) { return a < b ? -1 : (b < a ? 1 : 0); }

}  // namespace

RowCriteria RowCriteria::Parse(const QString& text, const QStringList& columns) {
  RowCriteria c;
  CriteriaReader r(text);
  if (r.AtEnd()) return c;
  do {
    Term term;
    const QString name = r.Identifier();
    term.column = -1;
    for (int i = 0; i < columns.size(); ++i)
      if (columns[i].compare(name, Qt::CaseInsensitive) == 0) { term.column = i; break; }
    if (term.column < 0) throw DbError(QStringLiteral("The recordset has no column \"%1\"").arg(name));
    const QString op = r.Operator();
    if (op == QLatin1String("=")) term.op = Op::Eq;
    else if (op == QLatin1String("<>") || op == QLatin1String("!=")) term.op = Op::Ne;
    else if (op == QLatin1String("<")) term.op = Op::Lt;
    else if (op == QLatin1String(">")) term.op = Op::Gt;
    else if (op == QLatin1String("<=")) term.op = Op::Le;
    else term.op = Op::Ge;
    term.value = r.Value();
    c.terms_.push_back(term);
  } while (r.Keyword("and"));
  if (!r.AtEnd()) r.Fail();
  return c;
}

bool RowCriteria::Test(const DbValue& field, Op op, const DbValue& value) {
  if (value.IsNull() || field.IsNull()) {
    const bool same = value.IsNull() == field.IsNull();
    return op == Op::Eq ? same : (op == Op::Ne ? !same : false);
  }
  int cmp = 0;
  if (value.IsText()) {
    // Texts compare by the one key rule, as the databases compare key columns.
    cmp = field.IsDate() ? Order(field.ToDate(), value.ToDate()) : TextKey::Compare(field.ToString(), value.ToString());
  } else if (field.IsInteger() && value.IsInteger()) {
    cmp = Order(field.ToInt(), value.ToInt());
  } else {
    cmp = Order(field.ToMoney(), value.ToMoney());
  }
  switch (op) {
    case Op::Eq: return cmp == 0;
    case Op::Ne: return cmp != 0;
    case Op::Lt: return cmp < 0;
    case Op::Gt: return cmp > 0;
    case Op::Le: return cmp <= 0;
    case Op::Ge: return cmp >= 0;
  }
  return false;
}

bool RowCriteria::Matches(const std::vector<DbValue>& row) const {
  for (const Term& t : terms_)
    if (!Test(row[t.column], t.op, t.value)) return false;
  return true;
}

}  // namespace corvane::platform
