#pragma once

#include <QString>
#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>

namespace corvane::platform {

// Throws DbError: an amount outside what Money holds (a sum that overflows, a
// stored amount too large to read). Never a wrapped or zero amount instead.
[[noreturn]] void ThrowMoneyOutOfRange(const QString& what);
// The text of that refusal.
QString MoneyOutOfRangeText(const QString& what);

// An amount of money as a whole count of ten-thousandths, so that sums of journal
// and statement lines are exact to the cent however many lines are added. The
// range is ±922,337,203,685,477.5807 (the 64-bit count); arithmetic that leaves
// it throws DbError.
class Money {
 public:
  static constexpr std::int64_t kScale = 10000;

  constexpr Money() = default;
  static constexpr Money FromRaw(std::int64_t tenThousandths) { Money m; m.raw_ = tenThousandths; return m; }
  static constexpr Money FromCents(std::int64_t cents) {
    std::int64_t r = 0;
    if (__builtin_mul_overflow(cents, std::int64_t{100}, &r)) ThrowMoneyOutOfRange(QStringLiteral("cents"));
    return FromRaw(r);
  }
  // The largest amount there is; its negative is the smallest.
  static constexpr Money Max() { return FromRaw(std::numeric_limits<std::int64_t>::max()); }
  // The largest amount one line may carry, 9,999,999,999.99: the sums and running
  // balances of an account stay within Max() over 92,000 lines at that amount, so
  // amounts beyond it are refused where they are entered.
  static constexpr Money LineMax() { return FromRaw(99'999'999'999'900); }
  // Rounded half away from zero to four decimals; throws DbError out of range.
  static Money FromDouble(double value);
  // The forms the system writes and a user types: plain "1234.5", "-12", "+.5",
  // or display "#,0.00" ("-1,234.50", commas only between correct groups of three),
  // blanks around it ignored; more than four decimals round half away from zero.
  // Anything else ("1.234,56", "12,34", "abc12.3.4x", an amount out of range) gives nothing.
  static std::optional<Money> Parse(const QString& text);

  constexpr std::int64_t Raw() const { return raw_; }
  double ToDouble() const { return static_cast<double>(raw_) / kScale; }
  constexpr bool IsZero() const { return raw_ == 0; }
  // Rounded half away from zero to two decimals, as opening balances are kept.
  Money RoundedToCents() const;

  // "#,0.00": thousands separators, two decimals, a leading minus.
  QString ToDisplayText() const;
  // "1234.5000" style text without separators, exact; what SQL receives.
  QString ToPlainText() const;

  constexpr Money operator+(Money o) const {
    std::int64_t r = 0;
    if (__builtin_add_overflow(raw_, o.raw_, &r)) ThrowMoneyOutOfRange(QStringLiteral("sum"));
    return FromRaw(r);
  }
  constexpr Money operator-(Money o) const {
    std::int64_t r = 0;
    if (__builtin_sub_overflow(raw_, o.raw_, &r)) ThrowMoneyOutOfRange(QStringLiteral("difference"));
    return FromRaw(r);
  }
  constexpr Money operator-() const { return Money() - *this; }
  Money& operator+=(Money o) { return *this = *this + o; }
  Money& operator-=(Money o) { return *this = *this - o; }
  constexpr auto operator<=>(const Money&) const = default;

 private:
  std::int64_t raw_ = 0;
};

// For test failure messages and logs.
inline std::ostream& operator<<(std::ostream& os, const Money& m) { return os << m.ToPlainText().toStdString(); }

// Two amounts agree for reconciliation when they differ by less than one cent.
bool AmountsAgree(Money a, Money b);
// Exact equality, for the places where a cent of difference must count.
bool AmountsExactlyEqual(Money a, Money b);

}  // namespace corvane::platform
