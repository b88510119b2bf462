#pragma once

#include "platform/db/db_value.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace corvane::platform {

// The criteria of RecordsetWrapper::Find and Filter: comparisons "column op value"
// joined by AND, where op is one of = <> != < > <= >= and value is a number, a
// 'quoted text' (a quote doubled inside) or NULL. Text compares without regard
// to letter case or trailing blanks, as the suite's keys do.
class RowCriteria {
 public:
  // Throws DbError on text it cannot read or a column the recordset lacks.
  static RowCriteria Parse(const QString& text, const QStringList& columns);

  bool Matches(const std::vector<DbValue>& row) const;
  bool IsEmpty() const { return terms_.empty(); }

 private:
  enum class Op { Eq, Ne, Lt, Gt, Le, Ge };
  struct Term {
    int column = 0;
    Op op = Op::Eq;
    DbValue value;
  };
  static bool Test(const DbValue& field, Op op, const DbValue& value);
  std::vector<Term> terms_;
};

}  // namespace corvane::platform
