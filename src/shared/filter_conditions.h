#pragma once

#include <QString>
#include <QtGlobal>

namespace corvane::shared {

// The row-filter conditions of a list window, as the condition entry dialog
// frmYHFilter hands them back. Each window that filters its rows keeps one of
// these as its public condition variables; the names are the ones every window
// and the dialog know them by.
struct FilterConditions {
  bool ExecCom = false;     // the dialog was last closed with OK
  bool ExecFilter = false;  // the conditions apply; false: "取消过滤" was ticked
  QString StartDate;        // first date, "yyyy.mm.dd" or empty
  QString EndDate;          // last date, "yyyy.mm.dd" or empty
  QString CurCn_m;          // settlement-style code, trimmed; empty = any
  QString CurCn_id;         // settlement (cheque) number as typed; empty = any
  quint8 CurBd_c = 0;       // direction: 0 either, 1 debit, 2 credit
  QString CurMmoney;        // amount as typed; empty = any
};

// A window that opens frmYHFilter and receives its conditions. The dialog writes
// into the window that opened it, never into a window picked by mode number, so
// a window sharing another's mode (the detailed statement uses the tick-status
// query's mode) still gets its own conditions.
class FilterConditionOwner {
 public:
  virtual ~FilterConditionOwner() = default;
  virtual FilterConditions& Conditions() = 0;
  // The tick kind chosen in the reconciliation window's mode (1 no mark, 2 "○",
  // 3 "Y"). Only that window keeps one; the others ignore it.
  virtual void SetCancelType(int iCancelType) {}
};

}  // namespace corvane::shared
