#include "host/product_facade.h"

#include "host/menu_dispatcher.h"
#include "host/session_startup.h"
#include "shared/session.h"

#include <QMetaObject>

namespace corvane::host {

bool clsProductFacade::Login(platform::LoginContext* oLogin) {
  if (!oLogin) return false;
  shared::Session::Current().gLogin = oLogin;
  return InitSession();
}

QObject* clsProductFacade::CallFunction(const QString& cMenuId, const QString& cMenuName, const QString& cAuthId,
                                        const QString& cCmdLine) {
  ExecuteMenu(cMenuId, cMenuName, cAuthId, cCmdLine);
  return nullptr;
}

QObject* clsMainFormProxy::GetActiveForm() const {
  if (!m_oMDIMain) return nullptr;
  QObject* result = nullptr;
  if (!QMetaObject::invokeMethod(m_oMDIMain, "GetActiveForm", Qt::DirectConnection, Q_RETURN_ARG(QObject*, result)))
    return nullptr;
  return result;
}

}  // namespace corvane::host
