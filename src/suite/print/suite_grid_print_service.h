#pragma once

#include "platform/print/grid_print_service.h"

#include <QStringList>

class QWidget;

namespace corvane::platform {
class CommonServices;
}

namespace corvane::suite {

// Prints, previews or outputs a grid under its head, with the page settings of
// its report key, through the report engine of the object factory, and keeps
// the page set-up per key. A failed run is told to the user here.
class SuiteGridPrintService : public platform::GridPrintService {
 public:
  explicit SuiteGridPrintService(platform::CommonServices& common) : common_(common) {}

  void PrintGrid(QObject* grid, const QString& reportKey, platform::PrintControl* printControl, int mode,
                 const platform::GridPrintHead& head, int& result) override;

  // The key a report's page settings are kept under. The bank-side opening
  // items were set up under one key and printed under another; both now name
  // one report.
  static QString PageKeyOf(const QString& reportKey);
  // The settings of a report: those kept under its key, or, when that key was
  // never set up, those an earlier set-up kept under the report's other key.
  QStringList LoadPageSettings(const QString& reportKey);

 private:
  int SetUpPage(const QString& reportKey, QWidget* owner);
  int Run(QObject* grid, const QString& reportKey, QWidget* owner, int mode, const platform::GridPrintHead& head);

  platform::CommonServices& common_;
};

}  // namespace corvane::suite
