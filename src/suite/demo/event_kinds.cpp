#include "suite/demo/event_kinds.h"

namespace corvane::suite {

const std::vector<EventKind>& EventKinds() {
  // Transfer cheques are presented some days after the enterprise books them;
  // remittances and bank charges reach the statement first.
  static const std::vector<EventKind> kinds = {
      {"收到货款", true, "301", "DH", "1122", 5000, 300000, -3, 2, 20, true, true, true},
      {"收到客户转账支票", true, "202", "ZZ", "1122", 2000, 150000, 0, 3, 10, false, true, false},
      {"支付材料款", false, "202", "ZZ", "2202", 1000, 200000, 1, 8, 20, false, true, false},
      {"电汇支付货款", false, "301", "DH", "2202", 5000, 400000, 0, 1, 10, true, true, false},
      {"提取备用金", false, "201", "XJ", "1001", 1000, 20000, 0, 1, 6, false, true, false},
      {"发放工资", false, "6", nullptr, "2211", 50000, 300000, 0, 0, 4, false, false, false},
      {"缴纳税款", false, "5", "WT", "2221", 3000, 120000, 0, 2, 6, false, false, true},
      {"支付办公费", false, "202", "ZZ", "6602", 200, 8000, 1, 6, 8, false, true, false},
      {"银行手续费", false, nullptr, nullptr, "6603", 5, 300, -3, 0, 8, true, false, true},
      {"利息收入", true, nullptr, nullptr, "6603", 10, 5000, -5, -1, 3, true, false, true},
  };
  return kinds;
}

}  // namespace corvane::suite
