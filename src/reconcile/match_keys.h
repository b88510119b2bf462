#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace corvane::reconcile {

// Numbers the match texts (settlement numbers and styles, see MatchText) of one
// matching pass once, so that the merges sort and compare plain integers: equal
// texts get equal numbers, and one text orders before another exactly when its
// number is smaller. Each text added is copied as bytes into one compact arena,
// its first sixteen bytes kept as two integers beside it (settlement numbers
// often share their first eight); one sort of those integers (the arena deciding
// only ties) then numbers them all. A small table of recent
// texts by hash keeps a text that comes again and again (a style) out of the sort.
class KeyNumbers {
 public:
  explicit KeyNumbers(size_t expected = 0);

  // The text's place among those added; give it to Rank after Sort.
  std::uint32_t Add(const QString& text);
  // Numbers the texts added, in order.
  void Sort();
  // The number of the text Add gave `added`.
  std::uint32_t Rank(std::uint32_t added) const { return rank_[added]; }

 private:
  struct Entry {
    std::uint64_t head;    // the first eight bytes, the first highest, missing ones 0
    std::uint64_t next;    // the next eight, alike
    std::uint32_t offset;  // all its bytes in the arena
    std::uint32_t length;
    std::uint32_t added;
  };
  struct Recent {
    QString text;
    std::uint32_t added = 0;
    bool used = false;
  };
  std::array<Recent, 256> recent_;
  std::vector<Entry> entries_;
  std::vector<unsigned char> arena_;
  std::vector<std::uint32_t> rank_;
};

}  // namespace corvane::reconcile
