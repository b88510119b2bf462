#pragma once

#include <QString>

class QObject;

namespace corvane::platform {

class PrintControl;

// The head of a printed grid: its title, and under it what the grid lists (an
// account, a date) on the left and what its amounts are in (or a second bound)
// on the right.
struct GridPrintHead {
  GridPrintHead(const QString& title = QString()) : title(title) {}  // not explicit: a title alone is a head
  GridPrintHead(const QString& title, const QString& left, const QString& right)
      : title(title), left(left), right(right) {}
  QString title;
  QString left;
  QString right;
};

// Prints, previews, outputs or sets up the page of a grid under a report key.
// Made through ObjectFactory::CreateGridPrintService; tests record its calls.
class GridPrintService {
 public:
  enum Mode : int { kPrint = 0, kPreview = 1, kDataOut = 2, kPageSetup = 3 };

  virtual ~GridPrintService() = default;
  // grid: a list, entry or split grid (see PrintableGridOf). The page settings
  // saved under reportKey are applied before every run, and mode 3 saves them.
  // The head's title also names the output file; a data output writes the grid
  // only. result: the engine's result code (0 success); the service tells the
  // user itself, the callers do not read it.
  virtual void PrintGrid(QObject* grid, const QString& reportKey, PrintControl* printControl, int mode,
                         const GridPrintHead& head, int& result) = 0;
};

}  // namespace corvane::platform
