#include "platform/controls/grid_model_columns.h"

#include <algorithm>
#include <cstring>

namespace corvane::platform {

namespace {

// Lengths below 0x8000 take one unit before the text, longer ones two.
constexpr char16_t kLongLength = 0x8000;

// The days a date column keeps as values: those with a four-digit year.
const qint64 kFirstDay = QDate(1, 1, 1).toJulianDay();
const qint64 kLastDay = QDate(9999, 12, 31).toJulianDay();

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// The date of a text written exactly as GridDateText writes it, else nothing.
std::optional<QDate> CanonicalDate(const QString& text, char separator) {
  if (text.size() != 10 || text[4] != QLatin1Char(separator) || text[7] != QLatin1Char(separator)) return std::nullopt;
  int digits[8];
  int n = 0;
  for (int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (!IsDigit(text[i])) return std::nullopt;
    digits[n++] = text[i].unicode() - u'0';
  }
  const QDate d(digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3], digits[4] * 10 + digits[5],
                digits[6] * 10 + digits[7]);
  if (!d.isValid() || d.toJulianDay() < kFirstDay) return std::nullopt;
  return d;
}

// The amount of a text written exactly as Money::ToDisplayText writes it, else nothing.
std::optional<Money> CanonicalAmount(const QString& text) {
  const std::optional<Money> m = Money::Parse(text);
  if (!m || m->ToDisplayText() != text) return std::nullopt;
  return m;
}

}  // namespace

QString GridDateText(const QDate& d, char separator) {
  if (d.toJulianDay() < kFirstDay || d.toJulianDay() > kLastDay) return d.toString(Qt::ISODate);
  char buf[10];
  int y = 0, m = 0, day = 0;
  d.getDate(&y, &m, &day);
  buf[0] = static_cast<char>('0' + y / 1000 % 10);
  buf[1] = static_cast<char>('0' + y / 100 % 10);
  buf[2] = static_cast<char>('0' + y / 10 % 10);
  buf[3] = static_cast<char>('0' + y % 10);
  buf[4] = separator;
  buf[5] = static_cast<char>('0' + m / 10);
  buf[6] = static_cast<char>('0' + m % 10);
  buf[7] = separator;
  buf[8] = static_cast<char>('0' + day / 10);
  buf[9] = static_cast<char>('0' + day % 10);
  return QString::fromLatin1(buf, 10);
}

// --- GridTextStore -----------------------------------------------------------

quint32 GridTextStore::Find(const QString& text, size_t& slot) const {
  const qsizetype n = text.size();
  const QChar* p = text.constData();
  // Eight bytes at a time, each mixed in by a multiply and a fold.
  const auto* bytes = reinterpret_cast<const unsigned char*>(p);
  const size_t size = static_cast<size_t>(n) * 2;
  quint64 h = size * 0x9E3779B97F4A7C15ull;
  for (size_t i = 0; i < size; i += 8) {
    quint64 word = 0;
    std::memcpy(&word, bytes + i, std::min<size_t>(8, size - i));
    h = (h ^ word) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 32;
  }
  for (slot = (h ^ (h >> 29)) & (kSlots - 1);; slot = (slot + 1) & (kSlots - 1)) {
    const quint16 code = slots_[slot];
    if (code == 0) return 0;
    const QString& s = shared_[code - 1u];
    // A cell given the table's own string again is found without reading its characters.
    if (s.size() == n && (s.constData() == p || std::memcmp(s.constData(), p, static_cast<size_t>(n) * 2) == 0)) return code;
  }
}

quint32 GridTextStore::Add(const QString& text) {
  if (text.isEmpty()) return 0;
  if (interning_) {
    // Columns of one repeated string (a mark, a direction) hand the same characters row after row.
    if (last_ != 0 && shared_[last_ - 1].constData() == text.constData() && shared_[last_ - 1].size() == text.size()) {
      ++hits_;
      return last_;
    }
    if (slots_.empty()) slots_.assign(kSlots, 0);
    size_t slot = 0;
    if (const quint32 code = Find(text, slot)) {
      ++hits_;
      return last_ = code;
    }
    if (static_cast<int>(shared_.size()) < kMaxShared) {
      shared_.push_back(text);
      const auto code = static_cast<quint32>(shared_.size());
      slots_[slot] = static_cast<quint16>(code);
      return last_ = code;
    }
    // A full table that hardly ever matches only costs lookups: stop looking.
    if (++misses_ > kMaxShared + 8 * hits_) {
      interning_ = false;
      std::vector<quint16>().swap(slots_);
    }
  }
  const auto offset = static_cast<quint32>(pool_.size());
  const auto length = static_cast<quint32>(text.size());
  if (length < kLongLength) {
    pool_.push_back(static_cast<char16_t>(length));
  } else {
    pool_.push_back(static_cast<char16_t>(kLongLength | (length >> 16)));
    pool_.push_back(static_cast<char16_t>(length & 0xFFFF));
  }
  const auto* chars = reinterpret_cast<const char16_t*>(text.constData());
  pool_.insert(pool_.end(), chars, chars + length);
  return kPooled | offset;
}

namespace {

// Where a pooled text's characters start, and how many there are.
std::pair<size_t, size_t> PooledSpan(const std::vector<char16_t>& pool, quint32 code) {
  size_t at = code & ~GridTextStore::kPooled;
  size_t length = pool[at++];
  if (length & kLongLength) length = ((length & ~size_t{kLongLength}) << 16) | pool[at++];
  return {at, length};
}

}  // namespace

QString GridTextStore::Get(quint32 code) const {
  if (code == 0) return QString();
  if (!(code & kPooled)) return shared_[code - 1];
  const auto [at, length] = PooledSpan(pool_, code);
  return QString(reinterpret_cast<const QChar*>(pool_.data() + at), static_cast<qsizetype>(length));
}

void GridTextStore::Drop(quint32 code) {
  if (!(code & kPooled)) return;
  const auto [at, length] = PooledSpan(pool_, code);
  garbage_ += at - (code & ~kPooled) + length;
}

bool GridTextStore::WantsCompaction() const { return garbage_ > (1u << 16) && garbage_ * 2 > pool_.size(); }

void GridTextStore::BeginCompact() {
  old_.swap(pool_);
  pool_.clear();
  pool_.reserve(old_.size() - garbage_);
}

quint32 GridTextStore::Keep(quint32 code) {
  if (!(code & kPooled)) return code;
  const auto [at, length] = PooledSpan(old_, code);
  const auto offset = static_cast<quint32>(pool_.size());
  pool_.insert(pool_.end(), old_.begin() + static_cast<std::ptrdiff_t>(code & ~kPooled),
               old_.begin() + static_cast<std::ptrdiff_t>(at + length));
  return kPooled | offset;
}

void GridTextStore::EndCompact() {
  std::vector<char16_t>().swap(old_);
  garbage_ = 0;
}

void GridTextStore::Clear() { *this = GridTextStore(); }

void GridTextStore::Squeeze() {
  pool_.shrink_to_fit();
  shared_.shrink_to_fit();
}

// --- GridCodes ---------------------------------------------------------------

void GridCodes::Widen(size_t i, quint32 code) {
  words_.assign(bytes_.begin(), bytes_.end());
  std::vector<quint8>().swap(bytes_);
  wide_ = true;
  words_[i] = code;
}

void GridCodes::Resize(size_t n) {
  if (wide_) n == words_.size() + 1 ? words_.push_back(0) : words_.resize(n, 0);
  else n == bytes_.size() + 1 ? bytes_.push_back(0) : bytes_.resize(n, 0);
}

void GridCodes::Erase(size_t first, size_t count) {
  const auto erase = [&](auto& v) {
    v.erase(v.begin() + static_cast<std::ptrdiff_t>(first), v.begin() + static_cast<std::ptrdiff_t>(first + count));
  };
  if (wide_) erase(words_);
  else erase(bytes_);
}

void GridCodes::Squeeze() {
  bytes_.shrink_to_fit();
  words_.shrink_to_fit();
}

// --- GridColumns::Column -----------------------------------------------------

quint32 GridColumns::Column::TextCode(size_t row) const {
  switch (type.kind) {
    case CellKind::Text: return codes[row];
    case CellKind::Date: return asText[row] ? codes[row] : 0;
    case CellKind::Amount: return asText[row] ? static_cast<quint32>(amounts[row]) : 0;
  }
  return 0;
}

void GridColumns::Column::PutText(size_t row, quint32 code) {
  if (type.kind == CellKind::Amount) amounts[row] = code;
  else codes.Set(row, code);
  if (type.kind != CellKind::Text) asText[row] = true;
}

void GridColumns::Column::Release(size_t row) {
  if (const quint32 code = TextCode(row)) texts.Drop(code);
}

void GridColumns::Column::Resize(size_t rows) {
  const size_t have = std::max(codes.size(), amounts.size());
  for (size_t r = rows; r < have; ++r) Release(r);
  if (type.kind == CellKind::Amount) rows == have + 1 ? amounts.push_back(0) : amounts.resize(rows, 0);
  else codes.Resize(rows);
  if (type.kind != CellKind::Text) rows == have + 1 ? asText.push_back(true) : asText.resize(rows, true);
}

void GridColumns::Column::Compact() {
  texts.BeginCompact();
  const size_t rows = std::max(codes.size(), amounts.size());
  for (size_t r = 0; r < rows; ++r) {
    if (const quint32 code = TextCode(r)) PutText(r, texts.Keep(code));
  }
  texts.EndCompact();
}

// --- GridColumns -------------------------------------------------------------

void GridColumns::SetColCount(int cols) {
  cols_.resize(static_cast<size_t>(std::max(cols, 0)));
  for (Column& c : cols_) c.Resize(static_cast<size_t>(rows_));
}

CellType GridColumns::ColType(int col) const {
  return col >= 0 && col < ColCount() ? cols_[static_cast<size_t>(col)].type : CellType();
}

void GridColumns::SetColType(int col, CellType type) {
  if (col < 0 || col >= ColCount()) return;
  Column& old = cols_[static_cast<size_t>(col)];
  if (old.type.kind == type.kind && old.type.dateSeparator == type.dateSeparator) return;
  std::vector<QString> texts;
  texts.reserve(static_cast<size_t>(rows_));
  for (int r = 0; r < rows_; ++r) texts.push_back(Text(r, col));
  old = Column();
  old.type = type;
  old.Resize(static_cast<size_t>(rows_));
  for (int r = 0; r < rows_; ++r) SetText(r, col, texts[static_cast<size_t>(r)]);
}

void GridColumns::SetRowCount(int rows) {
  rows_ = std::max(rows, 0);
  for (Column& c : cols_) {
    c.Resize(static_cast<size_t>(rows_));
    if (rows_ == 0) c.texts.Clear();
  }
}

int GridColumns::AppendRow() {
  for (Column& c : cols_) c.Resize(static_cast<size_t>(rows_) + 1);
  return rows_++;
}

void GridColumns::EraseRows(int first, int count) {
  first = std::max(first, 0);
  count = std::min(count, rows_ - first);
  if (count <= 0) return;
  for (Column& c : cols_) {
    for (int r = first; r < first + count; ++r) c.Release(static_cast<size_t>(r));
    const auto erase = [&](auto& v) {
      if (!v.empty()) v.erase(v.begin() + first, v.begin() + first + count);
    };
    if (c.codes.size() > 0) c.codes.Erase(static_cast<size_t>(first), static_cast<size_t>(count));
    erase(c.amounts);
    erase(c.asText);
    if (c.texts.WantsCompaction()) c.Compact();
  }
  rows_ -= count;
}

QString GridColumns::Text(int row, int col) const {
  if (!IsCell(row, col)) return QString();
  const Column& c = cols_[static_cast<size_t>(col)];
  const auto r = static_cast<size_t>(row);
  switch (c.type.kind) {
    case CellKind::Text:
      break;
    case CellKind::Date:
      if (!c.asText[r]) return GridDateText(QDate::fromJulianDay(c.codes[r]), c.type.dateSeparator);
      break;
    case CellKind::Amount:
      if (!c.asText[r]) return Money::FromRaw(c.amounts[r]).ToDisplayText();
      break;
  }
  return c.texts.Get(c.TextCode(r));
}

void GridColumns::SetText(int row, int col, const QString& text) {
  if (!IsCell(row, col)) return;
  Column& c = cols_[static_cast<size_t>(col)];
  const auto r = static_cast<size_t>(row);
  if (c.type.kind == CellKind::Text) {
    const quint32 old = c.codes[r];
    if (old == 0 && text.isEmpty()) return;
    c.texts.Drop(old);
    c.codes.Set(r, c.texts.Add(text));
    // Only a pooled text given up leaves room to reclaim.
    if ((old & GridTextStore::kPooled) && c.texts.WantsCompaction()) c.Compact();
    return;
  }
  c.Release(r);
  if (c.type.kind == CellKind::Date) {
    if (const auto d = CanonicalDate(text, c.type.dateSeparator)) {
      c.codes.Set(r, static_cast<quint32>(d->toJulianDay()));
      c.asText[r] = false;
      return;
    }
  } else if (c.type.kind == CellKind::Amount) {
    if (const auto m = CanonicalAmount(text)) {
      c.amounts[r] = m->Raw();
      c.asText[r] = false;
      return;
    }
  }
  c.PutText(r, c.texts.Add(text));
  if (c.texts.WantsCompaction()) c.Compact();
}

void GridColumns::SetNewText(int row, int col, const QString& text) {
  if (!IsCell(row, col)) return;
  Column& c = cols_[static_cast<size_t>(col)];
  if (c.type.kind != CellKind::Text) return SetText(row, col, text);
  if (const quint32 code = c.texts.Add(text)) c.codes.Set(static_cast<size_t>(row), code);
}

void GridColumns::SetDate(int row, int col, const QDate& date) {
  if (!IsCell(row, col)) return;
  Column& c = cols_[static_cast<size_t>(col)];
  if (c.type.kind == CellKind::Date && date.toJulianDay() >= kFirstDay && date.toJulianDay() <= kLastDay) {
    c.Release(static_cast<size_t>(row));
    c.codes.Set(static_cast<size_t>(row), static_cast<quint32>(date.toJulianDay()));
    c.asText[static_cast<size_t>(row)] = false;
    return;
  }
  SetText(row, col, date.isValid() ? GridDateText(date, c.type.dateSeparator) : QString());
}

void GridColumns::SetAmount(int row, int col, Money amount) {
  if (!IsCell(row, col)) return;
  Column& c = cols_[static_cast<size_t>(col)];
  if (c.type.kind != CellKind::Amount) return SetText(row, col, amount.ToDisplayText());
  c.Release(static_cast<size_t>(row));
  c.amounts[static_cast<size_t>(row)] = amount.Raw();
  c.asText[static_cast<size_t>(row)] = false;
}

std::optional<QDate> GridColumns::Date(int row, int col) const {
  if (!IsCell(row, col)) return std::nullopt;
  const Column& c = cols_[static_cast<size_t>(col)];
  if (c.type.kind != CellKind::Date || c.asText[static_cast<size_t>(row)]) return std::nullopt;
  return QDate::fromJulianDay(c.codes[static_cast<size_t>(row)]);
}

std::optional<Money> GridColumns::Amount(int row, int col) const {
  if (!IsCell(row, col)) return std::nullopt;
  const Column& c = cols_[static_cast<size_t>(col)];
  if (c.type.kind != CellKind::Amount || c.asText[static_cast<size_t>(row)]) return std::nullopt;
  return Money::FromRaw(c.amounts[static_cast<size_t>(row)]);
}

void GridColumns::Squeeze() {
  for (Column& c : cols_) {
    c.codes.Squeeze();
    c.amounts.shrink_to_fit();
    c.asText.shrink_to_fit();
    c.texts.Squeeze();
  }
}

}  // namespace corvane::platform
