#include "shared/session.h"

#include "platform/services/object_factory.h"
#include "platform/services/service_error.h"

namespace corvane::shared {

platform::CommonServices& Session::Common() {
  if (!gCommonServices) throw platform::ServiceError(QStringLiteral("The session has not started"));
  return *gCommonServices;
}

platform::CashServices& Session::Cash() {
  if (!gCashServices) gCashServices = platform::ObjectFactory::Instance().CreateCashServices();
  return *gCashServices;
}

platform::UiStyleService& Session::UiStyle() {
  if (!gUiStyle) gUiStyle = platform::ObjectFactory::Instance().CreateUiStyleService();
  return *gUiStyle;
}

Session& Session::Current() {
  static Session session;
  return session;
}

}  // namespace corvane::shared
