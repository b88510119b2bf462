#include "suite/demo/ledger_planner.h"

#include <algorithm>

namespace corvane::suite {

using platform::Money;

int DemoPeriodOf(const QDate& date) { return date.year() == kDemoYear ? date.month() : 0; }

LedgerPlanner::LedgerPlanner(const LedgerProfile& profile) : profile_(profile), random_(profile.seed) {}

const EventKind& LedgerPlanner::PickKind(Use use) {
  const auto& kinds = EventKinds();
  auto admitted = [&](const EventKind& k) {
    if (profile_.foreign && !k.foreignOk) return false;
    switch (use) {
      case Use::Any: return true;
      case Use::Numbered: return k.numberPrefix != nullptr;
      case Use::JournalOnly: return k.journalOnlyOk;
      case Use::BankOnly: return k.bankOnlyOk;
    }
    return false;
  };
  int total = 0;
  for (const EventKind& k : kinds)
    if (admitted(k)) total += k.weight;
  std::int64_t roll = random_.Between(0, total - 1);
  for (const EventKind& k : kinds) {
    if (!admitted(k)) continue;
    if (roll < k.weight) return k;
    roll -= k.weight;
  }
  return kinds.front();
}

bool LedgerPlanner::TakeAmount(Money amount) {
  return amount.Raw() > 0 && usedAmounts_.insert(amount.Raw()).second;
}

Money LedgerPlanner::NewAmount(std::int64_t minCents, std::int64_t maxCents) {
  minCents = std::max<std::int64_t>(minCents, 1);
  maxCents = std::max(maxCents, minCents);
  // A crowded range widens rather than loop for ever, and stays widened: with a
  // million lines the narrow ranges (bank charges) fill up, and every later
  // amount of the range would otherwise pay the same failed tries again.
  std::int64_t& widened = widenedMax_[{minCents, maxCents}];
  maxCents = std::max(maxCents, widened);
  for (int attempt = 1;; ++attempt) {
    if (attempt % 40 == 0) widened = maxCents *= 2;
    std::int64_t cents = random_.Between(minCents, maxCents);
    if (cents >= 10000 && random_.Chance(25)) cents -= cents % 100;  // many payments are whole yuan
    const Money amount = Money::FromCents(cents);
    if (TakeAmount(amount)) return amount;
  }
}

Money LedgerPlanner::NewAmount(const EventKind& kind) {
  return NewAmount(std::int64_t{kind.minYuan} * profile_.amountPercent,
                   std::int64_t{kind.maxYuan} * profile_.amountPercent);
}

QString LedgerPlanner::NewNumber(const EventKind& kind) {
  if (!kind.numberPrefix) return {};
  const QString prefix = QString::fromLatin1(kind.numberPrefix);
  auto it = nextNumber_.find(prefix);
  if (it == nextNumber_.end()) it = nextNumber_.emplace(prefix, random_.Between(10000000, 60000000)).first;
  return prefix + QStringLiteral("%1").arg(it->second++, 8, 10, QLatin1Char('0'));
}

QDate LedgerPlanner::RandomDate(const QDate& from, const QDate& to) {
  return from.addDays(random_.Between(0, std::max<qint64>(0, from.daysTo(to))));
}

QDate LedgerPlanner::Clamp(const QDate& date) const {
  if (date < profile_.start) return profile_.start;
  if (date > profile_.last) return profile_.last;
  return date;
}

QDate LedgerPlanner::BankDate(const QDate& journalDate, const EventKind& kind) {
  return Clamp(journalDate.addDays(random_.Between(kind.lagMin, kind.lagMax)));
}

void LedgerPlanner::AddJournal(const EventKind& kind, const QDate& date, Money amount, const QString& number) {
  PlannedJournalLine line;
  line.date = date;
  line.period = DemoPeriodOf(date);
  line.moneyIn = kind.moneyIn;
  line.amount = amount;
  line.settle = kind.settle ? QString::fromLatin1(kind.settle) : QString();
  line.number = number;
  // A cheque is written a day or two before it is booked.
  if (line.settle.startsWith(QLatin1Char('2'))) line.billDate = date.addDays(-random_.Between(0, 2));
  line.digest = QString::fromUtf8(kind.digest);
  line.counterAccount = QString::fromLatin1(kind.counterAccount);
  plan_.journal.push_back(std::move(line));
}

void LedgerPlanner::AddBank(const EventKind& kind, const QDate& date, Money amount, const QString& number) {
  PlannedStatementLine line;
  line.date = date;
  line.moneyIn = kind.moneyIn;
  line.amount = amount;
  line.settle = kind.settle ? QString::fromLatin1(kind.settle) : QString();
  line.number = number;
  plan_.bank.push_back(std::move(line));
}

void LedgerPlanner::AddPairs(int count, const QDate& from, const QDate& to) {
  for (int i = 0; i < count; ++i) {
    const EventKind& kind = PickKind(Use::Any);
    const QDate date = RandomDate(from, to);
    const Money amount = NewAmount(kind);
    const QString number = NewNumber(kind);
    AddJournal(kind, date, amount, number);
    AddBank(kind, BankDate(date, kind), amount, number);
  }
}

void LedgerPlanner::AddCaseVariantPair(const QDate& date) {
  const EventKind& kind = PickKind(Use::Numbered);
  const Money amount = NewAmount(kind);
  const QString number = NewNumber(kind);
  AddJournal(kind, date, amount, number.toLower());
  AddBank(kind, BankDate(date, kind), amount, number.toUpper());
}

std::vector<Money> LedgerPlanner::SplitInto(Money total, int parts) {
  if (parts <= 1) return {total};
  // A part that another line has already moves on by a cent (the last part gives
  // up the difference), instead of drawing the whole split again: with a million
  // lines the drawn parts often meet a used amount, and redrawing every time made
  // the planning grow faster than the lines.
  auto fresh = [&](Money m, const std::vector<Money>& taken) {
    return m.Raw() > 0 && !usedAmounts_.count(m.Raw()) && std::find(taken.begin(), taken.end(), m) == taken.end();
  };
  const Money cent = Money::FromCents(1);
  for (;;) {
    std::vector<Money> out;
    Money rest = total;
    for (int i = 0; i < parts - 1; ++i) {
      const std::int64_t restCents = rest.Raw() / 100;
      const std::int64_t lo = std::max<std::int64_t>(1, restCents * 15 / 100);
      const std::int64_t hi = std::max(lo, restCents * 60 / 100);
      Money part = Money::FromCents(random_.Between(lo, hi));
      while (!fresh(part, out) && part < rest) part += cent;
      out.push_back(part);
      rest -= part;
    }
    for (int moves = 0; !fresh(rest, out) && rest.Raw() > 0 && moves < 1000; ++moves) {
      Money last = out.back();
      out.pop_back();
      do {
        last += cent;
        rest -= cent;
      } while (!fresh(last, out) && rest.Raw() > 0);
      out.push_back(last);
    }
    if (!fresh(rest, out)) continue;  // rare: draw the split again
    out.push_back(rest);
    for (Money m : out) TakeAmount(m);
    return out;
  }
}

void LedgerPlanner::AddSplitGroup(const EventKind& kind, int journalLines, int bankLines, const QDate& date,
                                  bool nearMiss) {
  const QString number = NewNumber(kind);
  Money total = NewAmount(kind);
  Money bankTotal = nearMiss ? total + Money::FromCents(1) : total;
  // A single bank line carries the whole (or the nearly whole) amount: it must be
  // an amount no other line has.
  while (nearMiss && bankLines == 1 && !TakeAmount(bankTotal)) {
    total = NewAmount(kind);
    bankTotal = total + Money::FromCents(1);
  }
  if (nearMiss && bankLines > 1) TakeAmount(bankTotal);
  const std::vector<Money> journalParts = SplitInto(total, journalLines);
  const std::vector<Money> bankParts = SplitInto(bankTotal, bankLines);
  for (Money part : journalParts) AddJournal(kind, Clamp(date.addDays(random_.Between(0, 2))), part, number);
  for (Money part : bankParts) AddBank(kind, BankDate(date, kind), part, number);
}

void LedgerPlanner::AddGroup(int journalLines, int bankLines, const QDate& date) {
  AddSplitGroup(PickKind(Use::Numbered), journalLines, bankLines, date, false);
}

void LedgerPlanner::AddNearMissGroup(int journalLines, int bankLines, const QDate& date) {
  AddSplitGroup(PickKind(Use::Numbered), journalLines, bankLines, date, true);
}

void LedgerPlanner::AddJournalOnly(int count, const QDate& from, const QDate& to) {
  for (int i = 0; i < count; ++i) {
    const EventKind& kind = PickKind(Use::JournalOnly);
    AddJournal(kind, RandomDate(from, to), NewAmount(kind), NewNumber(kind));
  }
}

void LedgerPlanner::AddBankOnly(int count, const QDate& from, const QDate& to) {
  for (int i = 0; i < count; ++i) {
    const EventKind& kind = PickKind(Use::BankOnly);
    AddBank(kind, RandomDate(from, to), NewAmount(kind), NewNumber(kind));
  }
}

void LedgerPlanner::AddMix(int linesPerSide, const QDate& from, const QDate& to) {
  const int pairs = linesPerSide * 8 / 10;
  const int outstanding = linesPerSide / 10;
  int journalBudget = linesPerSide - pairs - outstanding;
  int bankBudget = journalBudget;
  usedAmounts_.reserve(usedAmounts_.size() + 2 * static_cast<size_t>(linesPerSide));
  plan_.journal.reserve(plan_.journal.size() + static_cast<size_t>(linesPerSide));
  plan_.bank.reserve(plan_.bank.size() + static_cast<size_t>(linesPerSide));
  AddPairs(pairs, from, to);
  static constexpr int kShapes[][2] = {{2, 1}, {1, 2}, {3, 1}, {1, 3}, {2, 3}, {3, 2}};
  while (journalBudget > 0 && bankBudget > 0) {
    const auto& shape = kShapes[random_.Between(0, 5)];
    const int j = std::min(shape[0], journalBudget);
    const int b = std::min(shape[1], bankBudget);
    if (j == 1 && b == 1) break;  // too little left for a group: it stays outstanding
    AddGroup(j, b, RandomDate(from, to));
    journalBudget -= j;
    bankBudget -= b;
  }
  AddJournalOnly(outstanding + journalBudget, from, to);
  AddBankOnly(outstanding + bankBudget, from, to);
}

void LedgerPlanner::AddOpeningJournalItem(int daysBefore, bool clearedLater) {
  const EventKind& kind = PickKind(Use::JournalOnly);
  const Money amount = NewAmount(kind);
  const QString number = NewNumber(kind);
  AddJournal(kind, profile_.start.addDays(-daysBefore), amount, number);
  plan_.journal.back().period = 21;
  plan_.journal.back().keyedOpening = true;
  if (clearedLater) AddBank(kind, profile_.start.addDays(random_.Between(1, 6)), amount, number);
}

void LedgerPlanner::AddOpeningBankItem(int daysBefore, bool bookedLater) {
  const EventKind& kind = PickKind(Use::BankOnly);
  const Money amount = NewAmount(kind);
  const QString number = NewNumber(kind);
  AddBank(kind, profile_.start.addDays(-daysBefore), amount, number);
  if (bookedLater) AddJournal(kind, profile_.start.addDays(random_.Between(1, 6)), amount, number);
}

void LedgerPlanner::AddVoidedJournalLine(const QDate& date) {
  const EventKind& kind = PickKind(Use::JournalOnly);
  AddJournal(kind, date, NewAmount(kind), NewNumber(kind));
  plan_.journal.back().voided = true;
}

void LedgerPlanner::AddUnpostedJournalLine(const QDate& date) {
  const EventKind& kind = PickKind(Use::JournalOnly);
  AddJournal(kind, date, NewAmount(kind), NewNumber(kind));
  plan_.journal.back().posted = false;
}

void LedgerPlanner::AddRevaluation(const QDate& date) {
  PlannedJournalLine line;
  line.date = date;
  line.period = DemoPeriodOf(date);
  line.moneyIn = random_.Chance(50);
  line.amount = NewAmount(10000, 500000);  // a home amount, whatever the account's currency
  line.digest = QStringLiteral("期末汇兑损益调整");
  line.counterAccount = QStringLiteral("6603");
  line.homeAmountOnly = true;
  plan_.journal.push_back(std::move(line));
}

LedgerPlan LedgerPlanner::Finish(Money bankOpening) {
  auto byDate = [](const auto& a, const auto& b) { return a.date < b.date; };
  std::stable_sort(plan_.journal.begin(), plan_.journal.end(), byDate);
  std::stable_sort(plan_.bank.begin(), plan_.bank.end(), byDate);
  Money journalOpening = bankOpening;
  for (const PlannedJournalLine& line : plan_.journal) {
    if (line.date >= profile_.start || !line.posted || line.voided || line.homeAmountOnly) continue;
    journalOpening += line.moneyIn ? line.amount : -line.amount;
  }
  for (const PlannedStatementLine& line : plan_.bank) {
    if (line.date >= profile_.start) continue;
    journalOpening -= line.moneyIn ? line.amount : -line.amount;
  }
  plan_.bankOpening = bankOpening;
  plan_.journalOpening = journalOpening;
  return std::move(plan_);
}

}  // namespace corvane::suite
