// Both passes against plain reference merges that compare the lines' texts
// directly, on random lines: the integer keys of the passes must give exactly
// the same ticks; and the numbering of texts those keys come from.
#include "match_fixtures.h"
#include "reconcile/auto_match.h"
#include "reconcile/group_match.h"
#include "reconcile/match_keys.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <random>
#include <tuple>

namespace corvane::reconcile {
namespace {

using namespace test;

using RefKey = std::tuple<QString, std::int64_t, std::int64_t, QString, std::int64_t>;

RefKey KeyOf(const MatchLine& l, MatchSide side, const MatchOptions& o) {
  const FacingAmounts a = FacingAmountsOf(l, side, o.bankFx);
  return {o.sameNumber ? l.number : QString(), a.first.Raw(), a.second.Raw(), o.sameStyle ? l.style : QString(),
          l.date.isValid() ? l.date.toJulianDay() : LLONG_MIN};
}

std::vector<std::pair<RefKey, size_t>> Sorted(const std::vector<MatchLine>& lines, MatchSide side,
                                              const MatchOptions& o) {
  std::vector<std::pair<RefKey, size_t>> out;
  for (size_t i = 0; i < lines.size(); ++i) out.push_back({KeyOf(lines[i], side, o), i});
  std::sort(out.begin(), out.end());
  return out;
}

PassTicks ReferenceOneToOne(const MatchCandidates& c, const MatchOptions& o) {
  PassTicks out{std::vector<int>(c.journal.size()), std::vector<int>(c.statement.size())};
  const auto j = Sorted(c.journal, MatchSide::Journal, o), s = Sorted(c.statement, MatchSide::Statement, o);
  for (size_t a = 0, b = 0; a < j.size() && b < s.size();) {
    const auto& [jk, ji] = j[a];
    const auto& [sk, si] = s[b];
    const std::int64_t jd = std::get<4>(jk), sd = std::get<4>(sk), limit = std::max(0, o.dayLimit);
    const bool inWindow = !o.dateWindow || (jd != LLONG_MIN && sd != LLONG_MIN && sd >= jd - limit && sd <= jd + limit);
    if (std::tie(std::get<0>(jk), std::get<1>(jk), std::get<2>(jk), std::get<3>(jk)) ==
            std::tie(std::get<0>(sk), std::get<1>(sk), std::get<2>(sk), std::get<3>(sk)) && inWindow) {
      out.journal[ji] = out.statement[si] = AutoTickValue(kPeriods, c.journal[ji].date, c.statement[si].date);
      ++out.pairs, ++a, ++b;
    } else if (jk > sk) {
      ++b;
    } else {
      ++a;
    }
  }
  return out;
}

struct RefGroup {
  std::vector<size_t> lines;
  FacingAmounts totals;
  QDate first;
};
using RefGroups = std::map<std::pair<QString, QString>, RefGroup>;

RefGroups GroupsOf(const std::vector<MatchLine>& lines, const std::vector<int>& done, MatchSide side,
                   const MatchOptions& o) {
  RefGroups out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (done[i] || lines[i].numberNull) continue;
    RefGroup& g = out[{lines[i].number, o.sameStyle ? lines[i].style : QString()}];
    g.lines.push_back(i);
    g.totals.first += FacingAmountsOf(lines[i], side, o.bankFx).first;
    g.totals.second += FacingAmountsOf(lines[i], side, o.bankFx).second;
    if (lines[i].date.isValid() && (!g.first.isValid() || lines[i].date < g.first)) g.first = lines[i].date;
  }
  return out;
}

PassTicks ReferenceGroups(const MatchCandidates& c, const PassTicks& done, const MatchOptions& o) {
  PassTicks out{std::vector<int>(c.journal.size()), std::vector<int>(c.statement.size())};
  const RefGroups s = GroupsOf(c.statement, done.statement, MatchSide::Statement, o);
  for (const auto& [key, j] : GroupsOf(c.journal, done.journal, MatchSide::Journal, o)) {
    const auto it = s.find(key);
    if (it == s.end() || !(it->second.totals == j.totals)) continue;
    const int tick = AutoTickValue(kPeriods, j.first, it->second.first);
    for (size_t i : j.lines) out.journal[i] = tick;
    for (size_t i : it->second.lines) out.statement[i] = tick;
    ++out.pairs;
  }
  return out;
}

// Few distinct texts (in several spellings of one key), amounts and dates, so that
// lines often agree on some columns and not on others.
MatchLine RandomLine(std::mt19937& rng, long long key) {
  auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  static const char* const numbers[] = {"A1", "a1 ", "B2", "b2", "C3", "Ä5", "", "  "};
  static const char* const styles[] = {"202", " 202", "zz", "ZZ", "301", ""};
  MatchLine l;
  l.key = key;
  const int n = pick(9);
  SetNumber(l, n == 8 ? platform::DbValue() : platform::DbValue(QString::fromUtf8(numbers[n])));
  l.style = MatchText(QString::fromUtf8(styles[pick(6)]));
  (pick(2) ? l.debit : l.credit) = platform::Money::FromCents(100 * (1 + pick(4)));
  if (pick(10)) l.date = QDate(2026, 3 + pick(3), 1 + pick(28));
  return l;
}

TEST(MergeReferenceTest, BothPassesTickAsThePlainMergesDo) {
  std::mt19937 rng(20261207);
  auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  int pairs = 0, groupPairs = 0;
  for (int round = 0; round < 400; ++round) {
    MatchOptions o;
    o.sameNumber = pick(4) > 0;
    o.sameStyle = pick(2) == 1;
    o.dateWindow = pick(2) == 1;
    o.dayLimit = pick(20) - 2;
    o.bankFx = pick(2) == 1;
    MatchCandidates c;
    for (int i = pick(60); i > 0; --i) c.journal.push_back(RandomLine(rng, i));
    for (int i = pick(60); i > 0; --i) c.statement.push_back(RandomLine(rng, i));
    const PassTicks one = MatchOneToOne(c, o, kPeriods), refOne = ReferenceOneToOne(c, o);
    ASSERT_EQ(one.journal, refOne.journal) << "round " << round;
    ASSERT_EQ(one.statement, refOne.statement) << "round " << round;
    ASSERT_EQ(one.pairs, refOne.pairs) << "round " << round;
    const PassTicks groups = MatchGroups(c, one, o, kPeriods), refGroups = ReferenceGroups(c, one, o);
    ASSERT_EQ(groups.journal, refGroups.journal) << "round " << round;
    ASSERT_EQ(groups.statement, refGroups.statement) << "round " << round;
    ASSERT_EQ(groups.pairs, refGroups.pairs) << "round " << round;
    pairs += one.pairs;
    groupPairs += groups.pairs;
  }
  // The random lines must reach both kinds of pair, or the comparison proves little.
  EXPECT_GT(pairs, 1000);
  EXPECT_GT(groupPairs, 25);
}

// The numbers of texts order as the texts do: heads of eight characters that tie,
// or sixteen, a text that starts another, a character 0, and texts beyond Latin-1.
TEST(KeyNumbersTest, NumbersOrderAsTheTexts) {
  const QString zero(QChar(0));
  std::vector<std::vector<QString>> cases = {
      {"", "a", "a" + zero, "abcdefgh", "abcdefghi", "abcdefgh" + zero, "abcdefgz", "abcdefgha", "b", "a",
       QString(QChar(0xff)), "ABCDEFGHIJ", "abcdefghi"},
      {"b", QStringLiteral("中"), "a", "abcdefghij", "abcdefghii", QStringLiteral("中"), "", QString(QChar(0xff)),
       QString(QChar(0x100)), QString(QChar(0xfe))},
      // Settlement numbers that tie in their first eight or sixteen characters.
      {"zp20260001", "zp20260002", "zp2026000", "zp20260001" + zero, "0123456789abcdefX", "0123456789abcdef",
       "0123456789abcdeg", "0123456789abcdef" + zero, "0123456789abcdefgh", "0123456789abcdEf", "0123456789abcdeg"},
  };
  // More texts than the table of recent ones holds, so equal texts come twice.
  cases.emplace_back();
  for (int i = 0; i < 1200; ++i) cases.back().push_back(QString::number(i % 600));
  for (const std::vector<QString>& texts : cases) {
    KeyNumbers keys;
    std::vector<std::uint32_t> added;
    for (const QString& t : texts) added.push_back(keys.Add(t));
    keys.Sort();
    for (size_t a = 0; a < texts.size(); ++a)
      for (size_t b = 0; b < texts.size(); ++b)
        EXPECT_EQ(texts[a] < texts[b], keys.Rank(added[a]) < keys.Rank(added[b])) << texts[a].toStdString() << " "
                                                                                  << texts[b].toStdString();
  }
}

}  // namespace
}  // namespace corvane::reconcile
