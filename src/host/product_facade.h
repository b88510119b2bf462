#pragma once

#include <QObject>
#include <QString>

namespace corvane::platform {
class LoginContext;
}

namespace corvane::host {

// The host's entry to the component: log in once, then call functions by menu id.
class clsProductFacade {
 public:
  // Keeps the login for the session and runs the start-up; False when the session
  // may not start. May be called again to start a new session.
  bool Login(platform::LoginContext* oLogin);
  // Opens the function of a menu id ("RP0303" to "RP0309"); other ids do nothing.
  // The result is always nothing.
  QObject* CallFunction(const QString& cMenuId, const QString& cMenuName, const QString& cAuthId,
                        const QString& cCmdLine);
  bool SetCommandLine(const QString& cCmd) { return true; }
  bool LogOff() { return true; }
  bool SetFrmProxy(QObject* oFrmProxy) { return false; }
  void SetReportMgr(QObject* pRep) {}
  void SetSysInterface(QObject* pSys) {}
};

// Gives the report engine the host's active window.
class clsMainFormProxy {
 public:
  QObject* m_oMDIMain = nullptr;
  // Calls the host main window's GetActiveForm by name and hands back its answer.
  // Throws platform::ServiceError when no main window is set or it has no
  // invokable GetActiveForm returning a QObject*.
  QObject* GetActiveForm() const;
};

// The report engine's call-back; it needs nothing from the component.
class CDataLibrary {
 public:
  bool GetCallBackPoint(const QString& strReportName, QObject* objDataAccess = nullptr, QObject* objGetSub = nullptr,
                        QObject* objRefinterface = nullptr, QObject* objfilter = nullptr,
                        QObject* objUserFunc = nullptr, bool* blnShieldListForm = nullptr,
                        QObject* objAction = nullptr, bool* blnShowHightFilter = nullptr) {
    return true;
  }
};

}  // namespace corvane::host
