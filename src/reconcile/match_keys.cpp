#include "reconcile/match_keys.h"

#include <algorithm>
#include <QHash>
#include <cstring>

namespace corvane::reconcile {

KeyNumbers::KeyNumbers(size_t expected) {
  entries_.reserve(expected);
  arena_.reserve(expected * 16);
}

std::uint32_t KeyNumbers::Add(const QString& text) {
  Recent& recent = recent_[qHash(text) & (recent_.size() - 1)];
  if (recent.used && recent.text == text) return recent.added;
  Entry e{0, 0, static_cast<std::uint32_t>(arena_.size()), 0, static_cast<std::uint32_t>(entries_.size())};
  // Bytes in the order of the characters' codes: a code below 0xff is its byte
  // (match texts are sort keys as Latin-1 characters, so always), a larger one
  // 0xff and its two bytes. No byte string is the start of another's code, so the
  // bytes compare as the texts do.
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0xff) {
      arena_.push_back(static_cast<unsigned char>(u));
    } else {
      arena_.push_back(0xff);
      arena_.push_back(static_cast<unsigned char>(u >> 8));
      arena_.push_back(static_cast<unsigned char>(u & 0xff));
    }
  }
  e.length = static_cast<std::uint32_t>(arena_.size() - e.offset);
  for (std::uint32_t i = 0; i < 8 && i < e.length; ++i) e.head |= std::uint64_t{arena_[e.offset + i]} << (8 * (7 - i));
  for (std::uint32_t i = 8; i < 16 && i < e.length; ++i) e.next |= std::uint64_t{arena_[e.offset + i]} << (8 * (15 - i));
  entries_.push_back(e);
  recent = {text, e.added, true};
  return e.added;
}

void KeyNumbers::Sort() {
  const unsigned char* bytes = arena_.data();
  // A shorter text that is the start of a longer one sorts first; a byte 0 and a
  // missing one give the same head, and the arena tells them apart.
  auto order = [bytes](const Entry& a, const Entry& b) {
    if (a.head != b.head) return a.head < b.head ? -1 : 1;
    if (a.next != b.next) return a.next < b.next ? -1 : 1;
    const int c = std::memcmp(bytes + a.offset, bytes + b.offset, std::min(a.length, b.length));
    if (c != 0) return c;
    return a.length < b.length ? -1 : (a.length > b.length ? 1 : 0);
  };
  std::sort(entries_.begin(), entries_.end(), [&order](const Entry& a, const Entry& b) { return order(a, b) < 0; });
  rank_.assign(entries_.size(), 0);
  std::uint32_t number = 0;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (i > 0 && order(entries_[i - 1], entries_[i]) != 0) ++number;
    rank_[entries_[i].added] = number;
  }
}

}  // namespace corvane::reconcile
