#include "reconcile/match_keys.h"

#include <algorithm>
#include <cstring>

namespace corvane::reconcile {

namespace {

// A distinct text as the sort sees it: its first eight characters as one integer
// (first character highest, missing ones 0) beside where the rest lies, so most
// comparisons decide on the integer and the rest is compared in one compact arena.
struct SortEntry {
  std::uint64_t head;
  std::uint32_t offset;  // the text's characters in the arena
  std::uint32_t length;
  std::uint32_t id;      // its number of first sight
};

bool AllLatin1(const std::vector<QString>& texts) {
  for (const QString& t : texts)
    for (QChar c : t)
      if (c.unicode() > 0xff) return false;
  return true;
}

}  // namespace

std::uint32_t KeyNumbers::Add(const QString& text) {
  // One look-up: a new text finds 0 and is given its number plus one.
  std::uint32_t& slot = ids_[text];
  if (slot == 0) {
    texts_.push_back(text);
    slot = static_cast<std::uint32_t>(texts_.size());
  }
  return slot - 1;
}

void KeyNumbers::Sort() {
  rank_.assign(texts_.size(), 0);
  std::vector<std::uint32_t> order(texts_.size());
  if (!AllLatin1(texts_)) {
    // Not match keys: QString's own order, which is the order of the characters' codes.
    for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) { return texts_[a] < texts_[b]; });
  } else {
    // Match keys are sort keys as Latin-1 characters: byte order is their order.
    std::vector<unsigned char> arena;
    std::vector<SortEntry> entries;
    entries.reserve(texts_.size());
    for (std::uint32_t id = 0; id < texts_.size(); ++id) {
      const QString& t = texts_[id];
      SortEntry e{0, static_cast<std::uint32_t>(arena.size()), static_cast<std::uint32_t>(t.size()), id};
      for (qsizetype i = 0; i < t.size(); ++i) {
        const auto byte = static_cast<unsigned char>(t[i].unicode());
        if (i < 8) e.head |= std::uint64_t{byte} << (8 * (7 - i));
        arena.push_back(byte);
      }
      entries.push_back(e);
    }
    const unsigned char* bytes = arena.data();
    // A shorter text that is the start of a longer one sorts first; a character 0
    // and a missing one give the same head, and the arena tells them apart.
    std::sort(entries.begin(), entries.end(), [bytes](const SortEntry& a, const SortEntry& b) {
      if (a.head != b.head) return a.head < b.head;
      const int c = std::memcmp(bytes + a.offset, bytes + b.offset, std::min(a.length, b.length));
      return c != 0 ? c < 0 : a.length < b.length;
    });
    for (size_t place = 0; place < entries.size(); ++place) order[place] = entries[place].id;
  }
  for (std::uint32_t place = 0; place < order.size(); ++place) rank_[order[place]] = place;
}

}  // namespace corvane::reconcile
