#include "suite/print/register_print_objects.h"

#include "platform/services/object_factory.h"
#include "suite/print/suite_grid_print_service.h"
#include "suite/print/suite_report_engine.h"

namespace corvane::suite {

void RegisterPrintObjects(PrintTexts texts) {
  platform::ObjectFactory& factory = platform::ObjectFactory::Instance();
  factory.makeReportEngine = [texts]() -> std::unique_ptr<platform::ReportEngine> {
    return std::make_unique<SuiteReportEngine>(texts);
  };
  factory.makeGridPrintService =
      [](platform::CommonServices& common) -> std::unique_ptr<platform::GridPrintService> {
    return std::make_unique<SuiteGridPrintService>(common);
  };
}

}  // namespace corvane::suite
