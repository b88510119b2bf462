#include "suite/services/register_suite_objects.h"

#include "platform/db/db_connection.h"
#include "platform/services/login_context.h"
#include "platform/services/object_factory.h"
#include "platform/services/service_error.h"
#include "suite/db/open_db_connection.h"
#include "suite/print/register_print_objects.h"
#include "suite/services/text_source.h"
#include "suite/services/suite_cash_services.h"
#include "suite/services/suite_common_services.h"
#include "suite/services/suite_rights_service.h"
#include "suite/services/suite_ui_style.h"
#include "suite/services/suite_voucher_viewer.h"

namespace corvane::suite {

void RegisterSuiteObjects(TextSource* texts, platform::LoginContext* login) {
  platform::ObjectFactory& factory = platform::ObjectFactory::Instance();
  factory.makeCommonServices = [texts]() -> std::unique_ptr<platform::CommonServices> {
    return std::make_unique<SuiteCommonServices>(texts);
  };
  factory.makeCashServices = [texts]() -> std::unique_ptr<platform::CashServices> {
    return std::make_unique<SuiteCashServices>(texts);
  };
  factory.openConnection = [](const QString& connectionString) { return OpenDbConnection(connectionString); };
  factory.makeRightsService = [texts, login]() -> std::unique_ptr<platform::AccountRightsService> {
    if (!login || !login->GetConnection())
      throw platform::ServiceError(
          TextOr(texts, QStringLiteral("corvane.suite.rights.nologin"), QStringLiteral("科目权限服务没有登录。")));
    return std::make_unique<SuiteRightsService>(*login, texts);
  };
  factory.makeUiStyleService = []() -> std::unique_ptr<platform::UiStyleService> {
    return std::make_unique<SuiteUiStyle>();
  };
  platform::VoucherViewer::SetMaker([]() -> std::unique_ptr<platform::VoucherViewer> {
    return std::make_unique<SuiteVoucherViewer>();
  });
  RegisterPrintObjects([texts](const QString& key) { return texts ? texts->Text(key, nullptr) : key; });
}

}  // namespace corvane::suite
