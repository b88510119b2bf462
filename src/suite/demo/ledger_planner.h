#pragma once

#include "suite/demo/demo_random.h"
#include "suite/demo/event_kinds.h"
#include "suite/demo/ledger_plan.h"

#include <QDate>
#include <cstdint>
#include <map>
#include <unordered_set>

namespace corvane::suite {

struct LedgerProfile {
  std::uint64_t seed = 1;
  QDate start;               // reconciliation start date; regular lines lie on or after it
  QDate last;                // no line after this day (the end of the calendar year)
  int amountPercent = 100;   // scale of the amounts: 100 for yuan, about 14 for dollars
  bool foreign = false;      // only the kinds a foreign-currency account sees
};

// Plans the lines of one bank account or book so that reconciling them shows
// every case: pairs of one journal and one statement line, groups under one
// settlement number whose totals agree, lines outstanding on either side and
// opening items from before the start date.
//
// Every line gets an amount no other line of the ledger has, so a line can only
// ever match the partner it was planned with: group members never pair off one
// to one, and outstanding lines stay outstanding.
class LedgerPlanner {
 public:
  explicit LedgerPlanner(const LedgerProfile& profile);

  // count pairs dated between from and to: same amount, style and number on both
  // sides, the bank's date a few days from the enterprise's.
  void AddPairs(int count, const QDate& from, const QDate& to);
  // A pair whose settlement numbers differ only in letter case.
  void AddCaseVariantPair(const QDate& date);
  // One settlement number on journalLines enterprise lines and bankLines bank
  // lines whose totals agree exactly, though no single line has a partner.
  void AddGroup(int journalLines, int bankLines, const QDate& date);
  // Such a group whose bank total is one cent off: it must stay unmatched.
  void AddNearMissGroup(int journalLines, int bankLines, const QDate& date);
  void AddJournalOnly(int count, const QDate& from, const QDate& to);
  void AddBankOnly(int count, const QDate& from, const QDate& to);
  // linesPerSide lines on each side: about 80% in pairs, 10% outstanding, the
  // rest in groups of two or three lines against one or more.
  void AddMix(int linesPerSide, const QDate& from, const QDate& to);
  // An opening unreconciled item of the enterprise (period 21) dated daysBefore
  // the start; clearedLater: the bank reports it soon after the start.
  void AddOpeningJournalItem(int daysBefore, bool clearedLater);
  // A statement line dated daysBefore the start; bookedLater: the enterprise
  // books it soon after the start.
  void AddOpeningBankItem(int daysBefore, bool bookedLater);
  void AddVoidedJournalLine(const QDate& date);
  void AddUnpostedJournalLine(const QDate& date);
  // A foreign-currency account's exchange revaluation: a home amount only.
  void AddRevaluation(const QDate& date);

  // Both sides in date order, and the journal opening that makes the opening
  // set-up balance: journal opening + bank lines before the start =
  // bank opening + journal lines before the start (signed as the enterprise sees them).
  LedgerPlan Finish(platform::Money bankOpening);

 private:
  enum class Use { Any, Numbered, JournalOnly, BankOnly };

  const EventKind& PickKind(Use use);
  platform::Money NewAmount(std::int64_t minCents, std::int64_t maxCents);
  platform::Money NewAmount(const EventKind& kind);
  bool TakeAmount(platform::Money amount);
  QString NewNumber(const EventKind& kind);
  QDate RandomDate(const QDate& from, const QDate& to);
  QDate Clamp(const QDate& date) const;
  QDate BankDate(const QDate& journalDate, const EventKind& kind);
  void AddJournal(const EventKind& kind, const QDate& date, platform::Money amount, const QString& number);
  void AddBank(const EventKind& kind, const QDate& date, platform::Money amount, const QString& number);
  void AddSplitGroup(const EventKind& kind, int journalLines, int bankLines, const QDate& date, bool nearMiss);
  std::vector<platform::Money> SplitInto(platform::Money total, int parts);

  LedgerProfile profile_;
  DemoRandom random_;
  LedgerPlan plan_;
  std::unordered_set<std::int64_t> usedAmounts_;
  std::map<QString, std::int64_t> nextNumber_;
  std::map<std::pair<std::int64_t, std::int64_t>, std::int64_t> widenedMax_;  // by (min, max) asked
};

}  // namespace corvane::suite
