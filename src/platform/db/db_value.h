#pragma once

#include "platform/db/money.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <variant>
#include <vector>

namespace corvane::platform {

// One field value or bound parameter: NULL, a whole number, a floating number,
// money, text or a date (no time part). Conversions do not throw: a value that does
// not convert gives the empty value of the asked type, as a NULL field would. The
// one exception is ToMoney of a number outside Money's range, which throws DbError
// rather than give a wrapped or zero amount.
class DbValue {
 public:
  using Storage = std::variant<std::monostate, std::int64_t, double, Money, QString, QDate>;

  DbValue() = default;
  DbValue(std::nullptr_t) {}
  DbValue(int v) : v_(static_cast<std::int64_t>(v)) {}
  DbValue(unsigned v) : v_(static_cast<std::int64_t>(v)) {}
  DbValue(long v) : v_(static_cast<std::int64_t>(v)) {}
  DbValue(long long v) : v_(static_cast<std::int64_t>(v)) {}
  DbValue(bool v) : v_(static_cast<std::int64_t>(v ? 1 : 0)) {}
  DbValue(double v) : v_(v) {}
  DbValue(Money v) : v_(v) {}
  DbValue(const QString& v) : v_(v) {}
  DbValue(QString&& v) : v_(std::move(v)) {}
  DbValue(const char* v) : v_(QString::fromUtf8(v)) {}
  // An invalid QDate is NULL, so "no date" reaches SQL as NULL.
  DbValue(const QDate& v) { if (v.isValid()) v_ = v; }

  // A whole number an engine computed (a column of no declared type, such as
  // sum(md) or coalesce(md, 0)) on an engine that keeps money as a count of
  // ten-thousandths: ToInt and ToString give the number as it is, ToMoney reads it
  // as ten-thousandths. So sums of money read through ToMoney are the same amount
  // on every engine, and counts read through ToInt stay counts.
  static DbValue ComputedInteger(std::int64_t v) { DbValue d(static_cast<long long>(v)); d.tenThousandths_ = true; return d; }

  bool IsNull() const { return std::holds_alternative<std::monostate>(v_); }
  // NULL or text that is empty after trimming.
  bool IsNullOrBlank() const;
  bool IsText() const { return std::holds_alternative<QString>(v_); }
  bool IsDate() const { return std::holds_alternative<QDate>(v_); }
  bool IsMoney() const { return std::holds_alternative<Money>(v_); }
  bool IsInteger() const { return std::holds_alternative<std::int64_t>(v_); }
  bool IsDouble() const { return std::holds_alternative<double>(v_); }

  std::int64_t ToInt() const;
  double ToDouble() const;
  Money ToMoney() const;
  QString ToString() const;
  // Date values, and texts "yyyy-mm-dd", "yyyy.mm.dd", "yyyy/mm/dd" (a time part is ignored).
  QDate ToDate() const;
  bool ToBool() const { return ToInt() != 0; }

  const Storage& Raw() const { return v_; }
  bool operator==(const DbValue& o) const { return v_ == o.v_; }

 private:
  Storage v_;
  bool tenThousandths_ = false;  // see ComputedInteger
};

using DbParams = std::vector<DbValue>;

}  // namespace corvane::platform
