#include "platform/services/object_factory.h"

#include "platform/db/db_connection.h"
#include "platform/services/cash_services.h"
#include "platform/services/common_services.h"
#include "platform/services/service_error.h"
#include "platform/services/ui_style_service.h"
#include "platform/print/grid_print_service.h"
#include "platform/print/report_engine.h"

namespace corvane::platform {

namespace {

template <class T, class Maker, class... Args>
std::unique_ptr<T> Make(const Maker& maker, const char* what, Args&&... args) {
  if (!maker) throw ServiceError(QStringLiteral("No maker registered for %1").arg(QString::fromLatin1(what)));
  auto object = maker(std::forward<Args>(args)...);
  if (!object) throw ServiceError(QStringLiteral("Could not create %1").arg(QString::fromLatin1(what)));
  return object;
}

}  // namespace

std::unique_ptr<CommonServices> ObjectFactory::CreateCommonServices() const {
  return Make<CommonServices>(makeCommonServices, "CommonServices");
}

std::unique_ptr<CashServices> ObjectFactory::CreateCashServices() const {
  return Make<CashServices>(makeCashServices, "CashServices");
}

std::unique_ptr<DbConnection> ObjectFactory::OpenConnection(const QString& connectionString) const {
  return Make<DbConnection>(openConnection, "DbConnection", connectionString);
}

std::unique_ptr<AccountRightsService> ObjectFactory::CreateRightsService() const {
  return Make<AccountRightsService>(makeRightsService, "AccountRightsService");
}

std::unique_ptr<UiStyleService> ObjectFactory::CreateUiStyleService() const {
  return Make<UiStyleService>(makeUiStyleService, "UiStyleService");
}

std::unique_ptr<ReportEngine> ObjectFactory::CreateReportEngine() const {
  return Make<ReportEngine>(makeReportEngine, "ReportEngine");
}

std::unique_ptr<GridPrintService> ObjectFactory::CreateGridPrintService(CommonServices& common) const {
  return Make<GridPrintService>(makeGridPrintService, "GridPrintService", common);
}

ObjectFactory& ObjectFactory::Instance() {
  static ObjectFactory factory;
  return factory;
}

}  // namespace corvane::platform
