#include "suite/import/csv_statement.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>

namespace corvane::suite {

using platform::ImportLine;
using platform::Money;

namespace {

QStringList SplitLine(const QString& line, QChar delimiter) {
  QStringList fields;
  QString field;
  bool quoted = false;
  for (int i = 0; i < line.size(); ++i) {
    const QChar ch = line[i];
    if (quoted) {
      if (ch == QLatin1Char('"')) {
        if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
          field += ch;
          ++i;
        } else {
          quoted = false;
        }
      } else {
        field += ch;
      }
    } else if (ch == QLatin1Char('"')) {
      quoted = true;
    } else if (ch == delimiter) {
      fields << field.trimmed();
      field.clear();
    } else {
      field += ch;
    }
  }
  fields << field.trimmed();
  return fields;
}

int FindColumn(const QStringList& header, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    const QString n = QString::fromUtf8(name);
    for (int c = 0; c < header.size(); ++c)
      if (header[c].compare(n, Qt::CaseInsensitive) == 0) return c;
  }
  for (const char* name : names) {
    const QString n = QString::fromUtf8(name);
    for (int c = 0; c < header.size(); ++c)
      if (header[c].contains(n, Qt::CaseInsensitive)) return c;
  }
  return -1;
}

// "1,234.50", "(12.00)", "-12", "¥1,234.50": the amount; empty text gives nothing.
std::optional<Money> ReadAmount(QString s) {
  s = s.trimmed();
  if (s.isEmpty()) return std::nullopt;
  bool negative = false;
  if (s.startsWith(QLatin1Char('(')) && s.endsWith(QLatin1Char(')'))) {
    negative = true;
    s = s.mid(1, s.size() - 2);
  }
  // Currency signs and blanks around the digits do not count; group commas neither.
  QString digits;
  digits.reserve(s.size());
  for (QChar ch : s)
    if (ch.isDigit() || ch == QLatin1Char('.') || ch == QLatin1Char('+') || ch == QLatin1Char('-')) digits += ch;
  auto m = Money::Parse(digits);
  if (m && negative) m = -*m;
  return m;
}

std::optional<int> ReadDirection(const QString& s) {
  const QString t = s.trimmed().toLower();
  if (t.isEmpty()) return std::nullopt;
  for (const char* d : {"借", "支出", "debit", "dr", "d", "dbit", "out"})
    if (t == QString::fromUtf8(d)) return 1;
  for (const char* c : {"贷", "收入", "credit", "cr", "c", "crdt", "in"})
    if (t == QString::fromUtf8(c)) return 0;
  return std::nullopt;
}

}  // namespace

CsvTable ReadCsv(const QString& text) {
  CsvTable t;
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& l : lines)
    if (l.endsWith(QLatin1Char('\r'))) l.chop(1);
  while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
  if (lines.isEmpty()) return t;
  const QString& first = lines.first();
  const QChar candidates[] = {QLatin1Char('\t'), QLatin1Char(';'), QLatin1Char(',')};
  int best = -1;
  for (QChar c : candidates) {
    const int n = static_cast<int>(first.count(c));
    if (n > best) {
      best = n;
      t.delimiter = c;
    }
  }
  t.header = SplitLine(first, t.delimiter);
  t.rows.reserve(static_cast<size_t>(lines.size()));
  for (int i = 1; i < lines.size(); ++i) t.rows.push_back(SplitLine(lines[i], t.delimiter));
  return t;
}

const QStringList& CsvDateFormats() {
  static const QStringList formats{QStringLiteral("yyyy-MM-dd"), QStringLiteral("yyyy/MM/dd"), QStringLiteral("yyyy.MM.dd"),
                                   QStringLiteral("yyyyMMdd"),   QStringLiteral("yyyy-M-d"),   QStringLiteral("yyyy/M/d"),
                                   QStringLiteral("dd/MM/yyyy"), QStringLiteral("MM/dd/yyyy"), QStringLiteral("dd.MM.yyyy")};
  return formats;
}

QString DetectDateFormat(const std::vector<QString>& samples) {
  for (const QString& f : CsvDateFormats()) {
    bool all = true, any = false;
    for (const QString& s : samples) {
      if (s.trimmed().isEmpty()) continue;
      any = true;
      if (!QDate::fromString(s.trimmed(), f).isValid()) {
        all = false;
        break;
      }
    }
    if (all && any) return f;
  }
  return CsvDateFormats().first();
}

CsvMapping GuessCsvMapping(const CsvTable& t) {
  CsvMapping m;
  const QStringList& h = t.header;
  m.date = FindColumn(h, {"日期", "交易日期", "记账日期", "date", "booking date", "posted"});
  m.style = FindColumn(h, {"结算方式", "style", "type"});
  m.number = FindColumn(h, {"票号", "凭证号", "number", "reference", "ref", "cheque"});
  m.debit = FindColumn(h, {"借方金额", "借方", "支出", "debit", "withdrawal"});
  m.credit = FindColumn(h, {"贷方金额", "贷方", "收入", "credit", "deposit"});
  if (m.debit < 0 || m.credit < 0) {
    m.debit = m.credit = -1;
    m.amount = FindColumn(h, {"金额", "amount"});
    m.direction = FindColumn(h, {"方向", "借贷", "direction", "dr/cr"});
  }
  std::vector<QString> samples;
  for (size_t r = 0; r < t.rows.size() && samples.size() < 200; ++r)
    if (m.date >= 0) samples.push_back(t.rows[r].value(m.date));
  m.dateFormat = DetectDateFormat(samples);
  return m;
}

std::vector<ImportLine> ApplyCsvMapping(const CsvTable& t, const CsvMapping& m) {
  std::vector<ImportLine> lines;
  lines.reserve(t.rows.size());
  // Statements repeat their dates: each text is read once.
  QHash<QString, QDate> dates;
  int lineNo = 1;  // the header is line 1
  for (const QStringList& row : t.rows) {
    ++lineNo;
    if (std::all_of(row.begin(), row.end(), [](const QString& f) { return f.isEmpty(); })) continue;
    ImportLine l;
    l.lineNo = lineNo;
    if (m.date >= 0) {
      const QString text = row.value(m.date).trimmed();
      auto it = dates.find(text);
      if (it == dates.end()) it = dates.insert(text, QDate::fromString(text, m.dateFormat));
      l.date = *it;
    }
    if (m.style >= 0) l.settle = row.value(m.style);
    if (m.number >= 0) l.number = row.value(m.number);
    if (m.debit >= 0 || m.credit >= 0) {
      const auto debit = m.debit >= 0 ? ReadAmount(row.value(m.debit)) : std::nullopt;
      const auto credit = m.credit >= 0 ? ReadAmount(row.value(m.credit)) : std::nullopt;
      const bool hasDebit = debit && !debit->IsZero();
      const bool hasCredit = credit && !credit->IsZero();
      // Exactly one side filled gives the direction; both or neither leave it open.
      if (hasDebit != hasCredit) {
        l.bd_c = hasDebit ? 1 : 0;
        l.amount = hasDebit ? *debit : *credit;
      } else if (hasDebit) {
        l.amount = *debit;
      }
    } else if (m.amount >= 0) {
      const auto amount = ReadAmount(row.value(m.amount));
      if (m.direction >= 0) {
        l.bd_c = ReadDirection(row.value(m.direction));
        if (amount) l.amount = *amount;
      } else if (amount && !amount->IsZero()) {
        l.bd_c = *amount < Money() ? 1 : 0;
        l.amount = *amount < Money() ? -*amount : *amount;
      }
    }
    lines.push_back(l);
  }
  return lines;
}

}  // namespace corvane::suite
