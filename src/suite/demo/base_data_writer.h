#pragma once

#include "platform/db/db_connection.h"
#include "suite/demo/generated_counts.h"

namespace corvane::suite {

// The account set's fixed data that the functions check for before they open:
// the calendar of the demo year (periods are its months), settlement styles,
// voucher types, print formats and the suite options. Rows already there are
// kept as they are, so demo and benchmark data can share one database.
class BaseDataWriter {
 public:
  explicit BaseDataWriter(platform::DbConnection& connection) : connection_(connection) {}
  void Write(GeneratedCounts& counts);

 private:
  void WriteCalendar();
  void WriteSettleStyles();
  void WriteVoucherTypes();
  void WritePrintFormats();
  void WriteOptions();
  long long CountRows(const QString& table);

  platform::DbConnection& connection_;
};

}  // namespace corvane::suite
