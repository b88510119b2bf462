#include "suite/db/pg_array_param.h"

#include <QDate>
#include <cstdint>
#include <limits>

namespace corvane::suite {

namespace {

using platform::DbValue;

// Element and array types of the server's catalogue, and how an element is written.
enum class Form { Whole, Numeric, Date };
struct ElementType {
  const char* baseType;
  std::uint32_t element;
  std::uint32_t array;
  Form form;
  int bytes;  // of a whole number
};
constexpr ElementType kTypes[] = {{"smallint", 21, 1005, Form::Whole, 2},
                                  {"integer", 23, 1007, Form::Whole, 4},
                                  {"bigint", 20, 1016, Form::Whole, 8},
                                  {"numeric", 1700, 1231, Form::Numeric, 0},
                                  {"date", 1082, 1182, Form::Date, 4}};

// The server's dates count days from 2000-01-01.
constexpr std::int64_t kPostgresEpochJulianDay = 2451545;

void Put16(QByteArray& out, std::uint16_t v) {
  out.append(static_cast<char>(v >> 8)).append(static_cast<char>(v));
}
void Put32(QByteArray& out, std::uint32_t v) {
  Put16(out, static_cast<std::uint16_t>(v >> 16));
  Put16(out, static_cast<std::uint16_t>(v));
}
void Put64(QByteArray& out, std::uint64_t v) {
  Put32(out, static_cast<std::uint32_t>(v >> 32));
  Put32(out, static_cast<std::uint32_t>(v));
}

// A whole number of the given width, or false when it does not fit (the text
// form then lets the server say so, as a row-by-row write would).
bool PutWhole(QByteArray& out, std::int64_t v, int bytes) {
  const std::int64_t limit = bytes == 8 ? std::numeric_limits<std::int64_t>::max() : (std::int64_t{1} << (8 * bytes - 1)) - 1;
  if (bytes < 8 && (v > limit || v < -limit - 1)) return false;
  Put32(out, static_cast<std::uint32_t>(bytes));
  if (bytes == 2) Put16(out, static_cast<std::uint16_t>(v));
  else if (bytes == 4) Put32(out, static_cast<std::uint32_t>(v));
  else Put64(out, static_cast<std::uint64_t>(v));
  return true;
}

// An amount of ten-thousandths as the server's numeric: base-10000 digits, the
// weight of the first, the sign and four decimals shown. The fraction is exactly
// one such digit.
void PutNumeric(QByteArray& out, std::int64_t raw) {
  const bool negative = raw < 0;
  std::uint64_t rest = negative ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
  std::uint16_t digits[6];  // at most five whole digits of 10000 and the fraction
  int n = 0;
  const auto fraction = static_cast<std::uint16_t>(rest % 10000);
  rest /= 10000;
  std::uint16_t whole[5];
  int wholeDigits = 0;
  for (; rest > 0; rest /= 10000) whole[wholeDigits++] = static_cast<std::uint16_t>(rest % 10000);
  for (int i = wholeDigits - 1; i >= 0; --i) digits[n++] = whole[i];
  digits[n++] = fraction;
  int first = 0;
  while (first < n && digits[first] == 0) ++first;  // leading zero digits move the weight
  while (n > first && digits[n - 1] == 0) --n;       // trailing ones say nothing
  const int weight = wholeDigits - 1 - first;
  Put32(out, static_cast<std::uint32_t>(8 + 2 * (n - first)));
  Put16(out, static_cast<std::uint16_t>(n - first));
  Put16(out, static_cast<std::uint16_t>(n > first ? weight : 0));
  Put16(out, n > first && negative ? 0x4000 : 0x0000);
  Put16(out, 4);
  for (int i = first; i < n; ++i) Put16(out, digits[i]);
}

bool PutElement(QByteArray& out, const ElementType& type, const DbValue& v) {
  if (v.IsNull()) {
    Put32(out, 0xffffffffu);  // length -1
    return true;
  }
  switch (type.form) {
    case Form::Whole: return v.IsInteger() && PutWhole(out, v.ToInt(), type.bytes);
    case Form::Numeric:
      if (!v.IsMoney()) return false;
      PutNumeric(out, v.ToMoney().Raw());
      return true;
    case Form::Date:
      if (!v.IsDate()) return false;
      Put32(out, 4);
      Put32(out, static_cast<std::uint32_t>(v.ToDate().toJulianDay() - kPostgresEpochJulianDay));
      return true;
  }
  return false;
}

}  // namespace

std::optional<PgArrayParam> BinaryArrayOf(const QString& baseType, const std::vector<platform::DbParams>& rows,
                                          size_t from, size_t to, size_t column) {
  const ElementType* type = nullptr;
  for (const ElementType& t : kTypes)
    if (baseType == QLatin1String(t.baseType)) type = &t;
  if (!type || to <= from) return std::nullopt;
  bool anyNull = false;
  for (size_t r = from; r < to; ++r) anyNull = anyNull || rows[r][column].IsNull();
  PgArrayParam p;
  p.arrayType = type->array;
  p.bytes.reserve(static_cast<qsizetype>(20 + (to - from) * 16));  // header; length and value of each element
  // One dimension, whether it holds NULLs, the element type, its length, from 1.
  Put32(p.bytes, 1);
  Put32(p.bytes, anyNull ? 1 : 0);
  Put32(p.bytes, type->element);
  Put32(p.bytes, static_cast<std::uint32_t>(to - from));
  Put32(p.bytes, 1);
  for (size_t r = from; r < to; ++r)
    if (!PutElement(p.bytes, *type, rows[r][column])) return std::nullopt;
  return p;
}

}  // namespace corvane::suite
