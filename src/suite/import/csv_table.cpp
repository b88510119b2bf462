// Splitting a CSV/TSV text into rows (through libcsv) and guessing its layout.
#include "suite/import/csv_columns.h"
#include "suite/import/csv_statement.h"

#include <csv.h>

#include <algorithm>
#include <map>

namespace corvane::suite {

namespace {

// The records of a text with the file line each starts on.
struct Records {
  std::vector<QStringList> fields;
  std::vector<int> lines;
  bool lastLineOpen = false;
  std::vector<LineRefusal> refused;
};

struct Collector {
  QStringList fields;
  std::vector<QStringList>* out = nullptr;
  bool ended = false;
};

void OnField(void* s, size_t len, void* data) {
  auto* c = static_cast<Collector*>(data);
  c->fields << QString::fromUtf8(static_cast<const char*>(s), static_cast<qsizetype>(len)).trimmed();
}

void OnRecord(int, void* data) {
  auto* c = static_cast<Collector*>(data);
  c->out->push_back(std::move(c->fields));
  c->fields = QStringList();
  c->ended = true;
}

int IsBlank(unsigned char ch) { return ch == CSV_SPACE; }

// Feeds the text line by line, so that each record knows the line it starts on;
// a quoted field may run over several lines. A malformed record (a stray quote) is
// refused and the parser starts afresh on the next line; a quoted field still
// open at the end of the text refuses its record too.
Records Parse(const QString& text, QChar delimiter, int maxLines = -1) {
  Records r;
  const QByteArray bytes = text.toUtf8();
  csv_parser p;
  auto start = [&] {
    csv_init(&p, CSV_STRICT | CSV_STRICT_FINI);
    csv_set_delim(&p, static_cast<unsigned char>(delimiter.toLatin1()));
    csv_set_space_func(&p, IsBlank);
  };
  start();
  Collector c;
  c.out = &r.fields;
  int line = 0, recordLine = 0;
  bool pending = false;
  qsizetype from = 0;
  while (from < bytes.size() && (maxLines < 0 || line < maxLines)) {
    qsizetype end = bytes.indexOf('\n', from);
    const bool open = end < 0;
    if (open) end = bytes.size() - 1;
    ++line;
    const char* s = bytes.constData() + from;
    const size_t len = static_cast<size_t>(end - from + 1);
    from = end + 1;
    if (!pending) {
      size_t content = len;
      while (content > 0 && (s[content - 1] == '\n' || s[content - 1] == '\r')) --content;
      if (content == 0) continue;  // a blank line between records
      recordLine = line;
    }
    c.ended = false;
    const size_t before = r.fields.size();
    if (csv_parse(&p, s, len, OnField, OnRecord, &c) != len) {
      r.refused.push_back({recordLine, QStringLiteral("corvane.import.csv.malformed"), {}});
      r.fields.resize(before);
      c.fields.clear();
      csv_free(&p);
      start();
      pending = false;
      continue;
    }
    for (size_t i = before; i < r.fields.size(); ++i) r.lines.push_back(recordLine);
    pending = !c.ended;
  }
  if (maxLines < 0) {
    const size_t before = r.fields.size();
    if (csv_fini(&p, OnField, OnRecord, &c) != 0) {
      r.refused.push_back({recordLine, QStringLiteral("corvane.import.csv.openquote"), {}});
      r.fields.resize(before);
    } else if (r.fields.size() > before) {
      // The last record ended with the text, without a line end.
      r.lines.push_back(recordLine);
      r.lastLineOpen = true;
    }
  }
  csv_free(&p);
  return r;
}

// The delimiter of tab, semicolon and comma that splits most of the first lines
// into the same number (above one) of fields.
QChar GuessDelimiter(const QString& text) {
  const QStringList lines = text.left(16384).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  QChar best = QLatin1Char(',');
  int bestScore = -1;
  for (QChar d : {QLatin1Char('\t'), QLatin1Char(';'), QLatin1Char(',')}) {
    std::map<int, int> counts;  // fields per line -> lines
    for (qsizetype i = 0; i < lines.size() && i < 40; ++i) {
      int n = 1;
      bool quoted = false;
      for (QChar ch : lines[i]) {
        if (ch == QLatin1Char('"')) quoted = !quoted;
        else if (ch == d && !quoted) ++n;
      }
      if (n > 1) ++counts[n];
    }
    int score = 0;
    for (const auto& [fields, n] : counts) score = std::max(score, n * 1000 + fields);
    if (score > bestScore) {
      bestScore = score;
      best = d;
    }
  }
  return best;
}

bool HoldsADate(const QStringList& fields) {
  for (const QString& f : fields)
    for (const QString& format : CsvDateFormats())
      if (ReadCsvDate(f, format).isValid()) return true;
  return false;
}

CsvReadOptions GuessLayout(const Records& r, QChar delimiter) {
  CsvReadOptions o;
  o.delimiter = delimiter;
  const size_t n = std::min<size_t>(r.fields.size(), 50);
  for (size_t i = 0; i < n; ++i) {
    const CsvColumns c = CsvColumnsByName(r.fields[i]);
    if (r.fields[i].size() >= 2 && c.date >= 0 && (c.amount >= 0 || (c.debit >= 0 && c.credit >= 0))) {
      o.hasHeader = true;
      o.firstDataLine = r.lines[i] + 1;
      return o;
    }
  }
  qsizetype widest = 0;
  for (size_t i = 0; i < n; ++i) widest = std::max(widest, r.fields[i].size());
  for (size_t i = 0; i < n; ++i)
    if (r.fields[i].size() == widest && widest > 1 && HoldsADate(r.fields[i])) {
      // A header names its columns: the row above with as many fields, none a date.
      o.hasHeader = i > 0 && r.fields[i - 1].size() == widest && !HoldsADate(r.fields[i - 1]);
      o.firstDataLine = r.lines[i];
      return o;
    }
  o.hasHeader = true;
  o.firstDataLine = r.lines.empty() ? 2 : r.lines[0] + 1;
  return o;
}

}  // namespace

CsvReadOptions GuessCsvReadOptions(const QString& text) {
  const QChar d = GuessDelimiter(text);
  return GuessLayout(Parse(text, d, 200), d);
}

CsvTable ReadCsv(const QString& text, const CsvReadOptions& options) {
  CsvTable t;
  const QChar d = options.delimiter.isNull() ? GuessDelimiter(text) : options.delimiter;
  Records r = Parse(text, d);
  t.options = options;
  t.options.delimiter = d;
  t.delimiter = d;
  if (options.firstDataLine <= 0) {
    const CsvReadOptions g = GuessLayout(r, d);
    t.options.firstDataLine = g.firstDataLine;
    t.options.hasHeader = g.hasHeader;
  }
  t.lastLineOpen = r.lastLineOpen;
  for (const LineRefusal& refusal : r.refused)
    if (refusal.lineNo >= t.options.firstDataLine) t.refused.push_back(refusal);
  size_t first = 0;
  while (first < r.lines.size() && r.lines[first] < t.options.firstDataLine) ++first;
  qsizetype width = 0;
  if (t.options.hasHeader && first > 0) t.header = r.fields[first - 1];
  for (size_t i = first; i < r.fields.size(); ++i) width = std::max(width, r.fields[i].size());
  for (qsizetype c = t.header.size(); c < width; ++c) t.header << QString::number(c + 1);
  const auto split = static_cast<std::ptrdiff_t>(first);
  t.above.assign(r.fields.begin(), r.fields.begin() + split);
  t.aboveLines.assign(r.lines.begin(), r.lines.begin() + split);
  t.rows.assign(std::make_move_iterator(r.fields.begin() + split), std::make_move_iterator(r.fields.end()));
  t.rowLines.assign(r.lines.begin() + split, r.lines.end());
  return t;
}

}  // namespace corvane::suite
