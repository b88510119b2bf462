#include "platform/db/db_value.h"

#include "platform/db/db_error.h"

#include <cmath>
#include <optional>

namespace corvane::platform {

namespace {

template <class... Ts>
struct Overloaded : Ts... { using Ts::operator()...; };
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// "yyyy?mm?dd…" in plain digits at the start: read in place, since every loaded
// line of a list has dates (the same result as the general reading below).
std::optional<QDate> PlainDateText(const QString& text) {
  if (text.size() < 10) return std::nullopt;
  const QChar sep = text[4];
  if ((sep != QLatin1Char('-') && sep != QLatin1Char('.') && sep != QLatin1Char('/')) || text[7] != sep) return std::nullopt;
  int n[8];
  int k = 0;
  for (int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    const char16_t c = text[i].unicode();
    if (c < u'0' || c > u'9') return std::nullopt;
    n[k++] = c - u'0';
  }
  return QDate(n[0] * 1000 + n[1] * 100 + n[2] * 10 + n[3], n[4] * 10 + n[5], n[6] * 10 + n[7]);
}

QDate ParseDateText(const QString& text) {
  if (const auto plain = PlainDateText(text)) return *plain;
  const QString t = text.trimmed().left(10);
  if (t.size() != 10) return {};
  const QChar sep = t[4];
  if (sep != QLatin1Char('-') && sep != QLatin1Char('.') && sep != QLatin1Char('/')) return {};
  if (t[7] != sep) return {};
  bool okY = false, okM = false, okD = false;
  const int y = t.left(4).toInt(&okY);
  const int m = t.mid(5, 2).toInt(&okM);
  const int d = t.mid(8, 2).toInt(&okD);
  if (!okY || !okM || !okD) return {};
  return QDate(y, m, d);
}

}  // namespace

bool DbValue::IsNullOrBlank() const {
  if (IsNull()) return true;
  if (const auto* s = std::get_if<QString>(&v_)) return s->trimmed().isEmpty();
  return false;
}

std::int64_t DbValue::ToInt() const {
  return std::visit(Overloaded{
      [](std::monostate) -> std::int64_t { return 0; },
      [](std::int64_t v) -> std::int64_t { return v; },
      [](double v) -> std::int64_t { return static_cast<std::int64_t>(std::llround(v)); },
      [](Money v) -> std::int64_t { return v.Raw() / Money::kScale; },
      [](const QString& v) -> std::int64_t {
        bool ok = false;
        const qlonglong n = v.trimmed().toLongLong(&ok);
        if (ok) return n;
        const double d = v.trimmed().toDouble(&ok);
        return ok ? static_cast<std::int64_t>(std::llround(d)) : 0;
      },
      [](const QDate&) -> std::int64_t { return 0; }}, v_);
}

double DbValue::ToDouble() const {
  return std::visit(Overloaded{
      [](std::monostate) { return 0.0; },
      [](std::int64_t v) { return static_cast<double>(v); },
      [](double v) { return v; },
      [](Money v) { return v.ToDouble(); },
      [](const QString& v) { bool ok = false; const double d = v.trimmed().toDouble(&ok); return ok ? d : 0.0; },
      [](const QDate&) { return 0.0; }}, v_);
}

Money DbValue::ToMoney() const {
  return std::visit(Overloaded{
      [](std::monostate) { return Money(); },
      [this](std::int64_t v) {
        if (tenThousandths_) return Money::FromRaw(v);
        std::int64_t raw = 0;
        if (__builtin_mul_overflow(v, Money::kScale, &raw)) ThrowMoneyOutOfRange(QString::number(v));
        return Money::FromRaw(raw);
      },
      [](double v) { return Money::FromDouble(v); },
      [](Money v) { return v; },
      [](const QString& v) {
        // A text that is no amount must not read as 0.
        const std::optional<Money> m = Money::Parse(v);
        if (!m) throw DbError(QStringLiteral("The text \"%1\" is no amount").arg(v));
        return *m;
      },
      [](const QDate&) { return Money(); }}, v_);
}

QString DbValue::ToString() const {
  return std::visit(Overloaded{
      [](std::monostate) { return QString(); },
      [](std::int64_t v) { return QString::number(v); },
      [](double v) { return QString::number(v, 'g', 17); },
      [](Money v) {
        // Trailing zeros of the fraction are dropped: 12.5000 reads "12.5", 3.0000 "3".
        QString s = v.ToPlainText();
        while (s.endsWith(QLatin1Char('0'))) s.chop(1);
        if (s.endsWith(QLatin1Char('.'))) s.chop(1);
        return s;
      },
      [](const QString& v) { return v; },
      [](const QDate& v) { return v.toString(QStringLiteral("yyyy-MM-dd")); }}, v_);
}

QDate DbValue::ToDate() const {
  if (const auto* d = std::get_if<QDate>(&v_)) return *d;
  if (const auto* s = std::get_if<QString>(&v_)) return ParseDateText(*s);
  return {};
}

}  // namespace corvane::platform
