#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace corvane::platform {

class AccountRightsService;
class CashServices;
class CommonServices;
class DbConnection;
class GridPrintService;
class ReportEngine;
class UiStyleService;

// The one place through which the component creates the suite's objects it
// creates itself (the equivalent of creating a registered class by name). The
// suite fills it at start-up; a test may fill it with fakes. Creating an object
// whose maker is not set throws ServiceError.
class ObjectFactory {
 public:
  std::function<std::unique_ptr<CommonServices>()> makeCommonServices;
  std::function<std::unique_ptr<CashServices>()> makeCashServices;
  std::function<std::unique_ptr<DbConnection>(const QString& connectionString)> openConnection;
  std::function<std::unique_ptr<AccountRightsService>()> makeRightsService;
  std::function<std::unique_ptr<UiStyleService>()> makeUiStyleService;
  std::function<std::unique_ptr<ReportEngine>()> makeReportEngine;
  std::function<std::unique_ptr<GridPrintService>(CommonServices& common)> makeGridPrintService;

  std::unique_ptr<CommonServices> CreateCommonServices() const;
  std::unique_ptr<CashServices> CreateCashServices() const;
  std::unique_ptr<DbConnection> OpenConnection(const QString& connectionString) const;
  std::unique_ptr<AccountRightsService> CreateRightsService() const;
  std::unique_ptr<UiStyleService> CreateUiStyleService() const;
  std::unique_ptr<ReportEngine> CreateReportEngine() const;
  // The grid print service of a session: page settings and texts come from common.
  std::unique_ptr<GridPrintService> CreateGridPrintService(CommonServices& common) const;

  static ObjectFactory& Instance();
};

}  // namespace corvane::platform
