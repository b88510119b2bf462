#pragma once

#include "platform/db/db_value.h"

#include <QString>
#include <array>
#include <vector>

namespace corvane::balance {

// One outstanding item as the detailed statement shows it.
struct DetailItem {
  QString date;
  QString number;  // settlement number (bank), voucher "sign - 0000" or flow id (journal)
  QString digest;  // journal items only
  QString amount;  // "#,0.00"
  QString key;     // journal items: the voucher key "book,period,sign,number" (book mode "book,period")
};

// The four sections: 0 bank received / books not, 1 bank paid / books not,
// 2 journal debits the bank has not, 3 journal credits the bank has not. Which bank
// direction is "received" follows the account's balance direction.
struct DetailSections {
  std::array<std::vector<DetailItem>, 4> items;
  // The journal sections' SELECTs, for the voucher viewer.
  QString debitSql, creditSql;
  platform::DbParams debitParams, creditParams;
};

// Reads the outstanding items of one account (account mode) or book (book mode).
// showMode 1: unticked items only, 2: ticked only, other: all. Items dated after
// the account's end date are left out.
DetailSections ReadDetailSections(const QString& code, int showMode);

}  // namespace corvane::balance
