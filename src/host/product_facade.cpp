#include "host/product_facade.h"

#include "host/menu_dispatcher.h"
#include "host/session_startup.h"
#include "platform/services/service_error.h"
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
  // The caller must tell "no main window to ask" from "no active window", so
  // both failures are a failed call, never a null answer.
  if (!m_oMDIMain) throw platform::ServiceError(QStringLiteral("clsMainFormProxy.GetActiveForm: m_oMDIMain is not set."));
  QObject* result = nullptr;
  if (!QMetaObject::invokeMethod(m_oMDIMain, "GetActiveForm", Qt::DirectConnection, Q_RETURN_ARG(QObject*, result)))
    throw platform::ServiceError(
        QStringLiteral("clsMainFormProxy.GetActiveForm: %1 has no method GetActiveForm.")
            .arg(QString::fromLatin1(m_oMDIMain->metaObject()->className())));
  return result;
}

}  // namespace corvane::host
