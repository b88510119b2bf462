#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <ostream>

namespace corvane::platform {

// An amount of money as a whole count of ten-thousandths, so that sums of journal
// and statement lines are exact to the cent however many lines are added.
class Money {
 public:
  static constexpr std::int64_t kScale = 10000;

  constexpr Money() = default;
  static constexpr Money FromRaw(std::int64_t tenThousandths) { Money m; m.raw_ = tenThousandths; return m; }
  static constexpr Money FromCents(std::int64_t cents) { return FromRaw(cents * 100); }
  // Rounded half away from zero to four decimals.
  static Money FromDouble(double value);
  // Plain or display text: "1234.5", "-1,234.50", " 12 ". Empty or malformed text gives nothing.
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

  constexpr Money operator+(Money o) const { return FromRaw(raw_ + o.raw_); }
  constexpr Money operator-(Money o) const { return FromRaw(raw_ - o.raw_); }
  constexpr Money operator-() const { return FromRaw(-raw_); }
  Money& operator+=(Money o) { raw_ += o.raw_; return *this; }
  Money& operator-=(Money o) { raw_ -= o.raw_; return *this; }
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
