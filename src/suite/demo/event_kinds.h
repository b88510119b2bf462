#pragma once

#include <vector>

namespace corvane::suite {

// A kind of bank movement the generators draw from: what the enterprise writes
// in the digest, how it is settled, the account on the voucher's other side, the
// range of its amounts and how many days the bank's date lies after the
// enterprise's (negative: the bank reports it first).
struct EventKind {
  const char* digest;
  bool moneyIn;
  const char* settle;        // settlement style code, nullptr for none
  const char* numberPrefix;  // prefix of the settlement number, nullptr for none
  const char* counterAccount;
  int minYuan;
  int maxYuan;
  int lagMin;
  int lagMax;
  int weight;                // how often it is drawn among the others
  bool foreignOk;            // also seen on a foreign-currency account
  bool journalOnlyOk;        // may stay outstanding on the enterprise side (booked, not yet at the bank)
  bool bankOnlyOk;           // may stay outstanding on the bank side (reported, not yet booked)
};

const std::vector<EventKind>& EventKinds();

}  // namespace corvane::suite
