#pragma once

#include <QPageSize>
#include <QString>
#include <vector>

namespace corvane::platform {

// Page settings keep the paper by its Windows paper number (9 A4, 8 A3, 1 Letter,
// …), the number the suite's reports have always stored, so that settings saved
// by one program read the same in another.
struct PaperSize {
  int number = 0;
  QPageSize::PageSizeId id = QPageSize::Custom;
};

// Every paper that has a Windows number below 1000, in Qt's order, each number once.
const std::vector<PaperSize>& PaperSizes();

// The Qt page size of a Windows paper number; an invalid QPageSize when Qt knows
// no paper by that number.
QPageSize PageSizeOfNumber(int number);

// A4, the paper of a page that was never set up.
inline constexpr int kDefaultPaperNumber = 9;

}  // namespace corvane::platform
