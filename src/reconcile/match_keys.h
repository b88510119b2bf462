#pragma once

#include <QHash>
#include <QString>
#include <cstdint>
#include <vector>

namespace corvane::reconcile {

// Numbers the match texts (settlement numbers and styles, see MatchText) of one
// matching pass once, so that the merges sort and compare plain integers: equal
// texts get equal numbers, and one text orders before another exactly when its
// number is smaller. Texts are hashed as they are added; the distinct ones are
// then sorted once, however many lines share them.
class KeyNumbers {
 public:
  explicit KeyNumbers(size_t expected = 0) { ids_.reserve(static_cast<qsizetype>(expected)); }

  // The text's number in order of first sight; give it to Rank after Sort.
  std::uint32_t Add(const QString& text);
  // Puts the distinct texts in order.
  void Sort();
  // The place in order of the text Add numbered `added`.
  std::uint32_t Rank(std::uint32_t added) const { return rank_[added]; }

 private:
  QHash<QString, std::uint32_t> ids_;
  std::vector<QString> texts_;  // by number of first sight
  std::vector<std::uint32_t> rank_;
};

}  // namespace corvane::reconcile
