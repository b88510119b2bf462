#include "platform/print/paper_sizes.h"

#include <set>

namespace corvane::platform {

namespace {

// Windows keeps 256 for a paper of the user's own size, which has no fixed
// dimensions to print on; numbers from 1000 on are what a page dialog reports when
// no paper was chosen.
bool IsStorableNumber(int number) { return number > 0 && number < 1000 && number != 256; }

std::vector<PaperSize> BuildPaperSizes() {
  std::vector<PaperSize> sizes;
  std::set<int> seen;
  for (int i = 0; i <= static_cast<int>(QPageSize::LastPageSize); ++i) {
    const auto id = static_cast<QPageSize::PageSizeId>(i);
    if (id == QPageSize::Custom) continue;
    const int number = QPageSize::windowsId(id);
    if (!IsStorableNumber(number) || !seen.insert(number).second) continue;
    sizes.push_back({number, id});
  }
  return sizes;
}

}  // namespace

const std::vector<PaperSize>& PaperSizes() {
  static const std::vector<PaperSize> sizes = BuildPaperSizes();
  return sizes;
}

QPageSize PageSizeOfNumber(int number) {
  for (const PaperSize& p : PaperSizes())
    if (p.number == number) return QPageSize(p.id);
  return QPageSize();
}

}  // namespace corvane::platform
