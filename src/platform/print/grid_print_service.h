#pragma once

#include <QString>

class QObject;

namespace corvane::platform {

class PrintControl;

// Prints, previews, outputs or sets up the page of a grid under a report key.
// Made through ObjectFactory::CreateGridPrintService; tests record its calls.
class GridPrintService {
 public:
  enum Mode : int { kPrint = 0, kPreview = 1, kDataOut = 2, kPageSetup = 3 };

  virtual ~GridPrintService() = default;
  // grid: a list, entry or split grid (see PrintableGridOf). The page settings
  // saved under reportKey are applied before every run, and mode 3 saves them.
  // result: the engine's result code (0 success); the service tells the user
  // itself, the callers do not read it.
  virtual void PrintGrid(QObject* grid, const QString& reportKey, PrintControl* printControl, int mode,
                         const QString& title, int& result) = 0;
};

}  // namespace corvane::platform
